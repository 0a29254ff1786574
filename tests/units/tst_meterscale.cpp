#include "meterscale.h"

#include <QtTest>

class TestMeterScale : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void labels();
};

// Labels read as numbers in the meter's unit; a list of them is sorted, skips "Auto" and
// "Custom" and stops at the first label that is no number.
void TestMeterScale::labels()
{
    const QString noPrefix = "MeterScale::getValue Cannot recognize the prefix of the unit. Label "
                             "unit:  \"%1\" . Unit:  \"%2\"";
    const std::tuple<QString, QString, QString, double, QString> rows[] = {
        // clang-format off
        { "-5 m", "V", "", -0.005, "" }, { "1 kV", "V", "", 1000.0, "" }, { "2 uA", "A", "", 2e-6, "" },
        { "1e3", "V", "", 1000.0, "" }, { "1", "mV", "m", 1000.0, "" }, { "5 V", "mV", "m", 5000.0, "" },
        { "5 mV", "mV", "m", 5.0, "" }, { "50 %", "%", "", 50.0, "" }, { "1  k", "V", "", 1.0, "" },
        { "50%", "V", "", 50.0, noPrefix.arg("%", "V") },
        { "5 \u00B5V", "V", "", 5.0, noPrefix.arg("\u00B5V", "V") }, // micro is the ASCII "u"
        { "0,5 m", "V", "", 0.0, "getValue  conversion failed! label =  \"0,5 m\"" },
        { " 5", "V", "", 0.0, "getValue  conversion failed! label =  \" 5\"" },
        // clang-format on
    };
    MeterScale scale;
    for (const auto &[label, unit, unitPrefix, expected, warning] : rows) {
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QCOMPARE(scale.getValue(label, unit, unitPrefix), expected);
    }
    using List = QList<double>;
    QCOMPARE(scale.getValues({ "Auto", "10", "Custom", "-1 k", "5 m" }, "V"),
             List({ -1000, 0.005, 10 }));
    QCOMPARE(scale.getValues({}, "V"), List());
    QCOMPARE(scale.getValues({ "2", "500 m", "1" }, "mV", "m"), List({ 500, 1000, 2000 }));
    QTest::ignoreMessage(QtWarningMsg, "getValues  conversion failed! label =  \"auto\"");
    QCOMPARE(scale.getValues({ "0", "auto", "10" }, "V"), List({ 0 }));
    // Numbers that do not compare sort last.
    const List odd = scale.getValues({ "nan", "1", "-inf", "nan m", "-1" }, "V");
    QCOMPARE(odd.mid(0, 3), List({ -qInf(), -1.0, 1.0 }));
    QVERIFY(odd.size() == 5 && std::isnan(odd.at(3)) && std::isnan(odd.at(4)));
}

QTEST_MAIN(TestMeterScale)
#include "tst_meterscale.moc"
