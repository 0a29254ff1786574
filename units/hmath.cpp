#include "hmath.h"

#include "unitnumbers.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStringBuilder>

#include <cmath>
#include <limits>

using namespace UnitNumbers;

namespace {

constexpr double DbvOffset = 13.0103;
constexpr double DbmvOffset = 46.9897;
constexpr double DbuvOffset = 106.9897;
constexpr double Ln10By20 = 0.1151292546497023;
constexpr double Ln10By10 = 0.2302585092994046;
constexpr double FreeSpaceImpedance = 376.99111843077515;
constexpr double FreeSpaceAdmittance = 0.0026525823848649226;
constexpr double AmpereToMicroVolt = 3.77e8;
constexpr double MicroVoltToAmpere = 2.652519893899204e-09;
constexpr double WattPerCm2ToVolt2 = 3769911.1843077512;
constexpr double Volt2ToWattPerCm2 = 2.6525823848649226e-07;
constexpr double UnknownUnitLevel = -99999999.9;
constexpr double UnknownFieldLevel = -99999999999.9;

// The units below volts and watts, in steps of 10^3, built when the library loads. The micro
// sign U+00B5 is part of the voltage and power unit names.
const QString voltSubmultiples[]
    = { QStringLiteral("mV"), QStringLiteral(u"\u00B5V"), QStringLiteral("nV"),
        QStringLiteral("pV"), QStringLiteral("fV") };
const QString wattSubmultiples[]
    = { QStringLiteral("mW"), QStringLiteral(u"\u00B5W"), QStringLiteral("nW"),
        QStringLiteral("pW"), QStringLiteral("fW"),       QStringLiteral("aW"),
        QStringLiteral("zW"), QStringLiteral("yW") };

// 1 to 4 for the prefixes m, micro, n and p (micro spelt as `micro`), -1 for any other letter.
int submultipleIndex(QChar prefix, QChar micro)
{
    if (prefix == QLatin1Char('m'))
        return 1;
    if (prefix == micro)
        return 2;
    if (prefix == QLatin1Char('n'))
        return 3;
    return prefix == QLatin1Char('p') ? 4 : -1;
}

// Index of `unit` in the five-entry family V, mV, µV, nV, pV (or W, mW, ...), -1 if absent.
int linearIndex(const QString &unit, QChar base)
{
    if (unit.isEmpty() || unit.at(unit.size() - 1) != base || unit.size() > 2)
        return -1;
    if (unit.size() == 1)
        return 0;
    return submultipleIndex(unit.at(0), QChar(0x00B5));
}

// Index in V/m, mV/m, uV/m, nV/m, pV/m (suffix "V/m") or the W/m^2 family, -1 if absent.
int fieldIndex(const QString &unit, const QString &suffix)
{
    if (!unit.endsWith(suffix))
        return -1;
    const int extra = unit.size() - suffix.size();
    if (extra == 0)
        return 0;
    if (extra != 1)
        return -1;
    return submultipleIndex(unit.at(0), QLatin1Char('u'));
}

// The first step i in [0, count) at which 10^(t + 3(i + 1)) reaches `limit` (whose logarithm is
// `log10Limit`), or -1; the power of that step goes to `scaled`. The answer is that of trying
// i = 0, 1, 2, ... in turn, but the search starts at the step that the logarithm points to and
// looks at its neighbour, so it costs two exp() calls instead of up to `count`. The condition only
// turns from false to true as i grows (each step is a factor of 1000), so the neighbour settles it.
int firstPrefixStep(double t, double limit, double log10Limit, int count, double *scaled)
{
    const auto reaches = [&](int i) {
        *scaled = powerOfTen(t + 3 * (i + 1));
        return *scaled >= limit;
    };
    int start = 0;
    const double estimate = std::ceil((log10Limit - t) / 3.0) - 1.0;
    if (estimate > 0 && estimate < count) {
        start = int(estimate);
        if (reaches(start - 1))
            start = 0; // the estimate was high: scan from the beginning
    }
    for (int i = start; i < count; ++i) {
        if (reaches(i))
            return i;
    }
    return -1;
}

QString withBlank(const QString &text, const QString &unit)
{
    return text % QLatin1Char(' ') % unit;
}

// `text` without its last `count` characters; empty when it is shorter.
QString withoutTail(QString text, int count)
{
    text.chop(count);
    return text;
}

QFont interfaceFont(int pixelSize)
{
    QFont font(QStringLiteral("Noto Sans UI"));
    font.setPixelSize(pixelSize);
    return font;
}

// Fonts need a GUI application; without one the metrics are not available.
bool fontsAvailable()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

HMath::HMath(QObject *parent)
    : QObject(parent)
{
}

HMath::~HMath() = default;

QString HMath::unit() const
{
    return m_unit;
}

void HMath::setUnit(const QString &val)
{
    m_unit = val;
    Q_EMIT unitChanged();
}

double HMath::mathRoundOff(double value, int digits) const
{
    if (digits == 0)
        return double(truncateToInt(value));
    // Past a few hundred steps any value has saturated on the way up and underflowed to 0 on
    // the way down, so more steps change nothing; the bound keeps a wild count from stalling.
    digits = qMin(digits, 400);
    // Repeated multiplication, not one division: the results (99.91000000000001) are the ones
    // the pages have always shown.
    for (int i = 0; i < digits; ++i)
        value *= 10.0;
    double result = truncateToInt(value);
    for (int i = 0; i < digits; ++i)
        result *= 0.1;
    return result;
}

double HMath::getUnitTodBm(const QString &sUnit, double fVal) const
{
    if (sUnit == QLatin1String("dBm"))
        return fVal;
    if (sUnit == QLatin1String("dBV"))
        return fVal == 87.0 ? 100.0 : mathRoundOff(fVal + DbvOffset, 3);
    if (sUnit == QLatin1String("dBmV"))
        return fVal == 147.0 ? 100.0 : mathRoundOff(fVal - DbmvOffset, 3);
    if (sUnit == QLatin1String("dBuV"))
        return fVal == 207.0 ? 100.0 : mathRoundOff(fVal - DbuvOffset, 3);
    if (linearIndex(sUnit, QLatin1Char('V')) >= 0)
        return getVoltTodBm(sUnit, fVal);
    if (linearIndex(sUnit, QLatin1Char('W')) >= 0)
        return getWattTodBm(sUnit, fVal);
    return UnknownUnitLevel;
}

double HMath::getVoltTodBm(const QString &sUnit, double fVal) const
{
    static constexpr double toMilliVolt[] = { 1000.0, 1.0, 0.001, 1e-6, 1e-9 };
    const int index = linearIndex(sUnit, QLatin1Char('V'));
    if (index < 0)
        return UnknownUnitLevel;
    const double milliVolt = fVal * toMilliVolt[index];
    return mathRoundOff(20.0 * std::log10(milliVolt) - DbmvOffset, 3);
}

double HMath::getWattTodBm(const QString &sUnit, double fVal) const
{
    static constexpr double toWatt[] = { 1.0, 0.001, 1e-6, 1e-9, 1e-12 };
    const int index = linearIndex(sUnit, QLatin1Char('W'));
    if (index < 0)
        return UnknownUnitLevel;
    const double watt = fVal * toWatt[index];
    return mathRoundOff(10.0 * std::log10(watt) + 30.0, 3);
}

static constexpr double fieldFactors[] = { 1.0, 0.001, 1e-6, 1e-9, 1e-12 };

double HMath::getVoltmtodBm(const QString &sUnit, double fVal) const
{
    const int index = fieldIndex(sUnit, QStringLiteral("V/m"));
    const double e = index < 0 ? 0.0 : fVal * fieldFactors[index];
    // Negative field strengths (and NaN) have no level; they count as 0.
    return e >= 0.0 ? e : 0.0;
}

double HMath::getWattmmTodBm(const QString &sUnit, double fVal) const
{
    const int index = fieldIndex(sUnit, QStringLiteral("W/m^2"));
    const double s = index < 0 ? 0.0 : fVal * fieldFactors[index];
    return s >= 0.0 ? s : 0.0;
}

double HMath::getFieldTodBm(const QString &sUnit, double fVal, double fCenter, double fGain) const
{
    const double a = 20.0 * std::log10(fCenter);
    if (sUnit == QLatin1String("dBuV/m"))
        return fVal - 77.2 + fGain - a;
    if (sUnit == QLatin1String("dBmV/m"))
        return fVal - 17.2 + fGain - a;
    if (sUnit == QLatin1String("dBV/m"))
        return fVal + 42.8 + fGain - a;
    if (fieldIndex(sUnit, QStringLiteral("V/m")) >= 0)
        return fGain + 42.8 - a + 20.0 * std::log10(getVoltmtodBm(sUnit, fVal));
    if (fieldIndex(sUnit, QStringLiteral("W/m^2")) >= 0)
        return fGain + 42.8 - a
            + 10.0 * std::log10(getWattmmTodBm(sUnit, fVal) * FreeSpaceImpedance);
    if (sUnit == QLatin1String("dBm/m^2"))
        return fVal + 38.56331118741759 + fGain - a;
    if (sUnit == QLatin1String("dBW/m^2"))
        return fVal + 68.56 + fGain - a;
    if (sUnit == QLatin1String("A/m"))
        return fGain - 77.2 - a + 20.0 * std::log10(fVal * AmpereToMicroVolt);
    if (sUnit == QLatin1String("dBA/m"))
        return fVal + 94.33 + fGain - a;
    if (sUnit == QLatin1String("w/cm^2"))
        return fGain + 42.8 - a + 10.0 * std::log10(fVal * WattPerCm2ToVolt2);
    return UnknownFieldLevel;
}

QString HMath::getdBmToVolt(double dBm, bool withUnit)
{
    const double t = (dBm + DbmvOffset) * 0.05; // log10 of the level in mV
    const double milliVolt = powerOfTen(t);
    // Levels of 10 mV and more, and levels too small for any prefix, are shown in volts. Above
    // 100 V the number stays the true value in volts.
    double number = milliVolt * 0.001;
    QString unitText = QStringLiteral("V");
    if (!(milliVolt >= 10.0)) {
        double scaled;
        const int i = firstPrefixStep(t, 10.0, 1.0, 5, &scaled);
        if (i >= 0) {
            number = scaled * 0.001;
            unitText = voltSubmultiples[i];
        }
    }
    setUnit(unitText);
    const QString text = fixed(number, 2);
    return withUnit ? withBlank(text, unitText) : text;
}

QString HMath::getdBmToWatt(double dBm, bool withUnit)
{
    const double t = (dBm - 30.0) * 0.1;
    const double watt = powerOfTen(t);
    // At 1 kW and above the number stays the true value in watts.
    double number = watt;
    QString unitText = QStringLiteral("W");
    if (watt < 0.01) {
        double scaled;
        const int i = firstPrefixStep(t, 0.01, -2.0, 8, &scaled);
        if (i >= 0) {
            number = scaled;
            unitText = wattSubmultiples[i];
        }
    }
    setUnit(unitText);
    const QString text = fixed(number, 2);
    return withUnit ? withBlank(text, unitText) : text;
}

QString HMath::getdBmToUnit(const QString &sUnit, double fVal, bool isUnitText, int precision)
{
    double number;
    if (sUnit == QLatin1String("dBm"))
        number = fVal;
    else if (sUnit == QLatin1String("dBV"))
        number = fVal - DbvOffset;
    else if (sUnit == QLatin1String("dBmV"))
        number = fVal + DbmvOffset;
    else if (sUnit == QLatin1String("dBuV"))
        number = fVal + DbuvOffset;
    else if (sUnit == QLatin1String("V"))
        return getdBmToVolt(fVal, isUnitText);
    else if (sUnit == QLatin1String("W"))
        return getdBmToWatt(fVal, isUnitText);
    else {
        // Anything else is shown as the plain level.
        setUnit(QStringLiteral("dBm"));
        const QString text = localeFixed(fVal, precision);
        return isUnitText ? withBlank(text, QStringLiteral("dBm")) : text;
    }
    setUnit(sUnit);
    const QString text = localeFixed(number, precision);
    return isUnitText ? withBlank(text, sUnit) : text;
}

QString HMath::getdBmToUnitChart(const QString &sUnit, double fVal, int precision)
{
    if (sUnit == QLatin1String("dBm") || sUnit == QLatin1String("dBV")
        || sUnit == QLatin1String("dBmV") || sUnit == QLatin1String("dBuV"))
        return getdBmToUnit(sUnit, fVal, false, precision);
    // The chart shows the prefix but not the unit letter.
    if (sUnit == QLatin1String("W"))
        return withoutTail(getdBmToWatt(fVal, true), 1);
    if (sUnit == QLatin1String("V"))
        return withoutTail(getdBmToVolt(fVal, true), 1);
    setUnit(sUnit);
    return localeFixed(fVal, precision);
}

QString HMath::getDBmToW(double fTemp) const
{
    static const char prefixes[] = "munpfazy";
    const double watt = powerOfTen((fTemp - 30.0) * 0.1);
    if (watt >= 0.01) {
        if (watt >= 1e6)
            return fixed(watt * 1e-6, 2) % QLatin1String(" M");
        if (watt >= 1000.0)
            return fixed(watt * 0.001, 2) % QLatin1String(" k");
        return fixed(watt, 2) % QLatin1Char(' ');
    }
    double factor = 1.0;
    for (int i = 0; i < 8; ++i) {
        factor *= 1000.0;
        const double scaled = watt * factor;
        if (scaled >= 0.01)
            return fixed(scaled, 2) % QLatin1Char(' ') % QLatin1Char(prefixes[i]);
    }
    return fixed(watt, 2) % QLatin1Char(' ');
}

QString HMath::getFieldChangeUnit(const QString &unitText, float value, bool withUnit)
{
    const float sign = value < 0 ? -1.0f : 1.0f;
    const float v = std::fabs(value);
    if (v == 0.0f)
        return QString();

    QString number;
    const char *prefix = "";
    if (double(v) >= 0.01) {
        int decimals = 2;
        double factor = 1.0;
        if (v >= 1e9) {
            factor = 1e-9;
            prefix = "G";
            decimals = 1;
        } else if (v >= 1e6) {
            factor = 1e-6;
            prefix = "M";
            decimals = 1;
        } else if (v >= 1000.0) {
            factor = 0.001;
            prefix = "k";
        }
        const float scaled = v * float(sign * factor);
        number = fixed(scaled, decimals);
    } else {
        static constexpr struct
        {
            double threshold;
            double factor;
            const char *prefix;
        } steps[] = { { 1e-5, 1000.0, "m" }, { 1e-8, 1e6, "u" },   { 1e-11, 1e9, "n" },
                      { 1e-14, 1e12, "p" },  { 1e-17, 1e15, "f" }, { 1e-20, 1e18, "a" },
                      { 1e-23, 1e21, "z" },  { 1e-26, 1e24, "y" } };
        const double d = v;
        for (const auto &step : steps) {
            if (d >= step.threshold) {
                const float scaled = float(d * step.factor) * sign;
                number = fixed(scaled, 2);
                prefix = step.prefix;
                break;
            }
        }
    }
    setUnit(unitText);
    if (withUnit)
        return number % QLatin1Char(' ') % QLatin1String(prefix) % QLatin1Char(' ') % unitText;
    return number % QLatin1Char(' ') % QLatin1String(prefix);
}

QString HMath::fieldText(const QString &sUnit, double fVal, double fCenter, double fGain,
                         bool isUnitText, bool forChart)
{
    const double k = 20.0 * std::log10(fCenter) - fGain - 29.8;
    const double level = fVal - 13.0 + k; // dBV/m
    double linear = 0.0;
    bool isLinear = true;
    double number = 0.0;
    if (sUnit == QLatin1String("dBuV/m")) {
        number = fVal + 107.0 + k;
        isLinear = false;
    } else if (sUnit == QLatin1String("dBmV/m")) {
        number = fVal + 47.0 + k;
        isLinear = false;
    } else if (sUnit == QLatin1String("dBV/m")) {
        number = level;
        isLinear = false;
    } else if (sUnit == QLatin1String("V/m")) {
        linear = std::exp(level * Ln10By20);
    } else if (sUnit == QLatin1String("W/m^2")) {
        linear = std::exp(level * Ln10By10) * FreeSpaceAdmittance;
    } else if (sUnit == QLatin1String("dBm/m^2")) {
        number = 10.0 * std::log10(std::exp(level * Ln10By10) * FreeSpaceAdmittance) + 30.0;
        isLinear = false;
    } else if (sUnit == QLatin1String("dBW/m^2")) {
        number = fVal - 38.76 + k;
        isLinear = false;
    } else if (sUnit == QLatin1String("A/m")) {
        linear = std::exp((fVal + 107.0 + k) * Ln10By20) * MicroVoltToAmpere;
    } else if (sUnit == QLatin1String("dBA/m")) {
        number = fVal - 64.53 + k;
        isLinear = false;
    } else if (sUnit == QLatin1String("w/cm^2")) {
        linear = std::exp(level * Ln10By10) * Volt2ToWattPerCm2;
    } else {
        isLinear = false; // unknown unit: the number 0
    }

    if (isLinear) {
        if (!forChart)
            return getFieldChangeUnit(sUnit, toSingle(linear), isUnitText);
        // The chart keeps the prefix and the blank before the unit, not the unit itself.
        return withoutTail(getFieldChangeUnit(sUnit, toSingle(linear), true), sUnit.size());
    }
    setUnit(sUnit);
    const QString text = fixed(number, 2);
    return isUnitText ? withBlank(text, sUnit) : text;
}

QString HMath::getdBmToField(const QString &sUnit, double fVal, double fCenter, double fGain,
                             bool isUnitText)
{
    return fieldText(sUnit, fVal, fCenter, fGain, isUnitText, false);
}

QString HMath::getdBmToFieldChart(const QString &sUnit, double fVal, double fCenter, double fGain)
{
    return fieldText(sUnit, fVal, fCenter, fGain, false, true);
}

QString HMath::convertValUnit(const QVariant &base, int dec, const QString &unit) const
{
    return withBlank(fixed(base.toDouble(), dec), unit);
}

QString HMath::getUnit(const QString &sUnit, const QVariant &fVal, int precision) const
{
    if (precision < 1)
        return withBlank(fVal.toString(), sUnit);
    const double value = fVal.toDouble();
    const QString number
        = shouldReturnZero(value, precision) ? QStringLiteral("0") : fixed(value, precision);
    return withBlank(number, sUnit);
}

bool HMath::shouldReturnZero(double value, int precision) const
{
    return roundsToZero(value, precision);
}

QString HMath::getFormattedValue(double fVal, int precision) const
{
    return localeFixed(roundToDecimals(fVal, precision), precision);
}

int HMath::getStringWidth(int pixelSize, const QString &str) const
{
    if (!fontsAvailable())
        return 0;
    return QFontMetrics(interfaceFont(pixelSize)).horizontalAdvance(str);
}

int HMath::getStringWidth(int pixelSize, const QString &str, bool isBold) const
{
    if (!fontsAvailable())
        return 0;
    QFont font = interfaceFont(pixelSize);
    font.setWeight(isBold ? 75 : 50);
    return QFontMetrics(font).horizontalAdvance(str);
}

QString HMath::getTextEllipsis(int nFontSize, int width, const QString &text) const
{
    if (!fontsAvailable())
        return text;
    // Two pixels of air. The metrics work in 26.6 fixed point and give wrong answers for widths
    // near the int range, so the width is held to what any screen can show.
    const int available = int(qBound<qint64>(0, qint64(width) - 2, 1 << 24));
    return QFontMetrics(interfaceFont(nFontSize)).elidedText(text, Qt::ElideRight, available);
}
