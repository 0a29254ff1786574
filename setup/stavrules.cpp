#include "stavrules.h"

#include "decimalint.h"
#include "stavlog.h"
#include "stavtext.h"

namespace {

bool containsAny(const QByteArray &text, const QList<QByteArray> &literals)
{
    for (const QByteArray &literal : literals) {
        if (StavText::contains(text, literal))
            return true;
    }
    return false;
}

QList<StavRules::TextRule> enumRulesV4()
{
    return {
        { { "Enable:\"", "iqgen:repeat:\"", ":rfreceiver:genOffsetLock:\"",
            ":rfreceiver:preAmp:\"" },
          { { "\"On\"", "\"Enabled\"" }, { "\"\"", "\"Enabled\"" }, { "\"Off\"", "\"Disabled\"" } },
          {} },
        { { ":isRfPower:\"" }, { { "\"Rssi\"", "\"RfPower\"" } }, {} },
        { { "normalize:normalizeAction:\"" },
          { { "\"StopNormalize\"", "\"AbortNormalize\"" } },
          {} },
        { { "ReadingType:\"" },
          {},
          { "\"LIVE\"", "\"AVG\"", "\"MAX\"", "\"MIN\"", "\"PEAK\"", "\"BURST\"" } },
        { { "\"Continue\"" }, { { "\"Continue\"", "\"Continuous\"" } }, {} },
    };
}

// The P25 and DMR pane indices renumbered in V4.
QList<StavRules::IndexRule> paneRulesV4()
{
    return {
        { { ":p25LeftPaneIndexDx:\"", ":p25LeftPaneIndexTx:\"", ":dmrLeftPaneIndexDx:\"",
            ":dmrLeftPaneIndexTx:\"" },
          { { -2, -1, 10000 } } },
        { { ":p25LeftPane2IndexDx:\"", ":p25LeftPane2IndexTx:\"" }, { { -3, -1, 10000 } } },
        { { ":dmrLeftPane2IndexDx:\"", ":dmrLeftPane2IndexTx:\"" },
          { { -1, 1, 2 }, { -3, 5, 99 } } },
        { { ":dmrRightPaneIndexDx:\"", ":dmrRightPaneIndexRx:\"", ":dmrRightPaneIndexTx:\"" },
          { { -1, 5, 99 } } },
        { { ":p25RightPaneIndexDx:\"", ":p25RightPaneIndexTx:\"" }, { { -1, -1, 10000 } } },
    };
}

// V7 replaced the VSWR measurement by the VNA measurement: the selection, then the entries of
// tabs 1 to 6, each tab's measurement, page and title in that order.
QList<StavRules::EntryRule> vnaEntriesV7()
{
    QList<StavRules::EntryRule> rules { { "\"Measure\"", "\"VSWR\"", "VNA" } };
    const QPair<const char *, const char *> tabs[] = {
        { "TabMeasure", "VNA" },
        { "TabQml", "networkanalyzer_app/VNA.qml" },
        { "TabTitle", "VNA" },
    };
    for (char n = '1'; n <= '6'; ++n) {
        for (const auto &[key, value] : tabs)
            rules.append({ '"' + QByteArray(key) + n + '"', "VSWR", value });
    }
    return rules;
}

} // namespace

const QByteArray &StavRules::versionKey()
{
    static const QByteArray key = QByteArrayLiteral("\"DocumentVersion\"");
    return key;
}

StavRules StavRules::builtIn()
{
    StavRules rules;
    Step &v4 = rules.steps[StavStep::V3toV4];
    v4.dropLiterals = { "ScpiConfirmCfg" };
    v4.renames = StavTable::renames(QStringLiteral(":/setup/v3tov4.txt"));
    v4.textRules = enumRulesV4();
    v4.indexRules = paneRulesV4();
    rules.unitDependencies = StavTable::unitDependencies(QStringLiteral(":/setup/units.txt"));
    rules.unitLiteral = "Unit:\"";

    Step &v5 = rules.steps[StavStep::V4toV5];
    v5.renames = StavTable::renames(QStringLiteral(":/setup/v4tov5.txt"));
    // V5 moved the centre and right panes up by one.
    v5.indexRules = { { { ":centerPaneIndexDx:\"", ":centerPaneIndexRx:\"", ":centerPaneIndexTx:\"",
                          ":rightPaneIndexDx:\"", ":rightPaneIndexRx:\"", ":rightPaneIndexTx:\"" },
                        { { 1, 1, 99 } } } };

    rules.steps[StavStep::V5toV6].renames
        = StavTable::renames(QStringLiteral(":/setup/v5tov6.txt"));

    Step &v7 = rules.steps[StavStep::V6toV7];
    v7.entryRules = vnaEntriesV7();
    v7.renames = StavTable::renames(QStringLiteral(":/setup/v6tov7.txt"));
    v7.textRules = { { { ":measurementModeCnfg:\"" }, { { "\"VSWR\"", "\"VNA\"" } }, {} } };
    return rules;
}

void StavRules::applyEntryRules(StavStep::Id step, StavLine *stavLine) const
{
    for (const EntryRule &rule : steps[step].entryRules) {
        if (StavText::contains(stavLine->line, rule.key)
            && StavText::contains(stavLine->line, rule.required)) {
            stavLine->line = "        " + rule.key + ": \"" + rule.value + "\",";
            stavLine->value = rule.value;
            return;
        }
    }
}

void StavRules::applyTextRules(StavStep::Id step, StavLine *stavLine) const
{
    for (const TextRule &rule : steps[step].textRules) {
        if (holds(stavLine->line, rule)) {
            applyTextRule(rule, stavLine);
            return;
        }
    }
}

bool StavRules::holds(const QByteArray &line, const TextRule &rule)
{
    return containsAny(line, rule.triggers);
}

bool StavRules::holds(const QByteArray &line, const IndexRule &rule)
{
    return containsAny(line, rule.keys);
}

void StavRules::applyTextRule(const TextRule &rule, StavLine *stavLine)
{
    QByteArray text = std::move(stavLine->line);
    for (const auto &[from, to] : rule.replacements)
        StavText::replaceAll(text, from, to);
    for (const QByteArray &spelling : rule.spellings)
        StavText::replaceIgnoringCase(text, spelling.constData());
    *stavLine = StavLine::parse(text);
}

void StavRules::applyIndexRule(const IndexRule &rule, StavLine *stavLine, StavLog *log)
{
    for (const Renumbering &call : rule.calls)
        updateStavParam(stavLine, call.offset, call.minimum, call.maximum, log);
}

bool StavRules::keepsUnitItem(const QByteArray &itemId, const RenameMap &selectedUnits) const
{
    const auto dependency = unitDependencies.constFind(itemId);
    if (dependency == unitDependencies.constEnd())
        return true;
    const auto selected = selectedUnits.constFind(dependency->first);
    return selected == selectedUnits.constEnd() || *selected == dependency->second;
}

bool StavRules::updateStavParam(StavLine *stavLine, int offset, int minimum, int maximum,
                                StavLog *log)
{
    int number = 0;
    const char *error = nullptr;
    if (!parseDecimalInt(stavLine->value, &number, &error)) {
        // An index that is not a number cannot be renumbered; the rest of the file can.
        log->add("updateStavParam",
                 " Error: value is not a decimal int, line left unchanged: ", stavLine->line);
        return false;
    }
    if (number < minimum || number > maximum)
        return true;
    const QByteArray renumbered = QByteArray::number(qint64(number) + offset);
    StavText::replaceAll(stavLine->line, '"' + stavLine->value + "\",", '"' + renumbered + "\",");
    stavLine->value = renumbered;
    return true;
}

void StavRules::appendCurrentUnitValue(RenameMap &unitCurrentValueMap, const QByteArray &unitZebId,
                                       const QByteArray &value, StavLog *log)
{
    const auto existing = unitCurrentValueMap.constFind(unitZebId);
    if (existing != unitCurrentValueMap.constEnd()) {
        log->add("appendCurrentUnitValue", " Error: unitZebId ", unitZebId,
                 " with new value: ", value,
                 " exists already in map unitCurrentValueMap with value ", *existing);
        return;
    }
    unitCurrentValueMap.insert(unitZebId, value);
}
