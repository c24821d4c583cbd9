// The remote table's commands: read, back up, write, compare and apply, CSV.
#include "console.h"
#include "qdbmanipulator.h"
#include "qmodemsession.h"
#include "qtablecompare.h"
#include "qtablecsv.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotecsv.h"
#include "remotelist.h"
#include "tablediff.h"
#include "vexoctl.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace
{
// One remote a line, tab-separated for scripts: id, group, state, work mode, owner.
QString remoteLine(const QControlDevice &r)
{
    return QStringLiteral("%1\t%2\t%3\t%4\t%5")
        .arg(r.id())
        .arg(r.group())
        .arg(r.active() ? QStringLiteral("active") : QStringLiteral("blocked"))
        .arg(r.workMode())
        .arg(r.ownerName());
}

QJsonObject remoteJson(const QControlDevice &r)
{
    return QJsonObject{{"id", r.id()},
                       {"group", r.group()},
                       {"active", r.active()},
                       {"workMode", r.workMode()},
                       {"ownerName", r.ownerName()}};
}

QJsonObject differenceJson(const RemoteDifference &d)
{
    static const char *const Kinds[] = {"only-in-stick", "only-in-file", "changed"};
    QJsonObject o{{"id", d.id}, {"kind", Kinds[d.kind]}};
    if (d.kind != RemoteDifference::ONLY_IN_FILE)
        o.insert("stick", remoteJson(d.stick));
    if (d.kind != RemoteDifference::ONLY_IN_STICK)
        o.insert("file", remoteJson(d.file));
    if (d.kind == RemoteDifference::CHANGED)
        o.insert("fields", changedFieldsText(d.fields));
    return o;
}

QString verdictName(CSV_VERDICT_T verdict)
{
    switch (verdict) {
    case CSV_ACCEPTED:
        return QStringLiteral("accepted");
    case CSV_WARNING:
        return QStringLiteral("warning");
    case CSV_REFUSED:
        break;
    }
    return QStringLiteral("refused");
}
} // namespace

void VexoCtl::readTable()
{
    readStickTable([this] {
        const QList<QControlDevice> &list = m_list->remotes();
        if (!m_options.output.isEmpty()) {
            QString error;
            if (!QDbManipulator::saveToFile(m_options.output, list, &error)) {
                end(EXIT_USAGE, m_options.output + ": " + error);
                return;
            }
            console::err(
                QStringLiteral("%1 remotes written to %2").arg(list.size()).arg(m_options.output));
        }
        if (m_options.json) {
            console::out(QString::fromUtf8(QDbManipulator::toJson(list)));
        } else if (m_options.output.isEmpty()) {
            for (const QControlDevice &r : list)
                console::out(remoteLine(r));
        }
        end(EXIT_DONE);
    });
}

void VexoCtl::backupTable()
{
    // Every table read is backed up, as in the window.
    readStickTable([this] {
        const QString dir = QTableFiles::dataDirectory();
        QStringList names;
        QList<QDateTime> times;
        QDbManipulator::listBackups(dir, names, times);
        QList<QControlDevice> newest;
        if (names.isEmpty() ||
            !QDbManipulator::loadFromFile(dir + "/" + names.first(), newest, nullptr) ||
            newest != m_list->remotes()) {
            end(EXIT_FAILED, "no backup holds the table in " + dir);
            return;
        }
        const QString path = dir + "/" + names.first();
        m_result.insert("backup", path);
        m_result.insert("remotes", int(newest.size()));
        if (!m_options.json)
            console::out(path);
        end(EXIT_DONE);
    });
}

void VexoCtl::writeList(const QString &what)
{
    const int count = int(m_list->remotes().size());
    // Refused before the question, as the window does, when the stick cannot hold it.
    if (m_transfers->refuseWrite(m_list->remotes(), int(m_session->modem().memTotal()))) {
        end(EXIT_FAILED, QStringLiteral("the table was not written"));
        return;
    }
    if (!confirm(QStringLiteral("Write %1 (%2 remotes) to the USB-stick? Its table of %3 remotes "
                                "is cleared first.")
                     .arg(what)
                     .arg(count)
                     .arg(m_list->modemSnapshot().size())))
        return;
    withFullAccess([this, count] {
        after(
            m_transfers->save_db_to_modem(),
            [this, count] {
                m_result.insert("written", count);
                if (!m_options.json)
                    console::out(QStringLiteral("%1 remotes written").arg(count));
                end(EXIT_DONE);
            },
            QStringLiteral("the table was not written"));
    });
}

void VexoCtl::writeTable()
{
    readStickTable([this] {
        // The window's "open database file", the file dialog answered by the command line.
        const QString file = m_options.arguments.first();
        m_prompts.setFile(file);
        m_files->load_db_from_file();
        if (m_list->databaseFileName() != file) {
            end(EXIT_USAGE, file + ": not loaded");
            return;
        }
        writeList(QFileInfo(file).fileName());
    });
}

void VexoCtl::compareTable(bool apply)
{
    readStickTable([this, apply] {
        const QList<RemoteDifference> differences =
            compareTables(m_list->modemSnapshot(), m_fileTable, m_session->modem().longRecords());
        if (m_options.json) {
            QJsonArray array;
            for (const RemoteDifference &d : differences)
                array.append(differenceJson(d));
            m_result.insert("differences", array);
        }
        if (!differences.isEmpty() && (!m_options.json || apply)) {
            const QStringList lines = differenceLines(differences, int(differences.size()));
            for (const QString &line : lines)
                apply ? console::err(line) : console::out(line);
        }
        if (!apply || differences.isEmpty()) {
            if (apply)
                console::err(QStringLiteral("no differences: nothing to apply"));
            end(EXIT_DONE);
            return;
        }
        // Deletions are asked about, with their count, by the apply itself.
        const bool deletes =
            std::any_of(differences.begin(), differences.end(), [](const RemoteDifference &d) {
                return d.kind == RemoteDifference::ONLY_IN_STICK;
            });
        if (!deletes &&
            !confirm(
                QStringLiteral("Apply these %1 changes to the USB-stick?").arg(differences.size())))
            return;
        withFullAccess([this, differences] {
            after(
                m_compare->applyDifferences(differences),
                [this, differences] {
                    m_result.insert("applied", int(differences.size()));
                    if (!m_options.json)
                        console::out(QStringLiteral("%1 changes applied").arg(differences.size()));
                    end(EXIT_DONE);
                },
                QStringLiteral("the changes were not all applied"));
        });
    });
}

void VexoCtl::exportCsv()
{
    readStickTable([this] {
        const QString file = m_options.arguments.first();
        m_prompts.setFile(file);
        bool exported = false;
        const auto done =
            connect(m_csv, &QTableCsv::statusMessage, this, [&exported] { exported = true; });
        m_csv->exportCsv();
        disconnect(done);
        if (!exported) {
            end(EXIT_USAGE, file + ": not written");
            return;
        }
        console::err(
            QStringLiteral("%1 remotes exported to %2").arg(m_list->remotes().size()).arg(file));
        end(EXIT_DONE);
    });
}

void VexoCtl::importCsv()
{
    readStickTable([this] {
        const QString file = m_options.arguments.first();
        // The verdicts the window's preview shows, one row a line.
        const CsvImport parsed = importRemotesCsv(m_csvBytes, m_session->modem().longRecords());
        QJsonArray rows;
        for (const CsvRowVerdict &row : parsed.rows) {
            if (m_options.json)
                rows.append(QJsonObject{{"line", row.line},
                                        {"verdict", verdictName(row.verdict)},
                                        {"imported", row.imported},
                                        {"notes", QJsonArray::fromStringList(row.notes)}});
            else
                console::out(
                    QStringLiteral("line %1: %2%3")
                        .arg(row.line)
                        .arg(verdictName(row.verdict))
                        .arg(row.notes.isEmpty() ? QString() : ": " + row.notes.join("; ")));
        }
        m_result.insert("rows", rows);
        m_result.insert("summary", parsed.summary());
        if (!m_options.json)
            console::err(parsed.summary());
        const QList<QControlDevice> imported = parsed.remotes();
        if (imported.isEmpty()) {
            end(EXIT_USAGE, file + ": no row can be imported");
            return;
        }
        m_csv->takeImport(file, imported);
        writeList(QFileInfo(file).fileName());
    });
}
