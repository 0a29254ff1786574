#include "unitprefixes.h"

#include "simbus.h"

#include <QtTest>

namespace {

// "multiples/submultiples" for an item id, or for "group:item" of the test application.
QString sets(const UnitPrefixes &prefixes, const QString &item)
{
    const bool whole = item.isEmpty() || item.startsWith(':') || item.endsWith(':');
    const QString id = whole ? item : ":config:dxtest_app:" + item + ":";
    return prefixes.getMultiplePrefixes(id) + "/" + prefixes.getSubmultiplePrefixes(id);
}

} // namespace

class TestUnitPrefixes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        SimBus::instance()->clear();
        SimBus::instance()->setAvailable(true);
    }
    void prefixSets();
};

void TestUnitPrefixes::prefixSets()
{
    const QStringList rows = {
        // clang-format off
        ":config:spectrumanalyzer_app:specan:timeSweepCnfg:=/mun", "rfgen:levelv=/mu",
        ":config:networkanalyzer_app:vswr:topOfScaleDelay:=/", "rfgen:levelV=kMG/munp",
        "tetraMeas:signalPowerMinValueW=/mu", "afgen:levelw=/m", "dmm:acVoltageLowerLimit2=k/m",
        "demod:modLevelFMPeakNegUpperLimit=k/", "dmm:acVoltageMaxValueV10=k/m", "=kMG/munp",
        "dmm:resistanceMaxValueOhms=kM/", "p25Trunking:ccTxFreq=kMG/", "12:=kMG/munp",
        ":config:dxtest_app:dmm:acVoltageLowerLimit:2=kMG/munp",
        ":config:networkanalyzer_app:vswr:measType1:=kMG/munp",
        // clang-format on
    };
    UnitPrefixes prefixes;
    for (const QString &row : rows)
        QCOMPARE(row.section('=', 0, 0) + "=" + sets(prefixes, row.section('=', 0, 0)), row);
    QCOMPARE(prefixes.getAllMultiplePrefixes() + prefixes.getAllSubmultiplePrefixes(),
             QString("kMGmunp"));
    // The power limits offer what the unit selected on the instrument allows; each follows its
    // own unit item.
    SimBus *bus = SimBus::instance();
    for (const QString item : { "demod:rfPower", "p25Meas:power", "dmrMeas:signalPower",
                                "dmrMeas:slotPower", "tetraMeas:signalPower" }) {
        const QString unitItem = ":config:dxtest_app:" + item + "Unit:";
        for (const QString &limit : { item + "LowerLimit", item + "UpperLimit" }) {
            for (const QString row :
                 { "W=/mu", "V=/m", "dBm=kMG/munp", "w=kMG/munp", "=kMG/munp" }) {
                bus->setItem(unitItem, row.section('=', 0, 0));
                QCOMPARE(row.section('=', 0, 0) + "=" + sets(prefixes, limit), row);
            }
            bus->removeItem(unitItem);
            QCOMPARE(sets(prefixes, limit), QString("kMG/munp"));
        }
    }
    bus->setItem(":config:dxtest_app:dmrMeas:signalPowerUnit:", "W");
    bus->setItem(":config:dxtest_app:dmrMeas:slotPowerUnit:", "V");
    QCOMPARE(sets(prefixes, "dmrMeas:signalPowerLowerLimit"), QString("/mu"));
    QCOMPARE(sets(prefixes, "dmrMeas:slotPowerLowerLimit"), QString("/m"));
    QCOMPARE(sets(prefixes, "dmrMeas:signalPowerUnit"), QString("kMG/munp"));
    QCOMPARE(sets(prefixes, "dmrMeas:signalPowerLowerLimit1"), QString("kMG/munp"));
    bus->setAvailable(false);
    QCOMPARE(sets(prefixes, "dmrMeas:signalPowerLowerLimit"), QString("kMG/munp"));
    QCOMPARE(prefixes.getZebItemValue(":config:dxtest_app:dmrMeas:signalPowerUnit:", nullptr),
             QString());
}

QTEST_MAIN(TestUnitPrefixes)
#include "tst_unitprefixes.moc"
