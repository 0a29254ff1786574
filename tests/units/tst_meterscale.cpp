#include "meterscale.h"

#include "testrows.h"

#include <QtTest>

#include <cmath>

using DoubleList = QList<double>;

class TestMeterScale : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getValue_data();
    void getValue();
    void getValues_data();
    void getValues();
    void getValuesMatchesGetValue();
    void unparsableNumbersLast();
    void splitLabel_data();
    void splitLabel();
    void unitWithoutPrefix();
};

void TestMeterScale::getValue_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("unitPrefix");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("warning");

    const QString noPrefix
        = "MeterScale::getValue Cannot recognize the prefix of the unit. Label unit:  \"%1\" . "
          "Unit:  \"%2\"";
    const QString failed = "getValue  conversion failed! label =  \"%1\"";

    addRow("milli", "500 m", "V", QString(), 0.5, QString());
    addRow("kilo with unit", "1 kV", "V", QString(), 1000.0, QString());
    addRow("plain", "2", "V", QString(), 2.0, QString());
    addRow("negative milli", "-5 m", "V", QString(), -0.005, QString());
    addRow("mega", "1 MHz", "Hz", QString(), 1e6, QString());
    addRow("micro ASCII", "2 uA", "A", QString(), 2e-6, QString());
    addRow("exponent syntax", "1e3", "V", QString(), 1000.0, QString());
    addRow("prefixed meter", "500 m", "mV", "m", 500.0, QString());
    addRow("prefixed meter, bare label", "1", "mV", "m", 1000.0, QString());
    addRow("prefixed meter, base unit label", "5 V", "mV", "m", 5000.0, QString());
    addRow("prefixed meter, same unit label", "5 mV", "mV", "m", 5.0, QString());
    addRow("prefix not in unit", "5 mV", "mV", "k", 5.0, QString());
    addRow("unknown meter prefix", "5", "xV", "x", 5.0, QString());
    addRow("percent", "50%", "%", QString(), 50.0, QString());
    addRow("percent with blank", "50 %", "%", QString(), 50.0, QString());
    addRow("percent is no prefix", "50%", "V", QString(), 50.0, noPrefix.arg("%", "V"));
    addRow("micro sign is no prefix", "5 \u00B5V", "V", QString(), 5.0,
           noPrefix.arg("\u00B5V", "V"));
    addRow("two blanks", "1  k", "V", QString(), 1.0, QString());
    addRow("not a number", "abc", "V", QString(), 0.0, failed.arg("abc"));
    addRow("empty", "", "V", QString(), 0.0, failed.arg(""));
    addRow("leading blank", " 5", "V", QString(), 0.0, failed.arg(" 5"));
    addRow("comma decimal", "0,5 m", "V", QString(), 0.0, failed.arg("0,5 m"));
    addRow("empty unit", "3 k", QString(), QString(), 3.0, QString());
}

void TestMeterScale::getValue()
{
    QFETCH(QString, label);
    QFETCH(QString, unit);
    QFETCH(QString, unitPrefix);
    QFETCH(double, expected);
    QFETCH(QString, warning);
    MeterScale scale;
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QCOMPARE(scale.getValue(label, unit, unitPrefix), expected);
}

void TestMeterScale::getValues_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("unitPrefix");
    QTest::addColumn<DoubleList>("expected");
    QTest::addColumn<QString>("warning");

    addRow("skips Auto, sorts", QStringList { "Auto", "10", "0", "5 m" }, "V", QString(),
           DoubleList { 0, 0.005, 10 }, QString());
    addRow("stops at x", QStringList { "0", "x", "10" }, "V", QString(), DoubleList { 0 },
           "getValues  conversion failed! label =  \"x\"");
    addRow("empty", QStringList(), "V", QString(), DoubleList(), QString());
    addRow("only Custom", QStringList { "Custom", "Auto" }, "V", QString(), DoubleList(),
           QString());
    addRow("prefixed meter", QStringList { "2", "500 m", "1" }, "mV", "m",
           DoubleList { 500, 1000, 2000 }, QString());
    addRow("descending labels", QStringList { "1 k", "500", "-1 k" }, "V", QString(),
           DoubleList { -1000, 500, 1000 }, QString());
    addRow("auto is case-sensitive", QStringList { "1", "auto" }, "V", QString(), DoubleList { 1 },
           "getValues  conversion failed! label =  \"auto\"");
}

void TestMeterScale::getValues()
{
    QFETCH(QStringList, labels);
    QFETCH(QString, unit);
    QFETCH(QString, unitPrefix);
    QFETCH(DoubleList, expected);
    QFETCH(QString, warning);
    MeterScale scale;
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QCOMPARE(scale.getValues(labels, unit, unitPrefix), expected);
}

// A list reads as its labels read one by one, sorted.
void TestMeterScale::getValuesMatchesGetValue()
{
    const QStringList prefixes = { "", " ", " k", " m", " M", " u", " n", " G", " p", "%" };
    MeterScale scale;
    QRandomGenerator rng(3);
    for (const auto &unit :
         { qMakePair(QString("V"), QString()), qMakePair(QString("mV"), QString("m")),
           qMakePair(QString("kHz"), QString("k")) }) {
        for (int round = 0; round < 200; ++round) {
            QStringList labels;
            QList<double> single;
            const int count = rng.bounded(12);
            for (int i = 0; i < count; ++i) {
                QString prefix = prefixes.at(rng.bounded(prefixes.size()));
                if (prefix == "%")
                    prefix.clear(); // no warnings here
                const double number = (rng.bounded(20001) - 10000) / 8.0;
                const QString label = QString::number(number) + prefix;
                labels << label;
                single << scale.getValue(label, unit.first, unit.second);
            }
            std::sort(single.begin(), single.end());
            const QList<double> values = scale.getValues(labels, unit.first, unit.second);
            QCOMPARE(values.size(), single.size());
            for (int i = 0; i < values.size(); ++i)
                QVERIFY(std::fabs(values.at(i) - single.at(i))
                        <= 1e-12 * qMax(1.0, std::fabs(single.at(i))));
            QVERIFY(std::is_sorted(values.begin(), values.end()));
        }
    }
}

void TestMeterScale::unparsableNumbersLast()
{
    MeterScale scale;
    const QList<double> values = scale.getValues({ "nan", "1", "-inf", "nan m", "-1" }, "V");
    QCOMPARE(values.size(), 5);
    QCOMPARE(values.at(0), -qInf());
    QCOMPARE(values.at(1), -1.0);
    QCOMPARE(values.at(2), 1.0);
    QVERIFY(std::isnan(values.at(3)) && std::isnan(values.at(4)));
}

void TestMeterScale::splitLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("parts");

    addRow("blank", "500 m", QStringList { "500", "m" });
    addRow("two blanks", "1  k", QStringList { "1", "", "k" });
    addRow("percent", "50%", QStringList { "50", "%" });
    addRow("percent with blank", "50 %", QStringList { "50", "%" });
    addRow("bare", "10", QStringList { "10", "" });
    addRow("empty", "", QStringList { "", "" });
    addRow("only percent", "%", QStringList { "", "%" });
    addRow("trailing blank", "5 ", QStringList { "5", "" });
}

void TestMeterScale::splitLabel()
{
    QFETCH(QString, label);
    QFETCH(QStringList, parts);
    MeterScale scale;
    QCOMPARE(scale.splitLabel(label), parts);
}

void TestMeterScale::unitWithoutPrefix()
{
    MeterScale scale;
    QCOMPARE(scale.getUnitWithoutPrefix("mV", "m"), QString("V"));
    QCOMPARE(scale.getUnitWithoutPrefix("kHz", "k"), QString("Hz"));
    QCOMPARE(scale.getUnitWithoutPrefix("mV", ""), QString("mV"));
    QCOMPARE(scale.getUnitWithoutPrefix("mV", "M"), QString("mV"));
    QCOMPARE(scale.getUnitWithoutPrefix("m", "m"), QString(""));
    QCOMPARE(scale.getUnitWithoutPrefix("", "m"), QString(""));
}

QTEST_MAIN(TestMeterScale)
#include "tst_meterscale.moc"
