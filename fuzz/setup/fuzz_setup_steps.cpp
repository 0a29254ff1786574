// Arbitrary bytes through each version step, compared with a plain second implementation.
#include "referencestep.h"

#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(ignoreMessages), true);
    Q_UNUSED(quiet)
    static const SetupConverter converter;

    // The reference builds its tables once; the converter builds them for every step run.
    static const ReferenceStep references[] = {
        { converter, SetupConverter::Step::V3toV4 },
        { converter, SetupConverter::Step::V4toV5 },
        { converter, SetupConverter::Step::V5toV6 },
        { converter, SetupConverter::Step::V6toV7 },
    };

    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    for (SetupConverter::Step step : SetupConverter::stepsFrom(3)) {
        QByteArray converted;
        QByteArray expected;
        const bool ok = converter.convertText(step, text, &converted);
        const bool expectedOk = references[int(step)].run(text, &expected);
        if (ok != expectedOk || (ok && converted != expected))
            std::abort();
    }
    return 0;
}
