#ifndef SETUPMIGRATION_H
#define SETUPMIGRATION_H

#include "stavkeyindex.h"
#include "stavrules.h"

#include <QByteArray>
#include <QString>

class StavLog;

// The migration of setup file text from document version V3, V4, V5 or V6 to V7, in memory:
// holds the rules and tables and the key index derived from them. The steps run in one pass
// over the lines; text and records come out as from the steps run one after the other.
// Serves SetupConverter (files and the Qt log), stav-migrate and the fuzz targets.
class SetupMigration
{
public:
    explicit SetupMigration(const StavRules &rules = StavRules::builtIn());

    // The built-in rules, built on first use and shared by every caller.
    static const SetupMigration &standard();

    const StavRules &rules() const { return m_rules; }

    // Every step from `version` to V7 (none from V7 on). False when a step fails or the result
    // would not read as V7 (a stray DocumentVersion line would make the next recall convert it
    // again); the last record of `log` says why. `path` names the file in the records.
    bool migrate(const QByteArray &text, int version, QByteArray *result, StavLog *log,
                 const QString &path = QString()) const;
    // One version step.
    bool convert(StavStep::Id step, const QByteArray &text, QByteArray *result, StavLog *log,
                 const QString &path = QString()) const;

private:
    const StavRules m_rules;
    const StavKeyIndex m_index;
};

#endif // SETUPMIGRATION_H
