#pragma once

#include "prompts.h"

#include <cstdio>

// Never blocks: every box takes its default (a repeat question is declined) and is
// reported on standard error.
class QuietPrompts : public Prompts
{
public:
    Button question(QWidget *, const QString &, const QString &t, Buttons b, Button d) override
    {
        return answer(t, b, d);
    }
    Button warning(QWidget *, const QString &, const QString &t, Buttons b, Button d) override
    {
        return answer(t, b, d);
    }
    Button information(QWidget *, const QString &, const QString &t, Buttons b, Button d) override
    {
        return answer(t, b, d);
    }
    Button critical(QWidget *, const QString &, const QString &t, Buttons b, Button d) override
    {
        return answer(t, b, d);
    }
    QString getText(QWidget *, const QString &, const QString &, QLineEdit::EchoMode,
                    const QString &, bool *ok) override
    {
        if (ok)
            *ok = false;
        return QString();
    }
    QString getItem(QWidget *, const QString &, const QString &, const QStringList &, int, bool,
                    bool *ok) override
    {
        if (ok)
            *ok = false;
        return QString();
    }
    QString getOpenFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    QString getSaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }

protected:
    virtual Button answer(const QString &text, Buttons, Button defaultButton)
    {
        fprintf(stderr, "message: %s\n", qPrintable(text));
        return defaultButton == QMessageBox::NoButton ? QMessageBox::No : defaultButton;
    }
};
