#include "remotetableparts.h"

#include "qmodemsession.h"
#include "qoperation.h"
#include "qoperationlogwindow.h"
#include "qremoteoperations.h"
#include "qremotesearch.h"
#include "qremotetableview.h"
#include "qtablecompare.h"
#include "qtablecopy.h"
#include "qtablecsv.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotelist.h"

RemoteTableParts::RemoteTableParts(QModemSession *session, const RemoteTableWidgets &widgets,
                                   QObject *parent)
    : QObject(parent)
{
    m_list = new RemoteList([session] { return session->connected(); }, this);
    m_view = new QRemoteTableView(session, m_list, widgets, this);
    m_files = new QTableFiles(session, m_list, this);
    m_transfers = new QTableTransfers(session, m_list, m_files, this);
    m_copier = new QTableCopy(session, m_list, m_files, m_transfers, this);
    m_operations = new QRemoteOperations(session, m_list, m_view, this);
    m_search = new QRemoteSearch(session, m_list, m_view, m_operations, this);
    m_compare = new QTableCompare(session, m_list, m_files, m_transfers, this);
    m_csv = new QTableCsv(session, m_list, this);
    m_logWindow = new QOperationLogWindow(session, this);

    connect(m_transfers, &QTableTransfers::statusMessage, this, &RemoteTableParts::statusMessage);
    connect(m_copier, &QTableCopy::statusMessage, this, &RemoteTableParts::statusMessage);
    connect(m_compare, &QTableCompare::statusMessage, this, &RemoteTableParts::statusMessage);
    connect(m_csv, &QTableCsv::statusMessage, this, &RemoteTableParts::statusMessage);
    connect(m_transfers, &QTableTransfers::remoteArriving, m_view, &QRemoteTableView::showArriving);
    connect(m_transfers, &QTableTransfers::arrivingDropped, m_view, &QRemoteTableView::showList);

    // In this order: another stick, or the same one changed elsewhere, until its table
    // is read; a stick left listening by a search that lost it is set back first; then
    // every new session reads the stick's table.
    connect(session, &QModemSession::sessionOpened, m_list, [this] {
        m_list->setStickTableKnown(false);
        m_list->forgetDeviceTable();
    });
    connect(session, &QModemSession::sessionOpened, m_search, &QRemoteSearch::restoreNormalMode);
    connect(session, &QModemSession::sessionOpened, m_transfers, [this, session] {
        // Whatever the opening set going before this ends first.
        if (QOperation *running = session->currentOperation())
            connect(running, &QOperation::finished, m_transfers,
                    &QTableTransfers::load_db_from_modem);
        else
            m_transfers->load_db_from_modem();
    });
    connect(session, &QModemSession::sessionClosed, m_list, [this] {
        m_list->setStickTableKnown(false);
        m_list->forgetDeviceTable();
    });

    m_list->set_data_source(SOURCE_UNKNOWN);
    m_view->control_device_select();
}
