#include "unitprefixes.h"

#include "simbus.h"

#include "testrows.h"

#include <QtTest>

namespace {

QString dx(const QString &group, const QString &item)
{
    return ":config:dxtest_app:" + group + ":" + item + ":";
}

} // namespace

class TestUnitPrefixes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fixedSets_data();
    void fixedSets();
    void powerLimits_data();
    void powerLimits();
    void powerLimitsReadTheirOwnUnit();
    void powerLimitIdIsNotNormalised();
    void withoutBus();
    void allPrefixes();
};

void TestUnitPrefixes::init()
{
    SimBus::instance()->clear();
    SimBus::instance()->setAvailable(true);
}

void TestUnitPrefixes::cleanup()
{
    init();
}

void TestUnitPrefixes::fixedSets_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("multiple");
    QTest::addColumn<QString>("submultiple");

    addRow("sweep time", ":config:spectrumanalyzer_app:specan:timeSweepCnfg:", "", "mun");
    addRow("zero span time", ":config:spectrumanalyzer_app:specan:zeroSpanTimeCnfg:", "", "mun");
    addRow("vswr delay", ":config:networkanalyzer_app:vswr:topOfScaleDelay:", "", "");
    addRow("vswr impedance", ":config:networkanalyzer_app:vswr:topOfScaleImpedance:", "", "");
    addRow("digital gen level", dx("digitalDemod", "digitalGenLevelV"), "", "");
    addRow("cc level dBuV", dx("p25Trunking", "ccLeveldBuV"), "", "");
    addRow("vc level dBm", dx("p25Trunking", "vcLeveldBm"), "", "");
    addRow("rfgen level lower-case v", dx("rfgen", "levelv"), "", "mu");
    addRow("rfgen level upper-case V is unknown", dx("rfgen", "levelV"), "kMG", "munp");
    addRow("cc level V", dx("p25Trunking", "ccLevelV"), "", "mu");
    addRow("demod power max W", dx("demod", "rfPowerMaxValueW"), "", "mu");
    addRow("tetra power min W", dx("tetraMeas", "signalPowerMinValueW"), "", "mu");
    addRow("dmr slot power max W", dx("dmrMeas", "slotPowerMaxValueW"), "", "mu");
    addRow("oscope trigger", dx("oscope", "triggerLevel"), "", "m");
    addRow("afgen level lower-case w", dx("afgen", "levelw"), "", "m");
    addRow("afgen level V", dx("afgen", "levelV"), "", "m");
    addRow("dvm upper limit", dx("audioIn", "dvmUpperLimit"), "", "m");
    addRow("demod power max V", dx("demod", "rfPowerMaxValueV"), "", "m");
    addRow("p25 power min V", dx("p25Meas", "powerMinValueV"), "", "m");
    addRow("dmm dc current max", dx("dmm", "dcCurrentMaxValueA"), "", "m");
    addRow("ext refl upper", dx("extRfPower", "extRfReflUpperLimit"), "", "m");
    addRow("two tone level", dx("afgen", "twoToneLevel"), "", "m");
    addRow("dtmf offset", dx("afgen", "dtmfHighToneOffset"), "", "m");
    addRow("fm rms lower", dx("demod", "modLevelFMRMSLowerLimit"), "k", "");
    addRow("fm peak neg upper", dx("demod", "modLevelFMPeakNegUpperLimit"), "k", "");
    addRow("channel plan space", dx("p25Trunking", "channelPlanSpace"), "k", "");
    addRow("ac voltage", dx("dmm", "acVoltageLowerLimit"), "k", "m");
    addRow("ac voltage instance", dx("dmm", "acVoltageLowerLimit2"), "k", "m");
    addRow("ac voltage instance 10", dx("dmm", "acVoltageMaxValueV10"), "k", "m");
    addRow("resistance", dx("dmm", "resistanceMaxValueOhms"), "kM", "");
    addRow("transmit offset", dx("p25Trunking", "channelPlanTransmitOffset"), "kM", "");
    addRow("cc tx freq", dx("p25Trunking", "ccTxFreq"), "kMG", "");
    addRow("base frequency", dx("p25Trunking", "channelPlanBaseFrequency"), "kMG", "");
    addRow("digits inside are kept", ":config:dxtest_app:dmm:acVoltageLowerLimit:2", "kMG", "munp");
    addRow("unknown with instance", ":config:networkanalyzer_app:vswr:measType1:", "kMG", "munp");
    addRow("empty", "", "kMG", "munp");
    addRow("digits only", "12:", "kMG", "munp");
}

void TestUnitPrefixes::fixedSets()
{
    QFETCH(QString, id);
    QFETCH(QString, multiple);
    QFETCH(QString, submultiple);
    UnitPrefixes prefixes;
    QCOMPARE(prefixes.getMultiplePrefixes(id), multiple);
    QCOMPARE(prefixes.getSubmultiplePrefixes(id), submultiple);
}

void TestUnitPrefixes::powerLimits_data()
{
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("unitItem");
    const QList<QStringList> rows = {
        { "demod", "rfPowerLowerLimit", "rfPowerUnit" },
        { "demod", "rfPowerUpperLimit", "rfPowerUnit" },
        { "p25Meas", "powerLowerLimit", "powerUnit" },
        { "p25Meas", "powerUpperLimit", "powerUnit" },
        { "dmrMeas", "signalPowerLowerLimit", "signalPowerUnit" },
        { "dmrMeas", "signalPowerUpperLimit", "signalPowerUnit" },
        { "dmrMeas", "slotPowerLowerLimit", "slotPowerUnit" },
        { "dmrMeas", "slotPowerUpperLimit", "slotPowerUnit" },
        { "tetraMeas", "signalPowerLowerLimit", "signalPowerUnit" },
        { "tetraMeas", "signalPowerUpperLimit", "signalPowerUnit" },
    };
    for (const QStringList &row : rows)
        addRow(qPrintable(row.at(0) + " " + row.at(1)), dx(row.at(0), row.at(1)),
               dx(row.at(0), row.at(2)));
}

void TestUnitPrefixes::powerLimits()
{
    QFETCH(QString, limit);
    QFETCH(QString, unitItem);
    UnitPrefixes prefixes;
    SimBus *bus = SimBus::instance();

    bus->setItem(unitItem, "W");
    QCOMPARE(prefixes.getMultiplePrefixes(limit), QString(""));
    QCOMPARE(prefixes.getSubmultiplePrefixes(limit), QString("mu"));
    QVERIFY(prefixes.checkIsPowerDataByUnit(limit, "W"));
    QVERIFY(!prefixes.checkIsPowerDataByUnit(limit, "V"));

    bus->setItem(unitItem, "V");
    QCOMPARE(prefixes.getMultiplePrefixes(limit), QString(""));
    QCOMPARE(prefixes.getSubmultiplePrefixes(limit), QString("m"));

    for (const QVariant &other : { QVariant("dBm"), QVariant("w"), QVariant(""), QVariant(3) }) {
        bus->setItem(unitItem, other);
        QCOMPARE(prefixes.getMultiplePrefixes(limit), QString("kMG"));
        QCOMPARE(prefixes.getSubmultiplePrefixes(limit), QString("munp"));
    }

    bus->removeItem(unitItem);
    QCOMPARE(prefixes.getMultiplePrefixes(limit), QString("kMG"));
    QCOMPARE(prefixes.getSubmultiplePrefixes(limit), QString("munp"));
}

// Each limit follows its own unit item, not that of another measurement.
void TestUnitPrefixes::powerLimitsReadTheirOwnUnit()
{
    UnitPrefixes prefixes;
    SimBus::instance()->setItem(dx("dmrMeas", "signalPowerUnit"), "W");
    SimBus::instance()->setItem(dx("dmrMeas", "slotPowerUnit"), "V");
    QCOMPARE(prefixes.getSubmultiplePrefixes(dx("dmrMeas", "signalPowerLowerLimit")),
             QString("mu"));
    QCOMPARE(prefixes.getSubmultiplePrefixes(dx("dmrMeas", "slotPowerLowerLimit")), QString("m"));
    QCOMPARE(prefixes.getSubmultiplePrefixes(dx("tetraMeas", "signalPowerLowerLimit")),
             QString("munp"));
    // The unit item itself is no limit.
    QCOMPARE(prefixes.getSubmultiplePrefixes(dx("dmrMeas", "signalPowerUnit")), QString("munp"));
}

void TestUnitPrefixes::powerLimitIdIsNotNormalised()
{
    UnitPrefixes prefixes;
    SimBus::instance()->setItem(dx("demod", "rfPowerUnit"), "W");
    QCOMPARE(prefixes.getMultiplePrefixes(dx("demod", "rfPowerLowerLimit1")), QString("kMG"));
    QCOMPARE(prefixes.getSubmultiplePrefixes(dx("demod", "rfPowerLowerLimit1")), QString("munp"));
}

void TestUnitPrefixes::withoutBus()
{
    UnitPrefixes prefixes;
    SimBus::instance()->setItem(dx("demod", "rfPowerUnit"), "W");
    SimBus::instance()->setAvailable(false);
    QCOMPARE(prefixes.getMultiplePrefixes(dx("demod", "rfPowerLowerLimit")), QString("kMG"));
    QCOMPARE(prefixes.getSubmultiplePrefixes(dx("demod", "rfPowerLowerLimit")), QString("munp"));
    QCOMPARE(prefixes.getZebItemValue(dx("demod", "rfPowerUnit"), nullptr), QString());
    // The fixed tables need no bus.
    QCOMPARE(prefixes.getMultiplePrefixes(dx("dmm", "resistanceUpperLimit")), QString("kM"));
}

void TestUnitPrefixes::allPrefixes()
{
    UnitPrefixes prefixes;
    QCOMPARE(prefixes.getAllMultiplePrefixes(), QString("kMG"));
    QCOMPARE(prefixes.getAllSubmultiplePrefixes(), QString("munp"));
}

QTEST_MAIN(TestUnitPrefixes)
#include "tst_unitprefixes.moc"
