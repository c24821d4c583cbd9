// The parameter table: one editor per parameter, and how it shows the actuator image.
#include "actuatorparams.h"
#include "qexecdevice.h"
#include "qmodemsession.h"
#include "qparamcontroller.h"
#include "qpropertywidget.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>

namespace
{
struct SliderRow {
    int min;
    int max;
    int decimals;
    double scale;
};
// Rows 1..3, the command durations.
constexpr SliderRow Durations[] = {{10, 60, 2, 0.05}, {1, 180, 0, 1.0}, {1, 180, 0, 1.0}};
// The work modes the mode editor offers, numbered as the actuator numbers them.
constexpr int WorkModes = 4;
} // namespace

QStringList QParamController::workModeNames()
{
    return {tr("Короткой команды"), tr("Роллетный"), tr("Жалюзийный"), tr("Непрерывной команды")};
}

QString QParamController::valueText(quint16 id, int value, const QLocale &locale)
{
    if (id == PARAM_WORK_MODE) {
        const QStringList names = workModeNames();
        return value >= 0 && value < names.size() ? names.at(value) : QString::number(value);
    }
    if (id <= PARAM_WORK_MODE || id > PARAM_COUNT)
        return QString::number(value);
    const SliderRow &d = Durations[id - 2];
    return locale.toString(value * d.scale, 'f', d.decimals) + tr(" с");
}

QString QParamController::rowHeader(int row)
{
    switch (row + 1) {
    case PARAM_WORK_MODE:
        return tr("Режим работы");
    case PARAM_SHORT_CMD_TIME:
        return tr("Длительность команды для режима 'Короткой команды'");
    case PARAM_BLINDS_TIME:
        return tr("Длительность команды для режима 'Жалюзийный'");
    case PARAM_ROLLER_TIME:
        return tr("Длительность команды для режима 'Роллетный'");
    default:
        return QString();
    }
}

void QParamController::buildParamTable(bool first)
{
    m_table->setColumnCount(1);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->setFocusPolicy(Qt::NoFocus);
    // New editors in a new language show what the old ones held: read, edited or marked.
    struct Shown {
        QPropertyWidget::VALUE_STATE_T state;
        int value;
        bool marked;
    };
    QList<Shown> shown;
    if (!first) {
        for (int row = 0; row < m_table->rowCount(); ++row) {
            if (const QPropertyWidget *e = editor(row))
                shown.append({e->valueState(), e->value(), e->isMarked()});
            m_table->removeCellWidget(row, 0);
        }
    }

    m_table->setRowCount(PARAM_COUNT);
    auto *mode = new QPropertyWidget(m_table, QPropertyWidget::PROPERTY_COMBOBOX);
    // Item order is the actuator's mode numbering, not the order of the rows below.
    mode->setComboBoxItems(workModeNames());
    m_table->setCellWidget(0, 0, mode);
    for (int row = 1; row < PARAM_COUNT; ++row) {
        const SliderRow &d = Durations[row - 1];
        auto *slider = new QPropertyWidget(m_table, QPropertyWidget::PROPERTY_SLIDER);
        slider->setSliderParams(d.min, d.max, QString(), tr(" с"), d.decimals, d.scale);
        m_table->setCellWidget(row, 0, slider);
    }
    QStringList headers;
    for (int row = 0; row < PARAM_COUNT; ++row)
        headers << rowHeader(row);
    m_table->setVerticalHeaderLabels(headers);
    for (int row = 0; row < shown.size() && row < PARAM_COUNT; ++row) {
        QPropertyWidget *e = editor(row);
        e->setValue(shown.at(row).state, shown.at(row).value);
        e->markBox()->setChecked(shown.at(row).marked);
    }
}

bool QParamController::valueInRange(quint16 id, int value)
{
    if (id == PARAM_WORK_MODE)
        return value >= 0 && value < WorkModes;
    if (id <= PARAM_WORK_MODE || id > PARAM_COUNT)
        return false;
    const SliderRow &d = Durations[id - 2];
    return value >= d.min && value <= d.max;
}

int QParamController::rowCount() const
{
    return m_table ? m_table->rowCount() : PARAM_COUNT;
}

QPropertyWidget *QParamController::editor(int row) const
{
    return m_table ? qobject_cast<QPropertyWidget *>(m_table->cellWidget(row, 0)) : nullptr;
}

void QParamController::refreshParamTable()
{
    const QExecDevice &device = m_session->execDevice();
    for (int row = 0; row < rowCount(); ++row) {
        QPropertyWidget *e = editor(row);
        if (!e)
            continue;
        const quint8 b = device.paramValue(quint16(row + 1));
        e->setValue(b == QExecDevice::Unknown ? QPropertyWidget::VALUE_UNKNOWN
                                              : QPropertyWidget::VALUE_FROM_DEVICE,
                    b, QString());
    }
}
