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

    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    for (SetupConverter::Step step : SetupConverter::stepsFrom(3)) {
        QByteArray converted;
        QByteArray expected;
        const bool ok = converter.convertText(step, text, &converted);
        const bool expectedOk = ReferenceStep(converter, step).run(text, &expected);
        if (ok != expectedOk || (ok && converted != expected))
            std::abort();
    }
    return 0;
}
