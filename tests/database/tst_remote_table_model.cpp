// The table model over the remote list and the owner filter in front of it, without a
// window or a session: rows on reset, append, change and removal, and lookups by id.
#include "remotelist.h"
#include "remotetable.h"
#include "remotetablemodel.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <QtTest>

namespace
{
QControlDevice remote(int id, const QString &owner, bool active = true, int group = 0,
                      int workMode = 0)
{
    return QControlDevice(nullptr, id, (unsigned char)group, owner, active,
                          (unsigned char)workMode);
}

QStringList column(const QAbstractItemModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

// A list, its model and the filter, each model checked by Qt's own model tester.
struct Rig {
    RemoteList list{[] { return false; }};
    RemoteTableModel model{&list};
    RemoteFilterModel filter{&model};
    QAbstractItemModelTester modelTester{&model,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest};
    QAbstractItemModelTester filterTester{&filter,
                                          QAbstractItemModelTester::FailureReportingMode::QtTest};
};
} // namespace

class tst_remote_table_model : public QObject
{
    Q_OBJECT

    const QList<QControlDevice> sample{
        remote(9, "Иванов", true, 5, 1), remote(10, "иваненко", false, 0, 0),
        remote(100, "Сергей Иванов", true, 255, 0), remote(7, "Петров", false, 3, 1)};

private slots:
    void cellsAsTheTableShowsThem()
    {
        Rig rig;
        rig.list.setRemotes(sample);
        const RemoteTableModel &m = rig.model;
        QCOMPARE(m.rowCount(), 4);
        QCOMPARE(m.columnCount(), 4);
        for (int row = 0; row < m.rowCount(); ++row) {
            QStringList texts;
            for (int c = 0; c < COLUMN_COUNT; ++c) {
                const QModelIndex index = m.index(row, c);
                texts << index.data().toString();
                QCOMPARE(index.data(Qt::BackgroundRole).value<QBrush>().color(),
                         QColor(QRgb(remoteRowRgb(sample.at(row)))));
                QCOMPARE(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                         Qt::AlignLeft | Qt::AlignVCenter);
            }
            QCOMPARE(texts, remoteRowTexts(sample.at(row)));
        }
        // Only a pedestrian remote's group says what its mark means.
        QCOMPARE(m.index(0, COLUMN_GROUP).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("* — пульт в пешеходном режиме"));
        QVERIFY(!m.index(1, COLUMN_GROUP).data(Qt::ToolTipRole).isValid());
        QVERIFY(!m.index(0, COLUMN_OWNER).data(Qt::ToolTipRole).isValid());
        QStringList headings;
        for (int c = 0; c < COLUMN_COUNT; ++c)
            headings << m.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Пульт", "Владелец", "Статус", "Группа"}));
        QVERIFY(!m.index(4, 0).data().isValid());
    }

    void listChangesReachTheRows()
    {
        Rig rig;
        QSignalSpy resets(&rig.model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&rig.model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&rig.model, &QAbstractItemModel::dataChanged);
        QSignalSpy removed(&rig.model, &QAbstractItemModel::rowsRemoved);

        // A list replaced is one reset, however long.
        QList<QControlDevice> many;
        for (int i = 0; i < 500; ++i)
            many << remote(1000 + i, QString("Владелец %1").arg(i));
        rig.list.setRemotes(many);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserted.size(), 0);
        QCOMPARE(rig.model.rowCount(), 500);
        rig.list.setRemotes(sample);
        QCOMPARE(resets.size(), 2);
        QCOMPARE(rig.model.rowCount(), 4);

        // One remote changed: its row only.
        QControlDevice blocked = sample.at(2);
        blocked.setActive(false);
        rig.list.replaceRemote(2, blocked);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), rig.model.index(2, 0));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), rig.model.index(2, COLUMN_COUNT - 1));
        QCOMPARE(rig.model.index(2, COLUMN_STATUS).data().toString(),
                 QStringLiteral("Заблокирован"));

        // Removal: the row is still there while the views are told it goes.
        int aboutToGo = -1;
        connect(&rig.model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                [&](const QModelIndex &, int first) {
                    QCOMPARE(rig.model.rowCount(), 4);
                    aboutToGo = rig.model.index(first, COLUMN_ID).data().toInt();
                });
        rig.list.removeRemote(1);
        QCOMPARE(aboutToGo, 10);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(column(rig.model, COLUMN_ID), (QStringList{"9", "100", "7"}));
        QCOMPARE(resets.size(), 2);
    }

    void recordsOfATableReadAppend()
    {
        Rig rig;
        rig.list.setRemotes(sample);
        QSignalSpy resets(&rig.model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&rig.model, &QAbstractItemModel::rowsInserted);

        // The first record clears the rows, each record after it is one row more.
        for (int i = 0; i < 50; ++i)
            rig.model.showArriving(remote(500 + i, "Новый"), i == 0);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserted.size(), 50);
        QCOMPARE(inserted.last().at(1).toInt(), 49);
        QCOMPARE(rig.model.rowCount(), 50);
        QCOMPARE(rig.model.index(49, COLUMN_ID).data().toString(), QStringLiteral("549"));
        // Arriving rows are not the list's: nothing maps to a remote of it.
        QVERIFY(rig.model.showingArriving());
        QCOMPARE(rig.model.listIndex(0), -1);
        QCOMPARE(rig.filter.listIndex(0), -1);
        QCOMPARE(rig.list.remotes(), sample);
        // A change of the list meanwhile does not touch the arriving rows.
        rig.list.removeRemote(0);
        QCOMPARE(rig.model.rowCount(), 50);

        // The read's table becomes the list: one reset.
        QList<QControlDevice> read;
        for (int i = 0; i < 50; ++i)
            read << remote(500 + i, "Новый");
        rig.list.setRemotes(read);
        QCOMPARE(resets.size(), 2);
        QVERIFY(!rig.model.showingArriving());
        QCOMPARE(rig.model.listIndex(49), 49);

        // A read dropped: the list again.
        rig.model.showArriving(remote(1, "Другой"), true);
        QCOMPARE(rig.model.rowCount(), 1);
        rig.model.showList();
        QCOMPARE(rig.model.rowCount(), 50);
        QCOMPARE(resets.size(), 4);
        rig.model.showList(); // already the list: nothing to tell
        QCOMPARE(resets.size(), 4);
    }

    void ownerFilterAndLookups()
    {
        Rig rig;
        rig.list.setRemotes(sample + QList<QControlDevice>{remote(9, "Петренко")});
        RemoteFilterModel &f = rig.filter;

        f.setOwnerPrefix("иВ");
        QCOMPARE(column(f, COLUMN_ID), (QStringList{"9", "10"}));
        QCOMPARE(f.listIndex(1), 1);
        QCOMPARE(f.rowOfId(10), 1);
        QCOMPARE(f.rowOfId(100), -1); // "Сергей Иванов" holds the letters further on only
        QCOMPARE(f.listIndex(2), -1);
        QCOMPARE(f.listIndex(-1), -1);
        // Rows are numbered as shown.
        QCOMPARE(f.headerData(1, Qt::Vertical).toInt(), 2);

        // The same id twice: the one the filter lets through.
        f.setOwnerPrefix("пет");
        QCOMPARE(column(f, COLUMN_ID), (QStringList{"7", "9"}));
        QCOMPARE(f.rowOfId(9), 1);
        QCOMPARE(f.listIndex(f.rowOfId(9)), 4);

        // The list changes under the filter: the filter follows.
        rig.list.replaceRemote(3, remote(7, "Иванова"));
        QCOMPARE(column(f, COLUMN_ID), QStringList{"9"});
        f.setOwnerPrefix("");
        QCOMPARE(f.rowCount(), 5);

        // Sorted by the header: ids compare as text, and rows still map to their remotes.
        f.sort(COLUMN_ID, Qt::AscendingOrder);
        QCOMPARE(column(f, COLUMN_ID), (QStringList{"10", "100", "7", "9", "9"}));
        for (int row = 0; row < f.rowCount(); ++row)
            QCOMPARE(QString::number(rig.list.remotes().at(f.listIndex(row)).id()),
                     f.index(row, COLUMN_ID).data().toString());
        QCOMPARE(f.rowOfId(7), 2);
        QCOMPARE(f.headerData(0, Qt::Vertical).toInt(), 1);
    }

    void retranslateTellsTheViews()
    {
        Rig rig;
        rig.list.setRemotes(sample);
        QSignalSpy headings(&rig.model, &QAbstractItemModel::headerDataChanged);
        QSignalSpy changed(&rig.model, &QAbstractItemModel::dataChanged);
        rig.model.retranslate();
        QCOMPARE(headings.size(), 1);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(1).toModelIndex(), rig.model.index(3, COLUMN_COUNT - 1));
    }
};

QTEST_MAIN(tst_remote_table_model)
#include "tst_remote_table_model.moc"
