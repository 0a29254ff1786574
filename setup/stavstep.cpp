#include "stavstep.h"

#include "lineshape.h"
#include "stavtext.h"

#include <QtDebug>

#include <cstring>

using Step = SetupConverter::Step;
using StavText::contains;

namespace {

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

bool has(std::string_view text, std::string_view literal)
{
    return text.find(literal) != std::string_view::npos;
}

// The key as StavLine::parse finds it: after the first quote up to the next or the end.
std::string_view itemIdOf(std::string_view line)
{
    const size_t first = line.find('"');
    if (first == std::string_view::npos)
        return {};
    const size_t second = line.find('"', first + 1);
    return line.substr(
        first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
}

// The conditions of the enum renaming of V4, except "Continue", which is no key end.
const std::string_view EnumKeyEnds[] = {
    "Enable:\"",
    "iqgen:repeat:\"",
    ":rfreceiver:genOffsetLock:\"",
    ":rfreceiver:preAmp:\"",
    ":isRfPower:\"",
    "normalize:normalizeAction:\"",
    "ReadingType:\"",
};

const std::string_view PaneKeysV4[] = {
    ":p25LeftPaneIndexDx:\"",  ":p25LeftPaneIndexTx:\"",  ":dmrLeftPaneIndexDx:\"",
    ":dmrLeftPaneIndexTx:\"",  ":p25LeftPane2IndexDx:\"", ":p25LeftPane2IndexTx:\"",
    ":dmrLeftPane2IndexDx:\"", ":dmrLeftPane2IndexTx:\"", ":dmrRightPaneIndexDx:\"",
    ":dmrRightPaneIndexRx:\"", ":dmrRightPaneIndexTx:\"", ":p25RightPaneIndexDx:\"",
    ":p25RightPaneIndexTx:\"",
};

const std::string_view PaneKeysV5[] = {
    ":centerPaneIndexDx:\"", ":centerPaneIndexRx:\"", ":centerPaneIndexTx:\"",
    ":rightPaneIndexDx:\"",  ":rightPaneIndexRx:\"",  ":rightPaneIndexTx:\"",
};

const std::string_view MeasurementModeKey[] = { ":measurementModeCnfg:\"" };

} // namespace

const StavStep::Info &StavStep::info(Step step)
{
    static const Info steps[] = {
        { "convertSetupV3toV4",
          " Converting file to V4: ", "Set DocumentVersion to V4 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V4\","), QByteArrayLiteral("V4") },
        { "convertSetupV4toV5",
          " Converting file from V4 to V5: ", "Set DocumentVersion to V5 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V5\","), QByteArrayLiteral("V5") },
        { "convertSetupV5toV6",
          " Converting file from V5 to V6: ", "Set DocumentVersion to V6 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V6\","), QByteArrayLiteral("V6") },
        { "convertSetupV6toV7",
          " Converting file from V6 to V7: ", "Set DocumentVersion to V7 and save converted file",
          QByteArrayLiteral("        \"DocumentVersion\": \"V7\","), QByteArrayLiteral("V7") },
    };
    return steps[int(step)];
}

StavStep::StavStep(const SetupConverter &converter, Step step)
    : m_converter(converter)
    , m_step(step)
    , m_info(info(step))
{
}

bool StavStep::run(const QByteArray &text, QByteArray *result)
{
    // The version lines first: their records come before any other of the step.
    const QVector<int> versionLines = findVersionLines(text);
    if (versionLines.isEmpty()) {
        // A converted file that still claimed its old version would be converted again.
        qWarning() << m_info.name
                   << " Error: no \"DocumentVersion\" entry to update, file left as it was";
        return false;
    }
    switch (m_step) {
    case Step::V3toV4:
        m_renames = m_converter.initV3ToV4ZebItemIds();
        m_unitDependencies = m_converter.initZebIdToUnit();
        collectSelectedUnits(text);
        break;
    case Step::V4toV5:
        m_renames = m_converter.initV4ToV5ZebItemIds();
        break;
    case Step::V5toV6:
        m_renames = m_converter.initV5ToV6ZebItemIds();
        break;
    case Step::V6toV7:
        m_renames = m_converter.initV6ToV7ZebItemIds();
        break;
    }
    buildViews();

    // Most lines pass unchanged or with a slightly longer identifier.
    m_output.reserve(text.size() + text.size() / 16 + 64);
    const char *data = text.constData();
    const char *const end = data + text.size();
    m_inputEnd = end;
    int nextVersion = 0;
    while (data < end) {
        const void *feed = std::memchr(data, '\n', size_t(end - data));
        const char *lineEnd = feed ? static_cast<const char *>(feed) : end;
        const bool versionLine = nextVersion < versionLines.size()
            && versionLines.at(nextVersion) == int(data - text.constData());
        if (versionLine)
            ++nextVersion;
        convertLine(data, int(lineEnd - data), versionLine);
        data = lineEnd + 1;
    }
    if (m_skipping) {
        qWarning() << m_info.name
                   << " Error: Expected closing ] before End-Of-File stavLineIndex=" << m_lineCount
                   << " curLine=" << m_lastSkipped;
        return false;
    }
    *result = m_output;
    return true;
}

// Start offsets of the lines that hold "DocumentVersion" in quotes; one record each.
QVector<int> StavStep::findVersionLines(const QByteArray &text) const
{
    QVector<int> starts;
    const char key[] = "\"DocumentVersion\"";
    for (auto line = StavText::lineContaining(text, key, 0); line.isValid();
         line = StavText::lineContaining(text, key, line.next())) {
        starts.append(line.start);
        qWarning() << m_info.name << m_info.versionText;
    }
    return starts;
}

// The unit selected in a V3 file for each unit item; the first value seen counts.
void StavStep::collectSelectedUnits(const QByteArray &text)
{
    const char key[] = "Unit:\"";
    for (auto span = StavText::lineContaining(text, key, 0); span.isValid();
         span = StavText::lineContaining(text, key, span.next())) {
        const QByteArray line = text.mid(span.start, span.end - span.start);
        // A version line has been replaced by the time units are collected.
        if (contains(line, "\"DocumentVersion\""))
            continue;
        const StavLine unitLine = m_converter.parseLine(line);
        m_converter.appendCurrentUnitValue(m_selectedUnits, unitLine.itemId, unitLine.value);
    }
}

void StavStep::buildViews()
{
    m_renameViews.reserve(size_t(m_renames.size()));
    for (auto it = m_renames.cbegin(); it != m_renames.cend(); ++it)
        m_renameViews.emplace(view(it.key()), view(it.value()));
    for (auto it = m_unitDependencies.cbegin(); it != m_unitDependencies.cend(); ++it)
        m_unitViews.emplace(view(it.key()),
                            std::make_pair(view(it.value().first), view(it.value().second)));
    for (auto it = m_selectedUnits.cbegin(); it != m_selectedUnits.cend(); ++it)
        m_selectedUnitViews.emplace(view(it.key()), view(it.value()));
}

void StavStep::convertLine(const char *data, int size, bool versionLine)
{
    ++m_lineCount;
    const std::string_view line(data, size_t(size));

    // Phase 1: the version line and, towards V7, the VSWR entries are rewritten first.
    if (versionLine) {
        const StavLine original = m_converter.parseLine(QByteArray(data, size));
        const StavLine rewritten(m_info.versionLine, original.itemId, m_info.version);
        if (m_skipping)
            continueRemoval(rewritten.line);
        else
            convertParsedLine(rewritten);
        return;
    }
    if (m_step == Step::V6toV7 && has(line, "VSWR")) {
        StavLine rewritten = m_converter.parseLine(QByteArray(data, size));
        rewriteVnaEntry(&rewritten);
        if (m_skipping)
            continueRemoval(rewritten.line);
        else
            convertParsedLine(rewritten);
        return;
    }
    if (m_skipping) {
        continueRemoval(QByteArray(data, size));
        return;
    }
    if (!copiesUnchanged(line))
        convertParsedLine(m_converter.parseLine(QByteArray(data, size)));
}

// The fast path: true when the line was copied or dropped without parsing it.
bool StavStep::copiesUnchanged(std::string_view line)
{
    const std::string_view itemId = itemIdOf(line);
    if (itemId.size() < 10) {
        appendInputLine(line);
        return true;
    }
    if (m_step == Step::V3toV4 && has(line, "ScpiConfirmCfg"))
        return true;
    const auto renamed = m_renameViews.find(itemId);
    if (renamed != m_renameViews.end())
        return false;
    // The V5 to V6 step has no rules beyond its table.
    if (m_step != Step::V5toV6 && mayRewrite(LineShape(line)))
        return false;
    appendInputLine(line);
    return true;
}

// Phase 2 for one line, as the step defines it.
void StavStep::convertParsedLine(StavLine cur)
{
    // Plain keys and lines without a key never match the tables.
    if (cur.itemId.size() < 10) {
        appendLine(cur.line.constData(), cur.line.size());
        return;
    }
    if (m_step == Step::V3toV4 && contains(cur.line, "ScpiConfirmCfg"))
        return;
    const auto renamed = m_renameViews.find(view(cur.itemId));
    if (renamed != m_renameViews.end()) {
        if (renamed->second.empty()) {
            startRemoval(cur.line);
            return;
        }
        if (!keepsRenamedLine(renamed->first))
            return;
        const QByteArray newId(renamed->second.data(), int(renamed->second.size()));
        cur.line.replace(cur.itemId, newId);
        cur.itemId = newId;
    }
    if (mayRewrite(LineShape(view(cur.line))))
        rewriteKeptLine(&cur);
    appendLine(cur.line.constData(), cur.line.size());
}

// Of the V3 items kept once per unit, only the one of the unit selected in the file survives.
bool StavStep::keepsRenamedLine(std::string_view oldId) const
{
    if (m_step != Step::V3toV4)
        return true;
    const auto dependency = m_unitViews.find(oldId);
    if (dependency == m_unitViews.end())
        return true;
    const auto selected = m_selectedUnitViews.find(dependency->second.first);
    return selected == m_selectedUnitViews.end() || selected->second == dependency->second.second;
}

void StavStep::rewriteKeptLine(StavLine *cur) const
{
    switch (m_step) {
    case Step::V3toV4:
        *cur = updatePaneIndexV4(m_converter.fixEnumOptions(*cur));
        break;
    case Step::V4toV5:
        *cur = updatePaneIndexV5(*cur);
        break;
    case Step::V5toV6:
        break;
    case Step::V6toV7:
        *cur = updateMeasurementMode(*cur);
        break;
    }
}

// Whether a kept line holds any text that rewriteKeptLine() acts on.
bool StavStep::mayRewrite(const LineShape &shape) const
{
    switch (m_step) {
    case Step::V3toV4:
        return shape.containsAnyKeyEnd(EnumKeyEnds) || shape.containsQuoted("Continue")
            || shape.containsAnyKeyEnd(PaneKeysV4);
    case Step::V4toV5:
        return shape.containsAnyKeyEnd(PaneKeysV5);
    case Step::V5toV6:
        return false;
    case Step::V6toV7:
        return shape.containsAnyKeyEnd(MeasurementModeKey);
    }
    return true;
}

// A removed item is dropped: its line, or all lines from its "[" up to the first "]".
void StavStep::startRemoval(const QByteArray &line)
{
    if (line.contains('[') && !line.contains(']')) {
        m_skipping = true;
        m_lastSkipped = line;
    }
}

void StavStep::continueRemoval(const QByteArray &line)
{
    m_lastSkipped = line;
    if (line.contains(']'))
        m_skipping = false;
}

void StavStep::appendLine(const char *data, int size)
{
    m_output.append(data, size);
    m_output.append('\n');
}

// A line copied from the input brings its line feed along, except the last line.
void StavStep::appendInputLine(std::string_view line)
{
    if (line.data() + line.size() < m_inputEnd) {
        m_output.append(line.data(), int(line.size()) + 1);
        return;
    }
    appendLine(line.data(), int(line.size()));
}

// The P25 and DMR pane indices were renumbered in V4; only the first matching group applies.
StavLine StavStep::updatePaneIndexV4(const StavLine &stavLine) const
{
    const QByteArray &line = stavLine.line;
    if (contains(line, ":p25LeftPaneIndexDx:\"") || contains(line, ":p25LeftPaneIndexTx:\"")
        || contains(line, ":dmrLeftPaneIndexDx:\"") || contains(line, ":dmrLeftPaneIndexTx:\""))
        return m_converter.updateStavParam(stavLine, -2, -1, 10000);
    if (contains(line, ":p25LeftPane2IndexDx:\"") || contains(line, ":p25LeftPane2IndexTx:\""))
        return m_converter.updateStavParam(stavLine, -3, -1, 10000);
    if (contains(line, ":dmrLeftPane2IndexDx:\"") || contains(line, ":dmrLeftPane2IndexTx:\""))
        return m_converter.updateStavParam(m_converter.updateStavParam(stavLine, -1, 1, 2), -3, 5,
                                           99);
    if (contains(line, ":dmrRightPaneIndexDx:\"") || contains(line, ":dmrRightPaneIndexRx:\"")
        || contains(line, ":dmrRightPaneIndexTx:\""))
        return m_converter.updateStavParam(stavLine, -1, 5, 99);
    if (contains(line, ":p25RightPaneIndexDx:\"") || contains(line, ":p25RightPaneIndexTx:\""))
        return m_converter.updateStavParam(stavLine, -1, -1, 10000);
    return stavLine;
}

// V5 moved the centre and right panes up by one.
StavLine StavStep::updatePaneIndexV5(const StavLine &stavLine) const
{
    const QByteArray &line = stavLine.line;
    if (contains(line, ":centerPaneIndexDx:\"") || contains(line, ":centerPaneIndexRx:\"")
        || contains(line, ":centerPaneIndexTx:\"") || contains(line, ":rightPaneIndexDx:\"")
        || contains(line, ":rightPaneIndexRx:\"") || contains(line, ":rightPaneIndexTx:\""))
        return m_converter.updateStavParam(stavLine, 1, 1, 99);
    return stavLine;
}

// V7 replaced the VSWR measurement by the VNA measurement.
StavLine StavStep::updateMeasurementMode(const StavLine &stavLine) const
{
    if (!contains(stavLine.line, ":measurementModeCnfg:\""))
        return stavLine;
    QByteArray text = stavLine.line;
    return m_converter.parseLine(text.replace("\"VSWR\"", "\"VNA\""));
}

// The measurement selection and the tab entries of V6 that name VSWR.
void StavStep::rewriteVnaEntry(StavLine *stavLine) const
{
    const QByteArray &line = stavLine->line;
    if (contains(line, "\"Measure\"") && contains(line, "\"VSWR\"")) {
        stavLine->line = QByteArrayLiteral("        \"Measure\": \"VNA\",");
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
            value = "networkanalyzer_app/VNA.qml";
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
