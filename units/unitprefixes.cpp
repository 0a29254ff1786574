#include "unitprefixes.h"

#include "zebclient.h"
#include "zebclientinterface.h"
#include "zebclientitem.h"

#include <QHash>
#include <QRegularExpression>

namespace {

struct PrefixSets
{
    QString multiple;
    QString submultiple;
};

QString dxtest(const char *group, const char *item)
{
    return QStringLiteral(":config:dxtest_app:") + QLatin1String(group) + QLatin1Char(':')
        + QLatin1String(item) + QLatin1Char(':');
}

void addGroup(QHash<QString, PrefixSets> &table, const char *group,
              std::initializer_list<const char *> items, const PrefixSets &sets)
{
    for (const char *item : items)
        table.insert(dxtest(group, item), sets);
}

QHash<QString, PrefixSets> buildPrefixTable()
{
    QHash<QString, PrefixSets> t;
    const PrefixSets none { QString(), QString() };
    const PrefixSets mun { QString(), QStringLiteral("mun") };
    const PrefixSets mu { QString(), QStringLiteral("mu") };
    const PrefixSets m { QString(), QStringLiteral("m") };
    const PrefixSets k { QStringLiteral("k"), QString() };
    const PrefixSets kAndM { QStringLiteral("k"), QStringLiteral("m") };
    const PrefixSets kM { QStringLiteral("kM"), QString() };
    const PrefixSets kMG { QStringLiteral("kMG"), QString() };

    t.insert(QStringLiteral(":config:spectrumanalyzer_app:specan:timeSweepCnfg:"), mun);
    t.insert(QStringLiteral(":config:spectrumanalyzer_app:specan:zeroSpanTimeCnfg:"), mun);

    t.insert(QStringLiteral(":config:networkanalyzer_app:vswr:topOfScaleDelay:"), none);
    t.insert(QStringLiteral(":config:networkanalyzer_app:vswr:topOfScaleImpedance:"), none);
    addGroup(t, "digitalDemod", { "digitalGenLevelV" }, none);
    addGroup(t, "p25Trunking", { "ccLeveldBm", "ccLeveldBuV", "vcLeveldBm", "vcLeveldBuV" }, none);

    addGroup(t, "rfgen", { "levelv" }, mu);
    addGroup(t, "p25Trunking", { "ccLevelV", "vcLevelV" }, mu);
    addGroup(t, "demod", { "rfPowerMaxValueW", "rfPowerMinValueW" }, mu);
    addGroup(t, "p25Meas", { "powerMaxValueW", "powerMinValueW" }, mu);
    addGroup(t, "dmrMeas",
             { "slotPowerMaxValueW", "slotPowerMinValueW", "signalPowerMaxValueW",
               "signalPowerMinValueW" },
             mu);
    addGroup(t, "tetraMeas", { "signalPowerMaxValueW", "signalPowerMinValueW" }, mu);

    addGroup(t, "oscope", { "triggerLevel" }, m);
    addGroup(t, "afgen", { "levelV", "levelw" }, m);
    addGroup(t, "audioIn",
             { "audioAfLevelLowerLimit", "audioAfLevelUpperLimit", "dvmLowerLimit", "dvmUpperLimit",
               "audioAfLevelMaxValueV", "audioAfLevelMinValueV", "dvmMaxValueV", "dvmMinValueV" },
             m);
    addGroup(t, "demod", { "rfPowerMaxValueV", "rfPowerMinValueV" }, m);
    addGroup(t, "p25Meas", { "powerMaxValueV", "powerMinValueV" }, m);
    addGroup(t, "dmrMeas",
             { "slotPowerMaxValueV", "slotPowerMinValueV", "signalPowerMaxValueV",
               "signalPowerMinValueV" },
             m);
    addGroup(t, "tetraMeas", { "signalPowerMaxValueV", "signalPowerMinValueV" }, m);
    addGroup(t, "dmm",
             { "acCurrentLowerLimit", "dcCurrentLowerLimit", "acCurrentUpperLimit",
               "dcCurrentUpperLimit", "dcVoltageLowerLimit", "dcVoltageUpperLimit",
               "acCurrentMinValueA", "dcCurrentMinValueA", "acCurrentMaxValueA",
               "dcCurrentMaxValueA", "dcVoltageMinValueV", "dcVoltageMaxValueV" },
             m);
    addGroup(t, "extRfPower",
             { "extRfFwdLowerLimit", "extRfFwdUpperLimit", "extRfReflLowerLimit",
               "extRfReflUpperLimit" },
             m);
    addGroup(t, "afgen",
             { "ctcssLevel", "dcsLevel", "dtmfHighToneLevel", "dtmfLowToneLevel",
               "dtmfHighToneOffset", "toneRemoteLevel", "toneSeqLevel", "twoToneLevel" },
             m);

    addGroup(t, "demod",
             { "modLevelFMLowerLimit", "modLevelFMUpperLimit", "modLevelFMPeakNegLowerLimit",
               "modLevelFMPeakNegUpperLimit", "modLevelFMPeakPosLowerLimit",
               "modLevelFMPeakPosUpperLimit", "modLevelFMRMSLowerLimit",
               "modLevelFMRMSUpperLimit" },
             k);
    addGroup(t, "p25Trunking", { "channelPlanSpace" }, k);

    addGroup(t, "dmm",
             { "acVoltageLowerLimit", "acVoltageUpperLimit", "acVoltageMinValueV",
               "acVoltageMaxValueV" },
             kAndM);

    addGroup(t, "dmm",
             { "resistanceLowerLimit", "resistanceUpperLimit", "resistanceMinValueOhms",
               "resistanceMaxValueOhms" },
             kM);
    addGroup(t, "p25Trunking", { "channelPlanTransmitOffset" }, kM);

    addGroup(t, "p25Trunking",
             { "channelPlanBaseFrequency", "ccTxFreq", "ccRxFreq", "vcTxFreq", "vcRxFreq" }, kMG);
    return t;
}

// The power limits and the configuration item that holds the unit each is entered in.
QHash<QString, QString> buildPowerUnitTable()
{
    QHash<QString, QString> t;
    const auto add
        = [&t](const char *group, const char *lower, const char *upper, const char *unit) {
              t.insert(dxtest(group, lower), dxtest(group, unit));
              t.insert(dxtest(group, upper), dxtest(group, unit));
          };
    add("demod", "rfPowerLowerLimit", "rfPowerUpperLimit", "rfPowerUnit");
    add("p25Meas", "powerLowerLimit", "powerUpperLimit", "powerUnit");
    add("dmrMeas", "signalPowerLowerLimit", "signalPowerUpperLimit", "signalPowerUnit");
    add("dmrMeas", "slotPowerLowerLimit", "slotPowerUpperLimit", "slotPowerUnit");
    add("tetraMeas", "signalPowerLowerLimit", "signalPowerUpperLimit", "signalPowerUnit");
    return t;
}

// Built when the library is loaded; only read afterwards.
const QHash<QString, PrefixSets> prefixTable = buildPrefixTable();
const QHash<QString, QString> powerUnitTable = buildPowerUnitTable();

// Items with several instances ("measType1") share the prefixes of their kind.
QString withoutInstanceNumber(const QString &itemId)
{
    static const QRegularExpression instanceNumber(QStringLiteral("\\d+:$"));
    QString key = itemId;
    key.replace(instanceNumber, QStringLiteral(":"));
    return key;
}

const PrefixSets *fixedSets(const QString &itemId)
{
    const auto it = prefixTable.constFind(withoutInstanceNumber(itemId));
    return it == prefixTable.constEnd() ? nullptr : &it.value();
}

} // namespace

UnitPrefixes::UnitPrefixes(QObject *parent)
    : QObject(parent)
{
}

UnitPrefixes::~UnitPrefixes() = default;

QString UnitPrefixes::getAllMultiplePrefixes() const
{
    return QStringLiteral("kMG");
}

QString UnitPrefixes::getAllSubmultiplePrefixes() const
{
    return QStringLiteral("munp");
}

QString UnitPrefixes::getMultiplePrefixes(const QString &zebItemId) const
{
    if (const PrefixSets *sets = fixedSets(zebItemId))
        return sets->multiple;
    if (checkIsPowerDataByUnit(zebItemId, QStringLiteral("W"))
        || checkIsPowerDataByUnit(zebItemId, QStringLiteral("V")))
        return QString();
    return getAllMultiplePrefixes();
}

QString UnitPrefixes::getSubmultiplePrefixes(const QString &zebItemId) const
{
    if (const PrefixSets *sets = fixedSets(zebItemId))
        return sets->submultiple;
    if (checkIsPowerDataByUnit(zebItemId, QStringLiteral("W")))
        return QStringLiteral("mu");
    if (checkIsPowerDataByUnit(zebItemId, QStringLiteral("V")))
        return QStringLiteral("m");
    return getAllSubmultiplePrefixes();
}

bool UnitPrefixes::checkIsPowerDataByUnit(const QString &itemId, const QString &unit) const
{
    // Only the unit item of this limit matters, so only that one is read from the bus, and
    // nothing at all for items that are no power limit.
    const auto it = powerUnitTable.constFind(itemId);
    if (it == powerUnitTable.constEnd())
        return false;
    ZEBClient *client
        = ZEBClientInterface::getSessionBusClient(QStringLiteral("orb.base.dxtest_app"), nullptr);
    return getZebItemValue(it.value(), client) == unit;
}

QString UnitPrefixes::getZebItemValue(const QString &itemId, ZEBClient *client) const
{
    if (!client)
        return QString();
    const ZEBClientItem *item = client->getItem(itemId);
    return item ? item->getValue().toString() : QString();
}
