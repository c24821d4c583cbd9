#pragma once

#include "qupdatechangesdialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

// Answers the next changes dialog once it shows, yes or no; appends its title and text
// to seen.
inline void answerChanges(bool yes, QStringList *seen)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, yes, seen] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QUpdateChangesDialog *>(w); d && d->isVisible()) {
                poll->stop();
                poll->deleteLater();
                *seen << d->findChildren<QLabel *>().first()->text()
                      << d->textView()->toPlainText();
                (yes ? d->yesButton() : d->noButton())->click();
                return;
            }
    });
    poll->start(20);
}
