#include "referencestep.h"

using Step = SetupConverter::Step;

namespace {

SetupConverter::ItemIdMap renamesFor(const SetupConverter &converter, Step step)
{
    switch (step) {
    case Step::V3toV4:
        return converter.initV3ToV4ZebItemIds();
    case Step::V4toV5:
        return converter.initV4ToV5ZebItemIds();
    case Step::V5toV6:
        return converter.initV5ToV6ZebItemIds();
    case Step::V6toV7:
        break;
    }
    return converter.initV6ToV7ZebItemIds();
}

bool containsAny(const QByteArray &line, std::initializer_list<const char *> literals)
{
    for (const char *literal : literals) {
        if (line.contains(literal))
            return true;
    }
    return false;
}

} // namespace

ReferenceStep::ReferenceStep(const SetupConverter &converter, Step step)
    : m_converter(converter)
    , m_step(step)
    , m_renames(renamesFor(converter, step))
    , m_unitDependencies(converter.initZebIdToUnit())
{
}

bool ReferenceStep::run(const QByteArray &text, QByteArray *result) const
{
    bool versionSet = false;
    const QVector<StavLine> lines = readLines(text, &versionSet);
    return versionSet && convertLines(lines, result);
}

QVector<StavLine> ReferenceStep::readLines(const QByteArray &text, bool *versionSet) const
{
    static const char *const versions[] = { "V4", "V5", "V6", "V7" };
    const QByteArray version = versions[int(m_step)];
    QVector<StavLine> lines;
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        StavLine line = m_converter.parseLine(text.mid(start, end - start));
        start = end + 1;
        if (line.line.contains("\"DocumentVersion\"")) {
            line.line = "        \"DocumentVersion\": \"" + version + "\",";
            line.value = version;
            *versionSet = true;
        } else if (m_step == Step::V6toV7) {
            rewriteVna(&line);
        }
        lines.append(line);
    }
    return lines;
}

bool ReferenceStep::convertLines(const QVector<StavLine> &input, QByteArray *result) const
{
    SetupConverter::ItemIdMap units;
    if (m_step == Step::V3toV4) {
        for (const StavLine &line : input) {
            if (line.line.contains("Unit:\""))
                m_converter.appendCurrentUnitValue(units, line.itemId, line.value);
        }
    }
    QByteArray output;
    for (int i = 0; i < input.size(); ++i) {
        StavLine cur = input.at(i);
        if (cur.itemId.size() < 10) {
            output += cur.line + '\n';
            continue;
        }
        if (m_step == Step::V3toV4 && cur.line.contains("ScpiConfirmCfg"))
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
                        if (i >= input.size())
                            return false;
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
        output += rewriteKept(cur).line + '\n';
    }
    *result = output;
    return true;
}

bool ReferenceStep::keeps(const QByteArray &itemId, const SetupConverter::ItemIdMap &units) const
{
    if (m_step != Step::V3toV4 || !m_unitDependencies.contains(itemId))
        return true;
    const auto dependency = m_unitDependencies.value(itemId);
    return !units.contains(dependency.first) || units.value(dependency.first) == dependency.second;
}

StavLine ReferenceStep::rewriteKept(const StavLine &kept) const
{
    const SetupConverter &c = m_converter;
    if (m_step == Step::V4toV5) {
        if (containsAny(kept.line,
                        { ":centerPaneIndexDx:\"", ":centerPaneIndexRx:\"", ":centerPaneIndexTx:\"",
                          ":rightPaneIndexDx:\"", ":rightPaneIndexRx:\"", ":rightPaneIndexTx:\"" }))
            return c.updateStavParam(kept, 1, 1, 99);
        return kept;
    }
    if (m_step == Step::V6toV7) {
        if (!kept.line.contains(":measurementModeCnfg:\""))
            return kept;
        QByteArray text = kept.line;
        return c.parseLine(text.replace("\"VSWR\"", "\"VNA\""));
    }
    if (m_step != Step::V3toV4)
        return kept;
    const StavLine line = c.fixEnumOptions(kept);
    if (containsAny(line.line,
                    { ":p25LeftPaneIndexDx:\"", ":p25LeftPaneIndexTx:\"", ":dmrLeftPaneIndexDx:\"",
                      ":dmrLeftPaneIndexTx:\"" }))
        return c.updateStavParam(line, -2, -1, 10000);
    if (containsAny(line.line, { ":p25LeftPane2IndexDx:\"", ":p25LeftPane2IndexTx:\"" }))
        return c.updateStavParam(line, -3, -1, 10000);
    if (containsAny(line.line, { ":dmrLeftPane2IndexDx:\"", ":dmrLeftPane2IndexTx:\"" }))
        return c.updateStavParam(c.updateStavParam(line, -1, 1, 2), -3, 5, 99);
    if (containsAny(
            line.line,
            { ":dmrRightPaneIndexDx:\"", ":dmrRightPaneIndexRx:\"", ":dmrRightPaneIndexTx:\"" }))
        return c.updateStavParam(line, -1, 5, 99);
    if (containsAny(line.line, { ":p25RightPaneIndexDx:\"", ":p25RightPaneIndexTx:\"" }))
        return c.updateStavParam(line, -1, -1, 10000);
    return line;
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
