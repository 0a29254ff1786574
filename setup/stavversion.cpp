#include "stavversion.h"

#include "decimalint.h"
#include "stavtext.h"

namespace {

const char VersionKey[] = "DocumentVersion";

} // namespace

StavVersion StavVersion::scan(const QByteArray &text)
{
    StavVersion result;
    // Jumps from one mention of the key to the next instead of splitting every line.
    int from = 0;
    while (from < text.size()) {
        const int hit = StavText::indexOf(text, VersionKey, from);
        if (hit < 0)
            break;
        const int start = text.lastIndexOf('\n', hit) + 1;
        int end = text.indexOf('\n', hit);
        if (end < 0)
            end = text.size();
        from = end + 1;

        result.m_status = Found;
        result.m_line = text.mid(start, end - start);
        const int v = result.m_line.lastIndexOf('V');
        int number = 0;
        if (!parseDecimalInt(result.m_line.mid(v + 1), &number, &result.m_error)) {
            result.m_status = Invalid;
            return result;
        }
        result.m_number = number;
        if (number > 6)
            return result;
    }
    return result;
}
