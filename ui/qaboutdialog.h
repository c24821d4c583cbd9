#pragma once

#include <QDialog>

class QLabel;

// What the program is: name and version, the Qt it runs on, copyright and licences.
class QAboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QAboutDialog(QWidget *parent = nullptr);

    // The whole text shown, for the log and for tests.
    QString text() const;

private:
    QLabel *m_heading = nullptr;
    QLabel *m_body = nullptr;
};
