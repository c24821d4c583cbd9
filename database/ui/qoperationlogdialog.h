#pragma once

#include "qoperationlog.h"

#include <QDialog>

class Prompts;
class QCheckBox;
class QLineEdit;
class QTableWidget;

// The operation log, newest entry first, with a filter, and its export as CSV. Children
// are named lineEdit_filter, checkBox_failed, tableLog, pushButton_export and
// pushButton_close.
class QOperationLogDialog : public QDialog
{
    Q_OBJECT
public:
    QOperationLogDialog(QWidget *parent, QOperationLog *log, Prompts *prompts);

    // The texts of one entry in column order.
    static QStringList entryTexts(const OperationLogEntry &entry);
    static QStringList headings();

public slots:
    void refresh();
    void exportCsv();

private:
    QOperationLog *m_log;
    Prompts *m_prompts;
    QLineEdit *m_filter = nullptr;
    QCheckBox *m_failedOnly = nullptr;
    QTableWidget *m_table = nullptr;
};
