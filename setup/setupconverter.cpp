#include "setupconverter.h"

#include "decimalint.h"
#include "stavfile.h"
#include "stavtext.h"
#include "stavversion.h"

#include <QFileInfo>
#include <QtDebug>

using StavText::contains;

// What distinguishes the four steps in their shared procedure.
struct SetupConverter::StepInfo
{
    Step step;
    const char *name;
    const char *startText;
    const char *versionText;
    QByteArray versionLine;
    QByteArray version;
};

// The tables a step works with; the unit tables are filled for V3 to V4 only.
struct SetupConverter::StepTables
{
    ItemIdMap renames;
    UnitMap unitDependencies;
    ItemIdMap selectedUnits;
};

namespace {

const char StavSuffix[] = ".stav";
const char VnaLine[] = "        \"Measure\": \"VNA\",";
const char VnaQml[] = "networkanalyzer_app/VNA.qml";

// Appends `line` and the line feed that ends every written line.
void appendLine(QByteArray *text, const QByteArray &line)
{
    text->append(line);
    text->append('\n');
}

// Calls `handle` for every line of `text`: an empty line between two line feeds is a line,
// text after the last line feed only when it is not empty.
template<typename Handler> void forEachLine(const QByteArray &text, Handler handle)
{
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        handle(text.mid(start, end - start));
        start = end + 1;
    }
}

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

const SetupConverter::StepInfo &SetupConverter::stepInfo(Step step)
{
    static const StepInfo steps[] = {
        { Step::V3toV4, "convertSetupV3toV4",
          " Converting file to V4: ", "Set DocumentVersion to V4 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V4\","), QByteArrayLiteral("V4") },
        { Step::V4toV5, "convertSetupV4toV5",
          " Converting file from V4 to V5: ", "Set DocumentVersion to V5 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V5\","), QByteArrayLiteral("V5") },
        { Step::V5toV6, "convertSetupV5toV6",
          " Converting file from V5 to V6: ", "Set DocumentVersion to V6 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V6\","), QByteArrayLiteral("V6") },
        { Step::V6toV7, "convertSetupV6toV7",
          " Converting file from V6 to V7: ", "Set DocumentVersion to V7 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V7\","), QByteArrayLiteral("V7") },
    };
    return steps[int(step)];
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
    const QVector<Step> steps = stepsFrom(version.number());
    for (Step step : steps) {
        if (!convertFile(step, path))
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
    const StepInfo &info = stepInfo(step);
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
    const StepInfo &info = stepInfo(step);
    QVector<StavLine> lines;
    if (!readLines(info, text, &lines))
        return false;
    return convertLines(info, tablesFor(step, lines), lines, result);
}

SetupConverter::StepTables SetupConverter::tablesFor(Step step,
                                                     const QVector<StavLine> &lines) const
{
    StepTables tables;
    switch (step) {
    case Step::V3toV4:
        tables.renames = initV3ToV4ZebItemIds();
        tables.unitDependencies = initZebIdToUnit();
        tables.selectedUnits = selectedUnits(lines);
        break;
    case Step::V4toV5:
        tables.renames = initV4ToV5ZebItemIds();
        break;
    case Step::V5toV6:
        tables.renames = initV5ToV6ZebItemIds();
        break;
    case Step::V6toV7:
        tables.renames = initV6ToV7ZebItemIds();
        break;
    }
    return tables;
}

// Phase 1: every line parsed, the version line replaced.
bool SetupConverter::readLines(const StepInfo &info, const QByteArray &text,
                               QVector<StavLine> *lines) const
{
    lines->reserve(text.count('\n') + 1);
    bool versionSet = false;
    forEachLine(text, [&](const QByteArray &line) {
        StavLine stavLine = parseLine(line);
        if (contains(stavLine.line, "\"DocumentVersion\"")) {
            qWarning() << info.name << info.versionText;
            stavLine.line = info.versionLine;
            stavLine.value = info.version;
            versionSet = true;
        } else if (info.step == Step::V6toV7) {
            rewriteVnaEntry(&stavLine);
        }
        lines->append(stavLine);
    });
    if (!versionSet) {
        // A converted file that still claims its old version would be converted again.
        qWarning() << info.name
                   << " Error: no \"DocumentVersion\" entry to update, file left as it was";
        return false;
    }
    return true;
}

// The unit selected for each unit item of a V3 file.
SetupConverter::ItemIdMap SetupConverter::selectedUnits(const QVector<StavLine> &lines) const
{
    ItemIdMap unitCurrentValueMap;
    for (const StavLine &stavLine : lines) {
        if (contains(stavLine.line, "Unit:\""))
            appendCurrentUnitValue(unitCurrentValueMap, stavLine.itemId, stavLine.value);
    }
    return unitCurrentValueMap;
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

// Phase 2: the rename table and the step's own rules.
bool SetupConverter::convertLines(const StepInfo &info, const StepTables &tables,
                                  const QVector<StavLine> &input, QByteArray *result) const
{
    QByteArray output;
    // Most lines pass unchanged or with a slightly longer identifier.
    output.reserve(input.size() * 8 + 1024);
    for (int i = 0; i < input.size(); ++i) {
        StavLine cur = input.at(i);
        // Plain keys and lines without a key never match the tables.
        if (cur.itemId.size() < 10) {
            appendLine(&output, cur.line);
            continue;
        }
        if (info.step == Step::V3toV4 && contains(cur.line, "ScpiConfirmCfg"))
            continue;
        const auto renamed = tables.renames.constFind(cur.itemId);
        if (renamed != tables.renames.constEnd()) {
            if (renamed->isEmpty()) {
                if (!skipRemovedItem(info, input, &i))
                    return false;
                continue;
            }
            if (!keepRenamedLine(info, tables, cur.itemId))
                continue;
            cur.line.replace(cur.itemId, *renamed);
            cur.itemId = *renamed;
        }
        rewriteKeptLine(info.step, &cur);
        appendLine(&output, cur.line);
    }
    *result = output;
    return true;
}

// Drops a removed item: its line, or all lines from its "[" up to the first "]".
bool SetupConverter::skipRemovedItem(const StepInfo &info, const QVector<StavLine> &input,
                                     int *index) const
{
    int i = *index;
    const StavLine *cur = &input.at(i);
    if (!cur->line.contains('['))
        return true;
    for (;;) {
        const bool closed = cur->line.contains(']');
        ++i;
        if (closed)
            break;
        if (i >= input.size()) {
            qWarning() << info.name
                       << " Error: Expected closing ] before End-Of-File stavLineIndex=" << i
                       << " curLine=" << cur->line;
            return false;
        }
        cur = &input.at(i);
    }
    // The caller's loop goes on with the line after the "]".
    *index = i - 1;
    return true;
}

// Of the V3 items kept once per unit, only the one of the unit selected in the file survives.
bool SetupConverter::keepRenamedLine(const StepInfo &info, const StepTables &tables,
                                     const QByteArray &itemId) const
{
    if (info.step != Step::V3toV4)
        return true;
    const auto dependency = tables.unitDependencies.constFind(itemId);
    if (dependency == tables.unitDependencies.constEnd())
        return true;
    const auto selected = tables.selectedUnits.constFind(dependency->first);
    return selected == tables.selectedUnits.constEnd() || *selected == dependency->second;
}

void SetupConverter::rewriteKeptLine(Step step, StavLine *stavLine) const
{
    switch (step) {
    case Step::V3toV4:
        *stavLine = updatePaneIndexV4(fixEnumOptions(*stavLine));
        break;
    case Step::V4toV5:
        *stavLine = updatePaneIndexV5(*stavLine);
        break;
    case Step::V5toV6:
        break;
    case Step::V6toV7:
        *stavLine = updateMeasurementMode(*stavLine);
        break;
    }
}

// The P25 and DMR pane indices were renumbered in V4; only the first matching group applies.
StavLine SetupConverter::updatePaneIndexV4(const StavLine &stavLine) const
{
    const QByteArray &line = stavLine.line;
    if (!contains(line, "PaneIndex") && !contains(line, "Pane2Index"))
        return stavLine;
    if (contains(line, ":p25LeftPaneIndexDx:\"") || contains(line, ":p25LeftPaneIndexTx:\"")
        || contains(line, ":dmrLeftPaneIndexDx:\"") || contains(line, ":dmrLeftPaneIndexTx:\""))
        return updateStavParam(stavLine, -2, -1, 10000);
    if (contains(line, ":p25LeftPane2IndexDx:\"") || contains(line, ":p25LeftPane2IndexTx:\""))
        return updateStavParam(stavLine, -3, -1, 10000);
    if (contains(line, ":dmrLeftPane2IndexDx:\"") || contains(line, ":dmrLeftPane2IndexTx:\""))
        return updateStavParam(updateStavParam(stavLine, -1, 1, 2), -3, 5, 99);
    if (contains(line, ":dmrRightPaneIndexDx:\"") || contains(line, ":dmrRightPaneIndexRx:\"")
        || contains(line, ":dmrRightPaneIndexTx:\""))
        return updateStavParam(stavLine, -1, 5, 99);
    if (contains(line, ":p25RightPaneIndexDx:\"") || contains(line, ":p25RightPaneIndexTx:\""))
        return updateStavParam(stavLine, -1, -1, 10000);
    return stavLine;
}

// V5 moved the centre and right panes up by one.
StavLine SetupConverter::updatePaneIndexV5(const StavLine &stavLine) const
{
    const QByteArray &line = stavLine.line;
    if (!contains(line, "PaneIndex"))
        return stavLine;
    if (contains(line, ":centerPaneIndexDx:\"") || contains(line, ":centerPaneIndexRx:\"")
        || contains(line, ":centerPaneIndexTx:\"") || contains(line, ":rightPaneIndexDx:\"")
        || contains(line, ":rightPaneIndexRx:\"") || contains(line, ":rightPaneIndexTx:\""))
        return updateStavParam(stavLine, 1, 1, 99);
    return stavLine;
}

// V7 replaced the VSWR measurement by the VNA measurement.
StavLine SetupConverter::updateMeasurementMode(const StavLine &stavLine) const
{
    if (!contains(stavLine.line, ":measurementModeCnfg:\""))
        return stavLine;
    QByteArray text = stavLine.line;
    return parseLine(text.replace("\"VSWR\"", "\"VNA\""));
}

// The measurement selection and the tab entries of V6 that name VSWR.
void SetupConverter::rewriteVnaEntry(StavLine *stavLine) const
{
    const QByteArray &line = stavLine->line;
    if (contains(line, "\"Measure\"") && contains(line, "\"VSWR\"")) {
        stavLine->line = VnaLine;
        stavLine->value = "VNA";
        return;
    }
    if (!(contains(line, "TabMeasure") || contains(line, "TabQml") || contains(line, "TabTitle"))
        || !contains(line, "VSWR"))
        return;
    for (char n = '1'; n <= '6'; ++n) {
        const QByteArray measure = QByteArray("\"TabMeasure") + n + '"';
        const QByteArray qml = QByteArray("\"TabQml") + n + '"';
        const QByteArray title = QByteArray("\"TabTitle") + n + '"';
        QByteArray key;
        QByteArray value;
        if (line.contains(measure)) {
            key = measure;
            value = "VNA";
        } else if (line.contains(qml)) {
            key = qml;
            value = VnaQml;
        } else if (line.contains(title)) {
            key = title;
            value = "VNA";
        } else {
            continue;
        }
        stavLine->line = "        " + key + ": \"" + value + "\",";
        stavLine->value = value;
        return;
    }
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
