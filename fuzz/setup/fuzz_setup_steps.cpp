// Arbitrary bytes as a setup file of each version, migrated in one pass and, for comparison, by
// a plain implementation of the steps run one after the other: same text, same records.
#include "referencestep.h"
#include "setupmigration.h"
#include "stavlog.h"
#include "stavversion.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool referenceChain(const QByteArray &text, StavStep::Id first, StavStep::Id last,
                    QByteArray *result, StavLog *log)
{
    QByteArray current = text;
    for (int step = first; step <= last; ++step) {
        const StavStep &info = StavStep::get(StavStep::Id(step));
        log->add(info.name, info.startText, QStringLiteral("in.stav"));
        QByteArray next;
        if (!ReferenceStep(StavStep::Id(step)).run(current, &next, log))
            return false;
        current.swap(next);
    }
    *result = current;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const SetupMigration &migration = SetupMigration::standard();
    const QString path = QStringLiteral("in.stav");
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    for (int first = StavStep::V3toV4; first <= StavStep::V6toV7; ++first) {
        // Every step from `first` on, and `first` alone.
        for (const int last : { int(StavStep::V6toV7), first }) {
            QByteArray result;
            StavLog log;
            const bool ok = last == StavStep::V6toV7
                ? migration.migrate(text, first + 3, &result, &log, path)
                : migration.convert(StavStep::Id(first), text, &result, &log, path);
            QByteArray expected;
            StavLog expectedLog;
            bool expectedOk = referenceChain(text, StavStep::Id(first), StavStep::Id(last),
                                             &expected, &expectedLog);
            if (expectedOk && last == StavStep::V6toV7
                && !StavVersion::scan(expected).isCurrent()) {
                expectedLog.add("convertSetup", " Error: file ", path.toUtf8(),
                                " would not read as V7 after conversion (a stray DocumentVersion "
                                "line).",
                                " File left as it was.");
                expectedOk = false;
            }
            check(ok == expectedOk && log.records() == expectedLog.records());
            check(!ok || result == expected);
        }
    }
    return 0;
}
