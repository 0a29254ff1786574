#include "unitprefixes.h"

#include "simbus.h"

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

    QTest::newRow("sweep time") << ":config:spectrumanalyzer_app:specan:timeSweepCnfg:"
                                << ""
                                << "mun";
    QTest::newRow("zero span time") << ":config:spectrumanalyzer_app:specan:zeroSpanTimeCnfg:"
                                    << ""
                                    << "mun";
    QTest::newRow("vswr delay") << ":config:networkanalyzer_app:vswr:topOfScaleDelay:"
                                << ""
                                << "";
    QTest::newRow("vswr impedance") << ":config:networkanalyzer_app:vswr:topOfScaleImpedance:"
                                    << ""
                                    << "";
    QTest::newRow("digital gen level") << dx("digitalDemod", "digitalGenLevelV") << ""
                                       << "";
    QTest::newRow("cc level dBuV") << dx("p25Trunking", "ccLeveldBuV") << ""
                                   << "";
    QTest::newRow("vc level dBm") << dx("p25Trunking", "vcLeveldBm") << ""
                                  << "";
    QTest::newRow("rfgen level lower-case v") << dx("rfgen", "levelv") << ""
                                              << "mu";
    QTest::newRow("rfgen level upper-case V is unknown") << dx("rfgen", "levelV") << "kMG"
                                                         << "munp";
    QTest::newRow("cc level V") << dx("p25Trunking", "ccLevelV") << ""
                                << "mu";
    QTest::newRow("demod power max W") << dx("demod", "rfPowerMaxValueW") << ""
                                       << "mu";
    QTest::newRow("tetra power min W") << dx("tetraMeas", "signalPowerMinValueW") << ""
                                       << "mu";
    QTest::newRow("dmr slot power max W") << dx("dmrMeas", "slotPowerMaxValueW") << ""
                                          << "mu";
    QTest::newRow("oscope trigger") << dx("oscope", "triggerLevel") << ""
                                    << "m";
    QTest::newRow("afgen level lower-case w") << dx("afgen", "levelw") << ""
                                              << "m";
    QTest::newRow("afgen level V") << dx("afgen", "levelV") << ""
                                   << "m";
    QTest::newRow("dvm upper limit") << dx("audioIn", "dvmUpperLimit") << ""
                                     << "m";
    QTest::newRow("demod power max V") << dx("demod", "rfPowerMaxValueV") << ""
                                       << "m";
    QTest::newRow("p25 power min V") << dx("p25Meas", "powerMinValueV") << ""
                                     << "m";
    QTest::newRow("dmm dc current max") << dx("dmm", "dcCurrentMaxValueA") << ""
                                        << "m";
    QTest::newRow("ext refl upper") << dx("extRfPower", "extRfReflUpperLimit") << ""
                                    << "m";
    QTest::newRow("two tone level") << dx("afgen", "twoToneLevel") << ""
                                    << "m";
    QTest::newRow("dtmf offset") << dx("afgen", "dtmfHighToneOffset") << ""
                                 << "m";
    QTest::newRow("fm rms lower") << dx("demod", "modLevelFMRMSLowerLimit") << "k"
                                  << "";
    QTest::newRow("fm peak neg upper") << dx("demod", "modLevelFMPeakNegUpperLimit") << "k"
                                       << "";
    QTest::newRow("channel plan space") << dx("p25Trunking", "channelPlanSpace") << "k"
                                        << "";
    QTest::newRow("ac voltage") << dx("dmm", "acVoltageLowerLimit") << "k"
                                << "m";
    QTest::newRow("ac voltage instance") << dx("dmm", "acVoltageLowerLimit2") << "k"
                                         << "m";
    QTest::newRow("ac voltage instance 10") << dx("dmm", "acVoltageMaxValueV10") << "k"
                                            << "m";
    QTest::newRow("resistance") << dx("dmm", "resistanceMaxValueOhms") << "kM"
                                << "";
    QTest::newRow("transmit offset") << dx("p25Trunking", "channelPlanTransmitOffset") << "kM"
                                     << "";
    QTest::newRow("cc tx freq") << dx("p25Trunking", "ccTxFreq") << "kMG"
                                << "";
    QTest::newRow("base frequency") << dx("p25Trunking", "channelPlanBaseFrequency") << "kMG"
                                    << "";
    QTest::newRow("digits inside are kept") << ":config:dxtest_app:dmm:acVoltageLowerLimit:2"
                                            << "kMG"
                                            << "munp";
    QTest::newRow("unknown with instance") << ":config:networkanalyzer_app:vswr:measType1:"
                                           << "kMG"
                                           << "munp";
    QTest::newRow("empty") << ""
                           << "kMG"
                           << "munp";
    QTest::newRow("digits only") << "12:"
                                 << "kMG"
                                 << "munp";
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
        QTest::newRow(qPrintable(row.at(0) + " " + row.at(1)))
            << dx(row.at(0), row.at(1)) << dx(row.at(0), row.at(2));
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
