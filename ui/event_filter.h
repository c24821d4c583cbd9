#pragma once

#include <QObject>

// Turns the main window's resize events into table_resize(), so the remote
// table can recompute its column widths.
class Event_Filter : public QObject
{
    Q_OBJECT
public:
    explicit Event_Filter(QObject *parent = nullptr);

signals:
    void table_resize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
