#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <climits>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QSlider;
class QSpacerItem;
class QSpinBox;

// One editable value in a table row: a mark box that takes the row into the next read
// or write, then an editor of one kind whose colour tells where the value came from.
class QPropertyWidget : public QWidget
{
    Q_OBJECT
public:
    enum PROPERTY_TYPE_T {
        PROPERTY_BOOL = 0,
        PROPERTY_SLIDER = 1,
        PROPERTY_SPINBOX = 2,
        PROPERTY_LINEEDIT = 3,
        PROPERTY_COMBOBOX = 4,
    };
    enum VALUE_STATE_T {
        VALUE_FROM_DEVICE = 0,
        VALUE_EDITED = 1,
        VALUE_UNKNOWN = 2,
    };
    // Passed as a value it means "no value"; value() returns it for an unknown value.
    static constexpr int NoValue = INT_MIN;

    QPropertyWidget(QWidget *parent, PROPERTY_TYPE_T kind);
    ~QPropertyWidget() override;

    PROPERTY_TYPE_T kind() const { return m_kind; }
    VALUE_STATE_T valueState() const { return m_state; }

    // Each set-up belongs to one kind; on another kind it does nothing and returns false.
    bool setBoolTexts(const QString &text0, const QString &text1);
    bool setComboBoxItems(const QStringList &items);
    bool setSliderParams(int min, int max, const QString &prefix, const QString &suffix,
                         int decimals, double scale);
    bool setSpinBoxRange(int min, int max);
    bool setLineEditMaxLength(int n);

    void setValue(VALUE_STATE_T state, int value, const QString &text = QString());
    int value() const;
    QString textValue() const;
    bool isMarked() const;

    QCheckBox *markBox() const { return m_mark; }
    // The kind's editor widgets; null for the other kinds.
    QLabel *label() const { return m_label; }
    QSlider *slider() const { return m_slider; }
    QComboBox *comboBox() const { return m_combo; }
    QSpinBox *spinBox() const { return m_spin; }
    QLineEdit *lineEdit() const { return m_line; }
    QPushButton *boolButton(int value) const { return value ? m_button1 : m_button0; }

signals:
    void signalSliderValueChanged(int value);
    void signalComboBoxIndexChanged(int index);
    void signalBoolValueChanged(int value);
    void signalSpinBoxValueChanged(int value);
    void signalLineEditValueChanged(QString text);

public slots:
    void sliderValueChanged(int value);
    void sliderValueChanged();
    void comboBoxValueChanged(int index);
    void boolValueChanged();
    void spinBoxValueChanged(int value);
    void lineEditValueChanged(QString text);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyValue(VALUE_STATE_T state, int value, const QString &text);
    void userEdit(int value);
    // A raw slider value as shown, in the widget's locale.
    QString sliderText(int raw) const;
    void fitSliderLabel();

    const PROPERTY_TYPE_T m_kind;
    VALUE_STATE_T m_state = VALUE_UNKNOWN;
    // Set while the program itself changes an editor, so that is not taken for a user edit.
    bool m_settingValue = false;

    QHBoxLayout *m_layout = nullptr;
    QCheckBox *m_mark = nullptr;
    QLabel *m_label = nullptr;
    QPushButton *m_button0 = nullptr;
    QPushButton *m_button1 = nullptr;
    QSlider *m_slider = nullptr;
    QSpinBox *m_spin = nullptr;
    QLineEdit *m_line = nullptr;
    QComboBox *m_combo = nullptr;

    QString m_prefix;
    QString m_suffix;
    int m_decimals = 0;
    double m_scale = 1.0;
};
