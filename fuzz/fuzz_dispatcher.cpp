// Crafted answers in every transaction: the session's dispatcher, with the steps of the
// remote table, the parameter editor and the flashing controller registered as the
// window registers them, judges a run of answers to a request of that transaction run as
// an operation, and the questions it asks are answered either way. After each answer the
// operation has ended at most once, the session says consistently whether it runs, and
// no dialog is left open.
//
// The link runs for real over a pseudo-terminal whose other end has gone: each command
// the session sends ends at once as unanswered, which leaves it as the command the next
// answer is judged against, and the answers are handed to the session as the link
// hands them over.
#include "commands.h"
#include "fuzzinput.h"
#include "prompts.h"
#include "qdbmanipulator.h"
#include "qflashcontroller.h"
#include "qinterface_manager.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qtablefiles.h"
#include "remotelist.h"
#include "remotetableparts.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

#include <memory>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace
{
// Every question is answered with one of its buttons, as the input says.
class ChoicePrompts : public Prompts
{
public:
    FuzzInput *in = nullptr;
    QString openFile;

    Button pickButton(Buttons buttons)
    {
        QList<Button> offered;
        for (Button b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (buttons.testFlag(b))
                offered << b;
        if (offered.isEmpty())
            return QMessageBox::NoButton;
        return in ? offered.at(in->pick(int(offered.size()))) : offered.first();
    }
    Button question(QWidget *, const QString &, const QString &, Buttons b, Button) override
    {
        return pickButton(b);
    }
    Button warning(QWidget *, const QString &, const QString &, Buttons b, Button) override
    {
        return pickButton(b);
    }
    Button information(QWidget *, const QString &, const QString &, Buttons b, Button) override
    {
        return pickButton(b);
    }
    Button critical(QWidget *, const QString &, const QString &, Buttons b, Button) override
    {
        return pickButton(b);
    }
    QString getText(QWidget *, const QString &, const QString &, QLineEdit::EchoMode,
                    const QString &, bool *ok) override
    {
        const QString text = in ? QString::fromUtf8(in->piece(12)) : QString();
        if (ok)
            *ok = !text.isEmpty();
        return text;
    }
    QString getItem(QWidget *, const QString &, const QString &, const QStringList &items, int,
                    bool, bool *ok) override
    {
        if (ok)
            *ok = !items.isEmpty();
        return items.isEmpty() ? QString() : items.at(in ? in->pick(int(items.size())) : 0);
    }
    QString getOpenFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return openFile;
    }
    QString getSaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
};

// What the program sends first in each transaction.
struct Request {
    bool data;
    quint16 command; // data: command word; short: class in the low byte, number high
    quint16 target;
    QByteArray payload;
};

QByteArray param(quint16 id)
{
    return QByteArray(1, char(id & 0xFF)) + char(id >> 8);
}

QList<Request> requestsFor(MODEM_TRANSACTION_T t)
{
    switch (t) {
    case TRANSACTION_MODEM_MEMORY:
        return {{false, QUERY_MEMORY, 0, {}}};
    case TRANSACTION_DEVICE_MEMORY:
        return {{true, CMD_GET_PARAM, TARGET_DEVICE, param(PARAM_MEMORY)}};
    case TRANSACTION_FUNCTIONS:
        return {{false, QUERY_FUNCTIONS, 0, {}}};
    case TRANSACTION_VERSION:
        return {{true, CMD_GET_PARAM, TARGET_MODEM, param(PARAM_VERSION)},
                {true, CMD_GET_PARAM, TARGET_DEVICE, param(PARAM_VERSION)}};
    case TRANSACTION_READ_TABLE:
        return {{true, CMD_READ_FIRST_REMOTE, 0, {}}, {true, CMD_READ_NEXT_REMOTE, 0, {}}};
    case TRANSACTION_WRITE_TABLE:
    case TRANSACTION_WRITE_REMOTE:
        return {{true, CMD_WRITE_REMOTE, 0, QByteArray(64, '\1')}};
    case TRANSACTION_DELETE_REMOTE:
        return {{true, CMD_DELETE_REMOTE, 0, QByteArray::fromHex("010203")}};
    case TRANSACTION_CLEAR_TABLE:
        return {{true, CMD_CLEAR_TABLE, 3, {}}, {true, CMD_GET_PROGRESS, 0, {}}};
    case TRANSACTION_COPY_TO_DEVICE:
    case TRANSACTION_COPY_TO_MODEM:
        return {{true, CMD_COPY_TABLE, 0, {}}, {true, CMD_GET_PROGRESS, 0, {}}};
    case TRANSACTION_PRIVILEGES:
    case TRANSACTION_FORGET_PASSWORD:
        return {{true, CMD_GET_PROTECTION, 0, {}}};
    case TRANSACTION_LOGIN:
        return {{true, CMD_ACCESS, 0, "1234"}};
    case TRANSACTION_PASSWORD:
        return {{true, CMD_PASSWORD, 0, "1234"}};
    case TRANSACTION_DEVICE_INIT:
        return {{true, CMD_DEVICE_INIT, 0, {}}};
    case TRANSACTION_MODEM_MODE:
        return {{false, CMD_SET_MODEM_MODE, 0, {}}};
    case TRANSACTION_SET_PARAM:
    case TRANSACTION_WRITE_PARAMS:
        return {{true, CMD_SET_PARAM, TARGET_DEVICE, param(1) + char(2)}};
    case TRANSACTION_READ_PARAMS:
        return {{true, CMD_GET_PARAM, TARGET_DEVICE, param(1)}};
    case TRANSACTION_FACTORY_RESET:
        return {{true, CMD_FACTORY_RESET, TARGET_DEVICE, {}}};
    case TRANSACTION_FLASH:
        return {{true, 0x0902, 0, QByteArray(15, '\0')}, {true, 0x0A02, 0, QByteArray(20, '\2')}};
    case TRANSACTION_NONE:
    case TRANSACTION_WIZARD:
    default:
        return {{true, CMD_GET_FOUND_REMOTE, 0, {}}, {false, QUERY_IDENT, 0, {}}};
    }
}

const quint16 AnswerWords[] = {ANS_STATUS, ANS_REMOTE, ANS_PARAM, ANS_FOUND_REMOTE, ANS_PROTECTION};
const quint16 ReplyWords[] = {0x1121, 0x1221, 0x1521, REPLY_SET_MODEM_MODE};

QByteArray answer(FuzzInput &in)
{
    QRS232Message m;
    switch (in.pick(6)) {
    case 0: { // a status
        const quint8 status = in.pick(4) ? quint8(1 + in.pick(10)) : in.byte();
        const QByteArray payload = QByteArray(1, char(status)) + char(in.byte());
        m.make_data_frame(ANS_STATUS, in.word() & 1, payload.constData(), 2);
        return m.frame();
    }
    case 1:
    case 2: { // an answer word the program knows, any target and payload
        const quint16 command = AnswerWords[in.pick(std::size(AnswerWords))];
        const quint16 target = in.pick(4);
        const QByteArray payload = in.piece(140);
        m.make_data_frame(command, target, payload.constData(), int(payload.size()));
        return m.frame();
    }
    case 3: { // a short reply
        const quint16 word1 = ReplyWords[in.pick(std::size(ReplyWords))];
        const quint8 b9 = in.byte(), b10 = in.byte(), b11 = in.byte(), b12 = in.byte();
        m.make_short_frame(in.word(), word1 & 0xFF, word1 >> 8, b9, b10, b11, b12);
        return m.frame();
    }
    case 4: { // any data frame
        const quint16 command = in.word();
        const quint16 target = in.word();
        const QByteArray payload = in.piece(251);
        m.make_data_frame(command, target, payload.constData(), int(payload.size()));
        return m.frame();
    }
    default: // any bytes, as a broken frame would come
        return QByteArray(1, char(0x7E)) + in.piece(40);
    }
}

struct Rig {
    ChoicePrompts prompts;
    QWidget host;
    QModemSession *session = nullptr;
    RemoteTableParts *table = nullptr;
    QParamController *params = nullptr;
    QFlashController *flasher = nullptr;
    QTemporaryDir dir;

    Rig()
    {
        RemoteTableWidgets widgets{new QTableView(&host),  new QLabel(&host),
                                   new QLineEdit(&host),   new QPushButton(&host),
                                   new QPushButton(&host), new QPushButton(&host),
                                   new QPushButton(&host)};
        session = new QModemSession(&prompts, &host, &host);
        table = new RemoteTableParts(session, widgets, &host);
        params = new QParamController(session, new QTableWidget(&host), &host);
        flasher = new QFlashController(session, &host);

        // A table to write, so the write step has records to send.
        QList<QControlDevice> remotes;
        for (int i = 1; i <= 3; ++i)
            remotes << QControlDevice(nullptr, i, quint8(i), QStringLiteral("Пульт %1").arg(i));
        prompts.openFile = dir.filePath("table.json");
        FUZZ_CHECK(QDbManipulator::saveToFile(prompts.openFile, remotes, nullptr));
        table->files().load_db_from_file();
        FUZZ_CHECK(table->list().remotes().size() == 3);

        // The line goes away for good: every command ends unanswered at once. The link
        // reports that as a lost port at each command; the session hears of a lost stick
        // only when an input unplugs it, and the search that follows has no port to probe.
        session->setPorts({}, false);
        const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        FUZZ_CHECK(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
        QInterface_Manager *link = session->interfaceManager();
        QObject::disconnect(link, &QInterface_Manager::signal_port_lost, session, nullptr);
        link->set_port(QString::fromLocal8Bit(ptsname(master)), 4800, 0);
        link->start_interface();
        wait([link] { return link->interfaceStatus(); });
        ::close(master);
        wait([link] { return link->logic_state() == LOGIC_PORT_CLOSED; });
    }

    template <typename F> static void wait(F done)
    {
        const QDeadlineTimer deadline(5000);
        while (!done()) {
            FUZZ_CHECK(!deadline.hasExpired());
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

    // Until the command on the line has ended as unanswered.
    void settle()
    {
        // Waited for, not spun for: on a loaded machine the line's thread may need a while.
        QInterface_Manager *link = session->interfaceManager();
        wait([link] { return link->is_free(); });
        QCoreApplication::processEvents();
    }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    quietLogging();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::unique_ptr<Rig> made;
    if (!made)
        made = std::make_unique<Rig>();
    Rig &rig = *made;
    FuzzInput in(data, size);
    rig.prompts.in = &in;
    QModemSession &s = *rig.session;

    const auto transaction = MODEM_TRANSACTION_T(in.pick(TRANSACTION_FACTORY_RESET + 2));
    s.modem().setFunctions(in.flag() ? FUNCTION_LONG_RECORDS : 0);
    s.modem().setProtectionMode(MODEM_PROTECTION_T(in.pick(3)));
    s.execDevice().setRemoteMode(in.flag());

    // The request runs as an operation, as every request of the program does.
    const QList<Request> requests = requestsFor(transaction);
    const Request r = requests.at(in.pick(int(requests.size())));
    FUZZ_CHECK(!s.busy());
    int endings = 0;
    QOperation *started = s.start(QString(), true, transaction, [&s, r] {
        if (r.data)
            s.sendDataCommand(r.command, r.target, r.payload);
        else
            s.sendShortCommand(quint8(r.command & 0xFF), quint8(r.command >> 8));
    });
    const QPointer<QOperation> operation = started;
    bool lost = false;
    QObject::connect(started, &QOperation::finished, [&endings, &lost, started] {
        ++endings;
        lost = started->outcome() == QOperation::Lost;
    });
    FUZZ_CHECK(!started->isFinished());
    rig.settle();

    const int answers = 1 + in.pick(8);
    for (int i = 0; i < answers && !in.atEnd(); ++i) {
        s.rs232_cmd_income(answer(in));
        rig.settle();
        // One operation at a time, and the session says consistently whether it runs.
        FUZZ_CHECK(endings <= 1);
        FUZZ_CHECK(s.busy() == (endings == 0));
        FUZZ_CHECK(s.busy() || s.modem().currentTransaction() == TRANSACTION_NONE);
        FUZZ_CHECK(s.modem().currentTransaction() <= TRANSACTION_FACTORY_RESET + 1);
        FUZZ_CHECK(!s.searching());
        // Questions are asked between steps and answered; nothing is left waiting.
        FUZZ_CHECK(!QApplication::activeModalWidget());
    }
    const bool unplugged = in.flag();
    if (unplugged) {
        // The stick goes away: the operation ends as lost if it still ran, and the session
        // closes and searches.
        const bool running = endings == 0;
        s.portLost();
        rig.settle();
        FUZZ_CHECK(endings == 1);
        FUZZ_CHECK(!running || lost);
        FUZZ_CHECK(!s.connected());
    } else if (operation) {
        operation->cancel();
    }
    // Nothing of it is left on the line for the next input.
    rig.settle();
    FUZZ_CHECK(endings == 1);
    FUZZ_CHECK(!s.busy());
    FUZZ_CHECK(unplugged || s.modem().currentTransaction() == TRANSACTION_NONE);
    rig.prompts.in = nullptr;
    // A session that searches takes no operation: the next input gets a new one.
    if (unplugged)
        made.reset();
    return 0;
}
