// stav-migrate: brings setup (.stav) files to the current document version from the command
// line, with the same converter the user interface uses.
#include "setupconverter.h"
#include "setupmigration.h"
#include "stavfile.h"
#include "stavlog.h"
#include "stavversion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

QString versionText(const StavVersion &version)
{
    switch (version.status()) {
    case StavVersion::Missing:
        return QStringLiteral("no DocumentVersion");
    case StavVersion::Invalid:
        return QStringLiteral("invalid DocumentVersion");
    case StavVersion::Found:
        break;
    }
    return QStringLiteral("V%1").arg(version.number());
}

// Reads and scans a file; false with a reason when it cannot be read.
bool readVersion(const QString &path, StavVersion *version, QByteArray *bytes, QString *reason)
{
    QByteArray text;
    if (!StavFile::read(path, &text, reason))
        return false;
    *version = StavVersion::scan(text);
    if (bytes)
        *bytes = text;
    return true;
}

void printLine(const QString &line)
{
    QTextStream out(stdout);
    out << line << '\n';
}

// The converter only takes paths that name a setup file.
bool isStavPath(const QString &path)
{
    if (path.contains(QLatin1String(".stav")))
        return true;
    printLine(QStringLiteral("%1: not a stav file").arg(path));
    return false;
}

bool migrateFile(const SetupConverter &converter, const QString &path)
{
    if (!isStavPath(path))
        return false;
    StavVersion before;
    QString reason;
    const bool readable = readVersion(path, &before, nullptr, &reason);
    const bool converted = converter.convertSetup(path);
    StavVersion after;
    const bool readableAfter = readVersion(path, &after, nullptr, &reason);
    if (converted && readableAfter) {
        printLine(before.isCurrent()
                      ? QStringLiteral("%1: %2, already current").arg(path, versionText(before))
                      : QStringLiteral("%1: %2 -> %3")
                            .arg(path, versionText(before), versionText(after)));
        return true;
    }
    if (!readable)
        printLine(QStringLiteral("%1: failed (%2)").arg(path, reason));
    else if (before.status() != StavVersion::Found)
        printLine(QStringLiteral("%1: failed (%2)").arg(path, versionText(before)));
    else
        printLine(QStringLiteral("%1: failed (%2, now %3)")
                      .arg(path, versionText(before), versionText(after)));
    return false;
}

bool checkFile(const QString &path)
{
    if (!isStavPath(path))
        return false;
    StavVersion version;
    QString reason;
    if (!readVersion(path, &version, nullptr, &reason)) {
        printLine(QStringLiteral("%1: cannot read (%2)").arg(path, reason));
        return false;
    }
    if (version.status() != StavVersion::Found) {
        printLine(QStringLiteral("%1: %2").arg(path, versionText(version)));
        return false;
    }
    printLine(QStringLiteral("%1: %2, %3")
                  .arg(path, versionText(version),
                       version.isCurrent() ? QStringLiteral("up to date")
                                           : QStringLiteral("needs migration")));
    return version.isCurrent();
}

// Writes the migrated text of one file to standard output; the file is not touched. A text
// that the in-place migration would refuse is not printed either.
bool printMigrated(const QString &path)
{
    StavVersion version;
    QByteArray bytes;
    QString reason;
    if (!readVersion(path, &version, &bytes, &reason)) {
        std::fprintf(stderr, "%s: cannot read (%s)\n", qPrintable(path), qPrintable(reason));
        return false;
    }
    if (version.status() != StavVersion::Found) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(versionText(version)));
        return false;
    }
    QByteArray migrated;
    StavLog log;
    const bool ok
        = SetupMigration::standard().migrate(bytes, version.number(), &migrated, &log, path);
    log.write();
    if (!ok)
        return false;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(migrated) != migrated.size()
        || !out.flush()) {
        std::fprintf(stderr, "%s: cannot write to standard output\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("stav-migrate"));
    QCoreApplication::setApplicationVersion(QStringLiteral(STAV_MIGRATE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Migrates instrument setup files (.stav) to document version V7 in place, keeping "
        "a .stav-backup copy of each original.\nExit status: 0 when every file is at V7 "
        "afterwards, 1 when any file failed (or, with --check, needs migration), 2 on a "
        "usage error."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption checkOption(
        QStringLiteral("check"),
        QStringLiteral("Only report each file's version and whether it needs migration."));
    const QCommandLineOption stdoutOption(
        QStringLiteral("stdout"),
        QStringLiteral("Print the migrated text of a single file; the file is not changed."));
    parser.addOption(checkOption);
    parser.addOption(stdoutOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Setup files."),
                                 QStringLiteral("FILE..."));

    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "stav-migrate: %s\n", qPrintable(parser.errorText()));
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(Success);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    const QStringList files = parser.positionalArguments();
    const bool check = parser.isSet(checkOption);
    const bool toStdout = parser.isSet(stdoutOption);
    if (files.isEmpty() || (check && toStdout) || (toStdout && files.size() != 1)) {
        std::fprintf(stderr, "stav-migrate: %s\n",
                     files.isEmpty()         ? "no file given"
                         : check && toStdout ? "--check and --stdout cannot be combined"
                                             : "--stdout takes exactly one file");
        std::fprintf(stderr, "Try 'stav-migrate --help' for more information.\n");
        return UsageError;
    }

    if (toStdout)
        return printMigrated(files.first()) ? Success : Failure;
    const SetupConverter converter;
    bool allCurrent = true;
    for (const QString &path : files)
        allCurrent = (check ? checkFile(path) : migrateFile(converter, path)) && allCurrent;
    return allCurrent ? Success : Failure;
}
