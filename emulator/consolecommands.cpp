#include "consolecommands.h"

#include "emulator.h"
#include "firmwarefile.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QStringList>

namespace vexo::emu
{

namespace
{

bool number(const QString &text, qint64 min, qint64 max, qint64 *out)
{
    bool ok = false;
    const qint64 v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                         ? text.mid(2).toLongLong(&ok, 16)
                         : text.toLongLong(&ok, 10);
    if (!ok || v < min || v > max)
        return false;
    *out = v;
    return true;
}

QString error(const QString &text)
{
    return QStringLiteral("error: ") + text;
}

const QString Ok = QStringLiteral("ok");

} // namespace

QString ConsoleCommands::help()
{
    return QStringLiteral(
        "press ID [GROUP] [POLLS]   a remote transmits (heard in search mode)\n"
        "hold                       hold the actuator button (password reset mode)\n"
        "drop N                     lose the next N answers\n"
        "delay N MS                 hold back the next N answers by MS ms\n"
        "corrupt [N]                wrong checksum in the next N answers\n"
        "garbage [HEX] [N]          bytes before the next N answers (default a5 5a 00)\n"
        "split N PIECES GAPMS       write the next N answers in pieces\n"
        "status CMD ST [DETAIL] [N] answer command word CMD with a status (N -1: always)\n"
        "misparam [N]               the next N parameter answers name the next parameter\n"
        "garble [N]                 store the next N remote writes damaged, answer success\n"
        "hangup                     close the line in place of the next answer\n"
        "after CMD [N]              faults wait for the N-th request with command word CMD\n"
        "nofaults                   cancel pending faults\n"
        "close | reopen             hang up the line | open a new pseudo-terminal\n"
        "pace on|off                pace output at 4800 baud\n"
        "link on|off                the stick reaches the actuator or not\n"
        "init N                     the next N actuator initialisations fail\n"
        "password [TEXT]            set or remove the password\n"
        "add ID GROUP [OWNER]       put a remote into both tables\n"
        "remotes                    list the stick's table\n"
        "state [FILE]               print the state as JSON, or save it\n"
        "load FILE                  load a state file\n"
        "log [N]                    new log lines (or the last N)\n"
        "seq                        sequence numbers received\n"
        "firmware                   the last firmware transfer\n"
        "mkfirmware FILE stick|actuator MAJOR MINOR SIZE\n"
        "                           write a firmware file for the emulated target\n"
        "quit");
}

QString ConsoleCommands::execute(const QString &line, bool *quit)
{
    const QStringList a =
        line.trimmed().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (a.isEmpty())
        return QString();
    const QString cmd = a.first().toLower();
    qint64 n1 = 0, n2 = 0, n3 = 0, n4 = 0;

    if (cmd == QLatin1String("quit") || cmd == QLatin1String("exit")) {
        *quit = true;
        return QString();
    }
    if (cmd == QLatin1String("help"))
        return help();
    if (cmd == QLatin1String("press")) {
        if (a.size() < 2 || !number(a.at(1), 0, 0xFFFFFE, &n1) ||
            (a.size() > 2 && !number(a.at(2), 0, 255, &n2)) ||
            (a.size() > 3 && !number(a.at(3), 1, 1000, &n3)))
            return error(QStringLiteral("press ID [GROUP] [POLLS]"));
        return m_emulator->pressRemote(quint32(n1), quint8(n2), int(n3))
                   ? Ok
                   : QStringLiteral("ok, but the stick is not listening");
    }
    if (cmd == QLatin1String("hold"))
        return m_emulator->holdActuatorButton()
                   ? QStringLiteral("ok, password cleared")
                   : QStringLiteral("ok, nothing happened (not in password reset mode)");
    if (cmd == QLatin1String("drop")) {
        if (a.size() != 2 || !number(a.at(1), 0, 1000000, &n1))
            return error(QStringLiteral("drop N"));
        m_emulator->dropAnswers(int(n1));
        return Ok;
    }
    if (cmd == QLatin1String("delay")) {
        if (a.size() != 3 || !number(a.at(1), 0, 1000000, &n1) || !number(a.at(2), 0, 600000, &n2))
            return error(QStringLiteral("delay N MS"));
        m_emulator->delayAnswers(int(n1), int(n2));
        return Ok;
    }
    if (cmd == QLatin1String("corrupt")) {
        n1 = 1;
        if (a.size() > 2 || (a.size() == 2 && !number(a.at(1), 0, 1000000, &n1)))
            return error(QStringLiteral("corrupt [N]"));
        m_emulator->corruptChecksums(int(n1));
        return Ok;
    }
    if (cmd == QLatin1String("garbage")) {
        QByteArray bytes = QByteArray::fromHex("a55a00");
        n1 = 1;
        if (a.size() >= 2) {
            const QByteArray hex = a.at(1).toLatin1();
            if (hex.size() % 2 ||
                !QRegularExpression(QStringLiteral("^[0-9a-fA-F]+$")).match(a.at(1)).hasMatch())
                return error(QStringLiteral("garbage [HEX] [N]"));
            bytes = QByteArray::fromHex(hex);
        }
        if (a.size() > 3 || (a.size() == 3 && !number(a.at(2), 0, 1000000, &n1)))
            return error(QStringLiteral("garbage [HEX] [N]"));
        m_emulator->sendGarbage(bytes, int(n1));
        return Ok;
    }
    if (cmd == QLatin1String("split")) {
        if (a.size() != 4 || !number(a.at(1), 0, 1000000, &n1) || !number(a.at(2), 2, 1000, &n2) ||
            !number(a.at(3), 0, 600000, &n3))
            return error(QStringLiteral("split N PIECES GAPMS"));
        m_emulator->splitAnswers(int(n1), int(n2), int(n3));
        return Ok;
    }
    if (cmd == QLatin1String("status")) {
        n4 = 1;
        if (a.size() < 3 || a.size() > 5 || !number(a.at(1), 0, 0xFFFF, &n1) ||
            !number(a.at(2), 0, 255, &n2) || (a.size() > 3 && !number(a.at(3), 0, 255, &n3)) ||
            (a.size() > 4 && !number(a.at(4), -1, 1000000, &n4)))
            return error(QStringLiteral("status CMD ST [DETAIL] [N]"));
        m_emulator->forceStatus(quint16(n1), quint8(n2), quint8(n3), int(n4));
        return Ok;
    }
    if (cmd == QLatin1String("misparam")) {
        n1 = 1;
        if (a.size() > 2 || (a.size() == 2 && !number(a.at(1), 0, 1000000, &n1)))
            return error(QStringLiteral("misparam [N]"));
        m_emulator->misnameParamAnswers(int(n1));
        return Ok;
    }
    if (cmd == QLatin1String("garble")) {
        n1 = 1;
        if (a.size() > 2 || (a.size() == 2 && !number(a.at(1), 0, 1000000, &n1)))
            return error(QStringLiteral("garble [N]"));
        m_emulator->garbleWrites(int(n1));
        return Ok;
    }
    if (cmd == QLatin1String("hangup")) {
        m_emulator->hangUpAtNextAnswer();
        return Ok;
    }
    if (cmd == QLatin1String("after")) {
        n2 = 1;
        if (a.size() < 2 || a.size() > 3 || !number(a.at(1), 0, 0xFFFF, &n1) ||
            (a.size() == 3 && !number(a.at(2), 1, 1000000, &n2)))
            return error(QStringLiteral("after CMD [N]"));
        m_emulator->holdFaultsUntil(quint16(n1), int(n2));
        return Ok;
    }
    if (cmd == QLatin1String("nofaults")) {
        m_emulator->clearFaults();
        return Ok;
    }
    if (cmd == QLatin1String("close")) {
        m_emulator->closeLine();
        return Ok;
    }
    if (cmd == QLatin1String("reopen")) {
        if (!m_emulator->reopenLine())
            return error(m_emulator->errorString());
        return m_emulator->slavePath();
    }
    if (cmd == QLatin1String("pace") || cmd == QLatin1String("link")) {
        if (a.size() != 2 || (a.at(1) != QLatin1String("on") && a.at(1) != QLatin1String("off")))
            return error(cmd + QStringLiteral(" on|off"));
        const bool on = a.at(1) == QLatin1String("on");
        if (cmd == QLatin1String("pace"))
            m_emulator->setPacing(on);
        else
            m_emulator->modifyState([on](EmulatorState &s) { s.actuatorLinked = on; });
        return Ok;
    }
    if (cmd == QLatin1String("init")) {
        if (a.size() != 2 || !number(a.at(1), 0, 1000000, &n1))
            return error(QStringLiteral("init N"));
        m_emulator->modifyState([n1](EmulatorState &s) { s.initFailures = int(n1); });
        return Ok;
    }
    if (cmd == QLatin1String("password")) {
        const QString text = line.trimmed().mid(cmd.size()).trimmed();
        m_emulator->modifyState([text](EmulatorState &s) {
            s.password = encodeCp1251(text);
            s.loggedIn = false;
        });
        return Ok;
    }
    if (cmd == QLatin1String("add")) {
        if (a.size() < 3 || !number(a.at(1), 0, 0xFFFFFE, &n1) || !number(a.at(2), 0, 255, &n2))
            return error(QStringLiteral("add ID GROUP [OWNER]"));
        EmulatorRemote r;
        r.id = quint32(n1);
        r.group = quint8(n2);
        r.ownerName = a.mid(3).join(QLatin1Char(' '));
        m_emulator->modifyState([r](EmulatorState &s) {
            for (QList<EmulatorRemote> *table : {&s.modemRemotes, &s.actuatorRemotes}) {
                bool replaced = false;
                for (EmulatorRemote &old : *table) {
                    if (old.id == r.id) {
                        old = r;
                        replaced = true;
                    }
                }
                if (!replaced)
                    table->append(r);
            }
        });
        return Ok;
    }
    if (cmd == QLatin1String("remotes")) {
        QStringList out;
        for (const EmulatorRemote &r : m_emulator->state().modemRemotes)
            out << QStringLiteral("%1 group %2 %3 %4%5")
                       .arg(r.id)
                       .arg(r.group)
                       .arg(r.active ? QStringLiteral("active") : QStringLiteral("blocked"))
                       .arg(r.ownerName)
                       .arg(r.workMode ? QStringLiteral(" *") : QString());
        return out.isEmpty() ? QStringLiteral("(no remotes)") : out.join(QLatin1Char('\n'));
    }
    if (cmd == QLatin1String("state")) {
        const EmulatorState s = m_emulator->state();
        if (a.size() == 1)
            return QString::fromUtf8(QJsonDocument(s.toJson()).toJson()).trimmed();
        QString why;
        return s.saveFile(a.at(1), &why) ? Ok : error(why);
    }
    if (cmd == QLatin1String("load")) {
        if (a.size() != 2)
            return error(QStringLiteral("load FILE"));
        EmulatorState s;
        QString why;
        if (!EmulatorState::loadFile(a.at(1), &s, &why))
            return error(why);
        m_emulator->setState(s);
        return Ok;
    }
    if (cmd == QLatin1String("log")) {
        const QList<FrameLogEntry> log = m_emulator->frameLog();
        if (m_logShown > log.size())
            m_logShown = 0; // the log was cleared or trimmed
        qsizetype from = m_logShown;
        if (a.size() == 2) {
            if (!number(a.at(1), 1, 1000000, &n1))
                return error(QStringLiteral("log [N]"));
            from = qMax<qsizetype>(0, log.size() - n1);
        }
        QStringList out;
        for (qsizetype i = from; i < log.size(); ++i)
            out << log.at(i).toString();
        m_logShown = int(log.size());
        return out.join(QLatin1Char('\n'));
    }
    if (cmd == QLatin1String("seq")) {
        QStringList out;
        for (int s : m_emulator->sequenceNumbers())
            out << QString::number(s);
        return out.join(QLatin1Char(' '));
    }
    if (cmd == QLatin1String("firmware")) {
        const FirmwareImage img = m_emulator->lastFirmware();
        if (img.target < 0)
            return QStringLiteral("(no firmware received)");
        qsizetype bytes = 0;
        for (const QByteArray &run : img.runs)
            bytes += run.size();
        return QStringLiteral("%1, version %2.%3, %4 blocks, %5 bytes in %6 runs%7")
            .arg(img.target == 0 ? QStringLiteral("stick") : QStringLiteral("actuator"))
            .arg(img.major)
            .arg(img.minor)
            .arg(img.blocks)
            .arg(bytes)
            .arg(img.runs.size())
            .arg(img.complete ? QStringLiteral(", complete") : QStringLiteral(", incomplete"));
    }
    if (cmd == QLatin1String("mkfirmware")) {
        const QString usage = QStringLiteral("mkfirmware FILE stick|actuator MAJOR MINOR SIZE");
        if (a.size() != 6 ||
            (a.at(2) != QLatin1String("stick") && a.at(2) != QLatin1String("actuator")) ||
            !number(a.at(3), 0, 255, &n1) || !number(a.at(4), 0, 255, &n2) ||
            !number(a.at(5), 0, 16 * 1024 * 1024, &n3))
            return error(usage);
        const int target = a.at(2) == QLatin1String("stick") ? 0 : 1;
        const FirmwareFile file =
            FirmwareFile::forTarget(m_emulator->state(), target, quint8(n1), quint8(n2), int(n3));
        QString why;
        return file.save(a.at(1), &why) ? Ok : error(why);
    }
    return error(QStringLiteral("unknown command \"%1\" (try help)").arg(cmd));
}

} // namespace vexo::emu
