// Arbitrary bytes as one line of a setup file through the line functions, and through the quick
// tests by which the migration copies most lines without parsing them.
#include "lineshape.h"
#include "literalset.h"
#include "setupconverter.h"
#include "setupmigration.h"
#include "stavkeyindex.h"

#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool containsAny(std::string_view line, const QList<QByteArray> &literals)
{
    for (const QByteArray &literal : literals) {
        if (line.find(std::string_view(literal.constData(), size_t(literal.size())))
            != std::string_view::npos)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(ignoreMessages), true);
    Q_UNUSED(quiet)
    static const SetupConverter converter;
    static const StavRules &rules = SetupMigration::standard().rules();
    // The literals of all steps, as the migration derives them from the rules.
    static const StavKeyIndex index(rules);
    static const LiteralSet &triggers = index.triggers(StavStep::V3toV4);
    static const QList<QByteArray> &literals = triggers.literals();
    static const QList<QByteArray> newIds = rules.steps[StavStep::V3toV4].renames.values();

    // The first two bytes choose the renumbering window and a new key, the rest is the line.
    const int offset = size > 0 ? int(int8_t(data[0])) : 0;
    const int minimum = size > 1 ? int(int8_t(data[1])) * 100 : -1;
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));

    const StavLine parsed = converter.parseLine(text);
    check(parsed.line == text);
    check(parsed.itemId.size() + parsed.value.size() <= text.size());

    // A rewritten line is parsed anew; an untouched one comes back as it was.
    const StavLine fixed = converter.fixEnumOptions(parsed);
    check(fixed.line == parsed.line ? fixed == parsed : fixed == converter.parseLine(fixed.line));

    const StavLine renumbered = converter.updateStavParam(parsed, offset, minimum, minimum + 1000);
    check(renumbered.itemId == parsed.itemId);

    // The shape ends at the first line feed and finds the key as parseLine does; the quick
    // tests agree with a plain search.
    const std::string_view whole(text.constData(), size_t(text.size()));
    const LineShape shape(whole.data(), whole.data() + whole.size());
    const std::string_view line = shape.line();
    check(line == whole.substr(0, whole.find('\n')));
    const bool found = containsAny(line, literals);
    check(triggers.foundIn(shape) == found);
    check(!triggers.foundAtQuotes(shape) || found);
    if (line.size() == whole.size())
        check(shape.itemId()
              == std::string_view(parsed.itemId.constData(), size_t(parsed.itemId.size())));

    // Putting a new key that touches no literal in place of the quoted key adds none.
    const QByteArray &newId = newIds.at(size > 1 ? data[1] % newIds.size() : 0);
    const std::string_view id(newId.constData(), size_t(newId.size()));
    if (!found && shape.quoteCount() > 0 && !triggers.mayTouch(id)) {
        const std::string renamed = std::string(line.substr(0, shape.quote(0) + 1))
            + std::string(id) + std::string(line.substr(shape.itemIdEnd()));
        check(!containsAny(renamed, literals));
    }
    return 0;
}
