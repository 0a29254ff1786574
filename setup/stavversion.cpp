#include "stavversion.h"

#include "decimalint.h"
#include "stavtext.h"

namespace {

const char VersionKey[] = "DocumentVersion";

} // namespace

StavVersion StavVersion::scan(const QByteArray &text)
{
    StavVersion result;
    for (auto line = StavText::lineContaining(text, VersionKey, 0); line.isValid();
         line = StavText::lineContaining(text, VersionKey, line.next())) {
        result.m_status = Found;
        result.m_line = text.mid(line.start, line.end - line.start);
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
