#include "qtablecsv.h"

#include "prompts.h"
#include "qcsvimportdialog.h"
#include "qmodemsession.h"
#include "remotecsv.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace
{
QString withSuffix(const QString &name, const QString &suffix)
{
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + "." + suffix;
}
} // namespace

QTableCsv::QTableCsv(QModemSession *session, RemoteList *list, QObject *parent)
    : QObject(parent), m_session(session), m_list(list)
{
    // A database file or a backup now holds the list: nothing left to take back.
    connect(m_list, &RemoteList::databaseFileSet, this, [this] { m_importUndo.reset(); });
}

void QTableCsv::exportCsv()
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    const QString name = withSuffix(
        prompts->getSaveFileName(parent, tr("Экспорт таблицы в CSV"), QString(), "*.csv"), "csv");
    if (name.isEmpty())
        return;
    const QByteArray bytes = remotesToCsv(m_list->remotes(), csvSeparator(QLocale()));
    // A file that was there stays whole until the new one is complete on disk; a full
    // disk is told, never a cut file reported as exported.
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        prompts->warning(parent, tr("Ошибка"), tr("Ошибка открытия файла ") + name);
        return;
    }
    // commit() takes no notice of a failure to flush what it still buffers: asked here.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        const QString why = file.errorString();
        file.cancelWriting();
        prompts->warning(parent, tr("Ошибка"),
                         tr("Таблица не экспортирована: ошибка записи файла %1").arg(name) +
                             (why.isEmpty() ? QString() : "\n" + why));
        return;
    }
    emit statusMessage(tr("Таблица экспортирована в %1").arg(QFileInfo(name).fileName()));
}

void QTableCsv::importCsv()
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    if (!m_list->isDatabaseSaved() &&
        prompts->question(parent, tr("Импорт из CSV"),
                          tr("Таблица на экране не сохранена в файл. Импорт заменит ее. "
                             "Продолжить?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const QString name =
        prompts->getOpenFileName(parent, tr("Импорт таблицы из CSV"), QString(), "*.csv");
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts->warning(parent, tr("Ошибка"), tr("Ошибка открытия файла ") + name);
        return;
    }
    const CsvImport parsed = importRemotesCsv(file.readAll(), m_session->modem().longRecords());
    QCsvImportDialog dialog(parent, parsed, QFileInfo(name).fileName());
    const QList<QControlDevice> imported = parsed.remotes();
    if (dialog.exec() != QDialog::Accepted || imported.isEmpty())
        return;
    takeImport(name, imported);
}

void QTableCsv::takeImport(const QString &name, const QList<QControlDevice> &imported)
{
    m_importUndo = ImportUndo{m_list->state(), imported};
    m_list->setImportedFile(name);
    m_list->setRemotes(imported);
    m_list->set_data_source(SOURCE_FILE);
}

bool QTableCsv::canUndoImport() const
{
    return m_importUndo && m_list->remotes() == m_importUndo->imported &&
           m_list->modemSnapshot() == m_importUndo->before.modemSnapshot;
}

void QTableCsv::undoImport()
{
    if (!canUndoImport())
        return;
    const ImportUndo undo = *m_importUndo;
    m_importUndo.reset();
    m_list->restore(undo.before);
}
