// Feeds arbitrary input to the unit classes. Besides crashes and sanitizer reports it checks
// properties that hold for every input: sorted scale values, bounded texts, prefixes from the
// table, range model views inside their ranges.
#include "hmath.h"
#include "meterautoscaler.h"
#include "meterscale.h"
#include "metricprefixconversion.h"
#include "rangemodel.h"
#include "simdata.h"
#include "unitprefixes.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Reads typed values from the input; once it runs dry every read gives zeros.
class Input
{
public:
    Input(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool atEnd() const { return m_pos >= m_size; }

    uint8_t byte()
    {
        return m_pos < m_size ? m_data[m_pos++] : 0;
    }

    double number()
    {
        // Mostly "interesting" values, sometimes raw bit patterns (NaNs, denormals, ...).
        static const double special[] = { 0.0,      -0.0,    1.0,     -1.0,    0.5,   999.96,
                                          1000.0,   1e-9,    1e-26,   1e9,     87.0,  147.0,
                                          207.0,    1e300,   -1e300,  NAN,     INFINITY,
                                          -INFINITY, 1e-310, 0.125,   2147483647.5 };
        const uint8_t kind = byte();
        if (kind < 64)
            return special[kind % (sizeof(special) / sizeof(special[0]))];
        if (kind < 160)
            return (int(byte()) - 128) + byte() / 256.0;
        double value = 0;
        uint8_t bytes[sizeof(double)] = {};
        for (uint8_t &b : bytes)
            b = byte();
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    int integer()
    {
        const uint8_t kind = byte();
        if (kind < 200)
            return int(kind % 24) - 6;
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | byte();
        return int(value);
    }

    QString text()
    {
        static const char *const words[] = { "",       "V",      "mV",     "\xC2\xB5V", "W",
                                             "mW",     "dBm",    "dBV",    "dBmV",      "dBuV",
                                             "V/m",    "W/m^2",  "A/m",    "w/cm^2",    "dBuV/m",
                                             "dBm/m^2", "Hz",    "k",      "m",         "u",
                                             "G",      "%",      "Auto",   "Custom",    "x" };
        const uint8_t length = byte();
        if (length < 100)
            return QString::fromUtf8(words[length % (sizeof(words) / sizeof(words[0]))]);
        const size_t n = qMin<size_t>(length - 100, m_size - qMin(m_pos, m_size));
        const QString result =
                QString::fromUtf8(reinterpret_cast<const char *>(m_data + m_pos), int(n));
        m_pos += n;
        return result;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void check(bool condition, const char *what)
{
    if (!condition) {
        fprintf(stderr, "property violated: %s\n", what);
        abort();
    }
}

// No formatter may produce more than a bounded text, whatever precision it is asked for.
void checkText(const QString &text)
{
    check(text.size() < 1200, "text length bounded");
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

void fuzzMeterScale(Input &in)
{
    MeterScale scale;
    QStringList labels;
    const int count = in.byte() % 16;
    for (int i = 0; i < count; ++i)
        labels << in.text();
    const QString unit = in.text();
    const QString prefix = in.text();
    const QList<double> values = scale.getValues(labels, unit, prefix);
    check(values.size() <= labels.size(), "no more values than labels");
    for (int i = 1; i < values.size(); ++i)
        check(!(values.at(i) < values.at(i - 1)) && !(std::isnan(values.at(i - 1))
                                                     && !std::isnan(values.at(i))),
              "values sorted, NaN last");
    for (const QString &label : qAsConst(labels))
        scale.getValue(label, unit, prefix);
}

void fuzzPrefixes(Input &in)
{
    MetricPrefixConversion conversion;
    const double value = in.number();
    const int precision = in.integer();
    const QString unit = in.text();
    const QString prefix = conversion.getPrefix(value);
    check(QStringLiteral("GMkmunp").contains(prefix) && prefix.size() <= 1, "prefix in table");
    checkText(conversion.getValueWithUnitPrefix(value, precision, unit));
    checkText(conversion.getValueWithUnitPrefix(value, precision, unit, in.text(), in.integer()));
    checkText(conversion.getValueWithZeroPrecisionUnitPrefixAndSpace(value, unit));
    checkText(conversion.getValueWithoutUnitPrefix(value, precision, unit));
    conversion.roundIfGreaterThanOne(value, precision, in.integer());
}

void fuzzHMath(Input &in)
{
    HMath math;
    const QString unit = in.text();
    const double value = in.number();
    const double center = in.number();
    const double gain = in.number();
    const int precision = in.integer();
    const bool withUnit = in.byte() & 1;
    math.getUnitTodBm(unit, value);
    math.getFieldTodBm(unit, value, center, gain);
    checkText(math.getdBmToUnit(unit, value, withUnit, precision));
    checkText(math.getdBmToUnitChart(unit, value, precision));
    checkText(math.getdBmToField(unit, value, center, gain, withUnit));
    checkText(math.getdBmToFieldChart(unit, value, center, gain));
    checkText(math.getDBmToW(value));
    checkText(math.convertValUnit(value, precision, unit));
    checkText(math.getUnit(unit, value, precision));
    checkText(math.getUnit(unit, in.text(), precision));
    checkText(math.getFormattedValue(value, precision));
    math.shouldReturnZero(value, precision);
    checkText(math.getFieldChangeUnit(unit, float(in.byte() - 128) * 1e-3f, withUnit));
    math.mathRoundOff(value, in.byte() % 8);
}

void fuzzRangeModel(Input &in)
{
    RangeModel model;
    while (!in.atEnd()) {
        const double a = in.number();
        switch (in.byte() % 10) {
        case 0:
            model.setValue(a);
            break;
        case 1:
            model.setPosition(a);
            break;
        case 2:
            model.setRange(a, in.number());
            break;
        case 3:
            model.setPositionRange(a, in.number());
            break;
        case 4:
            model.setStepSize(a);
            break;
        case 5:
            model.setInverted(!model.inverted());
            break;
        case 6:
            model.toMinimum();
            break;
        case 7:
            model.toMaximum();
            break;
        case 8:
            model.valueForPosition(a);
            break;
        default:
            model.positionForValue(a);
            break;
        }
        check(!(model.stepSize() < 0) && !std::isnan(model.stepSize()), "step size >= 0");
        const double value = model.value();
        if (std::isfinite(model.minimum()) && std::isfinite(model.maximum())
            && std::isfinite(value) && model.stepSize() == 0)
            check(value >= model.minimum() && value <= model.maximum(), "value in range");
    }
}

void fuzzAutoScaler(Input &in)
{
    SimData max;
    SimData min;
    MeterAutoScaler scaler;
    QList<double> modes;
    const int count = in.byte() % 6;
    for (int i = 0; i < count; ++i)
        modes << in.number();
    scaler.setModeValues(modes);
    if (in.byte() & 1)
        scaler.setMaxData(&max);
    if (in.byte() & 1)
        scaler.setMinData(&min);
    scaler.setBipolarMeter(in.byte() & 1);
    while (!in.atEnd()) {
        const uint8_t op = in.byte();
        if (op % 4 == 0)
            scaler.reset();
        else if (op % 4 == 1)
            scaler.autoScaleDb(in.number());
        else
            scaler.autoScale(in.number());
        const int autoCount = scaler.autoCount();
        check(autoCount == MeterAutoScaler::NotRanged || (autoCount >= 0 && autoCount <= 3),
              "streak counter in range");
    }
}

void fuzzUnitPrefixes(Input &in)
{
    UnitPrefixes prefixes;
    const QString id = in.text();
    const QString multiple = prefixes.getMultiplePrefixes(id);
    const QString submultiple = prefixes.getSubmultiplePrefixes(id);
    for (const QChar c : multiple)
        check(QStringLiteral("kMG").contains(c), "multiples from kMG");
    for (const QChar c : submultiple)
        check(QStringLiteral("munp").contains(c), "submultiples from munp");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool installed = [] {
        qInstallMessageHandler(quiet);
        return true;
    }();
    Q_UNUSED(installed);

    Input in(data, size);
    switch (in.byte() % 6) {
    case 0:
        fuzzMeterScale(in);
        break;
    case 1:
        fuzzPrefixes(in);
        break;
    case 2:
        fuzzHMath(in);
        break;
    case 3:
        fuzzRangeModel(in);
        break;
    case 4:
        fuzzAutoScaler(in);
        break;
    default:
        fuzzUnitPrefixes(in);
        break;
    }
    return 0;
}
