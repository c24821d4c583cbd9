#include "elidedtext.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>

namespace
{
// Room kept for the text however narrow the widget: a letter or two and the ellipsis.
int fewLetters(const QFontMetrics &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("Ab…"));
}

// The whole text over an elided one; the widget's own tooltip otherwise.
bool showWholeText(QEvent *event, QWidget *widget, bool elided, const QString &text)
{
    if (event->type() != QEvent::ToolTip || !elided || !widget->toolTip().isEmpty())
        return false;
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, widget);
    return true;
}
} // namespace

QElidedLabel::QElidedLabel(QWidget *parent) : QElidedLabel(QString(), parent) {}

QElidedLabel::QElidedLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

QSize QElidedLabel::minimumSizeHint() const
{
    QSize size = QLabel::minimumSizeHint();
    const int frame =
        2 * (frameWidth() + margin()) + contentsMargins().left() + contentsMargins().right();
    size.setWidth(qMin(size.width(), fewLetters(fontMetrics()) + frame));
    return size;
}

QRect QElidedLabel::textRect() const
{
    int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

QString QElidedLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, textRect().width());
}

bool QElidedLabel::isElided() const
{
    return shownText() != text();
}

bool QElidedLabel::event(QEvent *event)
{
    if (showWholeText(event, this, isElided(), text()))
        return true;
    return QLabel::event(event);
}

void QElidedLabel::paintEvent(QPaintEvent *event)
{
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    const int align = QStyle::visualAlignment(layoutDirection(), alignment());
    style()->drawItemText(&painter, textRect(), align | Qt::TextSingleLine, palette(), isEnabled(),
                          shownText(), foregroundRole());
}

QElidedButton::QElidedButton(QWidget *parent) : QPushButton(parent) {}

QElidedButton::QElidedButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

QSize QElidedButton::minimumSizeHint() const
{
    QSize size = QPushButton::minimumSizeHint();
    const int excess =
        fontMetrics().size(Qt::TextShowMnemonic, text()).width() - fewLetters(fontMetrics());
    if (excess > 0)
        size.setWidth(size.width() - excess);
    return size;
}

int QElidedButton::textRoom() const
{
    // What the style leaves beside the frame and the icon.
    const int textWidth = fontMetrics().size(Qt::TextShowMnemonic, text()).width();
    return width() - (QPushButton::sizeHint().width() - textWidth);
}

QString QElidedButton::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, textRoom());
}

bool QElidedButton::isElided() const
{
    return shownText() != text();
}

bool QElidedButton::event(QEvent *event)
{
    if (showWholeText(event, this, isElided(), text()))
        return true;
    return QPushButton::event(event);
}

void QElidedButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownText();
    painter.drawControl(QStyle::CE_PushButton, option);
}
