#include "qpropertywidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

using W = QPropertyWidget;

namespace
{
std::unique_ptr<W> make(int kind)
{
    auto w = std::make_unique<W>(nullptr, W::PROPERTY_TYPE_T(kind));
    w->setBoolTexts("Выкл", "Вкл");
    w->setSliderParams(10, 60, "", " с", 2, 0.05);
    w->setSpinBoxRange(0, 100);
    w->setLineEditMaxLength(8);
    w->setComboBoxItems({"A", "B", "C"});
    return w;
}

// What the editor shows: position, text and style, then value() and the state.
QString shown(const W &w)
{
    QString pos, text;
    const QWidget *styled = w.label();
    if (w.kind() == W::PROPERTY_BOOL)
        pos = QString::number(10 * w.boolButton(0)->isChecked() + w.boolButton(1)->isChecked());
    if (w.slider())
        pos = QString::number(w.slider()->value());
    if (w.label())
        text = w.label()->text();
    if (w.spinBox()) {
        pos = QString::number(w.spinBox()->value());
        styled = w.spinBox();
    }
    if (w.lineEdit()) {
        text = w.lineEdit()->text();
        styled = w.lineEdit();
    }
    if (w.comboBox()) {
        pos = QString::number(w.comboBox()->currentIndex());
        text = w.comboBox()->currentText();
        styled = w.comboBox();
    }
    return QStringList{pos, text, styled->styleSheet(), QString::number(w.value()),
                       QString::number(w.valueState())}
        .join('|');
}
} // namespace

class tst_propertywidget : public QObject
{
    Q_OBJECT

private slots:
    void showsValueAndState_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        const QString none = QString::number(W::NoValue);
        QTest::newRow("bool 1") << 0 << 0 << 1 << "1|Вкл|QLabel { color : green; }|1|0";
        QTest::newRow("bool 0 edited") << 0 << 1 << 0 << "10|Выкл|QLabel { color : red; }|0|1";
        QTest::newRow("bool 2") << 0 << 0 << 2
                                << "0|Неизвестно|QLabel { color : blue; }|" + none + "|2";
        QTest::newRow("slider 10") << 1 << 0 << 10 << "10|0.50 с|QLabel { color : green; }|10|0";
        QTest::newRow("slider 60") << 1 << 1 << 60 << "60|3.00 с|QLabel { color : red; }|60|1";
        // Below the range the slider and its text show the minimum.
        QTest::newRow("slider 5") << 1 << 0 << 5 << "10|0.50 с|QLabel { color : green; }|10|0";
        QTest::newRow("slider none")
            << 1 << 0 << W::NoValue << "10|Неизвестно|QLabel { color : blue; }|" + none + "|2";
        QTest::newRow("spin 42") << 2 << 0 << 42 << "42||QSpinBox { color : green; }|42|0";
        QTest::newRow("line none")
            << 3 << 1 << W::NoValue << "||QLineEdit { border: 2px solid blue; }|" + none + "|2";
        QTest::newRow("combo 2") << 4 << 0 << 2 << "2|C|QComboBox { color : green; }|2|0";
        // Out of range: nothing shown, unknown, and the colour of the value before stays.
        QTest::newRow("combo 3") << 4 << 0 << 3 << "-1||QComboBox { color : red; }|" + none + "|2";
    }
    void showsValueAndState()
    {
        QFETCH(int, kind);
        QFETCH(int, state);
        QFETCH(int, value);
        auto w = make(kind);
        QCOMPARE(w->value(), W::NoValue);
        w->setValue(W::VALUE_EDITED, 1, "abc"); // a value before, for the combo's colour
        w->setValue(W::VALUE_STATE_T(state), value, "abc");
        QTEST(shown(*w), "expected");
        QVERIFY(!w->isMarked()); // only the user marks a row
    }

    void userEditsMarkTheRow()
    {
        auto slider = make(W::PROPERTY_SLIDER);
        QSignalSpy spy(slider.get(), &W::signalSliderValueChanged);
        emit slider->slider()->sliderPressed(); // pressed, not yet moved
        QCOMPARE(slider->valueState(), W::VALUE_EDITED);
        QVERIFY(slider->isMarked());
        slider->slider()->setValue(30);
        QCOMPARE(shown(*slider), "30|1.50 с|QLabel { color : red; }|30|1");
        // A read shows the actuator's value; it is no edit and leaves the mark alone.
        slider->setValue(W::VALUE_FROM_DEVICE, 40);
        QCOMPARE(spy.size(), 2);
        QVERIFY(slider->isMarked());

        auto combo = make(W::PROPERTY_COMBOBOX);
        combo->comboBox()->setCurrentIndex(1);
        QCOMPARE(shown(*combo), "1|B|QComboBox { color : red; }|1|1");
        QVERIFY(combo->isMarked());
        QSignalSpy comboSpy(combo.get(), &W::signalComboBoxIndexChanged);
        QVERIFY(combo->setComboBoxItems({"X", "Y"}));
        QCOMPARE(comboSpy.size(), 0);
        QCOMPARE(combo->valueState(), W::VALUE_UNKNOWN);

        auto line = make(W::PROPERTY_LINEEDIT);
        QTest::keyClicks(line->lineEdit(), "ab");
        QCOMPARE(shown(*line), "|ab|QLineEdit { border: 2px solid red; }|0|1");
        QVERIFY(!line->setBoolTexts("a", "b"));
    }

    // Numbers follow the widget's language, also for a value already shown, and the label
    // keeps room for the longest of them, unit included.
    void sliderWritesNumbersAsItsLanguage()
    {
        auto slider = make(W::PROPERTY_SLIDER);
        slider->setLocale(QLocale(QLocale::Russian));
        slider->setValue(W::VALUE_FROM_DEVICE, 30);
        QCOMPARE(slider->label()->text(), QString("1,50 с"));
        slider->setLocale(QLocale(QLocale::English));
        QCOMPARE(slider->label()->text(), QString("1.50 с"));
        QCOMPARE(slider->valueState(), W::VALUE_FROM_DEVICE);
        QVERIFY(!slider->isMarked());

        auto wide = std::make_unique<W>(nullptr, W::PROPERTY_SLIDER);
        wide->setSliderParams(1, 180, "", " секунд", 0, 1.0);
        const QLabel *label = wide->label();
        const QFontMetrics metrics(label->font());
        const int room = label->minimumWidth() - label->contentsMargins().left() -
                         label->contentsMargins().right();
        for (const char *text : {"180 секунд", "1 секунд", "Неизвестно"})
            QVERIFY2(metrics.horizontalAdvance(text) <= room, text);
        QVERIFY(label->contentsMargins().right() > 0);
    }

    void boolButtonsActAsAPair()
    {
        auto w = make(W::PROPERTY_BOOL);
        QSignalSpy spy(w.get(), &W::signalBoolValueChanged);
        // Clicks: 0 on, 1 on, 1 off (so 0), 0 off (so 1).
        for (int b : {0, 1, 1, 0})
            QTest::mouseClick(w->boolButton(b), Qt::LeftButton);
        QCOMPARE(spy.size(), 4);
        QList<int> values;
        for (const QList<QVariant> &args : spy)
            values << args.at(0).toInt();
        QCOMPARE(values, (QList<int>{0, 1, 0, 1}));
        QCOMPARE(shown(*w), "1|Вкл|QLabel { color : red; }|1|1");
        QCOMPARE(w->textValue(), "Вкл");
        QVERIFY(w->isMarked());
    }
};

QTEST_MAIN(tst_propertywidget)
#include "tst_propertywidget.moc"
