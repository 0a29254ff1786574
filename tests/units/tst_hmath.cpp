#include "hmath.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const QString micro = QString(QChar(0x00B5));

} // namespace

class TestHMath : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::system()); }
    void levelsTodBm();
    void levelTexts();
    void prefixChoice();
    void plainFormatters();
    void textMetrics();
};

// Levels in dBm: cut (not rounded) at three decimals and saturated to the int range; for field
// strengths at 100 MHz and 0 dB gain, every prefix of a linear unit reads the same level.
// None of them changes the unit.
void TestHMath::levelsTodBm()
{
    const double w = 2.8 + 10 * std::log10(376.99111843077515), inf = qInf();
    const std::tuple<QString, double, double> rows[] = {
        // clang-format off
        { "dBV", 86.9996, 100.009 }, { "dBV", 87.0, 100.0 }, { "dBmV", 147.0, 100.0 },
        { "dBuV", 207.0, 100.0 }, { "dBmV", 0.0, -46.989 }, { "V", 1.0, 13.01 },
        { "pV", 1e6, -106.989 }, { micro + "V", 1.0, -106.989 }, { "uV", 1.0, -99999999.9 },
        { micro + "W", 2.0, -26.989 }, { "mV", 0.0, -2147483.648 }, { "mV", -1.0, 0.0 },
        { "dBV", 1e12, 2147483.647 }, { "dbm", 1.0, -99999999.9 }, { "dBV", qQNaN(), 0 },
        { "dBuV/m", 67.2, -50.0 }, { "V/m", 1, 2.8 }, { "mV/m", 1e3, 2.8 }, { "uV/m", 1e6, 2.8 },
        { "pV/m", 1e12, 2.8 }, { "W/m^2", 1, w }, { "mW/m^2", 1e3, w }, { "pW/m^2", 1e12, w },
        { "V/m", -1.0, -inf }, { "mV/m", qQNaN(), -inf }, { "V/M", 1, -99999999999.9 },
        { "W/cm^2", 1, -99999999999.9 }, { "", 1, -99999999999.9 },
        // clang-format on
    };
    HMath math;
    QSignalSpy spy(&math, &HMath::unitChanged);
    for (const auto &[unit, value, expected] : rows) {
        const double result = unit.contains('/') || unit.isEmpty()
            ? math.getFieldTodBm(unit, value, 100, 0)
            : math.getUnitTodBm(unit, value);
        QVERIFY2(result == expected
                     || std::fabs(result - expected) <= 1e-9 * qMax(1.0, std::fabs(expected)),
                 qPrintable(unit + ": " + QString::number(result, 'g', 17)));
    }
    // Repeated multiplication by 0.1 is what the pages have always shown.
    QCOMPARE(QString::number(math.getUnitTodBm("dBV", 86.9), 'g', 17),
             QString("99.910000000000011"));
    // A wild count of decimals saturates on the way up and underflows on the way down, promptly.
    QCOMPARE(math.mathRoundOff(-1.5, std::numeric_limits<int>::max()), 0.0);
    QCOMPARE(spy.count(), 0);
}

// The level texts, the unit each conversion leaves in `unit` and the one signal it sends.
// 'U'/'u': getdBmToUnit with/without unit, 'C': its chart form, 'W': getDBmToW (which leaves
// the unit alone), 'F'/'f': getdBmToField at 100 MHz and 0 dB with/without unit, 'c': its chart.
void TestHMath::levelTexts()
{
    using Row = std::tuple<char, const char *, double, int, const char *, const char *>;
    const Row rows[] = {
        // clang-format off
        { 'U', "V", -100, 1, "2.24 \u00B5V", "\u00B5V" }, { 'U', "V", -400, 1, "0.00 V", "V" },
        { 'u', "W", 90, 1, "1000000.00", "W" },          { 'U', "V", qQNaN(), 1, "nan V", "V" },
        { 'U', "dBm", -12.25, 1, "-12.3 dBm", "dBm" },   { 'U', "dBV", 0, 2, "-13.01 dBV", "dBV" },
        { 'U', "dBuV", 1000, 0, "1,107 dBuV", "dBuV" },  { 'u', "dBm", 3.6, -2, "3.600000", "dBm" },
        { 'U', "dBW", -12.25, 1, "-12.3 dBm", "dBm" },   { 'C', "W", 37, 1, "5.01 ", "W" },
        { 'C', "V", -100, 1, "2.24 \u00B5", "\u00B5V" }, { 'C', "xyz", 5.25, 1, "5.3", "xyz" },
        { 'C', "dBV", 0, -1, "-13.010300", "dBV" },
        { 'W', "", -40, 0, "0.10 u", "keep" },           { 'W', "", 9.9, 0, "9.77 m", "keep" },
        { 'W', "", 90, 0, "1.00 M", "keep" },            { 'F', "V/m", -50, 0, "2.29 m V/m", "V/m" },
        { 'F', "V/m", 0, 0, "0.72  V/m", "V/m" },        { 'f', "V/M", -50, 0, "0.00", "V/M" },
        { 'c', "V/m", -50, 0, "2.29 m ", "V/m" },        { 'f', "dBA/m", -50, 0, "-104.33", "dBA/m" },
        // clang-format on
    };
    for (const auto &[call, unit, dBm, precision, expected, expectedUnit] : rows) {
        HMath math;
        math.setUnit("keep");
        QSignalSpy spy(&math, &HMath::unitChanged);
        const QString text = call == 'C' ? math.getdBmToUnitChart(unit, dBm, precision)
            : call == 'W'                ? math.getDBmToW(dBm)
            : call == 'c'                ? math.getdBmToFieldChart(unit, dBm, 100.0, 0.0)
            : call == 'F' || call == 'f' ? math.getdBmToField(unit, dBm, 100.0, 0.0, call == 'F')
                                         : math.getdBmToUnit(unit, dBm, call == 'U', precision);
        QCOMPARE(text, QString(expected));
        QCOMPARE(math.unit(), QString(expectedUnit));
        QCOMPARE(spy.count(), call == 'W' ? 0 : 1);
    }
}

// Prefixes of levels from far below to far above the range, and of those whose exponent lands
// on a prefix threshold, in volts (at 50 ohms) and watts: the text ends with the unit that `unit`
// reports, the number is the true value in that unit, the unit is the largest in which the number
// reaches 0.01, and the shown values rise with the level.
void TestHMath::prefixChoice()
{
    const QStringList prefixes = { "", "m", micro, "n", "p", "f", "a", "z", "y" };
    QList<double> levels;
    for (int step = -2900; step <= 700; ++step)
        levels << step / 10.0;
    for (int k = -40; k <= 4; ++k) {
        for (double dBm : { 10.0 * k + 10.0, 20.0 * k - 26.9897 })
            levels << dBm << std::nextafter(dBm, -1e9) << std::nextafter(dBm, 1e9);
    }
    std::sort(levels.begin(), levels.end());
    HMath math;
    for (const QString base : { "V", "W" }) {
        double previous = -1;
        for (double dBm : qAsConst(levels)) {
            const double truth = base == "W" ? std::pow(10.0, (dBm - 30.0) / 10.0)
                                             : std::sqrt(std::pow(10.0, dBm / 10.0) * 0.05);
            const QString text = math.getdBmToUnit(base, dBm, true);
            const QString unitText = text.mid(text.indexOf(' ') + 1);
            QCOMPARE(unitText, math.unit());
            const int index = prefixes.indexOf(unitText.chopped(1));
            QVERIFY2(index >= 0 && unitText.endsWith(base), qPrintable(text));
            const double factor = std::pow(10.0, -3.0 * index);
            const double number = text.left(text.indexOf(' ')).toDouble();
            const double expected = truth / factor;
            const bool largest
                = index == 0 || index == (base == "W" ? 8 : 5) || expected < 10.0 * 1.0001;
            QVERIFY2(std::fabs(number - expected) <= 0.005 + 1e-9 * expected && largest
                         && (index == 0 || expected >= 0.01 * 0.9999)
                         && number * factor >= previous * 0.9999,
                     qPrintable(text));
            previous = number * factor;
        }
    }
    // The prefix of a field strength is the one whose range holds the value (compared in double,
    // so 0.01f is below 0.01), and the number is the value in that prefix, narrowed to single
    // precision before it is printed (5.5e-5 shows 0.06 m in double). Zero gives no text and
    // leaves the unit.
    const QList<QPair<float, QString>> rows = {
        // clang-format off
        { 2.5e9f, "2.5 G V/m" }, { 0.5f, "0.50  V/m" }, { 0.01f, "10.00 m V/m" }, { -0.0f, "" },
        { -2.5e-6f, "-2.50 u V/m" }, { -5.5e-5f, "-0.05 m V/m" }, { float(qQNaN()), "  V/m" },
        { float(qInf()), "inf G V/m" },
        // clang-format on
    };
    for (const auto &row : rows) {
        math.setUnit("before");
        QCOMPARE(math.getFieldChangeUnit("V/m", row.first, true), row.second);
        QCOMPARE(math.unit(), QString(row.second.isEmpty() ? "before" : "V/m"));
    }
    // Each prefix stands for 10^(9 - 3 i) and holds the values from `from(i)` up.
    const QString fieldPrefixes = "GMk munpfazy";
    const auto from = [](int i) { return std::pow(10.0, 9 - 3 * i - (i >= 3 ? 2 : 0)); };
    QList<float> values;
    for (int i = 0; i < 12; ++i)
        values << float(from(i)) << std::nextafter(float(from(i)), 0.0f)
               << std::nextafter(float(from(i)), 1e30f);
    QRandomGenerator rng(9);
    for (int i = 0; i < 10000; ++i)
        values << float(std::pow(10.0, -27.0 + 39.0 * rng.generateDouble()));
    for (int n = 0; n < values.size(); ++n) {
        const double value = values[n], sign = n % 2 ? 1.0 : -1.0;
        const QString text = math.getFieldChangeUnit("V/m", float(sign * value), false);
        int i = 0;
        while (i < 12 && value < from(i))
            ++i;
        QCOMPARE(text.mid(text.indexOf(' ')), " " + fieldPrefixes.mid(i, 1).trimmed());
        const double number = text.left(text.indexOf(' ')).toDouble();
        const double shown = sign * value / std::pow(10.0, 9 - 3 * i);
        QVERIFY2(i == 12
                     || std::fabs(number - shown)
                         <= (i < 2 ? 0.05 : 0.005) * 1.001 + 1e-6 * std::fabs(shown),
                 qPrintable(text + " for " + QString::number(value, 'g', 9)));
    }
}

// Numbers in the C locale, or as the template "%L1" fills them in the default locale.
void TestHMath::plainFormatters()
{
    HMath math;
    QSignalSpy spy(&math, &HMath::unitChanged);
    QCOMPARE(math.convertValUnit(0.125, 2, "V"), QString("0.13 V")); // ties away from zero
    // A negative count of decimals means Qt's default of 6, or its shortest exact text.
    QCOMPARE(math.convertValUnit("abc", -3), QString("0.000000 dBm"));
    QCOMPARE(math.convertValUnit(0.1, QLocale::FloatingPointShortest), QString("0.1 dBm"));
    QCOMPARE(math.getFormattedValue(1234.5, -1), QString("1,230.000000")); // rounded to tens
    QCOMPARE(math.getUnit("dBm", -0.04, 1), QString("0 dBm"));
    QCOMPARE(math.getUnit("V", "abc", -1), QString("abc V")); // the value's own text
    QCOMPARE(math.getFormattedValue(1.5, 400), "1.5" + QString(98, '0'));
    QVERIFY(math.shouldReturnZero(0.04, 1) && math.shouldReturnZero(4.9, -1)
            && math.shouldReturnZero(5.0, -400) && !math.shouldReturnZero(0.05, 1));
    for (double value : { 1e-300, 1e305, qQNaN(), qInf() })
        QVERIFY(!math.shouldReturnZero(value, 400));
    QCOMPARE(spy.count(), 0);
    math.setUnit("V");
    math.setUnit("V"); // also when it stays the same
    QCOMPARE(spy.count(), 2);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(math.getdBmToUnit("V", 40.0, true) + math.convertValUnit(1234.5),
             QString("22.36 V1234.50 dBm")); // fixed notation is the C locale's
    QCOMPARE(math.getFormattedValue(-1234.5678, 2), QString("-1.234,57"));
    QRandomGenerator rng(5);
    for (const QLocale &locale : { QLocale::system(), QLocale(QLocale::German),
                                   QLocale(QLocale::Arabic), QLocale(QLocale::Hindi) }) {
        QLocale::setDefault(locale);
        for (int i = 0; i < 1000; ++i) {
            const double value = (rng.generateDouble() - 0.5) * std::pow(10.0, rng.bounded(12));
            const int precision = rng.bounded(-2, 7);
            const QString expected = QStringLiteral("%L1").arg(value, 0, 'f', precision);
            QCOMPARE(math.getdBmToUnit("dBm", value, false, precision), expected);
            QCOMPARE(math.getdBmToUnitChart("x", value, precision), expected);
        }
        QCOMPARE(math.getFormattedValue(qQNaN(), 2), QStringLiteral("%L1").arg(qQNaN(), 0, 'f', 2));
    }
}

// The widths and elided texts are those of the interface font's metrics.
void TestHMath::textMetrics()
{
    HMath math;
    QFont font("Noto Sans UI");
    for (int size : { 8, 22, 40 }) {
        font.setPixelSize(size);
        for (const QString text : { "0.22 mV", "Signal power upper limit WWWW iiii", "" }) {
            font.setWeight(50);
            QCOMPARE(math.getStringWidth(size, text), QFontMetrics(font).horizontalAdvance(text));
            QCOMPARE(math.getStringWidth(size, text, false), math.getStringWidth(size, text));
            font.setWeight(75);
            QCOMPARE(math.getStringWidth(size, text, true),
                     QFontMetrics(font).horizontalAdvance(text));
        }
    }
    font.setPixelSize(14);
    font.setWeight(50);
    const QFontMetrics metrics(font);
    const QString text = "Signal power upper limit of the demodulator";
    const int full = metrics.horizontalAdvance(text);
    for (int width : { std::numeric_limits<int>::min(), 2, full / 2, full + 1, full + 2 }) {
        const QString elided = math.getTextEllipsis(14, width, text); // two pixels of air
        QCOMPARE(elided, metrics.elidedText(text, Qt::ElideRight, qMax(2, width) - 2));
        QCOMPARE(elided == text, width >= full + 2);
    }
    QCOMPARE(math.getTextEllipsis(14, std::numeric_limits<int>::max(), text), text);
}

QTEST_MAIN(TestHMath)
#include "tst_hmath.moc"
