// The database files, backups and the exit question.
#include "qremotetablecontroller.h"

#include "qmodemsession.h"

#include "prompts.h"
#include "qdbmanipulator.h"

#include <QDir>
#include <QFileInfo>

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

void QRemoteTableController::load_db_from_file()
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    const QString name =
        prompts->getOpenFileName(parent, tr("Выбор файла json"), QString(), FileFilter);
    if (name.isEmpty())
        return;
    QString error;
    if (!QDbManipulator::loadFromFile(name, remoteList, &error)) {
        prompts->warning(parent, tr("Ошибка"), error);
        return;
    }
    dbFileName = name;
    dbSaved = true;
    m_importedFile.clear();
    m_importUndo.reset();
    set_data_source(SOURCE_FILE);
    fill_table(remoteList);
}

bool QRemoteTableController::write_db_file(const QString &name)
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    QString error;
    if (!QDbManipulator::saveToFile(name, remoteList, &error)) {
        prompts->warning(parent, tr("Ошибка"), error);
        return false;
    }
    dbFileName = name;
    dbSaved = true;
    m_importedFile.clear();
    m_importUndo.reset();
    // Turns into the modem when the file now equals the modem's table.
    set_data_source(SOURCE_FILE);
    return true;
}

void QRemoteTableController::save_db_to_file()
{
    QString name = dbFileName;
    if (name.isEmpty()) {
        name = withJsonSuffix(m_session->prompts()->getSaveFileName(
            m_session->dialogParent(), tr("Выбор файла json"), QString(), FileFilter));
        if (name.isEmpty())
            return;
    }
    write_db_file(name);
}

void QRemoteTableController::save_db_to_new_file()
{
    const QString name = withJsonSuffix(m_session->prompts()->getSaveFileName(
        m_session->dialogParent(), tr("Выбор файла json"), QString(), FileFilter));
    if (name.isEmpty()) {
        // A cancelled dialog forgets the file, so the next save asks again.
        dbFileName.clear();
        return;
    }
    // A failed write keeps the current file name: its file is still the saved one.
    write_db_file(name);
}

void QRemoteTableController::save_reserved()
{
    const QString dir = dataDirectory();
    if (!QDir(dir).exists())
        return;
    QDbManipulator::saveBackup(dir, remoteList, nullptr);
}

bool QRemoteTableController::choose_backup(QList<QControlDevice> *list, QString *chosen)
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

void QRemoteTableController::load_reserved()
{
    if (!choose_backup(&remoteList))
        return;
    // The restored table is not tied to a database file.
    dbFileName.clear();
    dbSaved = false;
    m_importedFile.clear();
    m_importUndo.reset();
    set_data_source(SOURCE_BACKUP);
    fill_table(remoteList);
}

bool QRemoteTableController::confirm_close()
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    if (!dbSaved && !dbFileName.isEmpty()) {
        const Prompts::Button answer = prompts->information(
            parent, tr("Выход"),
            tr("База данных не сохранена в файл. Хотите ее сохранить перед выходом?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) {
            // A failed save keeps the window, so the changes are not lost.
            save_db_to_file();
            return dbSaved;
        }
        return answer == QMessageBox::No;
    }
    const Prompts::Button answer =
        prompts->information(parent, tr("Выход"), tr("Вы действительно хотите выйти из программы?"),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    if (dataSource == SOURCE_MODEM)
        save_reserved();
    return true;
}
