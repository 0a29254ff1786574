#include "setupconverter.h"

#include "decimalint.h"
#include "stavfile.h"
#include "stavstep.h"
#include "stavtext.h"
#include "stavversion.h"

#include <QtDebug>

using StavText::contains;

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
    const QVector<Step> steps = stepsFrom(version.number());
    for (Step step : steps) {
        const StavStep::Info &info = StavStep::info(step);
        qWarning() << info.name << info.startText << path;
        QByteArray converted;
        if (!convertText(step, bytes, &converted))
            return false;
        bytes.swap(converted);
    }
    // Another line that mentions DocumentVersion would make the file read as old again, and
    // the next recall would convert it a second time.
    if (!StavVersion::scan(bytes).isCurrent()) {
        qWarning() << "convertSetup"
                   << " Error: file " << fileName
                   << " would not read as V7 after conversion (a stray DocumentVersion line)."
                   << " File left as it was.";
        return false;
    }
    if (!StavFile::write(path, bytes, &error)) {
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

QVector<SetupConverter::Step> SetupConverter::stepsFrom(int version)
{
    QVector<Step> steps;
    for (int from = qMax(version, 3); from <= 6; ++from)
        steps.append(Step(from - 3));
    return steps;
}

bool SetupConverter::convertSetupV3toV4(const QString &path) const
{
    return convertFile(Step::V3toV4, path);
}

bool SetupConverter::convertSetupV4toV5(const QString &path) const
{
    return convertFile(Step::V4toV5, path);
}

bool SetupConverter::convertSetupV5toV6(const QString &path) const
{
    return convertFile(Step::V5toV6, path);
}

bool SetupConverter::convertSetupV6toV7(const QString &path) const
{
    return convertFile(Step::V6toV7, path);
}

bool SetupConverter::convertFile(Step step, const QString &path) const
{
    const StavStep::Info &info = StavStep::info(step);
    qWarning() << info.name << info.startText << path;
    QByteArray bytes;
    QString error;
    if (!StavFile::read(path, &bytes, &error)) {
        qWarning() << info.name << " Error: cannot read file " << path << " : " << error;
        return false;
    }
    QByteArray converted;
    if (!convertText(step, bytes, &converted))
        return false;
    if (!StavFile::write(path, converted, &error)) {
        qWarning() << info.name << " Error: could not write converted file " << path << " : "
                   << error << " File left as it was.";
        return false;
    }
    return true;
}

bool SetupConverter::migrateText(const QByteArray &text, int version, QByteArray *result) const
{
    QByteArray current = text;
    const QVector<Step> steps = stepsFrom(version);
    for (Step step : steps) {
        QByteArray next;
        if (!convertText(step, current, &next))
            return false;
        current.swap(next);
    }
    *result = current;
    return true;
}

bool SetupConverter::convertText(Step step, const QByteArray &text, QByteArray *result) const
{
    return StavStep(*this, step).run(text, result);
}

void SetupConverter::appendCurrentUnitValue(ItemIdMap &unitCurrentValueMap, QByteArray unitZebId,
                                            QByteArray value) const
{
    const auto existing = unitCurrentValueMap.constFind(unitZebId);
    if (existing != unitCurrentValueMap.constEnd()) {
        qWarning() << "appendCurrentUnitValue"
                   << " Error: unitZebId " << unitZebId << " with new value: " << value
                   << " exists already in map unitCurrentValueMap with value " << *existing;
        return;
    }
    unitCurrentValueMap.insert(unitZebId, value);
}

StavLine SetupConverter::parseLine(const QByteArray &text) const
{
    return StavLine::parse(text);
}

StavLine SetupConverter::fixEnumOptions(const StavLine &stavLine) const
{
    QByteArray text = stavLine.line;
    if (contains(text, "Enable:\"") || contains(text, "iqgen:repeat:\"")
        || contains(text, ":rfreceiver:genOffsetLock:\"")
        || contains(text, ":rfreceiver:preAmp:\"")) {
        text.replace("\"On\"", "\"Enabled\"");
        text.replace("\"\"", "\"Enabled\"");
        text.replace("\"Off\"", "\"Disabled\"");
    } else if (contains(text, ":isRfPower:\"")) {
        text.replace("\"Rssi\"", "\"RfPower\"");
    } else if (contains(text, "normalize:normalizeAction:\"")) {
        text.replace("\"StopNormalize\"", "\"AbortNormalize\"");
    } else if (contains(text, "ReadingType:\"")) {
        for (const char *reading :
             { "\"LIVE\"", "\"AVG\"", "\"MAX\"", "\"MIN\"", "\"PEAK\"", "\"BURST\"" })
            StavText::replaceIgnoringCase(text, reading);
    } else if (contains(text, "\"Continue\"")) {
        text.replace("\"Continue\"", "\"Continuous\"");
    } else {
        return stavLine;
    }
    return parseLine(text);
}

StavLine SetupConverter::updateStavParam(const StavLine &stavLine, int offset, int minimum,
                                         int maximum) const
{
    int number = 0;
    const char *error = nullptr;
    if (!parseDecimalInt(stavLine.value, &number, &error)) {
        // An index that is not a number cannot be renumbered; the rest of the file can.
        qWarning() << "updateStavParam"
                   << " Error: value is not a decimal int, line left unchanged: " << stavLine.line;
        return stavLine;
    }
    if (number < minimum || number > maximum)
        return stavLine;
    const QByteArray renumbered = QByteArray::number(qint64(number) + offset);
    QByteArray text = stavLine.line;
    text.replace('"' + stavLine.value + "\",", '"' + renumbered + "\",");
    return StavLine(text, stavLine.itemId, renumbered);
}

SetupConverter::ItemIdMap SetupConverter::initV3ToV4ZebItemIds() const
{
    return StavTable::renames(QStringLiteral(":/setup/v3tov4.txt"));
}

SetupConverter::ItemIdMap SetupConverter::initV4ToV5ZebItemIds() const
{
    return StavTable::renames(QStringLiteral(":/setup/v4tov5.txt"));
}

SetupConverter::ItemIdMap SetupConverter::initV5ToV6ZebItemIds() const
{
    return StavTable::renames(QStringLiteral(":/setup/v5tov6.txt"));
}

SetupConverter::ItemIdMap SetupConverter::initV6ToV7ZebItemIds() const
{
    return StavTable::renames(QStringLiteral(":/setup/v6tov7.txt"));
}

SetupConverter::UnitMap SetupConverter::initZebIdToUnit() const
{
    return StavTable::unitDependencies(QStringLiteral(":/setup/units.txt"));
}
