#pragma once

#include "prompts.h"

// The real dialogs.
class DefaultPrompts : public Prompts
{
public:
    Button question(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override;
    Button warning(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override;
    Button information(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                       Button defaultButton) override;
    Button critical(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override;
    QString getText(QWidget *parent, const QString &title, const QString &label,
                    QLineEdit::EchoMode echo, const QString &text, bool *ok) override;
    QString getItem(QWidget *parent, const QString &title, const QString &label,
                    const QStringList &items, int current, bool editable, bool *ok) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
};
