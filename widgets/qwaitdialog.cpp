#include "qwaitdialog.h"

#include "qoperation.h"

#include <QEventLoop>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QWaitDialog::QWaitDialog(QWidget *parent, int mode, const QString &text, bool cancelEnabled,
                         bool extEnabled, const QString &extText)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setStyleSheet("QDialog {border: 2px solid black;border-radius: 5px;}");

    auto *layout = new QVBoxLayout(this);
    m_caption = new QLabel(this);
    m_caption->setObjectName("label_caption");
    m_caption->setAlignment(Qt::AlignHCenter);
    m_animation = new QLabel(this);
    m_animation->setObjectName("label_animation");
    m_animation->setAlignment(Qt::AlignCenter);
    m_text = new QLabel(this);
    m_text->setObjectName("label_text");
    showHeading(text);
    m_text->setWordWrap(true);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName("progressBar");
    m_bar->setStyleSheet(
        "QProgressBar {border: 2px solid grey; border-radius: 5px;text-align: center;}");
    m_extButton = new QPushButton(extText, this);
    m_extButton->setObjectName("pushButton_ext");
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName("pushButton_cancel");

    layout->addWidget(m_caption);
    layout->addWidget(m_animation);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_extButton);
    layout->addWidget(m_cancelButton);

    restoreCaption();
    restoreCancelButtonText();
    connect(m_cancelButton, &QPushButton::clicked, this, &QWaitDialog::reject);
    connect(m_extButton, &QPushButton::clicked, this, &QWaitDialog::extButtonClicked);

    m_movie = new QMovie(":/images/wait_anim.gif", QByteArray(), this);
    if (mode == ProgressMode) {
        m_animation->resize(0, 0);
        m_animation->hide();
        m_bar->setValue(0);
    } else {
        m_bar->hide();
        m_animation->setMovie(m_movie);
    }
    m_movie->start();
    if (mode != ProgressMode) {
        const QPixmap frame = m_movie->currentPixmap();
        m_animation->setMinimumSize(frame.width(), frame.height());
    }

    setCancelOperationEnabled(cancelEnabled);
    setExtOperationEnabled(extEnabled);
    // A window still being placed by the window manager, or one the user moves, takes
    // the dialog along.
    if (parent)
        parent->window()->installEventFilter(this);
}

QWaitDialog::~QWaitDialog() = default;

QWaitDialog *QWaitDialog::showFor(QWidget *parent, QOperation *operation, int mode)
{
    auto *dialog =
        new QWaitDialog(parent, mode, operation->text(), operation->isCancelEnabled(), false, {});
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->watch(operation);
    if (!operation->isFinished())
        dialog->open();
    return dialog;
}

void QWaitDialog::watch(QOperation *operation)
{
    connect(operation, &QOperation::textChanged, this,
            [this](const QString &text) { showHeading(text); });
    connect(operation, &QOperation::cancelEnabledChanged, this,
            &QWaitDialog::setCancelOperationEnabled);
    // A bar while the operation counts its steps, the animation while it does not.
    connect(operation, &QOperation::progressChanged, this, [this](int value, int maximum) {
        m_bar->setVisible(maximum > 0);
        m_animation->setVisible(maximum <= 0);
        if (maximum > 0)
            setProgress(value, maximum);
        adjustSize();
    });
    connect(operation, &QOperation::finished, this, [this, operation] {
        if (operation->succeeded())
            accept();
        else
            systemReject();
    });
    // Cancel, Escape and a close of the window all end up here.
    connect(this, &QDialog::rejected, operation, &QOperation::cancel);
}

void QWaitDialog::incProgress()
{
    incProgress(1);
}

void QWaitDialog::incProgress(int n)
{
    m_progress += n;
    m_bar->setValue(m_bar->value() + n);
    if (m_progress >= m_maxProgress)
        accept();
}

void QWaitDialog::setMaxProgress(int n)
{
    m_maxProgress = n;
    m_bar->setMaximum(n);
}

void QWaitDialog::setProgress(int n)
{
    m_progress = n;
    m_bar->setValue(n);
}

void QWaitDialog::setProgress(int value, int max)
{
    m_bar->setMaximum(max);
    m_bar->setValue(value);
    m_progress = value;
    m_maxProgress = max;
}

void QWaitDialog::setText(const QString &text)
{
    // Steps name owners and files: what they hold is shown, never taken for markup.
    m_text->setTextFormat(Qt::PlainText);
    m_text->setText(text);
    adjustSize();
}

void QWaitDialog::showHeading(const QString &text)
{
    m_text->setTextFormat(Qt::RichText);
    m_text->setText("<h3>" + text.toHtmlEscaped() + "</h3>");
    adjustSize();
}

void QWaitDialog::setCaption(const QString &caption)
{
    m_caption->setText("<h2>" + caption + "</h2>");
    adjustSize();
}

void QWaitDialog::setCancelButtonText(const QString &text)
{
    m_cancelButton->setText(text);
}

void QWaitDialog::setExtButtonText(const QString &text)
{
    m_extButton->setText(text);
}

void QWaitDialog::restoreCaption()
{
    setCaption(tr("Пожалуйста, подождите"));
}

void QWaitDialog::restoreCancelButtonText()
{
    m_cancelButton->setText(tr("Отмена"));
}

void QWaitDialog::systemReject()
{
    // The program itself ends the operation: close even without a cancel button.
    m_cancelEnabled = true;
    reject();
}

void QWaitDialog::setCancelOperationEnabled(bool enabled)
{
    m_cancelButton->setVisible(enabled);
    m_cancelEnabled = enabled;
    adjustSize();
}

void QWaitDialog::setExtOperationEnabled(bool enabled)
{
    m_extButton->setVisible(enabled);
    adjustSize();
}

void QWaitDialog::reject()
{
    // Escape and the window's close land here too; without a cancel button the
    // user cannot abandon an exchange that is still under way.
    if (m_cancelEnabled)
        QDialog::reject();
    else
        setCaption(tr("Операцию нельзя прервать: дождитесь её окончания"));
}

int QWaitDialog::exec()
{
    // QDialog::exec() creates its loop only after show(), and showing a
    // splash-type window processes events when no application loop runs yet
    // (start-up, tests). An answer handled there would close the dialog before
    // that loop exists and leave exec() waiting for good. Our loop exists first.
    if (m_loop)
        return -1;
    QEventLoop loop;
    m_loop = &loop;
    const bool wasShowModal = testAttribute(Qt::WA_ShowModal);
    setAttribute(Qt::WA_ShowModal, true);
    setResult(0);
    show();
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
    setAttribute(Qt::WA_ShowModal, wasShowModal);
    return result();
}

void QWaitDialog::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    if (!visible && m_loop)
        m_loop->exit();
}

void QWaitDialog::showEvent(QShowEvent *event)
{
    adjustSize();
    QDialog::showEvent(event);
    placeOverOwner();
}

void QWaitDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // It grows and shrinks as its text and progress bar come and go.
    if (isVisible())
        placeOverOwner();
}

bool QWaitDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (isVisible() && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeOverOwner();
    return QDialog::eventFilter(watched, event);
}

QRect QWaitDialog::centredOver(const QRect &owner, const QSize &size, const QRect &screen)
{
    QRect placed(QPoint(), size);
    placed.moveCenter(owner.isEmpty() ? screen.center() : owner.center());
    if (screen.isEmpty())
        return placed;
    placed.moveLeft(qMax(screen.left(), qMin(placed.left(), screen.right() + 1 - size.width())));
    placed.moveTop(qMax(screen.top(), qMin(placed.top(), screen.bottom() + 1 - size.height())));
    return placed;
}

void QWaitDialog::placeOverOwner()
{
    // Not QDialog's own placement alone: it runs once, before the dialog takes its size,
    // and against a window the window manager may not have placed yet.
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen *on = owner ? owner->screen() : screen();
    const QRect area = on ? on->availableGeometry() : QRect();
    const QRect ownerRect = owner && owner->isVisible() ? owner->frameGeometry() : QRect();
    const QRect placed = centredOver(ownerRect, frameGeometry().size(), area);
    // The frame's corner, as move() takes it.
    move(placed.topLeft());
}
