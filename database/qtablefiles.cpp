#include "qtablefiles.h"

#include "privatefiles.h"
#include "prompts.h"
#include "qdbmanipulator.h"
#include "qmodemsession.h"
#include "remotelist.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
const char *const FileFilter = "*.json";

// A name typed without an extension gets the one the open dialog filters on.
QString withJsonSuffix(const QString &name)
{
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + ".json";
}
} // namespace

QTableFiles::QTableFiles(QModemSession *session, RemoteList *list, QObject *parent)
    : QObject(parent), m_session(session), m_list(list)
{
}

namespace
{
QString g_dataDirectory;
}

QString QTableFiles::dataDirectory()
{
    if (!g_dataDirectory.isEmpty())
        return g_dataDirectory;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           "/Vexo Electronics/VexoControlTool";
}

QString QTableFiles::operationLogPath()
{
    return dataDirectory() + "/operations.log";
}

void QTableFiles::setDataDirectory(const QString &path)
{
    g_dataDirectory = path;
}

bool QTableFiles::chooseFile(QList<QControlDevice> *list, QString *chosen)
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    *chosen = prompts->getOpenFileName(parent, tr("Выбор файла json"), QString(), FileFilter);
    if (chosen->isEmpty())
        return false;
    // Names are checked for the stick's records when a stick is there, else for either.
    const RECORD_FORMAT_T records =
        m_session->connected() ? recordFormat(m_session->modem().longRecords()) : RECORDS_ANY;
    QString error;
    if (!QDbManipulator::loadFromFile(*chosen, *list, &error, records)) {
        prompts->warning(parent, tr("Ошибка"), error);
        return false;
    }
    return true;
}

void QTableFiles::load_db_from_file()
{
    QList<QControlDevice> loaded;
    QString name;
    if (!chooseFile(&loaded, &name))
        return;
    m_list->setDatabaseFile(name, true);
    m_list->setRemotes(loaded);
    m_list->set_data_source(SOURCE_FILE);
}

bool QTableFiles::writeDbFile(const QString &name)
{
    QString error;
    if (!QDbManipulator::saveToFile(name, m_list->remotes(), &error)) {
        m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"), error);
        return false;
    }
    m_list->setDatabaseFile(name, true);
    // Turns into the modem when the file now equals the modem's table.
    m_list->set_data_source(SOURCE_FILE);
    return true;
}

void QTableFiles::save_db_to_file()
{
    QString name = m_list->databaseFileName();
    if (name.isEmpty()) {
        name = withJsonSuffix(m_session->prompts()->getSaveFileName(
            m_session->dialogParent(), tr("Выбор файла json"), QString(), FileFilter));
        if (name.isEmpty())
            return;
    }
    writeDbFile(name);
}

void QTableFiles::save_db_to_new_file()
{
    const QString name = withJsonSuffix(m_session->prompts()->getSaveFileName(
        m_session->dialogParent(), tr("Выбор файла json"), QString(), FileFilter));
    if (name.isEmpty()) {
        m_list->forgetDatabaseFile();
        return;
    }
    // A failed write keeps the current file name: its file is still the saved one.
    writeDbFile(name);
}

void QTableFiles::save_reserved()
{
    const QString dir = dataDirectory();
    if (!QDir(dir).exists())
        return;
    QDbManipulator::saveBackup(dir, m_list->remotes(), nullptr, QDateTime::currentDateTime(),
                               m_list->source() == SOURCE_MODEM ? QDbManipulator::BACKUP_STICK
                                                                : QDbManipulator::BACKUP_FILE);
}

bool QTableFiles::keepBeforeReplacing(const QList<QControlDevice> &table,
                                      QDbManipulator::BACKUP_SOURCE_T source,
                                      const QString &notDone)
{
    const QString dir = dataDirectory();
    QString error;
    if (!privatefiles::makeDirectory(dir))
        error = tr("Папка %1 не создаётся").arg(dir);
    else if (QDbManipulator::saveBackup(dir, table, &error, QDateTime::currentDateTime(), source))
        return true;
    const QString what = source == QDbManipulator::BACKUP_ACTUATOR
                             ? tr("исполнительного устройства")
                             : tr("USB-stick");
    m_session->prompts()->warning(
        m_session->dialogParent(), tr("Ошибка"),
        tr("Не удалось сохранить резервную копию таблицы %1, которая была бы заменена.").arg(what) +
            "\n" + error + "\n" + notDone + "\n" +
            tr("Освободите место на диске или разрешите запись в папку %1 и повторите.").arg(dir),
        QMessageBox::Ok);
    return false;
}

bool QTableFiles::chooseBackup(QList<QControlDevice> *list, QString *chosen)
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    const QString dir = dataDirectory();
    if (!QDir(dir).exists()) {
        prompts->warning(parent, tr("Ошибка"), tr("Ошибка системы резервного копирования"));
        return false;
    }
    const auto choose = [prompts, chosen](const QString &title, const QString &label,
                                          const QStringList &items, bool *ok) {
        const QString item = prompts->getItem(nullptr, title, label, items, -1, false, ok);
        if (chosen)
            *chosen = item;
        return item;
    };
    QString error;
    if (!QDbManipulator::loadBackup(dir, *list, &error, choose)) {
        prompts->warning(parent, tr("Ошибка"), error);
        return false;
    }
    return true;
}

void QTableFiles::load_reserved()
{
    QList<QControlDevice> restored;
    if (!chooseBackup(&restored))
        return;
    // The restored table is not tied to a database file.
    m_list->setDatabaseFile(QString(), false);
    m_list->setRemotes(restored);
    m_list->set_data_source(SOURCE_BACKUP);
}

bool QTableFiles::confirmClose()
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    // Changes tied to no file yet are asked about too: a table read from the stick and
    // edited, or an imported one.
    if (!m_list->isDatabaseSaved()) {
        const Prompts::Button answer = prompts->information(
            parent, tr("Выход"),
            tr("База данных не сохранена в файл. Хотите ее сохранить перед выходом?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) {
            // A failed save keeps the window, so the changes are not lost.
            save_db_to_file();
            if (!m_list->isDatabaseSaved())
                return false;
        } else if (answer != QMessageBox::No) {
            return false;
        }
    } else if (prompts->information(
                   parent, tr("Выход"), tr("Вы действительно хотите выйти из программы?"),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        return false;
    }
    if (m_list->source() == SOURCE_MODEM)
        save_reserved();
    return true;
}

bool QTableFiles::backupBeforeLeaving()
{
    if (m_list->isDatabaseSaved() && m_list->source() != SOURCE_MODEM)
        return true;
    const QString dir = dataDirectory();
    QString error;
    if (privatefiles::makeDirectory(dir) &&
        QDbManipulator::saveBackup(dir, m_list->remotes(), &error, QDateTime::currentDateTime(),
                                   m_list->source() == SOURCE_MODEM ? QDbManipulator::BACKUP_STICK
                                                                    : QDbManipulator::BACKUP_FILE))
        return true;
    qWarning("The unsaved table could not be backed up in %s: %s", qPrintable(dir),
             qPrintable(error));
    return false;
}
