// Tools around the remote table: comparing the stick with a file and applying only the
// differences, checking a table after it was written or copied, CSV export and import,
// and the operation log's window.
#include "qremotetablecontroller.h"

#include "commands.h"
#include "prompts.h"
#include "qcomparedialog.h"
#include "qcsvimportdialog.h"
#include "qdbmanipulator.h"
#include "qmodemsession.h"
#include "qoperationlog.h"
#include "qoperationlogdialog.h"
#include "qwaitdialog.h"
#include "remotecsv.h"
#include "tablediff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace
{
const char *const VerifyKey = "/Settings/verify_after_write";
// Lines of differences a message lists before it only counts the rest.
constexpr int LISTED_DIFFERENCES = 15;

QString withSuffix(const QString &name, const QString &suffix)
{
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + "." + suffix;
}
} // namespace

bool QRemoteTableController::readVerifySetting(const QSettings &settings)
{
    return settings.value(VerifyKey, true).toBool();
}

void QRemoteTableController::writeVerifySetting(QSettings &settings, bool on)
{
    settings.setValue(VerifyKey, on);
}

QList<int> QRemoteTableController::ids(const QList<QControlDevice> &list) const
{
    QList<int> out;
    for (const QControlDevice &remote : list)
        out << remote.id();
    return out;
}

bool QRemoteTableController::ensure_stick_table()
{
    if (m_stickTableKnown)
        return true;
    QList<QControlDevice> received;
    if (read_stick_table(&received) != READ_OK) {
        m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"),
                                      tr("Ошибка чтения списка пультов с USB-stick"),
                                      QMessageBox::Ok);
        return false;
    }
    if (dataSource == SOURCE_MODEM) {
        // The list claims to be the stick's: it follows.
        show_stick_table(received);
    } else {
        m_modemSnapshot = received;
        m_stickTableKnown = true;
        show_source(m_labelKind);
    }
    return true;
}

bool QRemoteTableController::verify_written_table(const QList<QControlDevice> &written,
                                                  int *differences)
{
    *differences = 0;
    if (!m_verifyAfterWrite) {
        set_data_source(SOURCE_MODEM);
        return true;
    }
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    QList<QControlDevice> readBack;
    if (read_stick_table(&readBack) != READ_OK) {
        // Every record was confirmed; only the check could not be made.
        *differences = -1;
        set_data_source(SOURCE_MODEM);
        prompts->warning(parent, tr("Проверка записи"),
                         tr("Не удалось прочитать таблицу USB-stick для проверки записи"),
                         QMessageBox::Ok);
        return true;
    }
    const QList<RemoteDifference> found =
        compareTables(readBack, written, m_session->modem().longRecords());
    if (found.isEmpty()) {
        set_data_source(SOURCE_MODEM);
        emit statusMessage(tr("Запись проверена: таблица USB-stick совпадает с записанной"));
        return true;
    }
    *differences = int(found.size());
    // The list stays as the user made it; what the stick holds is what was read.
    m_modemSnapshot = readBack;
    m_stickTableKnown = true;
    show_source(m_labelKind == SOURCE_MODEM ? SOURCE_UNKNOWN : m_labelKind);
    prompts->warning(parent, tr("Проверка записи"),
                     tr("Таблица USB-stick после записи отличается от записанной:") + "\n" +
                         differenceLines(found, LISTED_DIFFERENCES).join("\n"),
                     QMessageBox::Ok);
    return false;
}

bool QRemoteTableController::verify_copied_table(int stickCount, int deviceCount)
{
    if (stickCount == deviceCount) {
        emit statusMessage(
            tr("Копирование проверено: в USB-stick и в исполнительном устройстве по %1 пультов")
                .arg(stickCount));
        return true;
    }
    m_session->prompts()->warning(
        m_session->dialogParent(), tr("Проверка копирования"),
        tr("После копирования в исполнительном устройстве пультов: %1, в USB-stick: %2")
            .arg(deviceCount)
            .arg(stickCount),
        QMessageBox::Ok);
    return false;
}

void QRemoteTableController::compare_with_file()
{
    if (!m_session->connected())
        return;
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    const QString name =
        prompts->getOpenFileName(parent, tr("Выбор файла json"), QString(), "*.json");
    if (name.isEmpty())
        return;
    QList<QControlDevice> other;
    QString error;
    if (!QDbManipulator::loadFromFile(name, other, &error)) {
        prompts->warning(parent, tr("Ошибка"), error);
        return;
    }
    compare_and_apply(other, QFileInfo(name).fileName());
}

void QRemoteTableController::compare_with_backup()
{
    if (!m_session->connected())
        return;
    QList<QControlDevice> other;
    QString chosen;
    if (!choose_backup(&other, &chosen))
        return;
    compare_and_apply(other, tr("резервная копия %1").arg(chosen));
}

bool QRemoteTableController::compare_and_apply(const QList<QControlDevice> &other,
                                               const QString &otherName)
{
    if (!m_session->connected() || !ensure_stick_table())
        return false;
    const QList<RemoteDifference> differences =
        compareTables(m_modemSnapshot, other, m_session->modem().longRecords());
    const bool applyAllowed = m_session->modem().protectionMode() != PROTECTION_LOCKED;
    QCompareDialog dialog(m_session->dialogParent(), differences, otherName, applyAllowed);
    if (dialog.exec() != QDialog::Accepted || differences.isEmpty())
        return differences.isEmpty();
    return apply_differences(differences);
}

bool QRemoteTableController::apply_differences(const QList<RemoteDifference> &differences)
{
    if (!m_session->connected())
        return false;
    const QList<RemoteDifference> order = applyOrder(differences);
    const auto dialog = m_session->newWaitDialog(QWaitDialog::ProgressMode,
                                                 tr("Применение изменений к USB-stick..."), false);
    // One more than the changes, so that the bar never closes the dialog by itself.
    dialog->setMaxProgress(int(order.size()) + 1);
    dialog->setProgress(0);
    QList<QControlDevice> stick = m_modemSnapshot;
    QList<RemoteDifference> made;
    for (const RemoteDifference &d : order) {
        const bool deleting = d.kind == RemoteDifference::ONLY_IN_STICK;
        dialog->setText(deleting ? tr("Удаление пульта №%1").arg(d.id)
                                 : tr("Запись пульта №%1").arg(d.id));
        // The stick only, as a full table write would: the actuator gets the table by a copy.
        const bool sent = deleting ? send_delete_remote(dialog.get(), d.id, TARGET_MODEM)
                                   : send_write_remote(dialog.get(), d.file, TARGET_MODEM);
        if (!sent)
            break;
        stick = applyDifference(stick, d);
        made << d;
        dialog->setProgress(int(made.size()));
    }
    const bool complete = made.size() == order.size();

    // Whatever went through, the list shows what the stick now holds.
    show_stick_table(stick);
    QList<int> madeIds;
    for (const RemoteDifference &d : made)
        madeIds << d.id;
    const QString count = tr("выполнено %1 из %2").arg(made.size()).arg(order.size());
    m_session->operationLog()->append(OPERATION_DIFFERENCES_APPLIED, madeIds, complete, count);
    if (complete) {
        emit statusMessage(tr("Изменения применены к USB-stick: %1").arg(made.size()));
        return true;
    }
    // A change whose answer went astray may have been made after all: the list shows the
    // stick's table only once it has been read back.
    bool readBack = false;
    if (m_session->connected()) {
        QList<QControlDevice> received;
        readBack = read_stick_table(&received) == READ_OK;
        if (readBack)
            show_stick_table(received);
    }
    m_stickTableKnown = readBack;
    QString text = tr("Изменения применены не полностью: %1.").arg(count) + "\n";
    text += made.isEmpty()
                ? tr("Ни одно изменение не выполнено.")
                : tr("Выполнены:") + "\n" + differenceLines(made, LISTED_DIFFERENCES).join("\n");
    text +=
        "\n" + (readBack ? tr("Таблица на экране показывает пульты, которые содержит USB-stick.")
                         : tr("Изменение, на которое не пришел ответ, могло быть выполнено: "
                              "таблица USB-stick будет прочитана заново."));
    m_session->prompts()->warning(m_session->dialogParent(), tr("Ошибка"), text, QMessageBox::Ok);
    return false;
}

void QRemoteTableController::export_csv()
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
    const QString name = withSuffix(
        prompts->getSaveFileName(parent, tr("Экспорт таблицы в CSV"), QString(), "*.csv"), "csv");
    if (name.isEmpty())
        return;
    const QByteArray bytes = remotesToCsv(remoteList, csvSeparator(QLocale()));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        prompts->warning(parent, tr("Ошибка"), tr("Ошибка открытия файла ") + name);
        return;
    }
    emit statusMessage(tr("Таблица экспортирована в %1").arg(QFileInfo(name).fileName()));
}

void QRemoteTableController::import_csv()
{
    Prompts *prompts = m_session->prompts();
    QWidget *parent = m_session->dialogParent();
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

    m_importUndo = ImportUndo{remoteList, imported,       m_fileSnapshot, m_modemSnapshot,
                              dbFileName, m_importedFile, dbSaved,        m_labelKind};
    remoteList = imported;
    // Not a database file: "Сохранить" asks for one.
    dbFileName.clear();
    m_importedFile = name;
    dbSaved = false;
    set_data_source(SOURCE_FILE);
    fill_table(remoteList);
}

bool QRemoteTableController::can_undo_import() const
{
    return m_importUndo && remoteList == m_importUndo->imported &&
           m_modemSnapshot == m_importUndo->modemSnapshot;
}

void QRemoteTableController::undo_import()
{
    if (!can_undo_import())
        return;
    const ImportUndo undo = *m_importUndo;
    m_importUndo.reset();
    remoteList = undo.before;
    m_fileSnapshot = undo.fileSnapshot;
    dbFileName = undo.dbFileName;
    m_importedFile = undo.importedFile;
    dbSaved = undo.dbSaved;
    fill_table(remoteList);
    show_source(undo.kind);
}

void QRemoteTableController::show_operation_log()
{
    QOperationLogDialog dialog(m_session->dialogParent(), m_session->operationLog(),
                               m_session->prompts());
    dialog.exec();
}
