#include "metricprefixconversion.h"

#include <QtTest>

#include <cmath>

class TestMetricPrefixConversion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void prefixes();
    void withUnitPrefixAcrossMagnitudes();
};

// Just below, at and just above every boundary, of either sign, and the ends of the table.
void TestMetricPrefixConversion::prefixes()
{
    const QStringList order = { "G", "M", "k", "", "m", "u", "n", "p" };
    const double bounds[] = { 1e9, 1e6, 1e3, 1.0, 1e-3, 1e-6, 1e-9 };
    MetricPrefixConversion c;
    for (int i = 0; i < 7; ++i) {
        for (double sign : { 1.0, -1.0 }) {
            const double at = sign * bounds[i];
            QCOMPARE(c.getPrefix(at), order.at(i));
            QCOMPARE(c.getPrefix(std::nextafter(at, sign * qInf())), order.at(i));
            QCOMPARE(c.getPrefix(std::nextafter(at, 0.0)), order.at(i + 1));
        }
    }
    QCOMPARE(c.getPrefix(-qInf()) + c.getPrefix(1e30), QString("GG"));
    QCOMPARE(c.getPrefix(0) + c.getPrefix(1e-13) + c.getPrefix(qQNaN()), QString("ppp"));
    // The five-argument form with no floor behaves the same.
    const auto text = [&](double value, int precision, const QString &unit) {
        const QString text = c.getValueWithUnitPrefix(value, precision, unit);
        return text == c.getValueWithUnitPrefix(value, precision, unit, "p", 0) ? text : "differs";
    };
    QCOMPARE(text(-0.0123, 2, "V"), QString("-12 mV")); // decimals follow the prefix
    QCOMPARE(text(-0.0, 1, "V"), QString("0.0 V"));
    QCOMPARE(text(999.96, 1, "Hz"), QString("1000.0 Hz")); // 10^1 is 10.000000000000002
    QCOMPARE(text(999.6, 0, "Hz"), QString("1.000 kHz"));
    QCOMPARE(text(1e-13, 14, "A"), QString("0.10 pA"));
    QCOMPARE(text(2.5e-6, 7, "V"), QString("2.5 uV"));
    QCOMPARE(text(1234.5, -2, ""), QString("1.2 k"));
    QCOMPARE(text(0.0, -1, "V"), QString("0.000000 V")); // Qt's default decimals
    QCOMPARE(text(1.125, 2, "V"), QString("1.13 V")); // ties away from zero
    QCOMPARE(text(qQNaN(), 2, "V"), QString("nan pV"));
    QCOMPARE(text(qInf(), 0, "Hz"), QString("inf GHz"));
    // A floor for the prefix, and for the decimals.
    QCOMPARE(c.getValueWithUnitPrefix(0.0004, 0, "V", "", 0), QString("0 V")); // a bare zero
    QCOMPARE(c.getValueWithUnitPrefix(2500.0, 0, "Hz", "M", 0), QString("0.002500 MHz"));
    QCOMPARE(c.getValueWithUnitPrefix(2.5e-7, 2, "A", "", 1), QString("0.00 A"));
    QCOMPARE(c.getValueWithUnitPrefix(2500.0, 0, "Hz", "m", 5), QString("2.50000 kHz"));
    QCOMPARE(c.getValueWithUnitPrefix(999.996, 0, "Hz", "", 2), QString("1000.00 Hz"));
    QCOMPARE(c.getValueWithUnitPrefix(2500.0, 0, "Hz", "x", 0), QString("2.500 kHz"));
    QCOMPARE(c.getValueWithUnitPrefix(1234.5, -5, "Hz", "", -1), QString("1.234500 kHz"));
    // Frequencies: no submultiples, decimals grouped by three.
    QCOMPARE(c.getValueWithZeroPrecisionUnitPrefixAndSpace(12345678901.0, "Hz"),
             QString("12.345 678 901 GHz"));
    QCOMPARE(c.getValueWithZeroPrecisionUnitPrefixAndSpace(999.6, "Hz"), QString("0.9996 kHz"));
    QCOMPARE(c.getValueWithZeroPrecisionUnitPrefixAndSpace(qInf(), "Hz"), QString("inf GHz"));
    QCOMPARE(c.getValueWithoutUnitPrefix(-0.006, 2, "V"), QString("-0.01 V"));
    QCOMPARE(c.getValueWithoutUnitPrefix(12.345, -1, ""), QString("12")); // no default here
    // Wild precisions: held to the int range, bounded texts, no NaN from 10^precision.
    QCOMPARE(c.getPrecisionByUnitPrefix(INT_MAX, "G", 0), INT_MAX);
    QCOMPARE(c.getPrecisionByUnitPrefix(INT_MIN, "p", INT_MIN), INT_MIN);
    QCOMPARE(c.getValueWithUnitPrefix(1234.5, INT_MAX, "Hz").size(), 2 + 99 + 4);
    QCOMPARE(c.getValueWithUnitPrefix(0.0123, INT_MIN, "V", "G", INT_MIN), QString("0.000000 GV"));
    const QString huge = c.getValueWithUnitPrefix(1234.5, 400, "Hz");
    QVERIFY(huge.startsWith("1.2344999999") && huge.endsWith(" kHz"));
}

// Over twenty decades, both signs and several precisions: the text is the value (within half a
// unit of its last decimal), the decimals follow the prefix, the number stays near 1000 at most,
// the prefix is the one of the value rounded to the asked precision, and the shown values rise.
void TestMetricPrefixConversion::withUnitPrefixAcrossMagnitudes()
{
    const QStringList prefixes = { "G", "M", "k", "", "m", "u", "n", "p" };
    MetricPrefixConversion conversion;
    QRandomGenerator rng(42);
    for (int precision : { 0, 1, 2, 3, 6 }) {
        double previous = 0;
        for (int i = 0; i < 4000; ++i) {
            const double sign = i % 2 ? -1.0 : 1.0;
            const double value
                = std::pow(10.0, -11.0 + 21.0 * i / 4000.0) * (1.0 + rng.generateDouble() * 1e-3);
            const QString text = conversion.getValueWithUnitPrefix(sign * value, precision, "Hz");
            const QString numberText = text.section(' ', 0, 0);
            const QString prefix = text.section(' ', 1).chopped(2);
            QVERIFY2(prefixes.contains(prefix) && text.endsWith("Hz"), qPrintable(text));
            const int exponent = 9 - 3 * prefixes.indexOf(prefix);
            const double number = numberText.toDouble() * sign;
            const int decimals = qMax(0, precision + exponent);
            QCOMPARE(numberText.size() - numberText.indexOf('.') - 1,
                     decimals == 0 ? numberText.size() : decimals);
            const double halfStep = 0.5 * std::pow(10.0, -decimals) * 1.0000001 + number * 1e-15;
            QVERIFY2(std::fabs(number - value / std::pow(10.0, exponent)) <= halfStep,
                     qPrintable(text));
            // The prefix follows the value rounded with the inexact factor 10^precision,
            // which can keep 1.01 just below 1 ("1010 mHz" at one decimal), never further.
            QCOMPARE(
                prefix,
                conversion.getPrefix(conversion.roundIfGreaterThanOne(sign * value, precision, 0)));
            QVERIFY2(number < 1100.0 && (prefix == "p" || exponent < 0 || number >= 0.999),
                     qPrintable(text));
            QVERIFY2(number * std::pow(10.0, exponent) >= previous * (1 - 1e-9), qPrintable(text));
            previous = number * std::pow(10.0, exponent);
        }
    }
}

QTEST_MAIN(TestMetricPrefixConversion)
#include "tst_metricprefixconversion.moc"
