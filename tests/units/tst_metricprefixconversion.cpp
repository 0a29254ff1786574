#include "metricprefixconversion.h"

#include "testrows.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double infinity = std::numeric_limits<double>::infinity();

double multiplierOf(const QString &prefix)
{
    static const QHash<QString, double> table
        = { { "G", 1e9 },  { "M", 1e6 },  { "k", 1e3 },  { "", 1.0 },
            { "m", 1e-3 }, { "u", 1e-6 }, { "n", 1e-9 }, { "p", 1e-12 } };
    return table.value(prefix, -1.0);
}

// "1.234 kHz" -> number 1.234, prefix "k" (the unit is known to the caller).
void splitResult(const QString &text, const QString &unit, double *number, QString *prefix)
{
    const int blank = text.indexOf(' ');
    *number = text.left(blank).toDouble();
    *prefix = text.mid(blank + 1);
    prefix->chop(unit.size());
}

} // namespace

class TestMetricPrefixConversion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getPrefix_data();
    void getPrefix();
    void prefixBoundaries();
    void withUnitPrefix_data();
    void withUnitPrefix();
    void withUnitPrefixAcrossMagnitudes();
    void withMinimumPrefix_data();
    void withMinimumPrefix();
    void zeroPrecisionWithSpace_data();
    void zeroPrecisionWithSpace();
    void withoutUnitPrefix_data();
    void withoutUnitPrefix();
    void helpers();
};

void TestMetricPrefixConversion::getPrefix_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    addRow("0.5", 0.5, "m");
    addRow("1", 1.0, "");
    addRow("0", 0.0, "p");
    addRow("-2500", -2500.0, "k");
    addRow("1e-13", 1e-13, "p");
    addRow("1000", 1000.0, "k");
    addRow("2e6", 2e6, "M");
    addRow("-3e9", -3e9, "G");
    addRow("1e30", 1e30, "G");
    addRow("2e-6", 2e-6, "u");
    addRow("5e-9", 5e-9, "n");
    addRow("NaN", notANumber, "p");
    addRow("-inf", -infinity, "G");
}

void TestMetricPrefixConversion::getPrefix()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    MetricPrefixConversion conversion;
    QCOMPARE(conversion.getPrefix(value), expected);
}

// Just below, at and just above every boundary, of either sign.
void TestMetricPrefixConversion::prefixBoundaries()
{
    const QList<QPair<double, QString>> bounds
        = { { 1e9, "G" },  { 1e6, "M" },  { 1e3, "k" }, { 1.0, "" },
            { 1e-3, "m" }, { 1e-6, "u" }, { 1e-9, "n" } };
    const QStringList order = { "G", "M", "k", "", "m", "u", "n", "p" };
    MetricPrefixConversion conversion;
    for (const auto &bound : bounds) {
        for (double sign : { 1.0, -1.0 }) {
            const double at = sign * bound.first;
            QCOMPARE(conversion.getPrefix(at), bound.second);
            QCOMPARE(conversion.getPrefix(std::nextafter(at, sign * infinity)), bound.second);
            const QString below = conversion.getPrefix(std::nextafter(at, 0.0));
            QCOMPARE(order.indexOf(below), order.indexOf(bound.second) + 1);
        }
    }
}

void TestMetricPrefixConversion::withUnitPrefix_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("expected");

    addRow("kilo", 1234.5, 0, "Hz", "1.234 kHz");
    addRow("milli drops decimals", 0.0123, 2, "V", "12 mV");
    addRow("negative milli", -0.0123, 2, "V", "-12 mV");
    addRow("zero", 0.0, 2, "V", "0.00 V");
    addRow("negative zero", -0.0, 1, "V", "0.0 V");
    addRow("inexact rounding factor", 999.96, 1, "Hz", "1000.0 Hz");
    addRow("rounds up into kilo", 999.6, 0, "Hz", "1.000 kHz");
    addRow("giga", 1e9, 0, "Hz", "1.000000000 GHz");
    addRow("negative kilo", -2500.0, 0, "Hz", "-2.500 kHz");
    addRow("pico", 1e-13, 14, "A", "0.10 pA");
    addRow("micro ASCII", 2.5e-6, 7, "V", "2.5 uV");
    addRow("negative precision", 1234.5, -2, "Hz", "1.2 kHz");
    addRow("tie rounds away", 1.125, 2, "V", "1.13 V");
    addRow("NaN", notANumber, 2, "V", "nan pV");
    addRow("inf", infinity, 0, "Hz", "inf GHz");
    addRow("empty unit", 1500.0, 0, "", "1.500 k");
}

void TestMetricPrefixConversion::withUnitPrefix()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, unit);
    QFETCH(QString, expected);
    MetricPrefixConversion conversion;
    QCOMPARE(conversion.getValueWithUnitPrefix(value, precision, unit), expected);
    // The five-argument form with no floor behaves the same, apart from a bare "0".
    if (!expected.startsWith("0 "))
        QCOMPARE(conversion.getValueWithUnitPrefix(value, precision, unit, "p", 0), expected);
}

// Over twenty decades, both signs and several precisions: the text is the value (within half a
// unit of its last decimal), the decimals follow the prefix, the number stays near 1000 at most,
// the prefix is the one of the value rounded to the asked precision, and the shown values rise.
void TestMetricPrefixConversion::withUnitPrefixAcrossMagnitudes()
{
    MetricPrefixConversion conversion;
    QRandomGenerator rng(42);
    for (int precision : { 0, 1, 2, 3, 6 }) {
        double previous = 0;
        for (int i = 0; i < 4000; ++i) {
            const double magnitude = std::pow(10.0, -11.0 + 21.0 * i / 4000.0);
            const double value = magnitude * (1.0 + rng.generateDouble() * 1e-3);
            for (double sign : { 1.0, -1.0 }) {
                const QString text
                    = conversion.getValueWithUnitPrefix(sign * value, precision, "Hz");
                double number;
                QString prefix;
                splitResult(text, "Hz", &number, &prefix);
                const double multiplier = multiplierOf(prefix);
                QVERIFY2(multiplier > 0, qPrintable(text));
                const int exponent = int(std::lround(std::log10(multiplier)));
                const int decimals = qMax(0, precision + exponent);
                const QString numberText = text.left(text.indexOf(' '));
                QCOMPARE(numberText.size() - numberText.indexOf('.') - 1,
                         decimals == 0 ? numberText.size() + 0 : decimals);
                const double halfStep
                    = 0.5 * std::pow(10.0, -decimals) * 1.0000001 + std::fabs(number) * 1e-15;
                QVERIFY2(std::fabs(number - sign * value / multiplier) <= halfStep,
                         qPrintable(text));
                // The prefix follows the value rounded with the inexact factor 10^precision,
                // which can keep 1.01 just below 1 ("1010 mHz" at one decimal), never further.
                QCOMPARE(prefix,
                         conversion.getPrefix(
                             conversion.roundIfGreaterThanOne(sign * value, precision, 0)));
                QVERIFY2(std::fabs(number) < 1100.0, qPrintable(text));
                if (prefix != "G" && prefix != "p" && exponent >= 0)
                    QVERIFY2(std::fabs(number) >= 0.999, qPrintable(text));
                if (sign > 0) {
                    QVERIFY2(number * multiplier >= previous * (1 - 1e-9), qPrintable(text));
                    previous = number * multiplier;
                }
            }
        }
    }
}

void TestMetricPrefixConversion::withMinimumPrefix_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("minimumPrefix");
    QTest::addColumn<int>("smallestPrecision");
    QTest::addColumn<QString>("expected");

    addRow("floor at none", 0.0123, 2, "V", "", 0, "0.01 V");
    addRow("bare zero drops prefix", 0.0004, 0, "V", "", 0, "0 V");
    addRow("floor at mega", 2500.0, 0, "Hz", "M", 0, "0.002500 MHz");
    addRow("0.00 keeps the rule away", 2.5e-7, 2, "A", "", 1, "0.00 A");
    addRow("floor below the choice", 2500.0, 0, "Hz", "m", 0, "2.500 kHz");
    addRow("smallest precision", 2500.0, 0, "Hz", "", 5, "2.50000 kHz");
    addRow("smallest precision rounds for the prefix", 999.996, 0, "Hz", "", 2, "1000.00 Hz");
    addRow("unknown floor used as text", 0.0123, 2, "V", "x", 0, "0.01 xV");
    addRow("unknown floor loses to kilo", 2500.0, 0, "Hz", "x", 0, "2.500 kHz");
    addRow("zero", 0.0, 1, "V", "k", 3, "0.0 V");
    addRow("bare zero of milli floor", 0.0004, -3, "V", "m", 0, "0 V");
}

void TestMetricPrefixConversion::withMinimumPrefix()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, unit);
    QFETCH(QString, minimumPrefix);
    QFETCH(int, smallestPrecision);
    QFETCH(QString, expected);
    MetricPrefixConversion conversion;
    QCOMPARE(
        conversion.getValueWithUnitPrefix(value, precision, unit, minimumPrefix, smallestPrecision),
        expected);
}

void TestMetricPrefixConversion::zeroPrecisionWithSpace_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    addRow("giga grouped", 12345678901.0, "12.345 678 901 GHz");
    addRow("negative giga", -1234567890.0, "-1.234 567 890 GHz");
    addRow("mega grouped", 1234567.8, "1.234 568 MHz");
    addRow("kilo one more", 1234.5, "1.2345 kHz");
    addRow("below kilo", 999.4, "999 Hz");
    addRow("rounds into kilo", 999.6, "0.9996 kHz");
    addRow("no submultiples", 0.4, "0 Hz");
    addRow("zero", 0.0, "0 Hz");
    addRow("NaN", notANumber, "nan Hz");
    addRow("inf not padded", infinity, "inf GHz");
}

void TestMetricPrefixConversion::zeroPrecisionWithSpace()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    MetricPrefixConversion conversion;
    QCOMPARE(conversion.getValueWithZeroPrecisionUnitPrefixAndSpace(value, "Hz"), expected);
}

void TestMetricPrefixConversion::withoutUnitPrefix_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("expected");

    addRow("rounds to zero", 0.004, 2, "V", "0 V");
    addRow("no unit", 12.345, 1, "", "12.3");
    addRow("negative", -0.006, 2, "V", "-0.01 V");
    addRow("negative precision", 12.345, -1, "V", "12 V");
    addRow("NaN", notANumber, 2, "V", "nan V");
    addRow("large", 1234567.0, 0, "Hz", "1234567 Hz");
}

void TestMetricPrefixConversion::withoutUnitPrefix()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, unit);
    QFETCH(QString, expected);
    MetricPrefixConversion conversion;
    QCOMPARE(conversion.getValueWithoutUnitPrefix(value, precision, unit), expected);
}

void TestMetricPrefixConversion::helpers()
{
    MetricPrefixConversion conversion;
    QCOMPARE(conversion.getPrecisionByUnitPrefix(2, "k", 0), 5);
    QCOMPARE(conversion.getPrecisionByUnitPrefix(2, "m", 0), 0);
    QCOMPARE(conversion.getPrecisionByUnitPrefix(2, "m", 1), 1);
    QCOMPARE(conversion.getPrecisionByUnitPrefix(2, "x", 0), 2);
    QCOMPARE(conversion.getPrecisionByUnitPrefix(INT_MAX, "G", 0), INT_MAX);
    QCOMPARE(conversion.getPrecisionByUnitPrefix(INT_MIN, "p", INT_MIN), INT_MIN);
    QCOMPARE(conversion.getValueWithUnitPrefix(1234.5, INT_MAX, "Hz").size(), 2 + 99 + 4);
    QCOMPARE(conversion.getValueWithUnitPrefix(0.0123, INT_MIN, "V", "G", INT_MIN), QString("0 V"));
    QCOMPARE(conversion.roundIfGreaterThanOne(0.99996, 2, 0), 0.99996);
    QCOMPARE(conversion.roundIfGreaterThanOne(-1.006, 2, 0), -1.01);
    QCOMPARE(conversion.roundIfGreaterThanOne(1.006, 0, 2), 1.01);
    // The factor 10^1 is 10.000000000000002, so the rounded value stays below 1000.
    QVERIFY(conversion.roundIfGreaterThanOne(999.96, 1, 0) < 1000.0);
    // A precision beyond the double range rounds nothing away (no NaN).
    QCOMPARE(conversion.roundIfGreaterThanOne(1234.5, 400, 0), 1234.5);
    QCOMPARE(conversion.roundIfGreaterThanOne(1e300, 10, 0), 1e300);
    QVERIFY(conversion.getValueWithUnitPrefix(1234.5, 400, "Hz").startsWith("1.2344999999"));
    QCOMPARE(conversion.getValueWithUnitPrefix(1234.5, 400, "Hz").size(), 2 + 99 + 4);
    QVERIFY(conversion.getValueWithUnitPrefix(1234.5, 400, "Hz").endsWith(" kHz"));
    QVERIFY(conversion.shouldReturnZero(0.004, 2));
    QVERIFY(!conversion.shouldReturnZero(0.005, 2));
}

QTEST_MAIN(TestMetricPrefixConversion)
#include "tst_metricprefixconversion.moc"
