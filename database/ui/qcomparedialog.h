#pragma once

#include "tablediff.h"

#include <QColor>
#include <QDialog>

// The stick's table beside another one: a line per remote that differs, coloured by kind,
// and a summary. Accepted means "apply the other table to the stick". Children are named
// tableDifferences, labelSummary, pushButton_apply and pushButton_close.
class QCompareDialog : public QDialog
{
    Q_OBJECT
public:
    QCompareDialog(QWidget *parent, const QList<RemoteDifference> &differences,
                   const QString &otherName, bool applyAllowed);

    static QColor kindColor(RemoteDifference::KIND_T kind);
    static QString kindText(const RemoteDifference &difference);
    static QString summary(const QList<RemoteDifference> &differences);
};
