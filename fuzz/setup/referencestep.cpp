#include "referencestep.h"

#include "setupmigration.h"
#include "stavlog.h"

namespace {

bool containsAny(const QByteArray &line, std::initializer_list<const char *> literals)
{
    for (const char *literal : literals) {
        if (line.contains(literal))
            return true;
    }
    return false;
}

void replaceIgnoringCase(QByteArray &text, const QByteArray &word)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (int i = 0; i + word.size() <= text.size(); ++i) {
        int n = 0;
        while (n < word.size() && lower(text.at(i + n)) == lower(word.at(n)))
            ++n;
        if (n == word.size()) {
            text.replace(i, n, word);
            i += n - 1;
        }
    }
}

} // namespace

ReferenceStep::ReferenceStep(StavStep::Id step)
    : m_step(step)
    , m_renames(SetupMigration::standard().rules().steps[step].renames)
    , m_unitDependencies(SetupMigration::standard().rules().unitDependencies)
{
}

bool ReferenceStep::run(const QByteArray &text, QByteArray *result, StavLog *log) const
{
    bool versionSet = false;
    const QVector<StavLine> lines = readLines(text, log, &versionSet);
    if (!versionSet) {
        log->add(StavStep::get(m_step).name,
                 " Error: no \"DocumentVersion\" entry to update, file left as it was");
        return false;
    }
    return convertLines(lines, result, log);
}

QVector<StavLine> ReferenceStep::readLines(const QByteArray &text, StavLog *log,
                                           bool *versionSet) const
{
    const StavStep &info = StavStep::get(m_step);
    QVector<StavLine> lines;
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        StavLine line = StavLine::parse(text.mid(start, end - start));
        start = end + 1;
        if (line.line.contains("\"DocumentVersion\"")) {
            log->add(info.name, info.versionText);
            line.line = info.versionLine;
            line.value = info.version;
            *versionSet = true;
        } else if (m_step == StavStep::V6toV7) {
            rewriteVna(&line);
        }
        lines.append(line);
    }
    return lines;
}

bool ReferenceStep::convertLines(const QVector<StavLine> &input, QByteArray *result,
                                 StavLog *log) const
{
    StavTable::RenameMap units;
    if (m_step == StavStep::V3toV4) {
        for (const StavLine &line : input) {
            if (line.line.contains("Unit:\""))
                StavRules::appendCurrentUnitValue(units, line.itemId, line.value, log);
        }
    }
    QByteArray output;
    for (int i = 0; i < input.size(); ++i) {
        StavLine cur = input.at(i);
        if (cur.itemId.size() < 10) {
            output += cur.line + '\n';
            continue;
        }
        if (m_step == StavStep::V3toV4 && cur.line.contains("ScpiConfirmCfg"))
            continue;
        if (m_renames.contains(cur.itemId)) {
            const QByteArray newId = m_renames.value(cur.itemId);
            if (newId.isEmpty()) {
                if (cur.line.contains('[')) {
                    for (;;) {
                        const bool closed = cur.line.contains(']');
                        ++i;
                        if (closed)
                            break;
                        if (i >= input.size()) {
                            log->add(StavStep::get(m_step).name,
                                     " Error: Expected closing ] before End-Of-File "
                                     "stavLineIndex=",
                                     i, " curLine=", cur.line);
                            return false;
                        }
                        cur = input.at(i);
                    }
                    --i;
                }
                continue;
            }
            if (!keeps(cur.itemId, units))
                continue;
            cur.line.replace(cur.itemId, newId);
            cur.itemId = newId;
        }
        output += rewriteKept(cur, log).line + '\n';
    }
    *result = output;
    return true;
}

bool ReferenceStep::keeps(const QByteArray &itemId, const StavTable::RenameMap &units) const
{
    if (m_step != StavStep::V3toV4 || !m_unitDependencies.contains(itemId))
        return true;
    const auto dependency = m_unitDependencies.value(itemId);
    return !units.contains(dependency.first) || units.value(dependency.first) == dependency.second;
}

StavLine ReferenceStep::rewriteKept(const StavLine &kept, StavLog *log) const
{
    const auto renumber = [log](StavLine line, int offset, int minimum, int maximum) {
        StavRules::updateStavParam(&line, offset, minimum, maximum, log);
        return line;
    };
    if (m_step == StavStep::V4toV5) {
        if (containsAny(kept.line,
                        { ":centerPaneIndexDx:\"", ":centerPaneIndexRx:\"", ":centerPaneIndexTx:\"",
                          ":rightPaneIndexDx:\"", ":rightPaneIndexRx:\"", ":rightPaneIndexTx:\"" }))
            return renumber(kept, 1, 1, 99);
        return kept;
    }
    if (m_step == StavStep::V6toV7) {
        if (!kept.line.contains(":measurementModeCnfg:\""))
            return kept;
        QByteArray text = kept.line;
        return StavLine::parse(text.replace("\"VSWR\"", "\"VNA\""));
    }
    if (m_step != StavStep::V3toV4)
        return kept;
    const StavLine line = fixEnumOptions(kept);
    if (containsAny(line.line,
                    { ":p25LeftPaneIndexDx:\"", ":p25LeftPaneIndexTx:\"", ":dmrLeftPaneIndexDx:\"",
                      ":dmrLeftPaneIndexTx:\"" }))
        return renumber(line, -2, -1, 10000);
    if (containsAny(line.line, { ":p25LeftPane2IndexDx:\"", ":p25LeftPane2IndexTx:\"" }))
        return renumber(line, -3, -1, 10000);
    if (containsAny(line.line, { ":dmrLeftPane2IndexDx:\"", ":dmrLeftPane2IndexTx:\"" }))
        return renumber(renumber(line, -1, 1, 2), -3, 5, 99);
    if (containsAny(
            line.line,
            { ":dmrRightPaneIndexDx:\"", ":dmrRightPaneIndexRx:\"", ":dmrRightPaneIndexTx:\"" }))
        return renumber(line, -1, 5, 99);
    if (containsAny(line.line, { ":p25RightPaneIndexDx:\"", ":p25RightPaneIndexTx:\"" }))
        return renumber(line, -1, -1, 10000);
    return line;
}

StavLine ReferenceStep::fixEnumOptions(const StavLine &line) const
{
    QByteArray text = line.line;
    if (containsAny(text,
                    { "Enable:\"", "iqgen:repeat:\"", ":rfreceiver:genOffsetLock:\"",
                      ":rfreceiver:preAmp:\"" })) {
        text.replace("\"On\"", "\"Enabled\"").replace("\"\"", "\"Enabled\"");
        text.replace("\"Off\"", "\"Disabled\"");
    } else if (text.contains(":isRfPower:\"")) {
        text.replace("\"Rssi\"", "\"RfPower\"");
    } else if (text.contains("normalize:normalizeAction:\"")) {
        text.replace("\"StopNormalize\"", "\"AbortNormalize\"");
    } else if (text.contains("ReadingType:\"")) {
        for (const char *word :
             { "\"LIVE\"", "\"AVG\"", "\"MAX\"", "\"MIN\"", "\"PEAK\"", "\"BURST\"" })
            replaceIgnoringCase(text, word);
    } else if (text.contains("\"Continue\"")) {
        text.replace("\"Continue\"", "\"Continuous\"");
    } else {
        return line;
    }
    return StavLine::parse(text);
}

void ReferenceStep::rewriteVna(StavLine *line) const
{
    if (line->line.contains("\"Measure\"") && line->line.contains("\"VSWR\"")) {
        *line = StavLine("        \"Measure\": \"VNA\",", line->itemId, "VNA");
        return;
    }
    if (!containsAny(line->line, { "TabMeasure", "TabQml", "TabTitle" })
        || !line->line.contains("VSWR"))
        return;
    for (int n = 1; n <= 6; ++n) {
        const QByteArray digit = QByteArray::number(n);
        const QByteArray measure = "\"TabMeasure" + digit + '"';
        const QByteArray qml = "\"TabQml" + digit + '"';
        const QByteArray title = "\"TabTitle" + digit + '"';
        if (line->line.contains(measure)) {
            *line = StavLine("        " + measure + ": \"VNA\",", line->itemId, "VNA");
            return;
        }
        if (line->line.contains(qml)) {
            *line = StavLine("        " + qml + ": \"networkanalyzer_app/VNA.qml\",", line->itemId,
                             "networkanalyzer_app/VNA.qml");
            return;
        }
        if (line->line.contains(title)) {
            *line = StavLine("        " + title + ": \"VNA\",", line->itemId, "VNA");
            return;
        }
    }
}
