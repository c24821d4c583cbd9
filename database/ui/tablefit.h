#pragma once

class QTableView;
class QWidget;

// Widens window so that every column of table, sized to its contents, shows in full,
// within the screen's width; a window already wide enough keeps its width.
void widenToColumns(QWidget *window, QTableView *table);
