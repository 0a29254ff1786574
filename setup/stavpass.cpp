#include "stavpass.h"

#include "lineshape.h"
#include "stavtext.h"

namespace {

bool contains(std::string_view text, std::string_view literal)
{
    return text.find(literal) != std::string_view::npos;
}

} // namespace

StavPass::StavPass(const StavRules &rules, const StavKeyIndex &index, StavStep::Id first,
                   StavStep::Id last)
    : m_rules(rules)
    , m_index(index)
    , m_first(first)
    , m_last(last)
{
}

bool StavPass::run(const QByteArray &text, QByteArray *result, StavLog *log, const QString &path)
{
    if (m_first == StavStep::V3toV4)
        collectSelectedUnits(text);
    // Most lines pass unchanged or with a slightly longer identifier.
    m_output.reserve(text.size() + text.size() / 16 + 64);
    // Trigger literals that are neither key ends nor quoted words are rare and are found in one
    // search of the text; the rest at the quotes of each line.
    const std::vector<int> plain = m_index.triggers(m_first).plainOccurrences(text);
    auto nextPlain = plain.cbegin();
    const char *data = text.constData();
    m_end = data + text.size();
    while (data < m_end) {
        // The scan that finds the line's end finds its quotes too.
        const LineShape shape(data, m_end);
        const int end = int(shape.line().data() + shape.line().size() - text.constData());
        bool hasPlain = false;
        for (; nextPlain != plain.cend() && *nextPlain < end; ++nextPlain)
            hasPlain = hasPlain || *nextPlain >= int(data - text.constData());
        ++m_lines;
        if (hasPlain || !convertQuickly(shape, m_first, true))
            convertExactly(shape.line());
        data = shape.line().data() + shape.line().size() + 1;
    }
    flush();
    if (!finish(log, path))
        return false;
    result->swap(m_output);
    return true;
}

// The unit selected in a V3 file for each unit item; the first value seen counts.
void StavPass::collectSelectedUnits(const QByteArray &text)
{
    StavLog *records = &m_steps[StavStep::V3toV4].records;
    const QByteArray &literal = m_rules.unitLiteral;
    for (auto span = StavText::lineContaining(text, literal.constData(), 0); span.isValid();
         span = StavText::lineContaining(text, literal.constData(), span.next())) {
        const QByteArray line = text.mid(span.start, span.end - span.start);
        // The version line has been replaced by the time units are collected.
        if (StavText::contains(line, StavRules::versionKey()))
            continue;
        const StavLine unitLine = StavLine::parse(line);
        StavRules::appendCurrentUnitValue(m_selectedUnits, unitLine.itemId, unitLine.value,
                                          records);
    }
    for (const StavKeyIndex::UnitDependency &dependency : m_index.unitDependencies()) {
        const auto selected = m_selectedUnits.constFind(dependency.unitItem);
        m_unitKept.append(selected == m_selectedUnits.constEnd()
                          || *selected == dependency.unitValue);
    }
}

// The shortcut for the steps from `first` on: true when the line was copied, renamed or dropped
// as a whole. `inInput`: the line lies in the text being converted, where it stays until the
// end, and holds no trigger literal other than key ends and quoted words.
bool StavPass::convertQuickly(const LineShape &shape, int first, bool inInput)
{
    const LiteralSet &triggers = m_index.triggers(StavStep::Id(first));
    if (inInput ? triggers.foundAtQuotes(shape) : triggers.foundIn(shape))
        return false;
    const std::string_view line = shape.line();
    const std::string_view key = shape.itemId();
    const StavKeyIndex::Chain *chain = key.size() >= size_t(StavRules::MinItemIdLength)
        ? m_index.find(key, StavStep::Id(first))
        : nullptr;
    if (chain && chain->exact)
        return false;
    bool renamed = false;
    if (chain) {
        // A step replaces every occurrence of the old key, the shortcut only the quoted one.
        const std::string_view before = line.substr(0, shape.quote(0));
        const std::string_view after = line.substr(shape.itemIdEnd());
        for (int step = first; step <= m_last; ++step) {
            if (chain->ids[step].data() == chain->ids[step + 1].data())
                continue;
            renamed = true;
            for (std::string_view id : { chain->ids[step], chain->ids[step + 1] }) {
                if ((before.size() >= chain->shortestId && contains(before, id))
                    || (after.size() >= chain->shortestId && contains(after, id)))
                    return false;
            }
        }
    }
    if (dropsQuickly(line, chain, first))
        return true;
    if (renamed) {
        appendRenamed(line, shape.quote(0) + 1, shape.itemIdEnd(), chain->ids[m_last + 1]);
    } else if (inInput) {
        appendUnchanged(line);
    } else {
        m_output.append(line.data(), int(line.size()));
        m_output.append('\n');
    }
    return true;
}

// Whether a step drops the line: inside a removed array, removed by a table, or a V3 item of a
// unit the file does not select.
bool StavPass::dropsQuickly(std::string_view line, const StavKeyIndex::Chain *chain, int first)
{
    const bool removed = chain && chain->dropStep >= 0 && chain->dropStep <= m_last;
    const bool otherUnit
        = chain && chain->unitDependency >= 0 && !m_unitKept.at(chain->unitDependency);
    if (m_skippingSteps == 0 && !removed && !otherUnit)
        return false;
    const bool closes = line.find(']') != std::string_view::npos;
    for (int step = first; step <= m_last; ++step) {
        StepState &state = m_steps[step];
        if (state.skipping) {
            if (closes) {
                state.skipping = false;
                --m_skippingSteps;
            } else {
                state.lastSkipped = textAt(line, chain, step);
            }
            ++state.droppedLines;
            return true;
        }
        if ((removed && chain->dropStep == step) || (otherUnit && step == StavStep::V3toV4)) {
            if (removed && !closes && line.find('[') != std::string_view::npos)
                startSkipping(&state, textAt(line, chain, step));
            ++state.droppedLines;
            return true;
        }
    }
    return false;
}

// The line as `step` sees it, when only the tables changed it.
QByteArray StavPass::textAt(std::string_view line, const StavKeyIndex::Chain *chain, int step) const
{
    const LineShape shape(line);
    if (!chain || chain->ids[step] == shape.itemId())
        return QByteArray(line.data(), int(line.size()));
    const size_t begin = shape.quote(0) + 1;
    const size_t end = shape.itemIdEnd();
    return QByteArray(line.data(), int(begin))
        + QByteArray(chain->ids[step].data(), int(chain->ids[step].size()))
        + QByteArray(line.data() + end, int(line.size() - end));
}

// The steps one after the other, as they are written down, until the shortcut can take the line
// through the remaining ones. A step none of whose trigger literals the line holds can only skip
// it, drop it or rename its key; the line is parsed only for a step that may do more.
void StavPass::convertExactly(std::string_view line)
{
    flush();
    QByteArray text(line.data(), int(line.size()));
    for (int step = m_first; step <= m_last; ++step) {
        if (step > m_first) {
            const LineShape shape(std::string_view(text.constData(), size_t(text.size())));
            if (convertQuickly(shape, step, false))
                return;
        }
        StepState &state = m_steps[step];
        const bool byTable = !hasTriggers(StavStep::Id(step), text);
        StavLine cur;
        if (byTable) {
            cur.line = text;
            cur.itemId = StavLine::parse(text).itemId;
        } else {
            cur = StavLine::parse(text);
            if (StavText::contains(cur.line, StavRules::versionKey())) {
                const StavStep &info = StavStep::get(StavStep::Id(step));
                ++state.versionLines;
                cur = StavLine(info.versionLine, cur.itemId, info.version);
            } else {
                cur = m_rules.applyEntryRules(StavStep::Id(step), cur);
            }
        }
        if (state.skipping) {
            if (cur.line.contains(']')) {
                state.skipping = false;
                --m_skippingSteps;
            } else {
                state.lastSkipped = cur.line;
            }
            ++state.droppedLines;
            return;
        }
        if (!keepsExactly(StavStep::Id(step), &cur, byTable)) {
            ++state.droppedLines;
            return;
        }
        text = cur.line;
    }
    m_output.append(text);
    m_output.append('\n');
}

bool StavPass::hasTriggers(StavStep::Id step, const QByteArray &text) const
{
    const LineShape shape(std::string_view(text.constData(), size_t(text.size())));
    return m_index.stepTriggers(step).foundIn(shape);
}

// Table and rules of one step for a line outside removed arrays; false when it is dropped.
// `byTable`: the line holds none of the step's trigger literals and has not been parsed.
bool StavPass::keepsExactly(StavStep::Id step, StavLine *cur, bool byTable)
{
    // Plain keys and lines without a key never match the tables.
    if (cur->itemId.size() < StavRules::MinItemIdLength)
        return true;
    const StavRules::Step &rules = m_rules.steps[step];
    for (const QByteArray &literal : rules.dropLiterals) {
        if (StavText::contains(cur->line, literal))
            return false;
    }
    const auto renamed = rules.renames.constFind(cur->itemId);
    if (renamed != rules.renames.constEnd()) {
        if (renamed->isEmpty()) {
            if (cur->line.contains('[') && !cur->line.contains(']'))
                startSkipping(&m_steps[step], cur->line);
            return false;
        }
        if (step == StavStep::V3toV4 && !m_rules.keepsUnitItem(cur->itemId, m_selectedUnits))
            return false;
        const QByteArray before = cur->line;
        StavText::replaceAll(cur->line, cur->itemId, *renamed);
        cur->itemId = *renamed;
        // The new key may bring a trigger literal along; the value stays the one parsed before.
        if (byTable && hasTriggers(step, cur->line)) {
            cur->value = StavLine::parse(before).value;
            byTable = false;
        }
    }
    if (byTable)
        return true;
    *cur = m_rules.applyTextRules(step, *cur);
    *cur = m_rules.applyIndexRules(step, *cur, &m_steps[step].records);
    return true;
}

void StavPass::startSkipping(StepState *state, const QByteArray &line)
{
    state->skipping = true;
    state->lastSkipped = line;
    ++m_skippingSteps;
}

void StavPass::appendUnchanged(std::string_view line)
{
    const char *begin = line.data();
    const char *end = begin + line.size();
    // The last line may lack its line feed; the output always ends with one.
    if (end == m_end) {
        flush();
        m_output.append(begin, int(line.size()));
        m_output.append('\n');
        return;
    }
    if (begin != m_runEnd) {
        flush();
        m_runBegin = begin;
    }
    m_runEnd = end + 1;
}

void StavPass::appendRenamed(std::string_view line, size_t keyBegin, size_t keyEnd,
                             std::string_view key)
{
    flush();
    m_output.append(line.data(), int(keyBegin));
    m_output.append(key.data(), int(key.size()));
    m_output.append(line.data() + keyEnd, int(line.size() - keyEnd));
    m_output.append('\n');
}

void StavPass::flush()
{
    if (m_runBegin)
        m_output.append(m_runBegin, int(m_runEnd - m_runBegin));
    m_runBegin = m_runEnd = nullptr;
}

// The records in the order of steps run one after the other, up to the first that fails.
bool StavPass::finish(StavLog *log, const QString &path)
{
    int lines = m_lines;
    for (int step = m_first; step <= m_last; ++step) {
        const StavStep &info = StavStep::get(StavStep::Id(step));
        const StepState &state = m_steps[step];
        log->add(info.name, info.startText, path);
        if (state.versionLines == 0) {
            // A converted file that still claimed its old version would be converted again.
            log->add(info.name,
                     " Error: no \"DocumentVersion\" entry to update, file left as it was");
            return false;
        }
        for (int i = 0; i < state.versionLines; ++i)
            log->add(info.name, info.versionText);
        log->append(state.records);
        if (state.skipping) {
            log->add(info.name,
                     " Error: Expected closing ] before End-Of-File stavLineIndex=", lines,
                     " curLine=", state.lastSkipped);
            return false;
        }
        lines -= state.droppedLines;
    }
    return true;
}
