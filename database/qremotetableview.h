#pragma once

#include "qcontroldevice.h"

#include <QList>
#include <QObject>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QModemSession;
class QPushButton;
class QTableWidget;
class RemoteList;

// The window's widgets that show the remote table; the view fills them.
struct RemoteTableWidgets {
    QTableWidget *table = nullptr;
    QLabel *sourceLabel = nullptr;
    QLineEdit *filter = nullptr;
    QPushButton *activeButton = nullptr;
    QPushButton *addButton = nullptr;
    QPushButton *delButton = nullptr;
    QPushButton *editButton = nullptr;
};

// The remote table on screen: its rows follow the list, with the context menu, the
// owner filter, the row buttons and the data-source label.
class QRemoteTableView : public QObject
{
    Q_OBJECT
public:
    // Entries of the table's context menu, in menu order.
    enum TABLE_MENU_T {
        MENU_ADD = 0,
        MENU_SEPARATOR = 1,
        MENU_EDIT = 2,
        MENU_DELETE = 3,
        MENU_ACTIVATE = 4,
    };

    QRemoteTableView(QModemSession *session, RemoteList *list, const RemoteTableWidgets &widgets,
                     QObject *parent = nullptr);

    QAction *menuAction(TABLE_MENU_T entry) const;
    void fill_table(const QList<QControlDevice> &list);
    // Index in remoteList of the remote shown in a row, found through its id; -1 if none.
    int row_to_index(int row) const;
    // The index of the remote in the current row; -1 if none.
    int currentIndex() const;
    // The first row showing the remote with this id; -1 if none.
    int rowOfId(int id) const;
    // Makes the row of this remote current, when one shows it.
    void selectRemote(int id);
    // Column widths follow the table's width; force recomputes them anyway.
    void resizeColumns(bool force = false);

public slots:
    void control_device_select();
    void context_menu_config_popup();
    void filter_text_change();
    // A record of a table still being read, shown before the table becomes the list.
    void showArriving(const QControlDevice &remote, bool first);
    void showSourceLabel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTable();
    void createTableMenu();
    void add_table_row(const QControlDevice &remote);
    void remove_table_row(const QControlDevice &remote);
    void clear_table();
    // Only this row changes; the table is not rebuilt.
    void updateRow(const QControlDevice &remote);

    QModemSession *m_session;
    RemoteList *m_list;
    RemoteTableWidgets m_widgets;
    QMenu *tableMenu = nullptr;
    int m_lastTableWidth = 0;
};
