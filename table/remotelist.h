#pragma once

#include "datasource.h"
#include "qcontroldevice.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// The working list of remotes and what is known of where it came from: the database
// file, whether it is saved, the file's and the stick's tables as last seen. Every part
// of the remote table reads and changes the list here; the view follows its signals.
class RemoteList : public QObject
{
    Q_OBJECT
public:
    // The list and its files at one moment, so that an import can be taken back.
    struct State {
        QList<QControlDevice> remotes;
        QList<QControlDevice> fileSnapshot;
        QList<QControlDevice> modemSnapshot;
        QString dbFileName;
        QString importedFile;
        bool dbSaved = true;
        DATA_SOURCE_T kind = SOURCE_UNKNOWN;
    };

    // Whether a stick is connected now: a stick's table matches the file only while the
    // stick is there. Asked, not kept, so the list never holds a stale copy of it.
    using ConnectedQuery = std::function<bool()>;
    explicit RemoteList(ConnectedQuery modemConnected, QObject *parent = nullptr);

    const QList<QControlDevice> &remotes() const { return remoteList; }
    DATA_SOURCE_T source() const { return dataSource; }
    QString databaseFileName() const { return dbFileName; }
    bool isDatabaseSaved() const { return dbSaved; }
    // The remote table as it last came from or went to the stick.
    const QList<QControlDevice> &modemSnapshot() const { return m_modemSnapshot; }
    // Whether the stick's table as last read is known to be what it holds now.
    bool stickTableKnown() const { return m_stickTableKnown; }
    void setStickTableKnown(bool known) { m_stickTableKnown = known; }
    // The stick's table as read while the list shows something else.
    void setStickSnapshot(const QList<QControlDevice> &table);
    // The actuator's table as last read (through a copy to the stick) or put there by a
    // copy, followed by the single-remote changes it confirmed; while known.
    const QList<QControlDevice> &deviceSnapshot() const { return m_deviceSnapshot; }
    bool deviceTableKnown() const { return m_deviceTableKnown; }
    void setDeviceTable(const QList<QControlDevice> &table);
    void forgetDeviceTable();
    // A remote the actuator took or dropped, by id.
    void deviceRemoteWritten(const QControlDevice &remote);
    void deviceRemoteDeleted(int id);
    // The kind as last set, before a match with the stick turns it.
    DATA_SOURCE_T labelKind() const { return m_labelKind; }
    // The file name the label shows: the database file, else an imported CSV file.
    QString sourceFileName() const;
    bool modem_matches_file() const;

    void setRemotes(const QList<QControlDevice> &list);
    void replaceRemote(int index, const QControlDevice &remote);
    void removeRemote(int index);
    // The list becomes the stick's table, as read from it or as it now holds.
    void showStickTable(const QList<QControlDevice> &list);

    void set_data_source(DATA_SOURCE_T kind);
    // The label and the enabling rules for a kind, the snapshots left as they are.
    void showSource(DATA_SOURCE_T kind);
    // The list is now this database file (empty: none) and saved or not.
    void setDatabaseFile(const QString &name, bool saved);
    // A cancelled "save as" forgets the file, so the next save asks again.
    void forgetDatabaseFile() { dbFileName.clear(); }
    // The list came from a CSV file: not a database file, so "Сохранить" asks for one.
    void setImportedFile(const QString &name);

    State state() const;
    // Everything but the stick's snapshot, which stays what the stick holds.
    void restore(const State &state);

signals:
    // The whole list is about to be replaced, and was replaced; a model's reset.
    void listAboutToBeReset();
    void listReset();
    void remoteChanged(int index, const QControlDevice &remote);
    // Around taking the remote at index out of the list; a model's row removal.
    void remoteAboutToBeRemoved(int index);
    void remoteRemoved(int index, const QControlDevice &remote);
    // The data source or its label changed: the enabling rules follow.
    void stateChanged();
    // The list was loaded from or written to a database file or a backup.
    void databaseFileSet();

public slots:
    // The list changed and the file no longer holds it.
    void need_saving();

private:
    ConnectedQuery m_modemConnected;
    QList<QControlDevice> remoteList;     // the working list shown in the table
    QList<QControlDevice> m_fileSnapshot; // remoteList at the last file or backup load/save
    QList<QControlDevice> m_modemSnapshot;
    QString dbFileName;
    QString m_importedFile; // the CSV file the list came from, while no database file is set
    bool dbSaved = true;
    bool m_stickTableKnown = false;
    QList<QControlDevice> m_deviceSnapshot;
    bool m_deviceTableKnown = false;
    DATA_SOURCE_T dataSource = SOURCE_UNKNOWN;
    DATA_SOURCE_T m_labelKind = SOURCE_UNKNOWN;
};
