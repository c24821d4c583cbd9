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
Q_DECLARE_METATYPE(QPropertyWidget::PROPERTY_TYPE_T)
Q_DECLARE_METATYPE(QPropertyWidget::VALUE_STATE_T)

namespace
{
std::unique_ptr<W> make(W::PROPERTY_TYPE_T kind)
{
    auto w = std::make_unique<W>(nullptr, kind);
    w->setBoolTexts("Выкл", "Вкл");
    w->setSliderParams(10, 60, "", " с", 2, 0.05);
    w->setSpinBoxRange(0, 100);
    w->setLineEditMaxLength(8);
    w->setComboBoxItems({"A", "B", "C"});
    return w;
}

// What the editor shows: its position, its text, its style.
QString shown(const W &w)
{
    switch (w.kind()) {
    case W::PROPERTY_BOOL:
        return QString("%1%2|%3|%4")
            .arg(int(w.boolButton(0)->isChecked()))
            .arg(int(w.boolButton(1)->isChecked()))
            .arg(w.label()->text(), w.label()->styleSheet());
    case W::PROPERTY_SLIDER:
        return QString("%1|%2|%3")
            .arg(w.slider()->value())
            .arg(w.label()->text(), w.label()->styleSheet());
    case W::PROPERTY_SPINBOX:
        return QString("%1||%2").arg(w.spinBox()->value()).arg(w.spinBox()->styleSheet());
    case W::PROPERTY_LINEEDIT:
        return QString("|%1|%2").arg(w.lineEdit()->text(), w.lineEdit()->styleSheet());
    case W::PROPERTY_COMBOBOX:
        return QString("%1|%2|%3")
            .arg(w.comboBox()->currentIndex())
            .arg(w.comboBox()->currentText(), w.comboBox()->styleSheet());
    }
    return QString();
}
} // namespace

class tst_propertywidget : public QObject
{
    Q_OBJECT

private slots:
    void showsValueAndState_data()
    {
        QTest::addColumn<W::PROPERTY_TYPE_T>("kind");
        QTest::addColumn<W::VALUE_STATE_T>("state");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("read");
        QTest::addColumn<W::VALUE_STATE_T>("finalState");
        const int none = W::NoValue;
        const auto dev = W::VALUE_FROM_DEVICE, edit = W::VALUE_EDITED, unk = W::VALUE_UNKNOWN;
        const QString green = "QLabel { color : green; }", red = "QLabel { color : red; }",
                      blue = "QLabel { color : blue; }";
        QTest::newRow("bool 1") << W::PROPERTY_BOOL << dev << 1 << "01|Вкл|" + green << 1 << dev;
        QTest::newRow("bool 0 edited")
            << W::PROPERTY_BOOL << edit << 0 << "10|Выкл|" + red << 0 << edit;
        QTest::newRow("bool 2") << W::PROPERTY_BOOL << dev << 2 << "00|Неизвестно|" + blue << none
                                << unk;
        QTest::newRow("slider 10")
            << W::PROPERTY_SLIDER << dev << 10 << "10|0.50 с|" + green << 10 << dev;
        QTest::newRow("slider 60 edited")
            << W::PROPERTY_SLIDER << edit << 60 << "60|3.00 с|" + red << 60 << edit;
        QTest::newRow("slider 5 clamped")
            << W::PROPERTY_SLIDER << dev << 5 << "10|0.50 с|" + green << 10 << dev;
        QTest::newRow("slider no value")
            << W::PROPERTY_SLIDER << dev << none << "10|Неизвестно|" + blue << none << unk;
        QTest::newRow("spin 42") << W::PROPERTY_SPINBOX << dev << 42
                                 << "42||QSpinBox { color : green; }" << 42 << dev;
        QTest::newRow("spin no value") << W::PROPERTY_SPINBOX << edit << none
                                       << "0||QSpinBox { color : blue; }" << none << unk;
        QTest::newRow("line edited") << W::PROPERTY_LINEEDIT << edit << 0
                                     << "|abc|QLineEdit { border: 2px solid red; }" << 0 << edit;
        QTest::newRow("line no value") << W::PROPERTY_LINEEDIT << dev << none
                                       << "||QLineEdit { border: 2px solid blue; }" << none << unk;
        QTest::newRow("combo 2") << W::PROPERTY_COMBOBOX << dev << 2
                                 << "2|C|QComboBox { color : green; }" << 2 << dev;
        // Out of range: nothing shown, and the colour of the value before stays.
        QTest::newRow("combo 3") << W::PROPERTY_COMBOBOX << dev << 3
                                 << "-1||QComboBox { color : red; }" << none << unk;
        QTest::newRow("combo -1") << W::PROPERTY_COMBOBOX << edit << -1
                                  << "-1||QComboBox { color : red; }" << none << unk;
    }
    void showsValueAndState()
    {
        QFETCH(W::PROPERTY_TYPE_T, kind);
        QFETCH(W::VALUE_STATE_T, state);
        QFETCH(int, value);
        auto w = make(kind);
        QCOMPARE(w->valueState(), W::VALUE_UNKNOWN);
        QCOMPARE(w->value(), W::NoValue);
        w->setValue(W::VALUE_EDITED, 1, "x"); // a value before, for the combo's colour
        w->setValue(state, value, "abc");
        QTEST(shown(*w), "expected");
        QTEST(w->value(), "read");
        QTEST(w->valueState(), "finalState");
        QVERIFY(!w->isMarked()); // only the user marks a row
    }

    void userEditsMarkTheRow()
    {
        auto slider = make(W::PROPERTY_SLIDER);
        QSignalSpy sliderSpy(slider.get(), &W::signalSliderValueChanged);
        emit slider->slider()->sliderPressed(); // pressed, not yet moved
        QCOMPARE(slider->valueState(), W::VALUE_EDITED);
        QVERIFY(slider->isMarked());
        slider->slider()->setValue(30);
        QCOMPARE(shown(*slider), "30|1.50 с|QLabel { color : red; }");
        QCOMPARE(sliderSpy.last().at(0).toInt(), 30);
        // A read shows the actuator's value but leaves the mark alone.
        slider->setValue(W::VALUE_FROM_DEVICE, 40);
        QVERIFY(slider->isMarked());
        QCOMPARE(sliderSpy.size(), 2);

        auto combo = make(W::PROPERTY_COMBOBOX);
        QSignalSpy comboSpy(combo.get(), &W::signalComboBoxIndexChanged);
        combo->comboBox()->setCurrentIndex(1);
        QCOMPARE(comboSpy.size(), 1);
        QCOMPARE(shown(*combo), "1|B|QComboBox { color : red; }");
        QVERIFY(combo->isMarked());
        QVERIFY(combo->setComboBoxItems({"X", "Y"}));
        QCOMPARE(comboSpy.size(), 1); // replacing the items is no edit
        QCOMPARE(combo->valueState(), W::VALUE_UNKNOWN);

        auto spin = make(W::PROPERTY_SPINBOX);
        spin->spinBox()->setValue(7);
        QCOMPARE(spin->value(), 7);
        QCOMPARE(spin->valueState(), W::VALUE_EDITED);

        auto line = make(W::PROPERTY_LINEEDIT);
        QSignalSpy lineSpy(line.get(), &W::signalLineEditValueChanged);
        QTest::keyClicks(line->lineEdit(), "ab");
        QCOMPARE(lineSpy.last().at(0).toString(), "ab");
        QCOMPARE(line->textValue(), "ab");
        QVERIFY(line->isMarked());
        QVERIFY(!line->setBoolTexts("a", "b"));
    }

    void boolButtonsActAsAPair()
    {
        auto w = make(W::PROPERTY_BOOL);
        QSignalSpy spy(w.get(), &W::signalBoolValueChanged);
        QTest::mouseClick(w->boolButton(0), Qt::LeftButton);
        QCOMPARE(shown(*w), "10|Выкл|QLabel { color : red; }");
        QTest::mouseClick(w->boolButton(1), Qt::LeftButton);
        QCOMPARE(shown(*w), "01|Вкл|QLabel { color : red; }");
        QCOMPARE(w->textValue(), "Вкл");
        // Clicking the checked one out of its state chooses the other.
        QTest::mouseClick(w->boolButton(1), Qt::LeftButton);
        QCOMPARE(w->value(), 0);
        QTest::mouseClick(w->boolButton(0), Qt::LeftButton);
        QCOMPARE(w->value(), 1);
        QCOMPARE(shown(*w), "01|Вкл|QLabel { color : red; }");
        QCOMPARE(spy.size(), 4);
        QCOMPARE(spy.at(2).at(0).toInt(), 0);
        QVERIFY(w->isMarked());
    }
};

QTEST_MAIN(tst_propertywidget)
#include "tst_propertywidget.moc"
