#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTextEdit;

// The changes an update brings, with the question whether to install it. "Да" accepts.
class QUpdateChangesDialog : public QDialog
{
    Q_OBJECT
public:
    QUpdateChangesDialog(QWidget *parent, const QString &title, const QStringList &changes);

    // The change lines as shown: a leading category mark becomes its coloured heading.
    static QString changesHtml(const QStringList &changes);

    QTextEdit *textView() const { return m_text; }
    QPushButton *yesButton() const { return m_yes; }
    QPushButton *noButton() const { return m_no; }

private:
    QLabel *m_title;
    QTextEdit *m_text;
    QLabel *m_question;
    QPushButton *m_yes;
    QPushButton *m_no;
};
