// Arbitrary bytes as a whole setup file: converted in memory and in a temporary folder.
#include "setupconverter.h"
#include "setupmigration.h"
#include "stavlog.h"
#include "stavversion.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(ignoreMessages), true);
    Q_UNUSED(quiet)
    static const SetupConverter converter;
    static const QTemporaryDir dir;
    check(dir.isValid());

    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    const StavVersion version = StavVersion::scan(text);
    QByteArray migrated;
    StavLog log;
    const bool convertedInMemory = version.status() == StavVersion::Found
        && SetupMigration::standard().migrate(text, version.number(), &migrated, &log);
    // Every converted line ends with a line feed; a current file is passed through.
    if (convertedInMemory && !version.isCurrent())
        check(migrated.isEmpty() || migrated.endsWith('\n'));

    const QString path = dir.filePath(QStringLiteral("input.stav"));
    const QString backup = path + QStringLiteral("-backup");
    QFile::remove(backup);
    QFile file(path);
    check(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    const bool converted = converter.convertSetup(path);
    const QByteArray after = readBytes(path);
    if (QFile::exists(backup))
        check(readBytes(backup) == text);
    if (version.status() != StavVersion::Found || version.isCurrent())
        check(after == text && !QFile::exists(backup));
    // The file on disk and the text in memory go the same way; a result that would not read as
    // V7 is refused by both.
    if (version.status() == StavVersion::Found && !version.isCurrent())
        check(converted == convertedInMemory && (!converted || after == migrated));
    return 0;
}
