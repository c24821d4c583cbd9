#pragma once

#include "remotecsv.h"

#include <QColor>
#include <QDialog>

// Every row of a CSV file with its verdict before anything changes: accepted (green),
// warning (yellow) or refused (red), and a summary line. Accepted means "import". Children
// are named tableRows, labelSummary, pushButton_import and pushButton_cancel.
class QCsvImportDialog : public QDialog
{
    Q_OBJECT
public:
    QCsvImportDialog(QWidget *parent, const CsvImport &import, const QString &fileName);

    static QColor verdictColor(CSV_VERDICT_T verdict);
};
