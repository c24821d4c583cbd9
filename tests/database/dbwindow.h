#pragma once

// Shared set-up for the tests that drive the remote table and the database
// files through the main window.
#include "mainwindow.h"
#include "qdbmanipulator.h"
#include "qmodemsession.h"
#include "qoperationlogwindow.h"
#include "qremoteoperations.h"
#include "qremotesearch.h"
#include "qtablecompare.h"
#include "qtablecopy.h"
#include "qtablecsv.h"
#include "qtablefiles.h"
#include "qtabletransfers.h"
#include "remotelist.h"
#include "remotetableparts.h"
#include "scriptedprompts.h"
#include "tableview.h"
#include "testhome.h"

#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace dbwindow
{
inline QControlDevice remote(int id, const QString &owner, bool active = true, int group = 0,
                             int workMode = 0)
{
    return QControlDevice(nullptr, id, (unsigned char)group, owner, active,
                          (unsigned char)workMode);
}

// A window that probes no serial port when shown.
inline ShellOptions quietOptions()
{
    ShellOptions options;
    options.systemPorts = false;
    return options;
}

inline void writeTable(const QString &path, const QList<QControlDevice> &list)
{
    QString error;
    QVERIFY2(QDbManipulator::saveToFile(path, list, &error), qPrintable(error));
}

inline void loadFile(MainWindow &w, ScriptedPrompts &prompts, const QString &path)
{
    prompts.expectFile(ScriptedPrompts::OpenFile, "Выбор файла json", path);
    w.remoteTable().files().load_db_from_file();
}

inline QTableView *table(MainWindow &w)
{
    return w.findChild<QTableView *>("tablePults");
}

inline QString label(MainWindow &w)
{
    return w.findChild<QLabel *>("labelBDSource")->text();
}

using namespace tableview;
} // namespace dbwindow
