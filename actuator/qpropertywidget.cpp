#include "qpropertywidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>

namespace
{
const char *const LabelStyles[] = {"QLabel { color : green; }", "QLabel { color : red; }",
                                   "QLabel { color : blue; }"};
const char *const SpinStyles[] = {"QSpinBox { color : green; }", "QSpinBox { color : red; }",
                                  "QSpinBox { color : blue; }"};
const char *const LineStyles[] = {"QLineEdit { border: 2px solid green; }",
                                  "QLineEdit { border: 2px solid red; }",
                                  "QLineEdit { border: 2px solid blue; }"};
const char *const ComboStyles[] = {"QComboBox { color : green; }", "QComboBox { color : red; }"};
constexpr int BoolIndent = 5;
// Between a slider's value and the edge of its cell.
constexpr int LabelGap = 4;
} // namespace

QPropertyWidget::QPropertyWidget(QWidget *parent, PROPERTY_TYPE_T kind)
    : QWidget(parent), m_kind(kind)
{
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_mark = new QCheckBox(this);
    m_layout->addWidget(m_mark);

    switch (m_kind) {
    case PROPERTY_BOOL:
        m_layout->setSpacing(0);
        m_layout->addSpacerItem(
            new QSpacerItem(BoolIndent, 1, QSizePolicy::Fixed, QSizePolicy::Minimum));
        m_button0 = new QPushButton(this);
        m_button1 = new QPushButton(this);
        m_label = new QLabel(this);
        for (QPushButton *b : {m_button0, m_button1}) {
            b->setCheckable(true);
            b->setAutoDefault(true);
            m_layout->addWidget(b);
            connect(b, &QPushButton::clicked, this, &QPropertyWidget::boolValueChanged);
        }
        m_layout->addWidget(m_label);
        m_layout->addSpacerItem(
            new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Minimum));
        break;
    case PROPERTY_SLIDER:
        m_slider = new QSlider(Qt::Horizontal, this);
        m_label = new QLabel(this);
        // The unit does not touch the cell's edge.
        m_label->setContentsMargins(0, 0, LabelGap, 0);
        m_layout->addWidget(m_slider, 1);
        m_layout->addWidget(m_label);
        connect(m_slider, &QSlider::valueChanged, this,
                qOverload<int>(&QPropertyWidget::sliderValueChanged));
        connect(m_slider, &QSlider::sliderPressed, this,
                qOverload<>(&QPropertyWidget::sliderValueChanged));
        applyValue(VALUE_UNKNOWN, NoValue, QString());
        break;
    case PROPERTY_SPINBOX:
        m_spin = new QSpinBox(this);
        m_layout->addWidget(m_spin);
        m_layout->addSpacerItem(
            new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Minimum));
        connect(m_spin, &QSpinBox::valueChanged, this, &QPropertyWidget::spinBoxValueChanged);
        break;
    case PROPERTY_LINEEDIT:
        m_line = new QLineEdit(this);
        m_layout->addWidget(m_line);
        connect(m_line, &QLineEdit::textChanged, this, &QPropertyWidget::lineEditValueChanged);
        break;
    case PROPERTY_COMBOBOX:
        m_combo = new QComboBox(this);
        m_layout->addWidget(m_combo, 1);
        connect(m_combo, &QComboBox::currentIndexChanged, this,
                &QPropertyWidget::comboBoxValueChanged);
        break;
    }
}

// The editors, the spacers and the layout are this widget's children and go with it.
QPropertyWidget::~QPropertyWidget() = default;

void QPropertyWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
}

bool QPropertyWidget::setBoolTexts(const QString &text0, const QString &text1)
{
    if (m_kind != PROPERTY_BOOL)
        return false;
    m_button0->setText(text0);
    m_button1->setText(text1);
    setValue(VALUE_UNKNOWN, NoValue);
    return true;
}

bool QPropertyWidget::setComboBoxItems(const QStringList &items)
{
    if (m_kind != PROPERTY_COMBOBOX)
        return false;
    m_settingValue = true;
    m_combo->clear();
    m_combo->addItems(items);
    m_settingValue = false;
    setValue(VALUE_UNKNOWN, NoValue);
    return true;
}

bool QPropertyWidget::setSliderParams(int min, int max, const QString &prefix,
                                      const QString &suffix, int decimals, double scale)
{
    if (m_kind != PROPERTY_SLIDER)
        return false;
    m_settingValue = true;
    m_slider->setRange(min, max);
    m_settingValue = false;
    m_prefix = prefix;
    m_suffix = suffix;
    m_decimals = decimals;
    m_scale = scale;
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fitSliderLabel();
    setValue(VALUE_UNKNOWN, NoValue);
    return true;
}

void QPropertyWidget::fitSliderLabel()
{
    // Wide enough for every text it may show, unit included, so that nothing is cut off and
    // the sliders of a table line up.
    const QFontMetrics metrics(m_label->font());
    int width = metrics.horizontalAdvance(tr("Неизвестно"));
    for (int v : {m_slider->minimum(), m_slider->maximum()})
        width = qMax(width, metrics.horizontalAdvance(sliderText(v)));
    const QMargins margins = m_label->contentsMargins();
    m_label->setMinimumWidth(width + margins.left() + margins.right() + 2 * m_label->margin());
}

void QPropertyWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Numbers are written as the interface language writes them.
    if (event->type() == QEvent::LocaleChange && m_kind == PROPERTY_SLIDER) {
        fitSliderLabel();
        if (m_state != VALUE_UNKNOWN)
            m_label->setText(sliderText(m_slider->value()));
    }
}

bool QPropertyWidget::setSpinBoxRange(int min, int max)
{
    if (m_kind != PROPERTY_SPINBOX)
        return false;
    m_settingValue = true;
    m_spin->setRange(min, max);
    m_settingValue = false;
    setValue(VALUE_UNKNOWN, NoValue);
    return true;
}

bool QPropertyWidget::setLineEditMaxLength(int n)
{
    if (m_kind != PROPERTY_LINEEDIT)
        return false;
    setValue(VALUE_UNKNOWN, NoValue);
    m_line->setMaxLength(n);
    return true;
}

void QPropertyWidget::setValue(VALUE_STATE_T state, int value, const QString &text)
{
    if (value == NoValue)
        state = VALUE_UNKNOWN;
    // Kinds with a closed set of values cannot show any other.
    if (m_kind == PROPERTY_BOOL && value != 0 && value != 1)
        state = VALUE_UNKNOWN;
    if (m_kind == PROPERTY_COMBOBOX && (value < 0 || value >= m_combo->count()))
        state = VALUE_UNKNOWN;
    m_settingValue = true;
    applyValue(state, value, text);
    m_settingValue = false;
    m_state = state;
}

void QPropertyWidget::applyValue(VALUE_STATE_T state, int value, const QString &text)
{
    const bool known = state != VALUE_UNKNOWN;
    switch (m_kind) {
    case PROPERTY_BOOL:
        m_button0->setChecked(known && value == 0);
        m_button1->setChecked(known && value == 1);
        m_button0->setEnabled(true);
        m_button1->setEnabled(true);
        m_label->setText(known ? boolButton(value)->text() : tr("Неизвестно"));
        m_label->setStyleSheet(LabelStyles[state]);
        break;
    case PROPERTY_SLIDER:
        m_slider->setValue(known ? value : m_slider->minimum());
        // From the slider, not the value asked for: a value out of range shows clamped.
        m_label->setText(known ? sliderText(m_slider->value()) : tr("Неизвестно"));
        m_label->setStyleSheet(LabelStyles[state]);
        break;
    case PROPERTY_SPINBOX:
        m_spin->setValue(known ? value : m_spin->minimum());
        m_spin->setStyleSheet(SpinStyles[state]);
        break;
    case PROPERTY_LINEEDIT:
        // The same text again would move the cursor of someone typing in the middle.
        if (m_line->text() != (known ? text : QString()))
            m_line->setText(known ? text : QString());
        m_line->setStyleSheet(LineStyles[state]);
        break;
    case PROPERTY_COMBOBOX:
        m_combo->setCurrentIndex(known ? value : -1);
        if (known)
            m_combo->setStyleSheet(ComboStyles[state]);
        break;
    }
}

QString QPropertyWidget::sliderText(int raw) const
{
    return m_prefix + locale().toString(raw * m_scale, 'f', m_decimals) + m_suffix;
}

int QPropertyWidget::value() const
{
    if (m_state == VALUE_UNKNOWN)
        return NoValue;
    switch (m_kind) {
    case PROPERTY_BOOL:
        return m_button1->isChecked() ? 1 : m_button0->isChecked() ? 0 : -1;
    case PROPERTY_SLIDER:
        return m_slider->value();
    case PROPERTY_SPINBOX:
        return m_spin->value();
    case PROPERTY_LINEEDIT:
        return 0;
    case PROPERTY_COMBOBOX:
        return m_combo->currentIndex();
    }
    return NoValue;
}

QString QPropertyWidget::textValue() const
{
    switch (m_kind) {
    case PROPERTY_BOOL:
        if (m_button1->isChecked())
            return m_button1->text();
        return m_button0->isChecked() ? m_button0->text() : QString();
    case PROPERTY_SLIDER:
        return QString::number(m_slider->value());
    case PROPERTY_SPINBOX:
        return QString::number(m_spin->value());
    case PROPERTY_LINEEDIT:
        return m_line->text();
    case PROPERTY_COMBOBOX:
        return m_combo->currentText();
    }
    return QString();
}

bool QPropertyWidget::isMarked() const
{
    return m_mark->isChecked();
}

void QPropertyWidget::userEdit(int value)
{
    setValue(VALUE_EDITED, value);
    m_mark->setChecked(true);
}

void QPropertyWidget::sliderValueChanged(int)
{
    sliderValueChanged();
}

void QPropertyWidget::sliderValueChanged()
{
    if (m_settingValue)
        return;
    const int v = m_slider->value();
    userEdit(v);
    emit signalSliderValueChanged(v);
}

void QPropertyWidget::comboBoxValueChanged(int index)
{
    if (m_settingValue)
        return;
    userEdit(index);
    emit signalComboBoxIndexChanged(index);
}

void QPropertyWidget::boolValueChanged()
{
    if (m_settingValue)
        return;
    // The two buttons act as one exclusive pair: a click on either decides the value.
    int v = 0;
    if (sender() == m_button0)
        v = m_button0->isChecked() ? 0 : 1;
    else
        v = m_button1->isChecked() ? 1 : 0;
    userEdit(v);
    emit signalBoolValueChanged(v);
}

void QPropertyWidget::spinBoxValueChanged(int value)
{
    if (m_settingValue)
        return;
    userEdit(value);
    emit signalSpinBoxValueChanged(value);
}

void QPropertyWidget::lineEditValueChanged(QString text)
{
    if (m_settingValue)
        return;
    setValue(VALUE_EDITED, 0, text);
    m_mark->setChecked(true);
    emit signalLineEditValueChanged(text);
}
