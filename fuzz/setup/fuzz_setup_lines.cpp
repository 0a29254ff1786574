// Arbitrary bytes as one line of a setup file through the line functions, and through the quick
// tests by which the version steps copy most lines without parsing them.
#include "lineshape.h"
#include "setupconverter.h"

#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(ignoreMessages), true);
    Q_UNUSED(quiet)
    static const SetupConverter converter;

    // The first two bytes choose the renumbering window, the rest is the line.
    const int offset = size > 0 ? int(int8_t(data[0])) : 0;
    const int minimum = size > 1 ? int(int8_t(data[1])) * 100 : -1;
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));

    const StavLine parsed = converter.parseLine(text);
    check(parsed.line == text);
    check(parsed.itemId.size() + parsed.value.size() <= text.size());

    // A rewritten line is parsed anew; an untouched one comes back as it was.
    const StavLine fixed = converter.fixEnumOptions(parsed);
    check(fixed.line == parsed.line ? fixed == parsed : fixed == converter.parseLine(fixed.line));

    const StavLine renumbered = converter.updateStavParam(parsed, offset, minimum, minimum + 1000);
    check(renumbered.itemId == parsed.itemId);

    // A line is copied unparsed only on the word of LineShape, which must agree with a plain
    // search for every literal, alone or in a list.
    static const std::string_view keyEnds[] = { "Enable:\"",
                                                ":rfreceiver:preAmp:\"",
                                                "ReadingType:\"",
                                                ":dmrLeftPane2IndexTx:\"",
                                                ":rightPaneIndexRx:\"",
                                                ":measurementModeCnfg:\"" };
    const std::string_view line(text.constData(), size_t(text.size()));
    const LineShape shape(line);
    bool any = false;
    for (std::string_view literal : keyEnds) {
        const bool found = line.find(literal) != std::string_view::npos;
        const std::string_view alone[] = { literal };
        check(shape.containsKeyEnd(literal) == found && shape.containsAnyKeyEnd(alone) == found);
        any = any || found;
    }
    check(shape.containsAnyKeyEnd(keyEnds) == any);
    check(shape.containsQuoted("Continue") == text.contains("\"Continue\""));
    return 0;
}
