// The interface language: the menu of translation files, swapping the translators and
// re-applying every text when the language changes.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "qparamcontroller.h"
#include "remotetableparts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

void MainWindow::buildLanguageMenu()
{
    languages.scan(QLanguageCatalog::searchDirectories(m_options.programDirectory));
    for (const QLanguageCatalog::File &file : languages.files()) {
        QAction *action = ui->menuLanguage->addAction(file.name);
        action->setCheckable(true);
    }
}

void MainWindow::choose_language(int index)
{
    if (index == -1)
        index = languages.indexOfName(QLanguageCatalog::nameForLocale(QLocale::system()));
    if (index < 0 || index >= languages.count())
        index = languages.indexOfBaseName(QStringLiteral("lang_en"));

    QCoreApplication::removeTranslator(&appTranslator);
    bool loaded = false;
    if (index != -1 && appTranslator.load(languages.files().at(index).path))
        loaded = QCoreApplication::installTranslator(&appTranslator);

    // Qt's own dialogs follow the texts on screen; without a translation those are Russian.
    const QString code =
        loaded ? QLanguageCatalog::codeOf(languages.files().at(index).baseName) : "ru";
    // Numbers in the window are written as its language writes them: "1,50 с", "1.50 s".
    setLocale(QLocale(code));
    QCoreApplication::removeTranslator(&qtTranslator);
    const QString toolkit = languages.toolkitFile(code);
    if (!toolkit.isEmpty() && qtTranslator.load(toolkit))
        QCoreApplication::installTranslator(&qtTranslator);

    currentLanguage = tr("Русский");
    const QList<QAction *> actions = ui->menuLanguage->actions();
    for (int i = 0; i < actions.size(); ++i)
        actions.at(i)->setChecked(i == index);
}

void MainWindow::switch_to_language(QAction *action)
{
    choose_language(int(ui->menuLanguage->actions().indexOf(action)));
}

void MainWindow::switch_to_language(QString name)
{
    choose_language(languages.indexOfName(name));
}

void MainWindow::changeEvent(QEvent *event)
{
    // Not while the window is still being built or already taken apart.
    if (event->type() == QEvent::LanguageChange && ui && m_remoteTable && m_params)
        retranslateTexts();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslateTexts()
{
    ui->retranslateUi(this);
    currentLanguage = tr("Русский");
    if (trayMenu) {
        const QList<QAction *> tray = trayMenu->actions();
        tray.at(0)->setText(tr("Обновить программу"));
        tray.at(1)->setText(tr("Выход"));
    }
    // Row status texts, the block/activate button and the data-source label; the
    // selected remote stays selected.
    m_remoteTable->view().retranslate();
    // New editors in the new language, showing the values the old ones held, as wide as
    // the ones before.
    m_params->buildParamTable(false);
    lastTablePropertiesWidth = -1;
    ui_tables_resize();
    showStickState();
    // The reasons for controls that are off, in the new language.
    updateControlsEnabled();
}
