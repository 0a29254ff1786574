#ifndef STAVTABLE_H
#define STAVTABLE_H

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QString>

// Reads the identifier tables that are compiled in as resources (setup/tables/*.txt): one entry
// a line, fields separated by a blank, lines starting with '#' are comments.
class StavTable
{
public:
    using RenameMap = QHash<QByteArray, QByteArray>;
    using UnitMap = QHash<QByteArray, QPair<QByteArray, QByteArray>>;

    // Old identifier -> new identifier; an entry with one field maps to an empty identifier
    // (the item was removed).
    static RenameMap renames(const QString &resource);
    // Item identifier -> (unit item identifier, unit value).
    static UnitMap unitDependencies(const QString &resource);

private:
    static QList<QList<QByteArray>> entries(const QString &resource);
};

#endif // STAVTABLE_H
