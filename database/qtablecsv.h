#pragma once

#include "qcontroldevice.h"
#include "remotelist.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QModemSession;

// The remote list as CSV: export, import after a preview, and taking the import back.
class QTableCsv : public QObject
{
    Q_OBJECT
public:
    QTableCsv(QModemSession *session, RemoteList *list, QObject *parent = nullptr);

    // The last import can be taken back while the list is still as it left it.
    bool canUndoImport() const;
    // The list becomes the remotes imported from the CSV file name; the import can be
    // taken back.
    void takeImport(const QString &name, const QList<QControlDevice> &imported);

signals:
    // A short note for the status bar: the table exported.
    void statusMessage(const QString &text);

public slots:
    void exportCsv();
    void importCsv();
    void undoImport();

private:
    QModemSession *m_session;
    RemoteList *m_list;
    // What an import replaced, kept while the list stays as the import left it.
    struct ImportUndo {
        RemoteList::State before;
        QList<QControlDevice> imported;
    };
    std::optional<ImportUndo> m_importUndo;
};
