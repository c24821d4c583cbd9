#pragma once

#include <QDialog>

// How full the stick's and the actuator's remote memories are, one column each.
// Children are named memoryHeading_N, memoryCircle_N, memoryFree_N, memoryUsed_N,
// memoryTotal_N, memoryFreeMark_N and memoryUsedMark_N (0 the stick, 1 the actuator).
class QMemoryStatusDialog : public QDialog
{
    Q_OBJECT
public:
    QMemoryStatusDialog(QWidget *parent, int modemTotal, int modemFree, int deviceTotal,
                        int deviceFree);
    ~QMemoryStatusDialog() override;
};
