#pragma once

#include "qcontroldevice.h"

#include <QObject>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QModemSession;
class QPushButton;
class QTableView;
class RemoteFilterModel;
class RemoteList;
class RemoteTableModel;

// The window's widgets that show the remote table; the view sets them up.
struct RemoteTableWidgets {
    QTableView *table = nullptr;
    QLabel *sourceLabel = nullptr;
    QLineEdit *filter = nullptr;
    QPushButton *activeButton = nullptr;
    QPushButton *addButton = nullptr;
    QPushButton *delButton = nullptr;
    QPushButton *editButton = nullptr;
};

// The remote table on screen: a model over the list behind the owner filter, with the
// context menu, the row buttons and the data-source label.
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
    RemoteTableModel *model() const { return m_model; }
    RemoteFilterModel *filterModel() const { return m_filter; }
    // Index in remoteList of the remote shown in a row; -1 if none.
    int row_to_index(int row) const;
    // The index of the remote in the current row; -1 if none.
    int currentIndex() const;
    // The first row showing the remote with this id; -1 if none.
    int rowOfId(int id) const;
    // Makes the row of this remote current, when one shows it.
    void selectRemote(int id);
    // Column widths follow the table's width; force recomputes them anyway.
    void resizeColumns(bool force = false);
    // Headings, status texts and the label in the language now installed.
    void retranslate();

signals:
    // Another row, or none, is now current.
    void currentRowChanged();

public slots:
    void control_device_select();
    void context_menu_config_popup();
    void filter_text_change();
    // A record of a table still being read, shown before the table becomes the list.
    void showArriving(const QControlDevice &remote, bool first);
    // The read's records are dropped: the rows are the list again.
    void showList();
    void showSourceLabel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTable();
    void createTableMenu();
    // Sorted by the header again once the rows are the list.
    void listShown();

    QModemSession *m_session;
    RemoteList *m_list;
    RemoteTableWidgets m_widgets;
    RemoteTableModel *m_model;
    RemoteFilterModel *m_filter;
    QMenu *tableMenu = nullptr;
    int m_lastTableWidth = 0;
};
