// Settings kept between runs, the manual and the about box.
#include "mainwindow.h"
#include "qupdatecontroller.h"
#include "ui_mainwindow.h"

#include "prompts.h"
#include "qaboutdialog.h"
#include "qlanguagecatalog.h"
#include "qmodemsession.h"
#include "qtabletransfers.h"
#include "remotetableparts.h"
#include "screenplacement.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QUrl>

namespace
{
// A stored integer, or nothing when the key is missing or not a number.
bool readInt(const QSettings &settings, const QString &key, int *value)
{
    if (!settings.contains(key))
        return false;
    bool ok = false;
    *value = settings.value(key).toInt(&ok);
    return ok;
}

// One byte of the actuator's version; anything but a number 0..255 counts as 0.
quint8 readVersionByte(const QSettings &settings, int index)
{
    int value = 0;
    if (!readInt(settings, QStringLiteral("/dev_version_%1").arg(index), &value) || value < 0 ||
        value > 255)
        return 0;
    return quint8(value);
}

QStringList manualPlaces(QString programDirectory)
{
    if (programDirectory.isEmpty())
        programDirectory = QCoreApplication::applicationDirPath();
    return {programDirectory, QLanguageCatalog::dataDirectory(programDirectory)};
}
} // namespace

void MainWindow::save_settings()
{
    settings->beginGroup("/Settings");
    settings->setValue("/language", currentLanguage);
    const QByteArray version = execDevice().version();
    for (int i = 0; i < 4; ++i)
        settings->setValue(QStringLiteral("/dev_version_%1").arg(i),
                           i < version.size() ? int(quint8(version.at(i))) : 0);
    settings->beginGroup("/MainWindow");
    settings->setValue("/pos_x", pos().x());
    settings->setValue("/pos_y", pos().y());
    settings->setValue("/size_x", size().width());
    settings->setValue("/size_y", size().height());
    settings->endGroup();
    settings->endGroup();
    QTableTransfers::writeVerifySetting(*settings, ui->actionVerifyWrite->isChecked());
    settings->sync();
}

void MainWindow::load_settings()
{
    settings->beginGroup("/Settings");
    const QString language = settings->value("/language").toString();
    QByteArray version(4, '\0');
    for (int i = 0; i < 4; ++i)
        version[i] = char(readVersionByte(*settings, i));
    settings->beginGroup("/MainWindow");
    int x = 0, y = 0, width = 0, height = 0;
    const bool havePos = readInt(*settings, "/pos_x", &x) && readInt(*settings, "/pos_y", &y);
    const bool haveSize = readInt(*settings, "/size_x", &width) &&
                          readInt(*settings, "/size_y", &height) && width > 0 && height > 0;
    settings->endGroup();
    settings->endGroup();

    if (haveSize)
        resize(width, height);
    if (havePos)
        placeWindow(QPoint(x, y));

    switch_to_language(language);

    execDevice().storeVersion(version);
    m_updates->setKnownDeviceVersion(version);
    m_updates->loadSettings(*settings);
    emit signal_known_device_version(quint8(version.at(0)), quint8(version.at(3)),
                                     QString::number(quint8(version.at(2))));

    ui->actionVerifyWrite->setChecked(QTableTransfers::readVerifySetting(*settings));
    m_remoteTable->transfers().setVerifyAfterWrite(ui->actionVerifyWrite->isChecked());
}

void MainWindow::placeWindow(const QPoint &saved)
{
    // A monitor that was unplugged since must not take the window with it.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QRect placed = reachableGeometry(QRect(saved, size()), screens,
                                           primary ? primary->availableGeometry() : QRect());
    move(placed.topLeft());
    if (placed.size() != size())
        resize(placed.size());
}

void MainWindow::show_help()
{
    QString manual;
    QStringList looked;
    for (const QString &place : manualPlaces(m_options.programDirectory)) {
        const QString path = QDir::cleanPath(place + "/manual.pdf");
        looked << QDir::toNativeSeparators(path);
        if (QFileInfo::exists(path)) {
            manual = path;
            break;
        }
    }
    if (manual.isEmpty()) {
        m_prompts->warning(this, tr("Помощь"),
                           tr("Руководство пользователя не найдено. Файл ищется здесь:\n%1")
                               .arg(looked.join("\n")));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        m_prompts->warning(this, tr("Помощь"),
                           tr("Не удалось открыть руководство пользователя %1. Установите "
                              "программу для просмотра файлов PDF.")
                               .arg(QDir::toNativeSeparators(manual)));
}

void MainWindow::show_about_dialog()
{
    QAboutDialog dialog(this);
    dialog.exec();
}
