#include "siterecorder.h"

#include "prompts.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qoperation.h"
#include "qoperationlog.h"
#include "remotelist.h"
#include "siteindex.h"
#include "sitelibrary.h"

#include <QCoreApplication>
#include <QSerialPortInfo>
#include <QTimer>

namespace
{
// Of several things one operation did, the snapshot names the weightiest.
const char *const ActionWeight[] = {SnapshotAction::Restore, SnapshotAction::Apply,
                                    SnapshotAction::Write,   SnapshotAction::ParamsWrite,
                                    SnapshotAction::Read,    SnapshotAction::ParamsRead};
// Likely sites offered when the site is not sure.
constexpr int OFFERED_SITES = 8;
} // namespace

SiteRecorder::SiteRecorder(QModemSession *session, RemoteList *list, SiteLibrary *library,
                           SiteIndex *index, QObject *parent)
    : QObject(parent), m_session(session), m_list(list), m_library(library), m_index(index)
{
    connect(session, &QModemSession::operationStarted, this, &SiteRecorder::watch);
    connect(session->operationLog(), &QOperationLog::appended, this, &SiteRecorder::logged);
    // Another stick, or the same one changed elsewhere: known again once its table is read.
    connect(session, &QModemSession::sessionOpened, this, [this] {
        m_recognisePending = true;
        m_declined = false;
        m_pending.clear();
        setSite(Site());
    });
    connect(session, &QModemSession::sessionClosed, this, [this] {
        m_recognisePending = false;
        m_declined = false;
        m_pending.clear();
        setSite(Site());
    });
}

QString SiteRecorder::adapterSerial() const
{
    if (!m_session->connected())
        return QString();
    const QString port = m_session->interfaceManager()->portName();
    return m_serialOf ? m_serialOf(port) : QSerialPortInfo(port).serialNumber();
}

QString SiteRecorder::tableReadText()
{
    return QCoreApplication::translate("QTableTransfers", "Чтение пультов с USB-stick...");
}

QString SiteRecorder::paramsReadText()
{
    return QCoreApplication::translate("QParamController",
                                       "Запрос параметров исполнительного устройства...");
}

QString SiteRecorder::actionOf(const OperationLogEntry &entry)
{
    const QString &key = entry.operation;
    const auto is = [&key](OPERATION_T operation) {
        return key == QOperationLog::operationKey(operation);
    };
    if (is(OPERATION_DIFFERENCES_APPLIED))
        return QLatin1String(SnapshotAction::Apply);
    if (is(OPERATION_PARAMS_WRITTEN) || is(OPERATION_FACTORY_RESET))
        return QLatin1String(SnapshotAction::ParamsWrite);
    for (OPERATION_T table :
         {OPERATION_REMOTE_ADDED, OPERATION_REMOTE_BLOCKED, OPERATION_REMOTE_ACTIVATED,
          OPERATION_REMOTE_EDITED, OPERATION_REMOTE_DELETED, OPERATION_TABLE_WRITTEN,
          OPERATION_TABLE_CLEARED, OPERATION_TABLE_COPIED_TO_DEVICE,
          OPERATION_TABLE_COPIED_TO_MODEM})
        if (is(table))
            return QLatin1String(SnapshotAction::Write);
    // Firmware and passwords change nothing a snapshot holds.
    return QString();
}

bool SiteRecorder::chooseSite(const QString &folder, QString *error)
{
    Site site;
    if (!m_library->readSite(folder, &site, error))
        return false;
    if (!m_library->addStick(&site, adapterSerial(), error))
        return false;
    m_recognisePending = false;
    m_declined = false;
    setSite(site);
    return true;
}

void SiteRecorder::expectRestore(const QString &snapshotName)
{
    m_restoring = snapshotName;
}

void SiteRecorder::watch(QOperation *operation)
{
    m_watched = operation;
    m_readSeen = false;
    m_paramsRead = operation->text() == paramsReadText();
    // The records' text shows only once the stick has counted its table for a read.
    connect(operation, &QOperation::textChanged, this, [this](const QString &text) {
        if (text == tableReadText())
            m_readSeen = true;
    });
    connect(operation, &QOperation::finished, this,
            [this, operation] { operationEnded(operation); });
}

void SiteRecorder::operationEnded(QOperation *operation)
{
    if (operation != m_watched)
        return;
    if (operation->succeeded()) {
        if (m_readSeen && m_list->stickTableKnown())
            m_pending << QLatin1String(SnapshotAction::Read);
        if (m_paramsRead)
            m_pending << QLatin1String(SnapshotAction::ParamsRead);
    }
    m_watched = nullptr;
    queueSettle();
}

void SiteRecorder::logged(const OperationLogEntry &entry)
{
    const QString action = actionOf(entry);
    if (action.isEmpty())
        return;
    m_pending << action;
    // An operation shown by its caller (the add-remote wizard) is not announced.
    QOperation *running = m_session->currentOperation();
    if (running && running != m_watched)
        connect(running, &QOperation::finished, this, &SiteRecorder::queueSettle,
                Qt::UniqueConnection);
    else if (!running)
        queueSettle();
}

void SiteRecorder::queueSettle()
{
    if (m_settleQueued)
        return;
    m_settleQueued = true;
    // Out of the operation's signal: a question may be asked, and the list is final then.
    QTimer::singleShot(0, this, [this] {
        m_settleQueued = false;
        settle();
    });
}

void SiteRecorder::settle()
{
    if (m_pending.isEmpty())
        return;
    if (!m_session->connected()) {
        m_pending.clear();
        return;
    }
    // One snapshot after all the operations that run in a row, once the line is quiet.
    if (QOperation *running = m_session->currentOperation()) {
        connect(running, &QOperation::finished, this, &SiteRecorder::queueSettle,
                Qt::UniqueConnection);
        return;
    }
    if (m_recognisePending) {
        // Parameters read before the session's first table wait for it.
        if (!m_list->stickTableKnown())
            return;
        recognise();
    }
    QString action;
    for (const char *weighty : ActionWeight)
        if (m_pending.contains(QLatin1String(weighty))) {
            action = QLatin1String(weighty);
            break;
        }
    if (action == QLatin1String(SnapshotAction::Apply) && !m_restoring.isEmpty())
        action = QLatin1String(SnapshotAction::Restore);
    m_pending.clear();
    m_restoring.clear();
    if (siteKnown())
        file(action);
}

bool SiteRecorder::recognition(SiteRecognition *result)
{
    QString error;
    if (!m_index->open(&error) || !m_index->refresh({}, &error)) {
        emit statusMessage(tr("Объект не определён: %1").arg(error));
        return false;
    }
    *result = m_index->recognise(adapterSerial(), m_list->modemSnapshot());
    return true;
}

void SiteRecorder::recognise()
{
    m_recognisePending = false;
    SiteRecognition found;
    if (!recognition(&found))
        return;
    if (found.kind != SiteRecognition::UNSURE) {
        QString error;
        if (!chooseSite(found.folder, &error))
            emit statusMessage(tr("Объект не определён: %1").arg(error));
        return;
    }
    // Sites not in use yet: no question at every connection.
    if (m_index->sites().isEmpty())
        return;
    if (!ask(found)) {
        m_declined = true;
        emit siteChanged();
    }
}

bool SiteRecorder::askForSite()
{
    SiteRecognition found;
    if (!m_session->connected() || !m_list->stickTableKnown() || !recognition(&found))
        return false;
    m_recognisePending = false;
    if (ask(found)) {
        keepSnapshot();
        return true;
    }
    m_declined = !siteKnown();
    emit siteChanged();
    return false;
}

bool SiteRecorder::ask(const SiteRecognition &recognition)
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    QStringList items;
    QStringList folders;
    for (const SiteRecognition::Candidate &c : recognition.candidates) {
        if (items.size() == OFFERED_SITES)
            break;
        items << tr("%1 (общих пультов: %2 из %3)").arg(c.name).arg(c.shared).arg(c.lastCount);
        folders << c.folder;
    }
    const QString newSite = tr("Новый объект");
    const QString notNow = tr("Не сейчас");
    items << newSite << notNow;
    bool ok = false;
    const QString chosen =
        prompts->getItem(parent, tr("Объект"),
                         recognition.candidates.isEmpty()
                             ? tr("USB-stick не относится ни к одному известному объекту. "
                                  "Где он установлен?")
                             : tr("К какому объекту относится подключённый USB-stick?"),
                         items, 0, false, &ok);
    if (!ok || chosen == notNow)
        return false;
    QString error;
    if (chosen != newSite) {
        const qsizetype index = items.indexOf(chosen);
        if (index < 0 || index >= folders.size())
            return false;
        if (chooseSite(folders.at(index), &error))
            return true;
        prompts->warning(parent, tr("Объект"), error);
        return false;
    }
    const QString name =
        prompts
            ->getText(parent, newSite, tr("Название объекта:"), QLineEdit::Normal, QString(), &ok)
            .trimmed();
    if (!ok || name.isEmpty())
        return false;
    Site site;
    if (!m_library->siteNamed(name, &site, &error) || !chooseSite(site.folder, &error)) {
        prompts->warning(parent, newSite, error);
        return false;
    }
    return true;
}

bool SiteRecorder::file(const QString &action)
{
    if (!m_list->stickTableKnown()) {
        emit statusMessage(tr("Снимок не сохранён в объекте «%1»: таблица USB-stick не известна")
                               .arg(m_site.name));
        return false;
    }
    SnapshotMeta meta;
    meta.action = action;
    meta.stickVersion = QModemSession::versionText(m_session->modem().version());
    const QExecDevice &device = m_session->execDevice();
    if (device.isVersionKnown())
        meta.actuatorVersion = QModemSession::versionText(device.version());
    for (quint16 id = 1; id <= 4; ++id) {
        const quint8 value = device.paramValue(id);
        if (value != QExecDevice::Unknown)
            meta.params.insert(id, value);
    }
    meta.adapterSerial = adapterSerial();
    QString path;
    QString error;
    if (!m_library->addSnapshot(m_site.folder, m_list->modemSnapshot(), meta, &path, &error)) {
        emit statusMessage(tr("Снимок не сохранён в объекте «%1»: %2").arg(m_site.name, error));
        return false;
    }
    emit snapshotFiled(path);
    return true;
}

void SiteRecorder::setSite(const Site &site)
{
    m_site = site;
    emit siteChanged();
}
