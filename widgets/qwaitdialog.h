#pragma once

#include <QDialog>

class QEventLoop;
class QLabel;
class QOperation;
class QMovie;
class QProgressBar;
class QPushButton;

// The dialog every operation on the line is shown in. It watches the operation: shows
// its text and progress, closes when it finishes, and its Cancel asks it to end.
class QWaitDialog : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int progress READ progress WRITE setProgress)
    Q_PROPERTY(int maxProgress READ maxProgress WRITE setMaxProgress)

public:
    enum Mode { ProgressMode = 0, AnimationMode = 1 };

    QWaitDialog(QWidget *parent, int mode, const QString &text, bool cancelEnabled, bool extEnabled,
                const QString &extText);
    ~QWaitDialog() override;

    // Where a dialog of size goes: centred over owner (the screen when owner is empty),
    // kept whole inside screen.
    static QRect centredOver(const QRect &owner, const QSize &size, const QRect &screen);

    // Shows operation in a new window-modal dialog that deletes itself once it closes.
    static QWaitDialog *showFor(QWidget *parent, QOperation *operation, int mode);
    void watch(QOperation *operation);

    int progress() const { return m_progress; }
    void setVisible(bool visible) override;
    int maxProgress() const { return m_maxProgress; }

signals:
    void extButtonClicked();

public slots:
    void incProgress();
    void incProgress(int n);
    void setMaxProgress(int n);
    void setProgress(int n);
    void setProgress(int value, int max);
    // Plain text, shown as written.
    void setText(const QString &text);
    void setCaption(const QString &caption);
    void setCancelButtonText(const QString &text);
    void setExtButtonText(const QString &text);
    void restoreCaption();
    void restoreCancelButtonText();
    void systemReject();
    void setCancelOperationEnabled(bool enabled);
    void setExtOperationEnabled(bool enabled);
    bool isCancelOperationEnabled() const { return m_cancelEnabled; }
    void reject() override;
    int exec() override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The text as a heading; markup in it is shown as written.
    void showHeading(const QString &text);
    // Over the middle of the window it belongs to, whenever it or that window changes.
    void placeOverOwner();

    QLabel *m_caption = nullptr;
    QLabel *m_animation = nullptr;
    QLabel *m_text = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_extButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QMovie *m_movie = nullptr;
    QEventLoop *m_loop = nullptr;
    int m_progress = 0;
    int m_maxProgress = 0;
    bool m_cancelEnabled = false;
};
