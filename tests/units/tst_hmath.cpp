#include "hmath.h"

#include "testrows.h"
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QSignalSpy>

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const QString micro = QString(QChar(0x00B5));
const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double infinity = std::numeric_limits<double>::infinity();

// Volts and watts of a level in dBm at 50 ohms.
double voltsOf(double dBm)
{
    return std::sqrt(std::pow(10.0, dBm / 10.0) * 0.001 * 50.0);
}

double wattsOf(double dBm)
{
    return std::pow(10.0, (dBm - 30.0) / 10.0);
}

} // namespace

class TestHMath : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void unitTodBm_data();
    void unitTodBm();
    void unitTodBmExactHundred();
    void mathRoundOffCutsTowardZero();
    void fieldTodBm_data();
    void fieldTodBm();
    void fieldRoundTrip_data();
    void fieldRoundTrip();

    void dBmToUnit_data();
    void dBmToUnit();
    void dBmToUnitUsesDefaultLocale();
    void localeTextsMatchTemplate();
    void voltPrefixAcrossLevels();
    void wattPrefixAcrossLevels();
    void prefixSearchMatchesPlainScan();
    void dBmToUnitChart_data();
    void dBmToUnitChart();
    void dBmToW_data();
    void dBmToW();

    void dBmToField_data();
    void dBmToField();
    void dBmToFieldChart_data();
    void dBmToFieldChart();
    void prefixFormatter_data();
    void prefixFormatter();
    void prefixFormatterAcrossMagnitudes();
    void prefixFormatterSinglePrecision();
    void prefixFormatterZeroLeavesUnit();

    void convertValUnit_data();
    void convertValUnit();
    void getUnit_data();
    void getUnit();
    void shouldReturnZero_data();
    void shouldReturnZero();
    void formattedValue_data();
    void formattedValue();

    void setUnitAlwaysEmits();
    void conversionsSetUnitOrLeaveIt();
    void textMetrics_data();
    void textMetrics();
    void ellipsis();
};

void TestHMath::unitTodBm_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    addRow("dBm unchanged", "dBm", 12.34567, 12.34567);
    addRow("dBV cut not rounded", "dBV", 86.9996, 100.009);
    addRow("dBV near 87", "dBV", 86.9, 99.91);
    addRow("dBmV", "dBmV", 0.0, -46.989);
    addRow("dBuV", "dBuV", 0.0, -106.989);
    addRow("dBuV positive", "dBuV", 200.0, 93.010);
    addRow("mV", "mV", 1000.0, 13.01);
    addRow("V", "V", 1.0, 13.01);
    addRow("micro V", (micro + "V"), 1.0, -106.989);
    addRow("nV", "nV", 1000.0, -106.989);
    addRow("pV", "pV", 1e6, -106.989);
    addRow("mW", "mW", 1.0, 0.0);
    addRow("W", "W", 1.0, 30.0);
    addRow("micro W", (micro + "W"), 2.0, -26.989);
    addRow("nW", "nW", 1.0, -60.0);
    addRow("pW", "pW", 1.0, -90.0);
    addRow("zero volts saturate", "mV", 0.0, -2147483.648);
    addRow("negative volts", "mV", -1.0, 0.0);
    addRow("NaN", "dBV", notANumber, 0.0);
    addRow("huge saturates", "dBV", 1e12, 2147483.647);
    addRow("kW unknown", "kW", 1.0, -99999999.9);
    addRow("ASCII uV is no voltage", "uV", 1.0, -99999999.9);
    addRow("case matters", "dbm", 1.0, -99999999.9);
    addRow("empty", "", 1.0, -99999999.9);
}

void TestHMath::unitTodBm()
{
    QFETCH(QString, unit);
    QFETCH(double, value);
    QFETCH(double, expected);
    HMath math;
    QSignalSpy spy(&math, &HMath::unitChanged);
    const double result = math.getUnitTodBm(unit, value);
    QVERIFY2(std::fabs(result - expected) <= 1e-9 * qMax(1.0, std::fabs(expected)),
             qPrintable(QString::number(result, 'g', 17)));
    QCOMPARE(spy.count(), 0);
}

void TestHMath::unitTodBmExactHundred()
{
    HMath math;
    QCOMPARE(math.getUnitTodBm("dBV", 87.0), 100.0);
    QCOMPARE(math.getUnitTodBm("dBmV", 147.0), 100.0);
    QCOMPARE(math.getUnitTodBm("dBuV", 207.0), 100.0);
    // Repeated multiplication by 0.1 is what the pages have always shown.
    QCOMPARE(QString::number(math.getUnitTodBm("dBV", 86.9), 'g', 17),
             QString("99.910000000000011"));
}

void TestHMath::mathRoundOffCutsTowardZero()
{
    HMath math;
    QRandomGenerator rng(7);
    for (int i = 0; i < 20000; ++i) {
        const double value = (rng.generateDouble() - 0.5) * 2e6;
        const double cut = math.mathRoundOff(value, 3);
        QVERIFY(std::fabs(cut) <= std::fabs(value) + 1e-9);
        QVERIFY2(std::fabs(value - cut) < 0.001 + 1e-9, qPrintable(QString::number(value)));
        QVERIFY(cut == 0 || (cut > 0) == (value > 0));
    }
    QCOMPARE(math.mathRoundOff(-2.9, 0), -2.0);
    QCOMPARE(math.mathRoundOff(3e10, 0), 2147483647.0);
    QCOMPARE(math.mathRoundOff(-infinity, 0), -2147483648.0);
    QCOMPARE(math.mathRoundOff(notANumber, 2), 0.0);
    // Saturated on the way up, underflowed on the way down: 0, and promptly.
    QVERIFY(math.mathRoundOff(1.5, 400) == 0.0);
    QVERIFY(math.mathRoundOff(-1.5, std::numeric_limits<int>::max()) == 0.0);
}

void TestHMath::fieldTodBm_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    // At 100 MHz and 0 dB gain, 20 log10(fCenter) = 40.
    addRow("dBuV/m", "dBuV/m", 67.2, -50.0);
    addRow("dBmV/m", "dBmV/m", 7.2, -50.0);
    addRow("dBV/m", "dBV/m", -52.8, -50.0);
    addRow("V/m", "V/m", 1.0, 2.8);
    addRow("mV/m", "mV/m", 1000.0, 2.8);
    addRow("uV/m", "uV/m", 1e6, 2.8);
    addRow("nV/m", "nV/m", 1e9, 2.8);
    addRow("pV/m", "pV/m", 1e12, 2.8);
    addRow("W/m^2", "W/m^2", 1.0, 2.8 + 10 * std::log10(376.99111843077515));
    addRow("mW/m^2", "mW/m^2", 1000.0, 2.8 + 10 * std::log10(376.99111843077515));
    addRow("dBm/m^2", "dBm/m^2", 0.0, 38.56331118741759 - 40);
    addRow("dBW/m^2", "dBW/m^2", 0.0, 28.56);
    addRow("A/m", "A/m", 1e-6, -77.2 - 40 + 20 * std::log10(377.0));
    addRow("dBA/m", "dBA/m", 0.0, 54.33);
    addRow("w/cm^2", "w/cm^2", 1.0, 2.8 + 10 * std::log10(3769911.1843077512));
    addRow("negative field clamps to zero", "V/m", -1.0, -infinity);
    addRow("NaN field clamps to zero", "mV/m", notANumber, -infinity);
    addRow("case matters", "V/M", 1.0, -99999999999.9);
    addRow("W/cm^2 is not w/cm^2", "W/cm^2", 1.0, -99999999999.9);
    addRow("empty", "", 1.0, -99999999999.9);
}

void TestHMath::fieldTodBm()
{
    QFETCH(QString, unit);
    QFETCH(double, value);
    QFETCH(double, expected);
    HMath math;
    const double result = math.getFieldTodBm(unit, value, 100.0, 0.0);
    if (std::isinf(expected))
        QCOMPARE(result, expected);
    else
        QVERIFY2(std::fabs(result - expected) < 1e-9, qPrintable(QString::number(result)));
}

void TestHMath::fieldRoundTrip_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("linear");
    for (const char *unit : { "dBuV/m", "dBmV/m", "dBV/m", "dBm/m^2", "dBW/m^2", "dBA/m" })
        addRow(unit, QString(unit), false);
    for (const char *unit : { "V/m", "W/m^2", "A/m", "w/cm^2" })
        addRow(unit, QString(unit), true);
}

// The two directions must agree for every unit, centre frequency and gain: a wrong constant or
// a wrong prefix scale shows up as an offset.
void TestHMath::fieldRoundTrip()
{
    QFETCH(QString, unit);
    QFETCH(bool, linear);
    static const QHash<QString, double> scale
        = { { "", 1.0 },    { "k", 1e3 },   { "M", 1e6 },   { "G", 1e9 },
            { "m", 1e-3 },  { "u", 1e-6 },  { "n", 1e-9 },  { "p", 1e-12 },
            { "f", 1e-15 }, { "a", 1e-18 }, { "z", 1e-21 }, { "y", 1e-24 } };
    HMath math;
    for (double center : { 1.5, 100.0, 2400.0 }) {
        for (double gain : { -3.0, 0.0, 12.5 }) {
            for (double dBm = -140.0; dBm <= 30.0; dBm += 7.3) {
                const QString text = math.getdBmToField(unit, dBm, center, gain, false);
                double back;
                if (linear) {
                    const QStringList parts = text.split(' ');
                    QCOMPARE(parts.size(), 2);
                    QVERIFY2(scale.contains(parts.at(1)), qPrintable(text));
                    const double shown = parts.at(0).toDouble() * scale.value(parts.at(1));
                    back = math.getFieldTodBm(unit, shown, center, gain);
                    // Two decimals on a number of at least 0.01 (or 1 for the widest prefixes).
                    const double shownDigits = parts.at(0).toDouble();
                    const double tolerance
                        = 20 * std::log10(shownDigits / (shownDigits - 0.0051)) + 0.01;
                    QVERIFY2(std::fabs(back - dBm) <= tolerance,
                             qPrintable(QString("%1 %2 -> %3").arg(dBm).arg(text).arg(back)));
                } else {
                    back = math.getFieldTodBm(unit, text.toDouble(), center, gain);
                    QVERIFY2(std::fabs(back - dBm) <= 0.0051,
                             qPrintable(QString("%1 %2 -> %3").arg(dBm).arg(text).arg(back)));
                }
                QCOMPARE(math.unit(), unit);
            }
        }
    }
}

void TestHMath::dBmToUnit_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("dBm");
    QTest::addColumn<bool>("withUnit");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("expectedUnit");

    addRow("0 dBm in V", "V", 0.0, true, 1, "0.22 V", "V");
    addRow("-60 dBm in mV", "V", -60.0, true, 1, "0.22 mV", "mV");
    addRow("-100 dBm in micro V", "V", -100.0, true, 1, "2.24 " + micro + "V", micro + "V");
    addRow("-200 dBm in nV", "V", -200.0, false, 1, "0.02", "nV");
    addRow("-230 dBm in pV", "V", -230.0, true, 1, "0.71 pV", "pV");
    addRow("-280 dBm in fV", "V", -280.0, true, 1, "2.24 fV", "fV");
    addRow("too small for fV", "V", -400.0, true, 1, "0.00 V", "V");
    addRow("above 100 V stays in volts", "V", 70.0, true, 1, "707.11 V", "V");
    addRow("0 dBm in mW", "W", 0.0, true, 1, "1.00 mW", "mW");
    addRow("-100 dBm in pW", "W", -100.0, true, 1, "0.10 pW", "pW");
    addRow("-210 dBm in yW", "W", -210.0, true, 1, "1.00 yW", "yW");
    addRow("too small for yW", "W", -250.0, true, 1, "0.00 W", "W");
    addRow("1 kW stays in watts", "W", 60.0, true, 1, "1000.00 W", "W");
    addRow("1 MW stays in watts", "W", 90.0, false, 1, "1000000.00", "W");
    addRow("NaN in V", "V", notANumber, true, 1, "nan V", "V");
    addRow("inf in W", "W", infinity, true, 1, "inf W", "W");
    addRow("dBm", "dBm", -12.25, true, 1, "-12.3 dBm", "dBm");
    addRow("dBV", "dBV", 0.0, true, 2, "-13.01 dBV", "dBV");
    addRow("dBmV", "dBmV", 0.0, false, 3, "46.990", "dBmV");
    addRow("dBuV grouped", "dBuV", 1000.0, true, 0, "1,107 dBuV", "dBuV");
    addRow("negative precision", "dBm", 3.6, false, -2, "4", "dBm");
    addRow("unknown is dBm", "dBW", -12.25, true, 1, "-12.3 dBm", "dBm");
    addRow("empty is dBm", "", 1.0, true, 0, "1 dBm", "dBm");
}

void TestHMath::dBmToUnit()
{
    QFETCH(QString, unit);
    QFETCH(double, dBm);
    QFETCH(bool, withUnit);
    QFETCH(int, precision);
    QFETCH(QString, expected);
    QFETCH(QString, expectedUnit);
    HMath math;
    QSignalSpy spy(&math, &HMath::unitChanged);
    QCOMPARE(math.getdBmToUnit(unit, dBm, withUnit, precision), expected);
    QCOMPARE(math.unit(), expectedUnit);
    QCOMPARE(spy.count(), 1);
}

void TestHMath::dBmToUnitUsesDefaultLocale()
{
    HMath math;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(math.getdBmToUnit("dBm", 1234.56, true, 1), QString("1.234,6 dBm"));
    QCOMPARE(math.getdBmToUnitChart("xyz", 1234.56, 2), QString("1.234,56"));
    QCOMPARE(math.getFormattedValue(-1234.5678, 2), QString("-1.234,57"));
    // Fixed notation elsewhere is always the C locale's.
    QCOMPARE(math.getdBmToUnit("V", 40.0, true), QString("22.36 V"));
    QCOMPARE(math.getdBmToField("dBuV/m", 2000.0, 100.0, 0.0, false), QString("2117.20"));
    QCOMPARE(math.convertValUnit(1234.5), QString("1234.50 dBm"));
}

// The locale-formatted numbers are the texts of the template "%L1" in every locale.
void TestHMath::localeTextsMatchTemplate()
{
    HMath math;
    QRandomGenerator rng(5);
    for (const QLocale &locale :
         { QLocale::system(), QLocale(QLocale::German), QLocale(QLocale::French),
           QLocale(QLocale::Arabic), QLocale(QLocale::Hindi), QLocale::c() }) {
        QLocale::setDefault(locale);
        for (int i = 0; i < 2000; ++i) {
            const double value = (rng.generateDouble() - 0.5) * std::pow(10.0, rng.bounded(12));
            const int precision = rng.bounded(-1, 7);
            const QString expected = QStringLiteral("%L1").arg(value, 0, 'f', qMax(0, precision));
            QCOMPARE(math.getdBmToUnit("dBm", value, false, precision), expected);
            QCOMPARE(math.getdBmToUnitChart("x", value, precision), expected);
        }
        QCOMPARE(math.getFormattedValue(notANumber, 2),
                 QStringLiteral("%L1").arg(notANumber, 0, 'f', 2));
    }
}

// Every level from far below to far above the range: the unit is the largest in which the
// number reaches 0.01 V (or 0.01 of the unit for power), the number is the true value in that
// unit, the text ends with the unit that `unit` reports, and the shown values rise with the level.
void TestHMath::voltPrefixAcrossLevels()
{
    static const QList<QPair<QString, double>> units = {
        { "V", 1.0 },   { "mV", 1e-3 },  { micro + "V", 1e-6 },
        { "nV", 1e-9 }, { "pV", 1e-12 }, { "fV", 1e-15 },
    };
    HMath math;
    double previous = -1;
    for (int step = -2900; step <= 700; ++step) {
        const double dBm = step / 10.0;
        const QString text = math.getdBmToUnit("V", dBm, true);
        const int blank = text.indexOf(' ');
        const double number = text.left(blank).toDouble();
        const QString unitText = text.mid(blank + 1);
        QCOMPARE(unitText, math.unit());
        double factor = 0;
        for (const auto &u : units) {
            if (u.first == unitText)
                factor = u.second;
        }
        QVERIFY2(factor > 0, qPrintable(text));
        const double expected = voltsOf(dBm) / factor;
        QVERIFY2(std::fabs(number - expected) <= 0.005 + 1e-9 * expected, qPrintable(text));
        if (unitText != "fV" && voltsOf(dBm) < 0.01 * 0.999)
            QVERIFY2(expected < 10.0 * 1.0001, qPrintable(text)); // a larger unit would fit
        if (unitText != "V")
            QVERIFY2(expected >= 0.01 * 0.9999, qPrintable(text));
        const double shownVolts = number * factor;
        QVERIFY2(shownVolts >= previous * 0.9999, qPrintable(text));
        previous = shownVolts;
    }
}

void TestHMath::wattPrefixAcrossLevels()
{
    static const QList<QPair<QString, double>> units = {
        { "W", 1.0 },    { "mW", 1e-3 },  { micro + "W", 1e-6 }, { "nW", 1e-9 },  { "pW", 1e-12 },
        { "fW", 1e-15 }, { "aW", 1e-18 }, { "zW", 1e-21 },       { "yW", 1e-24 },
    };
    HMath math;
    double previous = -1;
    for (int step = -2600; step <= 900; ++step) {
        const double dBm = step / 10.0;
        const QString text = math.getdBmToUnit("W", dBm, true);
        const int blank = text.indexOf(' ');
        const double number = text.left(blank).toDouble();
        const QString unitText = text.mid(blank + 1);
        QCOMPARE(unitText, math.unit());
        double factor = 0;
        for (const auto &u : units) {
            if (u.first == unitText)
                factor = u.second;
        }
        QVERIFY2(factor > 0, qPrintable(text));
        const double expected = wattsOf(dBm) / factor;
        QVERIFY2(std::fabs(number - expected) <= 0.005 + 1e-9 * expected, qPrintable(text));
        if (unitText != "yW" && unitText != "W")
            QVERIFY2(expected < 10.0 * 1.0001, qPrintable(text));
        if (unitText != "W")
            QVERIFY2(expected >= 0.01 * 0.9999, qPrintable(text));
        const double shownWatts = number * factor;
        QVERIFY2(shownWatts >= previous * 0.9999, qPrintable(text));
        previous = shownWatts;
    }
}

// The prefix search takes a short cut; its answers must be those of trying every prefix from
// the largest down, at every level including those right at the thresholds.
void TestHMath::prefixSearchMatchesPlainScan()
{
    const auto plain = [](double dBm, bool power) {
        const QStringList names = power
            ? QStringList { "mW", micro + "W", "nW", "pW", "fW", "aW", "zW", "yW" }
            : QStringList { "mV", micro + "V", "nV", "pV", "fV" };
        const double t = power ? (dBm - 30.0) * 0.1 : (dBm + 46.9897) * 0.05;
        const double base = std::exp(t * 2.302585092994046);
        const double limit = power ? 0.01 : 10.0;
        if (power ? !(base < limit) : base >= limit)
            return QString::number(power ? base : base * 0.001, 'f', 2) + (power ? " W" : " V");
        for (int i = 0; i < names.size(); ++i) {
            const double scaled = std::exp((t + 3 * (i + 1)) * 2.302585092994046);
            if (scaled >= limit)
                return QString::number(power ? scaled : scaled * 0.001, 'f', 2) + " " + names.at(i);
        }
        return QString::number(power ? base : base * 0.001, 'f', 2) + (power ? " W" : " V");
    };
    HMath math;
    QList<double> levels;
    for (int step = -40000; step <= 12000; ++step)
        levels << step / 100.0;
    // Levels whose exponent lands on a threshold, and their neighbours.
    for (int k = -40; k <= 10; ++k) {
        for (double dBm : { 10.0 * k + 30.0 - 20.0, 20.0 * k - 46.9897 + 20.0 }) {
            levels << dBm << std::nextafter(dBm, -1e9) << std::nextafter(dBm, 1e9);
        }
    }
    levels << notANumber << infinity << -infinity;
    for (double dBm : qAsConst(levels)) {
        QCOMPARE(math.getdBmToUnit("V", dBm, true), plain(dBm, false));
        QCOMPARE(math.getdBmToUnit("W", dBm, true), plain(dBm, true));
    }
}

void TestHMath::dBmToUnitChart_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("dBm");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("expectedUnit");

    addRow("mW keeps prefix", "W", 0.0, 1, "1.00 m", "mW");
    addRow("W keeps blank", "W", 37.0, 1, "5.01 ", "W");
    addRow("mV", "V", -60.0, 1, "0.22 m", "mV");
    addRow("micro V", "V", -100.0, 1, "2.24 " + micro, micro + "V");
    addRow("dBV", "dBV", 0.0, 1, "-13.0", "dBV");
    addRow("dBuV", "dBuV", -50.0, 2, "56.99", "dBuV");
    addRow("unknown keeps its name", "xyz", 5.25, 1, "5.3", "xyz");
}

void TestHMath::dBmToUnitChart()
{
    QFETCH(QString, unit);
    QFETCH(double, dBm);
    QFETCH(int, precision);
    QFETCH(QString, expected);
    QFETCH(QString, expectedUnit);
    HMath math;
    QCOMPARE(math.getdBmToUnitChart(unit, dBm, precision), expected);
    QCOMPARE(math.unit(), expectedUnit);
}

void TestHMath::dBmToW_data()
{
    QTest::addColumn<double>("dBm");
    QTest::addColumn<QString>("expected");

    addRow("1 W", 30.0, "1.00 ");
    addRow("1 mW", 0.0, "1.00 m");
    addRow("0.1 uW", -40.0, "0.10 u");
    addRow("10 kW", 70.0, "10.00 k");
    addRow("1 MW", 90.0, "1.00 M");
    addRow("just below 10 mW", 9.9, "9.77 m");
    addRow("yocto", -210.0, "1.00 y");
    addRow("below yocto", -300.0, "0.00 ");
    addRow("NaN", notANumber, "nan ");
    addRow("infinity", infinity, "inf M");
}

void TestHMath::dBmToW()
{
    QFETCH(double, dBm);
    QFETCH(QString, expected);
    HMath math;
    math.setUnit("keep");
    QSignalSpy spy(&math, &HMath::unitChanged);
    QCOMPARE(math.getDBmToW(dBm), expected);
    QCOMPARE(math.unit(), QString("keep"));
    QCOMPARE(spy.count(), 0);
}

void TestHMath::dBmToField_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("dBm");
    QTest::addColumn<bool>("withUnit");
    QTest::addColumn<QString>("expected");

    addRow("dBuV/m", "dBuV/m", -50.0, true, "67.20 dBuV/m");
    addRow("dBmV/m", "dBmV/m", -50.0, false, "7.20");
    addRow("dBV/m", "dBV/m", -50.0, false, "-52.80");
    addRow("V/m", "V/m", -50.0, false, "2.29 m");
    addRow("V/m with unit", "V/m", -50.0, true, "2.29 m V/m");
    addRow("V/m no prefix", "V/m", 0.0, true, "0.72  V/m");
    addRow("V/m kilo", "V/m", 100.0, true, "72.44 k V/m");
    addRow("V/m giga", "V/m", 200.0, true, "7.2 G V/m");
    addRow("W/m^2", "W/m^2", -50.0, true, "0.01 u W/m^2");
    addRow("A/m", "A/m", -50.0, true, "6.08 u A/m");
    addRow("w/cm^2", "w/cm^2", -50.0, true, "1.39 p w/cm^2");
    addRow("dBm/m^2", "dBm/m^2", -50.0, false, "-48.56");
    addRow("dBW/m^2", "dBW/m^2", -50.0, false, "-78.56");
    addRow("dBA/m", "dBA/m", -50.0, false, "-104.33");
    addRow("unknown", "V/M", -50.0, true, "0.00 V/M");
    addRow("below yocto", "V/m", -600.0, true, "  V/m");
    addRow("NaN level", "dBuV/m", notANumber, false, "nan");
}

void TestHMath::dBmToField()
{
    QFETCH(QString, unit);
    QFETCH(double, dBm);
    QFETCH(bool, withUnit);
    QFETCH(QString, expected);
    HMath math;
    QCOMPARE(math.getdBmToField(unit, dBm, 100.0, 0.0, withUnit), expected);
    QCOMPARE(math.unit(), unit);
}

void TestHMath::dBmToFieldChart_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("expected");

    addRow("V/m", "V/m", "2.29 m ");
    addRow("A/m", "A/m", "6.08 u ");
    addRow("W/m^2", "W/m^2", "0.01 u ");
    addRow("w/cm^2", "w/cm^2", "1.39 p ");
    addRow("dBuV/m", "dBuV/m", "67.20");
    addRow("unknown", "x", "0.00");
}

void TestHMath::dBmToFieldChart()
{
    QFETCH(QString, unit);
    QFETCH(QString, expected);
    HMath math;
    QCOMPARE(math.getdBmToFieldChart(unit, -50.0, 100.0, 0.0), expected);
    QCOMPARE(math.unit(), unit);
}

void TestHMath::prefixFormatter_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    addRow("giga", 2.5e9f, "2.5 G V/m");
    addRow("mega", 1.5e6f, "1.5 M V/m");
    addRow("kilo", 1000.0f, "1.00 k V/m");
    addRow("none", 0.5f, "0.50  V/m");
    addRow("float 0.01 is below 0.01", 0.01f, "10.00 m V/m");
    addRow("milli", 0.0099f, "9.90 m V/m");
    addRow("negative", -0.5f, "-0.50  V/m");
    addRow("negative kilo", -2500.0f, "-2.50 k V/m");
    addRow("negative micro", -2.5e-6f, "-2.50 u V/m");
    addRow("nano", 3e-9f, "3.00 n V/m");
    addRow("femto", 1e-15f, "1.00 f V/m");
    addRow("smallest float", std::numeric_limits<float>::denorm_min(), "  V/m");
    addRow("infinity", std::numeric_limits<float>::infinity(), "inf G V/m");
    addRow("NaN", std::numeric_limits<float>::quiet_NaN(), "  V/m");
}

void TestHMath::prefixFormatter()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    HMath math;
    QCOMPARE(math.getFieldChangeUnit("V/m", value, true), expected);
    QCOMPARE(math.unit(), QString("V/m"));
}

// Around every threshold and across all magnitudes: the prefix is the one whose range holds the
// value (compared in double), and the number is the value in that prefix.
void TestHMath::prefixFormatterAcrossMagnitudes()
{
    struct Range
    {
        double from;
        double scale;
        const char *prefix;
        double tolerance;
    };
    static const Range ranges[] = {
        { 1e9, 1e9, "G", 0.05 },      { 1e6, 1e6, "M", 0.05 },      { 1000, 1e3, "k", 0.005 },
        { 0.01, 1, "", 0.005 },       { 1e-5, 1e-3, "m", 0.005 },   { 1e-8, 1e-6, "u", 0.005 },
        { 1e-11, 1e-9, "n", 0.005 },  { 1e-14, 1e-12, "p", 0.005 }, { 1e-17, 1e-15, "f", 0.005 },
        { 1e-20, 1e-18, "a", 0.005 }, { 1e-23, 1e-21, "z", 0.005 }, { 1e-26, 1e-24, "y", 0.005 },
    };
    QList<float> values;
    for (const Range &range : ranges) {
        const float at = float(range.from);
        values << at << std::nextafter(at, 0.0f) << std::nextafter(at, 1e30f);
    }
    QRandomGenerator rng(9);
    for (int i = 0; i < 20000; ++i)
        values << float(std::pow(10.0, -27.0 + 39.0 * rng.generateDouble()));

    HMath math;
    for (float value : qAsConst(values)) {
        for (float sign : { 1.0f, -1.0f }) {
            const QString text = math.getFieldChangeUnit("V/m", sign * value, false);
            const Range *expected = nullptr;
            for (const Range &range : ranges) {
                if (double(value) >= range.from) {
                    expected = &range;
                    break;
                }
            }
            if (!expected) {
                QCOMPARE(text, QString(" "));
                continue;
            }
            const int blank = text.indexOf(' ');
            QCOMPARE(text.mid(blank + 1), QString(expected->prefix));
            const double number = text.left(blank).toDouble();
            QVERIFY2(std::fabs(number - sign * value / expected->scale)
                         <= expected->tolerance * 1.001 + 1e-6 * std::fabs(number),
                     qPrintable(text + " for " + QString::number(double(value), 'g', 9)));
        }
    }
}

// The scaled number is narrowed to single precision before it is printed: 5.5e-5 V/m reads
// 0.055000000 mV in double (0.06) but 0.0549999997 in float (0.05).
void TestHMath::prefixFormatterSinglePrecision()
{
    HMath math;
    QCOMPARE(math.getFieldChangeUnit("V/m", 5.5e-5f, false), QString("0.05 m"));
    QCOMPARE(math.getFieldChangeUnit("V/m", -5.5e-5f, false), QString("-0.05 m"));
    QCOMPARE(QString::number(double(5.5e-5f) * 1000.0, 'f', 2), QString("0.06"));
}

void TestHMath::prefixFormatterZeroLeavesUnit()
{
    HMath math;
    math.setUnit("before");
    QSignalSpy spy(&math, &HMath::unitChanged);
    QCOMPARE(math.getFieldChangeUnit("V/m", 0.0f, true), QString());
    QCOMPARE(math.getFieldChangeUnit("V/m", -0.0f, true), QString());
    QCOMPARE(math.unit(), QString("before"));
    QCOMPARE(spy.count(), 0);
}

void TestHMath::convertValUnit_data()
{
    QTest::addColumn<QVariant>("base");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("expected");

    addRow("default two decimals", QVariant(3.14159), 2, "dBm", "3.14 dBm");
    addRow("tie rounds away", QVariant(0.125), 2, "V", "0.13 V");
    addRow("no grouping", QVariant(1234567.891), 2, "dBm", "1234567.89 dBm");
    addRow("string", QVariant("1.5"), 1, "W", "1.5 W");
    addRow("not a number", QVariant("abc"), 2, "dBm", "0.00 dBm");
    addRow("invalid", QVariant(), 0, "dBm", "0 dBm");
    addRow("negative decimals", QVariant(2.5), -3, "dBm", "3 dBm");
    addRow("empty unit", QVariant(1), 1, "", "1.0 ");
}

void TestHMath::convertValUnit()
{
    QFETCH(QVariant, base);
    QFETCH(int, decimals);
    QFETCH(QString, unit);
    QFETCH(QString, expected);
    HMath math;
    QCOMPARE(math.convertValUnit(base, decimals, unit), expected);
}

void TestHMath::getUnit_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("expected");

    addRow("rounds to zero", "dBm", QVariant(0.04), 1, "0 dBm");
    addRow("negative rounds to zero", "dBm", QVariant(-0.04), 1, "0 dBm");
    addRow("rounds up", "dBm", QVariant(0.06), 1, "0.1 dBm");
    addRow("own text", "dBm", QVariant(1.5), 0, "1.5 dBm");
    addRow("own text of an int", "V", QVariant(3), -1, "3 V");
    addRow("own text of a string", "V", QVariant("abc"), 0, "abc V");
    addRow("two decimals", "V", QVariant(-12.5), 2, "-12.50 V");
    addRow("NaN", "V", QVariant(notANumber), 2, "nan V");
}

void TestHMath::getUnit()
{
    QFETCH(QString, unit);
    QFETCH(QVariant, value);
    QFETCH(int, precision);
    QFETCH(QString, expected);
    HMath math;
    QCOMPARE(math.getUnit(unit, value, precision), expected);
}

void TestHMath::shouldReturnZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<bool>("expected");

    addRow("0.04 at 1", 0.04, 1, true);
    addRow("0.05 at 1 rounds away", 0.05, 1, false);
    addRow("-0.05 at 1", -0.05, 1, false);
    addRow("0.0049 at 2", 0.0049, 2, true);
    addRow("0.4 at 0", 0.4, 0, true);
    addRow("0.5 at 0", 0.5, 0, false);
    addRow("tens", 4.9, -1, true);
    addRow("tens away", 6.0, -1, false);
    addRow("zero", 0.0, 2, true);
    addRow("zero at huge precision", 0.0, 400, true);
    addRow("tiny at huge precision", 1e-300, 400, false);
    addRow("huge value", 1e305, 10, false);
    addRow("huge negative precision", 5.0, -400, true);
    addRow("NaN", notANumber, 2, false);
    addRow("infinity", infinity, 2, false);
}

void TestHMath::shouldReturnZero()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(bool, expected);
    HMath math;
    QCOMPARE(math.shouldReturnZero(value, precision), expected);
}

void TestHMath::formattedValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("expected");

    addRow("half away from zero", 1.25, 1, "1.3");
    addRow("negative half", -1.25, 1, "-1.3");
    addRow("grouped", 1234.5678, 2, "1,234.57");
    addRow("no decimals", 2.5, 0, "3");
    addRow("tens", 1234.0, -1, "1,230");
    addRow("huge precision keeps value", 1.5, 400, "1.5" + QString(98, '0'));
    addRow("huge value", 1e300, 10, QLocale().toString(1e300, 'f', 10));
    addRow("NaN", notANumber, 1, "nan");
}

void TestHMath::formattedValue()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, expected);
    HMath math;
    QCOMPARE(math.getFormattedValue(value, precision), expected);
}

void TestHMath::setUnitAlwaysEmits()
{
    HMath math;
    QSignalSpy spy(&math, &HMath::unitChanged);
    math.setUnit("V");
    math.setUnit("V");
    QVERIFY(math.setProperty("unit", QString("V")));
    QCOMPARE(spy.count(), 3);
    QCOMPARE(math.property("unit").toString(), QString("V"));
}

void TestHMath::conversionsSetUnitOrLeaveIt()
{
    HMath math;
    QSignalSpy spy(&math, &HMath::unitChanged);
    math.getUnitTodBm("V", 1);
    math.getFieldTodBm("V/m", 1, 100, 0);
    math.getDBmToW(0);
    math.convertValUnit(1);
    math.getUnit("V", 1, 2);
    math.getFormattedValue(1);
    math.shouldReturnZero(1, 1);
    QCOMPARE(spy.count(), 0);
    QVERIFY(math.unit().isEmpty());
    math.getdBmToUnit("dBm", 0, false);
    math.getdBmToUnitChart("W", 0);
    math.getdBmToField("V/m", 0, 100, 0, false);
    math.getdBmToFieldChart("dBA/m", 0, 100, 0);
    QCOMPARE(spy.count(), 4);
    QCOMPARE(math.unit(), QString("dBA/m"));
}

void TestHMath::textMetrics_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<QString>("text");
    for (int size : { 8, 14, 22, 40 }) {
        QTest::addRow("%d short", size) << size << "0.22 mV";
        QTest::addRow("%d long", size) << size << "Signal power upper limit WWWW iiii";
        QTest::addRow("%d empty", size) << size << "";
    }
}

void TestHMath::textMetrics()
{
    QFETCH(int, pixelSize);
    QFETCH(QString, text);
    HMath math;
    QFont font("Noto Sans UI");
    font.setPixelSize(pixelSize);
    QCOMPARE(math.getStringWidth(pixelSize, text), QFontMetrics(font).horizontalAdvance(text));
    font.setWeight(75);
    QCOMPARE(math.getStringWidth(pixelSize, text, true),
             QFontMetrics(font).horizontalAdvance(text));
    font.setWeight(50);
    QCOMPARE(math.getStringWidth(pixelSize, text, false),
             QFontMetrics(font).horizontalAdvance(text));
    if (!text.isEmpty())
        QVERIFY(math.getStringWidth(pixelSize * 2, text) > math.getStringWidth(pixelSize, text));
}

void TestHMath::ellipsis()
{
    HMath math;
    QFont font("Noto Sans UI");
    font.setPixelSize(14);
    const QFontMetrics metrics(font);
    const QString text = "Signal power upper limit of the demodulator";
    const int full = metrics.horizontalAdvance(text);
    for (int width : { 2, 10, 50, full / 2, full, full + 1, full + 2, full + 100 }) {
        const QString elided = math.getTextEllipsis(14, width, text);
        QCOMPARE(elided, metrics.elidedText(text, Qt::ElideRight, width - 2));
        if (width >= full + 2)
            QCOMPARE(elided, text);
        else
            QVERIFY2(elided != text, qPrintable(QString::number(width)));
    }
    // Wild widths stay defined.
    QCOMPARE(math.getTextEllipsis(14, std::numeric_limits<int>::min(), text),
             metrics.elidedText(text, Qt::ElideRight, 0));
    QCOMPARE(math.getTextEllipsis(14, std::numeric_limits<int>::max(), text), text);
}

QTEST_MAIN(TestHMath)
#include "tst_hmath.moc"
