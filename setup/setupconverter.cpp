#include "setupconverter.h"

#include "setupmigration.h"
#include "stavfile.h"
#include "stavlog.h"
#include "stavversion.h"

#include <QtDebug>

namespace {

const char StavSuffix[] = ".stav";

// The backup lies beside the file: ".stav" becomes ".stav-backup" in the file name. Only when
// the file name itself lacks ".stav" is the whole path rewritten.
QString backupPath(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/')) + 1;
    QString name = path.mid(slash);
    if (!name.contains(QLatin1String(StavSuffix))) {
        QString whole = path;
        return whole.replace(QLatin1String(StavSuffix), QLatin1String(".stav-backup"));
    }
    name.replace(QLatin1String(StavSuffix), QLatin1String(".stav-backup"));
    return path.left(slash) + name;
}

} // namespace

SetupConverter::SetupConverter(QObject *parent)
    : QObject(parent)
{
}

bool SetupConverter::convertSetup(const QString &path) const
{
    qWarning() << "convertSetup"
               << ">SetupConverter::convertSetup path: " << path;
    if (!path.contains(QLatin1String(StavSuffix))) {
        qWarning() << "convertSetup"
                   << " Error: file " << path << " is not a stav file";
        return false;
    }
    const QByteArray fileName = path.toUtf8();
    QByteArray bytes;
    QString error;
    if (!StavFile::read(path, &bytes, &error)) {
        qWarning() << "convertSetup"
                   << " Error: cannot read file " << fileName << " : " << error;
        return false;
    }

    const StavVersion version = StavVersion::scan(bytes);
    switch (version.status()) {
    case StavVersion::Missing:
        qWarning() << "convertSetup"
                   << " Error in stav file: Did not find DocumentVersion " << fileName;
        return false;
    case StavVersion::Invalid:
        qWarning() << "convertSetup"
                   << " File " << fileName
                   << " found invalid DocumentVersion (str): " << version.line();
        qWarning() << "convertSetup"
                   << " - Caught Exception " << version.error();
        return false;
    case StavVersion::Found:
        break;
    }
    if (version.isCurrent()) {
        qWarning() << "convertSetup"
                   << " File " << fileName << " is already in a new version: " << version.line()
                   << " Nothing to be done.";
        return true;
    }

    if (!saveBackup(path, bytes))
        return false;
    // All steps in memory and one replacement of the file: a failing step leaves the file as
    // it was, and the flash is written once instead of once per step.
    StavLog log;
    QByteArray converted;
    const bool migrated
        = SetupMigration::standard().migrate(bytes, version.number(), &converted, &log, path);
    log.write();
    if (!migrated)
        return false;
    if (!StavFile::write(path, converted, &error)) {
        qWarning() << "convertSetup"
                   << " Error: could not write converted file " << fileName << " : " << error
                   << " File left as it was.";
        return false;
    }
    return true;
}

bool SetupConverter::saveBackup(const QString &path, const QByteArray &bytes) const
{
    const QString backup = backupPath(path);
    qWarning() << "convertSetup"
               << " Saving backup of original file: " << backup.toUtf8();
    QString error;
    if (!StavFile::write(backup, bytes, &error)) {
        // Without a backup the original is not touched.
        qWarning() << "convertSetup"
                   << " Error: could not save backup " << backup.toUtf8() << " : " << error
                   << " File left unconverted.";
        return false;
    }
    return true;
}

bool SetupConverter::convertSetupV3toV4(const QString &path) const
{
    return convertFile(StavStep::V3toV4, path);
}

bool SetupConverter::convertSetupV4toV5(const QString &path) const
{
    return convertFile(StavStep::V4toV5, path);
}

bool SetupConverter::convertSetupV5toV6(const QString &path) const
{
    return convertFile(StavStep::V5toV6, path);
}

bool SetupConverter::convertSetupV6toV7(const QString &path) const
{
    return convertFile(StavStep::V6toV7, path);
}

bool SetupConverter::convertFile(StavStep::Id step, const QString &path) const
{
    QByteArray bytes;
    QString error;
    StavLog log;
    if (!StavFile::read(path, &bytes, &error)) {
        const StavStep &info = StavStep::get(step);
        log.add(info.name, info.startText, path);
        log.add(info.name, " Error: cannot read file ", path, " : ", error);
        log.write();
        return false;
    }
    QByteArray converted;
    const bool ok = SetupMigration::standard().convert(step, bytes, &converted, &log, path);
    log.write();
    if (!ok)
        return false;
    if (!StavFile::write(path, converted, &error)) {
        qWarning() << StavStep::get(step).name << " Error: could not write converted file " << path
                   << " : " << error << " File left as it was.";
        return false;
    }
    return true;
}

void SetupConverter::appendCurrentUnitValue(ItemIdMap &unitCurrentValueMap, QByteArray unitZebId,
                                            QByteArray value) const
{
    StavLog log;
    StavRules::appendCurrentUnitValue(unitCurrentValueMap, unitZebId, value, &log);
    log.write();
}

StavLine SetupConverter::parseLine(const QByteArray &text) const
{
    return StavLine::parse(text);
}

StavLine SetupConverter::fixEnumOptions(const StavLine &stavLine) const
{
    StavLine result = stavLine;
    SetupMigration::standard().rules().applyTextRules(StavStep::V3toV4, &result);
    return result;
}

StavLine SetupConverter::updateStavParam(const StavLine &stavLine, int offset, int minimum,
                                         int maximum) const
{
    StavLog log;
    StavLine result = stavLine;
    StavRules::updateStavParam(&result, offset, minimum, maximum, &log);
    log.write();
    return result;
}

SetupConverter::ItemIdMap SetupConverter::initV3ToV4ZebItemIds() const
{
    return SetupMigration::standard().rules().steps[StavStep::V3toV4].renames;
}

SetupConverter::ItemIdMap SetupConverter::initV4ToV5ZebItemIds() const
{
    return SetupMigration::standard().rules().steps[StavStep::V4toV5].renames;
}

SetupConverter::ItemIdMap SetupConverter::initV5ToV6ZebItemIds() const
{
    return SetupMigration::standard().rules().steps[StavStep::V5toV6].renames;
}

SetupConverter::ItemIdMap SetupConverter::initV6ToV7ZebItemIds() const
{
    return SetupMigration::standard().rules().steps[StavStep::V6toV7].renames;
}

SetupConverter::UnitMap SetupConverter::initZebIdToUnit() const
{
    return SetupMigration::standard().rules().unitDependencies;
}
