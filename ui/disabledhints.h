#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QStatusBar;
class QWidget;

// Why a control is switched off, where the user looks for it: in its tooltip and, while
// the mouse is over it, in the status bar. An empty reason means the control is on.
namespace disabledhints
{
void apply(QWidget *widget, const QString &why);
void apply(QAction *action, const QString &why);
// The menu and its entry in the menu bar or the parent menu.
void apply(QMenu *menu, const QString &why);
} // namespace disabledhints

// Menus and the menu bar show nothing of a disabled entry under the mouse; this shows
// the reason its status tip holds, as a tooltip and in the status bar.
class DisabledActionHints : public QObject
{
    Q_OBJECT
public:
    DisabledActionHints(QStatusBar *bar, QObject *parent = nullptr);
    // A QMenu or a QMenuBar.
    void watch(QWidget *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showReason(const QString &why);

    QPointer<QStatusBar> m_bar;
    // The reason the status bar shows on our behalf, to be taken back when the mouse leaves.
    QString m_shown;
};
