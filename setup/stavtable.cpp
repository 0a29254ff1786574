#include "stavtable.h"

#include <QFile>
#include <QtDebug>

// A static library's resources are not registered by themselves; this must live outside any
// namespace.
static void registerTableResources()
{
    Q_INIT_RESOURCE(setuptables);
}

QList<QList<QByteArray>> StavTable::entries(const QString &resource)
{
    static const bool registered = (registerTableResources(), true);
    Q_UNUSED(registered)

    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "StavTable"
                   << " Error: cannot open table " << resource;
        return {};
    }
    QList<QList<QByteArray>> result;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        result.append(line.split(' '));
    }
    return result;
}

StavTable::RenameMap StavTable::renames(const QString &resource)
{
    RenameMap map;
    const QList<QList<QByteArray>> rows = entries(resource);
    map.reserve(rows.size());
    for (const QList<QByteArray> &fields : rows)
        map.insert(fields.at(0), fields.value(1));
    return map;
}

StavTable::UnitMap StavTable::unitDependencies(const QString &resource)
{
    UnitMap map;
    const QList<QList<QByteArray>> rows = entries(resource);
    map.reserve(rows.size());
    for (const QList<QByteArray> &fields : rows) {
        if (fields.size() == 3)
            map.insert(fields.at(0), qMakePair(fields.at(1), fields.at(2)));
    }
    return map;
}
