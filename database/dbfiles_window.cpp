// MainWindow: the "Файл" menu, backups and the exit question.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "prompts.h"
#include "qdbmanipulator.h"

#include <QCloseEvent>
#include <QDir>

namespace
{
const char *const FileFilter = "*.json";
} // namespace

void MainWindow::load_db_from_file()
{
    const QString name =
        m_prompts->getOpenFileName(this, tr("Выбор файла json"), QString(), FileFilter);
    if (name.isEmpty())
        return;
    QString error;
    if (!QDbManipulator::loadFromFile(name, remoteList, &error)) {
        m_prompts->warning(this, tr("Ошибка"), error);
        return;
    }
    dbFileName = name;
    dbSaved = true;
    set_data_source(SOURCE_FILE);
    fill_table(remoteList);
}

bool MainWindow::write_db_file(const QString &name)
{
    QString error;
    if (!QDbManipulator::saveToFile(name, remoteList, &error)) {
        m_prompts->warning(this, tr("Ошибка"), error);
        return false;
    }
    dbFileName = name;
    dbSaved = true;
    // Turns into the modem when the file now equals the modem's table.
    set_data_source(SOURCE_FILE);
    return true;
}

void MainWindow::save_db_to_file()
{
    QString name = dbFileName;
    if (name.isEmpty()) {
        name = m_prompts->getSaveFileName(this, tr("Выбор файла json"), QString(), FileFilter);
        if (name.isEmpty())
            return;
    }
    write_db_file(name);
}

void MainWindow::save_db_to_new_file()
{
    const QString name =
        m_prompts->getSaveFileName(this, tr("Выбор файла json"), QString(), FileFilter);
    if (name.isEmpty()) {
        // A cancelled dialog forgets the file, so the next save asks again.
        dbFileName.clear();
        return;
    }
    // A failed write keeps the current file name: its file is still the saved one.
    write_db_file(name);
}

void MainWindow::save_reserved()
{
    const QString dir = dataDirectory();
    if (!QDir(dir).exists())
        return;
    QDbManipulator::saveBackup(dir, remoteList, nullptr);
}

void MainWindow::load_reserved()
{
    const QString dir = dataDirectory();
    if (!QDir(dir).exists()) {
        m_prompts->warning(this, tr("Ошибка"), tr("Ошибка системы резервного копирования"));
        return;
    }
    const auto choose = [this](const QString &title, const QString &label, const QStringList &items,
                               bool *ok) {
        return m_prompts->getItem(nullptr, title, label, items, -1, false, ok);
    };
    QString error;
    if (!QDbManipulator::loadBackup(dir, remoteList, &error, choose)) {
        m_prompts->warning(this, tr("Ошибка"), error);
        return;
    }
    // The restored table is not tied to a database file.
    dbFileName.clear();
    dbSaved = false;
    set_data_source(SOURCE_BACKUP);
    fill_table(remoteList);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Set before quitting to run an installer, and on SIGINT/SIGTERM.
    if (skipExitConfirmation) {
        event->accept();
        return;
    }
    if (!dbSaved && !dbFileName.isEmpty()) {
        const Prompts::Button answer = m_prompts->information(
            this, tr("Выход"),
            tr("База данных не сохранена в файл. Хотите ее сохранить перед выходом?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) {
            // A failed save keeps the window, so the changes are not lost.
            save_db_to_file();
            if (dbSaved)
                event->accept();
            else
                event->ignore();
        } else if (answer == QMessageBox::No) {
            event->accept();
        } else {
            event->ignore();
        }
        return;
    }
    const Prompts::Button answer =
        m_prompts->information(this, tr("Выход"), tr("Вы действительно хотите выйти из программы?"),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    if (dataSource == SOURCE_MODEM)
        save_reserved();
    event->accept();
}
