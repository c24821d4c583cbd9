#pragma once

#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Every modal question, message, text input, item choice and file dialog of the
// program goes through this interface, so tests can answer them.
class Prompts
{
public:
    virtual ~Prompts();

    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;

    virtual Button question(QWidget *parent, const QString &title, const QString &text,
                            Buttons buttons = Buttons(QMessageBox::Yes | QMessageBox::No),
                            Button defaultButton = QMessageBox::NoButton) = 0;
    virtual Button warning(QWidget *parent, const QString &title, const QString &text,
                           Buttons buttons = QMessageBox::Ok,
                           Button defaultButton = QMessageBox::NoButton) = 0;
    virtual Button information(QWidget *parent, const QString &title, const QString &text,
                               Buttons buttons = QMessageBox::Ok,
                               Button defaultButton = QMessageBox::NoButton) = 0;
    virtual Button critical(QWidget *parent, const QString &title, const QString &text,
                            Buttons buttons = QMessageBox::Ok,
                            Button defaultButton = QMessageBox::NoButton) = 0;

    // *ok is false when the user cancelled; the result is then empty.
    virtual QString getText(QWidget *parent, const QString &title, const QString &label,
                            QLineEdit::EchoMode echo = QLineEdit::Normal,
                            const QString &text = QString(), bool *ok = nullptr) = 0;
    virtual QString getItem(QWidget *parent, const QString &title, const QString &label,
                            const QStringList &items, int current = 0, bool editable = false,
                            bool *ok = nullptr) = 0;

    // An empty result means no file was chosen.
    virtual QString getOpenFileName(QWidget *parent, const QString &caption,
                                    const QString &dir = QString(),
                                    const QString &filter = QString()) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &caption,
                                    const QString &dir = QString(),
                                    const QString &filter = QString()) = 0;
};
