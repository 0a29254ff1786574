#ifndef STAVLINE_H
#define STAVLINE_H

#include <QByteArray>
#include <QMetaType>

// One line of a setup (.stav) file: the raw bytes plus the first two quoted strings on it,
// the key (itemId) and the quoted value. The three fields are not kept in step automatically:
// whoever changes `line` also sets `itemId` and `value`, or parses the new text again.
struct StavLine
{
    StavLine() = default;
    StavLine(const QByteArray &line, const QByteArray &itemId, const QByteArray &value)
        : line(line)
        , itemId(itemId)
        , value(value)
    {
    }

    // Splits `text` at double quotes the way a reader that reads up to a delimiter does:
    // the key is the second token, the value the fourth.
    static StavLine parse(const QByteArray &text);

    bool operator==(const StavLine &other) const
    {
        return line == other.line && itemId == other.itemId && value == other.value;
    }
    bool operator!=(const StavLine &other) const { return !(*this == other); }

    QByteArray line;
    QByteArray itemId;
    QByteArray value;
};

Q_DECLARE_TYPEINFO(StavLine, Q_MOVABLE_TYPE);
Q_DECLARE_METATYPE(StavLine)

#endif // STAVLINE_H
