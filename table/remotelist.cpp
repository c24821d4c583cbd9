#include "remotelist.h"

#include "remotetable.h"

#include <utility>

RemoteList::RemoteList(ConnectedQuery modemConnected, QObject *parent)
    : QObject(parent), m_modemConnected(std::move(modemConnected))
{
}

void RemoteList::setStickSnapshot(const QList<QControlDevice> &table)
{
    m_modemSnapshot = table;
    m_stickTableKnown = true;
}

void RemoteList::setDeviceTable(const QList<QControlDevice> &table)
{
    m_deviceSnapshot = table;
    m_deviceTableKnown = true;
}

void RemoteList::forgetDeviceTable()
{
    m_deviceSnapshot.clear();
    m_deviceTableKnown = false;
}

void RemoteList::deviceRemoteWritten(const QControlDevice &remote)
{
    if (!m_deviceTableKnown)
        return;
    for (QControlDevice &known : m_deviceSnapshot) {
        if (known.id() == remote.id()) {
            known = remote;
            return;
        }
    }
    m_deviceSnapshot.append(remote);
}

void RemoteList::deviceRemoteDeleted(int id)
{
    m_deviceSnapshot.removeIf([id](const QControlDevice &r) { return r.id() == id; });
}

QString RemoteList::sourceFileName() const
{
    return dbFileName.isEmpty() ? m_importedFile : dbFileName;
}

bool RemoteList::modem_matches_file() const
{
    return modemMatchesFile(m_modemConnected && m_modemConnected(), m_modemSnapshot,
                            m_fileSnapshot);
}

void RemoteList::setRemotes(const QList<QControlDevice> &list)
{
    emit listAboutToBeReset();
    remoteList = list;
    emit listReset();
}

void RemoteList::replaceRemote(int index, const QControlDevice &remote)
{
    remoteList[index] = remote;
    emit remoteChanged(index, remote);
}

void RemoteList::removeRemote(int index)
{
    emit remoteAboutToBeRemoved(index);
    const QControlDevice removed = remoteList.takeAt(index);
    emit remoteRemoved(index, removed);
}

void RemoteList::showStickTable(const QList<QControlDevice> &list)
{
    setRemotes(list);
    set_data_source(SOURCE_MODEM);
}

void RemoteList::need_saving()
{
    dbSaved = false;
    // With the modem as source this also makes the modem's snapshot follow the change.
    set_data_source(dataSource);
}

void RemoteList::set_data_source(DATA_SOURCE_T kind)
{
    dataSource = kind;
    switch (kind) {
    case SOURCE_MODEM:
        m_modemSnapshot = remoteList;
        m_stickTableKnown = true;
        break;
    case SOURCE_FILE:
    case SOURCE_BACKUP:
        m_fileSnapshot = remoteList;
        break;
    case SOURCE_UNKNOWN:
        break;
    }
    showSource(kind);
}

void RemoteList::showSource(DATA_SOURCE_T kind)
{
    m_labelKind = kind;
    dataSource = dataSourceLabel(kind, modem_matches_file(), sourceFileName()).kind;
    emit stateChanged();
}

void RemoteList::setDatabaseFile(const QString &name, bool saved)
{
    dbFileName = name;
    dbSaved = saved;
    m_importedFile.clear();
    emit databaseFileSet();
}

void RemoteList::setImportedFile(const QString &name)
{
    dbFileName.clear();
    m_importedFile = name;
    dbSaved = false;
}

RemoteList::State RemoteList::state() const
{
    return {remoteList,     m_fileSnapshot, m_modemSnapshot, dbFileName,
            m_importedFile, dbSaved,        m_labelKind};
}

void RemoteList::restore(const State &state)
{
    m_fileSnapshot = state.fileSnapshot;
    dbFileName = state.dbFileName;
    m_importedFile = state.importedFile;
    dbSaved = state.dbSaved;
    setRemotes(state.remotes);
    showSource(state.kind);
}
