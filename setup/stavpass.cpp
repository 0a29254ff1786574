#include "stavpass.h"

#include "lineshape.h"
#include "stavtext.h"

#include <cstring>

namespace {

bool contains(std::string_view text, std::string_view literal)
{
    return text.find(literal) != std::string_view::npos;
}

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
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
    m_output.resize(text.size() + text.size() / 16 + 64);
    m_out = m_output.data();
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
            convertExactly(shape);
        data = shape.line().data() + shape.line().size() + 1;
    }
    flush();
    if (!finish(log, path))
        return false;
    m_output.resize(int(m_out - m_output.constData()));
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
        write(line.data(), line.size());
        write("\n", 1);
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
// through the remaining ones. A step none of whose literals the line holds can only skip it, drop
// it or rename its key; the line is parsed only for a step that may do more.
void StavPass::convertExactly(const LineShape &inputShape)
{
    flush();
    QByteArray text(inputShape.line().data(), int(inputShape.line().size()));
    for (int step = m_first; step <= m_last; ++step) {
        const LineShape shape = step == m_first ? inputShape : LineShape(view(text));
        if (step > m_first && convertQuickly(shape, step, false))
            return;
        StepState &state = m_steps[step];
        const StavKeyIndex::StepLiterals &literals = m_index.stepLiterals(StavStep::Id(step));
        uint64_t found = literals.literals.found(shape);
        StavLine cur;
        if (!found) {
            cur.itemId = QByteArray(shape.itemId().data(), int(shape.itemId().size()));
            cur.line = std::move(text);
        } else {
            cur = StavLine::parse(text);
            if (StavText::contains(cur.line, StavRules::versionKey())) {
                const StavStep &info = StavStep::get(StavStep::Id(step));
                ++state.versionLines;
                cur.line = info.versionLine;
                cur.value = info.version;
            } else {
                m_rules.applyEntryRules(StavStep::Id(step), &cur);
            }
            if (cur.line != text)
                found = literals.literals.found(LineShape(view(cur.line)));
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
        if (!keepsExactly(StavStep::Id(step), &cur, found)) {
            ++state.droppedLines;
            return;
        }
        text = std::move(cur.line);
    }
    write(text.constData(), size_t(text.size()));
    write("\n", 1);
}

// Table and rules of one step for a line outside removed arrays; false when it is dropped.
// `found`: the step's literals in the line; none: the line has not been parsed.
bool StavPass::keepsExactly(StavStep::Id step, StavLine *cur, uint64_t found)
{
    // Plain keys and lines without a key never match the tables.
    if (cur->itemId.size() < StavRules::MinItemIdLength)
        return true;
    const StavRules::Step &rules = m_rules.steps[step];
    const StavKeyIndex::StepLiterals &literals = m_index.stepLiterals(step);
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
        QByteArray line = StavText::replaced(cur->line, cur->itemId, *renamed);
        // The new key may bring a literal along; the value stays the one parsed before.
        const uint64_t wasFound = found;
        found = literals.literals.found(LineShape(view(line)));
        if (found && !wasFound)
            cur->value = StavLine::parse(cur->line).value;
        cur->line = std::move(line);
        cur->itemId = *renamed;
    }
    if (!found)
        return true;
    const int text = firstRule(rules.textRules, literals.textRules, found, cur->line);
    if (text >= 0) {
        const QByteArray before = cur->line;
        StavRules::applyTextRule(rules.textRules.at(text), cur);
        if (cur->line != before)
            found = literals.literals.found(LineShape(view(cur->line)));
    }
    const int index = firstRule(rules.indexRules, literals.indexRules, found, cur->line);
    if (index >= 0)
        StavRules::applyIndexRule(rules.indexRules.at(index), cur, &m_steps[step].records);
    return true;
}

// The first rule that the line holds a literal of; the last bit of `found` stands for many
// literals and is checked by a search.
template<typename Rule>
int StavPass::firstRule(const QList<Rule> &rules, const std::vector<uint64_t> &bits, uint64_t found,
                        const QByteArray &line)
{
    for (int i = 0; i < rules.size(); ++i) {
        const uint64_t both = bits[size_t(i)] & found;
        if (both && (both != LiteralSet::bit(63) || StavRules::holds(line, rules.at(i))))
            return i;
    }
    return -1;
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
        write(begin, line.size());
        write("\n", 1);
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
    write(line.data(), keyBegin);
    write(key.data(), key.size());
    write(line.data() + keyEnd, line.size() - keyEnd);
    write("\n", 1);
}

void StavPass::write(const char *data, size_t size)
{
    const size_t written = size_t(m_out - m_output.constData());
    if (written + size > size_t(m_output.size())) {
        m_output.resize(int(qMax(written + size, size_t(m_output.size()) * 2)));
        m_out = m_output.data() + written;
    }
    std::memcpy(m_out, data, size);
    m_out += size;
}

void StavPass::flush()
{
    if (m_runBegin)
        write(m_runBegin, size_t(m_runEnd - m_runBegin));
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
