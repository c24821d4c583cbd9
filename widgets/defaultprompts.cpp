#include "defaultprompts.h"

#include <QFileDialog>
#include <QInputDialog>

Prompts::Button DefaultPrompts::question(QWidget *parent, const QString &title, const QString &text,
                                         Buttons buttons, Button defaultButton)
{
    return QMessageBox::question(parent, title, text, buttons, defaultButton);
}

Prompts::Button DefaultPrompts::warning(QWidget *parent, const QString &title, const QString &text,
                                        Buttons buttons, Button defaultButton)
{
    return QMessageBox::warning(parent, title, text, buttons, defaultButton);
}

Prompts::Button DefaultPrompts::information(QWidget *parent, const QString &title,
                                            const QString &text, Buttons buttons,
                                            Button defaultButton)
{
    return QMessageBox::information(parent, title, text, buttons, defaultButton);
}

Prompts::Button DefaultPrompts::critical(QWidget *parent, const QString &title, const QString &text,
                                         Buttons buttons, Button defaultButton)
{
    return QMessageBox::critical(parent, title, text, buttons, defaultButton);
}

QString DefaultPrompts::getText(QWidget *parent, const QString &title, const QString &label,
                                QLineEdit::EchoMode echo, const QString &text, bool *ok)
{
    bool accepted = false;
    const QString result = QInputDialog::getText(parent, title, label, echo, text, &accepted);
    if (ok)
        *ok = accepted;
    return accepted ? result : QString();
}

QString DefaultPrompts::getItem(QWidget *parent, const QString &title, const QString &label,
                                const QStringList &items, int current, bool editable, bool *ok)
{
    bool accepted = false;
    const QString result =
        QInputDialog::getItem(parent, title, label, items, current, editable, &accepted);
    if (ok)
        *ok = accepted;
    return accepted ? result : QString();
}

QString DefaultPrompts::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                        const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString DefaultPrompts::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                        const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}
