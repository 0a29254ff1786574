#include "setupmigration.h"

#include "stavlog.h"
#include "stavpass.h"
#include "stavversion.h"

SetupMigration::SetupMigration(const StavRules &rules)
    : m_rules(rules)
    , m_index(m_rules)
{
}

const SetupMigration &SetupMigration::standard()
{
    static const SetupMigration migration;
    return migration;
}

bool SetupMigration::migrate(const QByteArray &text, int version, QByteArray *result, StavLog *log,
                             const QString &path) const
{
    const QVector<StavStep::Id> steps = StavStep::from(version);
    if (steps.isEmpty()) {
        *result = text;
        return true;
    }
    QByteArray migrated;
    if (!StavPass(m_rules, m_index, steps.first(), steps.last()).run(text, &migrated, log, path))
        return false;
    if (!StavVersion::scan(migrated).isCurrent()) {
        log->add("convertSetup", " Error: file ", path.toUtf8(),
                 " would not read as V7 after conversion (a stray DocumentVersion line).",
                 " File left as it was.");
        return false;
    }
    result->swap(migrated);
    return true;
}

bool SetupMigration::convert(StavStep::Id step, const QByteArray &text, QByteArray *result,
                             StavLog *log, const QString &path) const
{
    return StavPass(m_rules, m_index, step, step).run(text, result, log, path);
}
