// Feeds arbitrary input to the meter-scale label parser and the prefix and unit formatters.
// Besides crashes and sanitizer reports it checks what holds for every input: scale values
// sorted with NaN last, prefixes from the table, texts of bounded length at any precision.
#include "hmath.h"
#include "meterscale.h"
#include "metricprefixconversion.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Typed values from the input; once it runs dry every read gives zeros.
struct Input
{
    const uint8_t *data;
    size_t size, pos = 0;

    uint8_t byte() { return pos < size ? data[pos++] : 0; }

    // Mostly "interesting" values, sometimes raw bit patterns (NaNs, denormals, ...).
    double number()
    {
        static const double special[] = { 0.0, -0.0, 0.5, 999.96, 87.0, 1e300, NAN, INFINITY };
        const uint8_t kind = byte();
        if (kind < 160)
            return kind < 64 ? special[kind % 8] : (int(byte()) - 128) + byte() / 256.0;
        uint8_t bytes[sizeof(double)];
        for (uint8_t &b : bytes)
            b = byte();
        double value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    // Mostly small, sometimes any 32-bit value.
    int integer()
    {
        const uint8_t kind = byte();
        uint32_t value = 0;
        for (int i = 0; kind >= 200 && i < 4; ++i)
            value = (value << 8) | byte();
        return kind < 200 ? int(kind % 24) - 6 : int(value);
    }

    // A unit or label word, or up to 155 raw bytes.
    QString text()
    {
        static const char *const words[]
            = { "",     "V",   "mV",    "\xC2\xB5V", "W",      "mW",     "dBm",     "dBV", "dBmV",
                "dBuV", "V/m", "W/m^2", "A/m",       "w/cm^2", "dBuV/m", "dBm/m^2", "Hz",  "k",
                "m",    "u",   "G",     "%",         "Auto",   "Custom", "x" };
        const uint8_t length = byte();
        if (length < 100)
            return QString::fromUtf8(words[length % std::size(words)]);
        const size_t n = qMin<size_t>(length - 100, size - qMin(pos, size));
        pos += n;
        return QString::fromUtf8(reinterpret_cast<const char *>(data + pos - n), int(n));
    }
};

void check(bool condition, const char *what)
{
    if (!condition) {
        fprintf(stderr, "property violated: %s\n", what);
        abort();
    }
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QtMessageHandler previous = qInstallMessageHandler(quiet);
    Q_UNUSED(previous);
    Input in { data, size };
    const int target = in.byte() % 3;
    QStringList texts;
    if (target == 0) {
        QStringList labels;
        for (int count = in.byte() % 16; count > 0; --count)
            labels << in.text();
        const QString unit = in.text();
        const QList<double> values = MeterScale().getValues(labels, unit, in.text());
        check(values.size() <= labels.size(), "no more values than labels");
        for (int i = 1; i < values.size(); ++i)
            check(!(values[i] < values[i - 1])
                      && !(std::isnan(values[i - 1]) && !std::isnan(values[i])),
                  "values sorted, NaN last");
    } else if (target == 1) {
        MetricPrefixConversion conversion;
        const double value = in.number();
        const int precision = in.integer();
        const QString unit = in.text();
        const QString prefix = conversion.getPrefix(value);
        check(QStringLiteral("GMkmunp").contains(prefix) && prefix.size() <= 1, "prefix in table");
        texts = QStringList { conversion.getValueWithUnitPrefix(value, precision, unit),
                              conversion.getValueWithUnitPrefix(value, precision, unit, in.text(),
                                                                in.integer()),
                              conversion.getValueWithZeroPrecisionUnitPrefixAndSpace(value, unit),
                              conversion.getValueWithoutUnitPrefix(value, precision, unit) };
    } else {
        HMath math;
        const QString unit = in.text();
        const double value = in.number();
        const double center = in.number();
        const double gain = in.number();
        const int precision = in.integer();
        const bool withUnit = in.byte() & 1;
        texts = QStringList { math.getdBmToUnit(unit, value, withUnit, precision),
                              math.getdBmToUnitChart(unit, value, precision),
                              math.getdBmToField(unit, value, center, gain, withUnit),
                              math.getdBmToFieldChart(unit, value, center, gain),
                              math.getDBmToW(value),
                              math.getUnit(unit, in.text(), precision),
                              math.getFormattedValue(value, precision),
                              math.getFieldChangeUnit(unit, float(in.byte() - 128) * 1e-3f,
                                                      withUnit) };
    }
    for (const QString &text : qAsConst(texts))
        check(text.size() < 1200, "text length bounded");
    return 0;
}
