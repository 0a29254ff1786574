// The compiled-in identifier tables.
#include "logcapture.h"
#include "setupconverter.h"

#include <QtTest>

class TestSetupTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyCounts();
    void v3ToV4Groups_data();
    void v3ToV4Groups();
    void entries_data();
    void entries();
    void unitDependencies_data();
    void unitDependencies();
    void lookupIsCaseSensitive();
    void appendCurrentUnitValueKeepsFirst();

private:
    SetupConverter::ItemIdMap table(const QString &name) const;

    SetupConverter m_converter;
};

SetupConverter::ItemIdMap TestSetupTables::table(const QString &name) const
{
    if (name == QLatin1String("V3"))
        return m_converter.initV3ToV4ZebItemIds();
    if (name == QLatin1String("V4"))
        return m_converter.initV4ToV5ZebItemIds();
    if (name == QLatin1String("V5"))
        return m_converter.initV5ToV6ZebItemIds();
    return m_converter.initV6ToV7ZebItemIds();
}

void TestSetupTables::keyCounts()
{
    QCOMPARE(m_converter.initV3ToV4ZebItemIds().size(), 649);
    QCOMPARE(m_converter.initV4ToV5ZebItemIds().size(), 4);
    QCOMPARE(m_converter.initV5ToV6ZebItemIds().size(), 1);
    QCOMPARE(m_converter.initV6ToV7ZebItemIds().size(), 6);
    QCOMPARE(m_converter.initZebIdToUnit().size(), 48);
}

// Rows per application and module, and how many of them remove the item.
void TestSetupTables::v3ToV4Groups_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("removed");

    const struct
    {
        const char *group;
        int rows;
        int removed;
    } groups[] = {
        { "autotest_app:autotest_reg_module", 4, 4 },
        { "dxtest_app:afgen", 10, 1 },
        { "dxtest_app:analogMod", 4, 4 },
        { "dxtest_app:audioAn", 2, 2 },
        { "dxtest_app:audioIn", 126, 23 },
        { "dxtest_app:cableLoss", 1, 1 },
        { "dxtest_app:chanan", 2, 2 },
        { "dxtest_app:demod", 174, 23 },
        { "dxtest_app:dmrDemod", 8, 7 },
        { "dxtest_app:dmrMeas", 77, 1 },
        { "dxtest_app:dmrMod", 4, 3 },
        { "dxtest_app:dmr_module", 1, 1 },
        { "dxtest_app:dxtest_reg_module", 10, 10 },
        { "dxtest_app:extRfPower", 62, 3 },
        { "dxtest_app:iqgen", 1, 1 },
        { "dxtest_app:normalize", 1, 1 },
        { "dxtest_app:oscope", 1, 1 },
        { "dxtest_app:p25Demod", 3, 2 },
        { "dxtest_app:p25Meas", 45, 1 },
        { "dxtest_app:p25Mod", 3, 2 },
        { "dxtest_app:p25_module", 1, 1 },
        { "dxtest_app:rfgen", 6, 6 },
        { "dxtest_app:rfreceiver", 10, 10 },
        { "dxtest_app:speakerAudio", 3, 3 },
        { "dxtest_app:tetraDemod", 3, 2 },
        { "dxtest_app:tetraMeas", 54, 1 },
        { "dxtest_app:tetraMod", 3, 2 },
        { "dxtest_app:tetra_module", 1, 1 },
        { "dxtest_app:trigger", 1, 1 },
        { "networkanalyzer_app:sparamCal", 1, 0 },
        { "spectrumanalyzer_app:cableLoss", 1, 1 },
        { "spectrumanalyzer_app:specan", 23, 23 },
        { "spectrumanalyzer_app:spectrumanalyzer_reg_module", 3, 3 },
    };
    int total = 0;
    for (const auto &group : groups) {
        QTest::newRow(group.group)
            << QString::fromLatin1(group.group) << group.rows << group.removed;
        total += group.rows;
    }
    QCOMPARE(total, 649);
}

void TestSetupTables::v3ToV4Groups()
{
    QFETCH(QString, group);
    QFETCH(int, rows);
    QFETCH(int, removed);
    const QByteArray prefix = ":config:" + group.toLatin1() + ':';
    const SetupConverter::ItemIdMap renames = m_converter.initV3ToV4ZebItemIds();
    int found = 0;
    int empty = 0;
    for (auto it = renames.cbegin(); it != renames.cend(); ++it) {
        if (!it.key().startsWith(prefix))
            continue;
        ++found;
        QVERIFY2(it.key().endsWith(':') && it.key().count(':') == 5, it.key());
        if (it.value().isEmpty())
            ++empty;
        else
            QVERIFY2(it.value().startsWith(":config:") && it.value().endsWith(':')
                         && it.value().count(':') == 5,
                     it.value());
    }
    QCOMPARE(found, rows);
    QCOMPARE(empty, removed);
}

void TestSetupTables::entries_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("oldId");
    QTest::addColumn<QByteArray>("newId");

    auto row = [](const char *table, const char *oldId, const char *newId) {
        QTest::addRow("%s %s", table, oldId)
            << QString::fromLatin1(table) << QByteArray(oldId) << QByteArray(newId);
    };
    row("V3",
        ":config:dxtest_app:demod:rssiLLimitdBuV:", ":config:dxtest_app:demod:rfPowerLowerLimit:");
    row("V3",
        ":config:dxtest_app:demod:rfErrorMaxValue:", ":config:dxtest_app:demod:rfErrorMaxValueHz:");
    row("V3", ":config:dxtest_app:demod:isRssi:", ":config:dxtest_app:demod:isRfPower:");
    row("V3", ":config:dxtest_app:demod:modLevelSsbUnit:", "");
    row("V3",
        ":config:dxtest_app:demod:clearRssiTrace:", ":config:dxtest_app:demod:rfPowerClearTrace:");
    row("V3", ":config:dxtest_app:afgen:digitalDataRate:",
        ":config:dxtest_app:digitalDemod:digitalDataRate:");
    row("V3", ":config:dxtest_app:audioIn:humNoiseULimit:",
        ":config:dxtest_app:audioIn:audioHumNoiseUpperLimitdBr:");
    row("V3", ":config:dxtest_app:dmrMeas:symbolClockErrorModeHz:",
        ":config:dxtest_app:dmrMeas:symClkModemHz:");
    row("V3", ":config:dxtest_app:p25Meas:freqErrReferencePpm:",
        ":config:dxtest_app:p25Meas:freqErrReferenceLevel:");
    row("V3", ":config:dxtest_app:tetraDemod:uutType:", ":config:dxtest_app:tetraDemod:rxUutType:");
    row("V3", ":config:networkanalyzer_app:sparamCal:calStep:",
        ":config:networkanalyzer_app:sparamCal:dataPoints:");
    row("V3", ":config:dxtest_app:rfreceiver:hopList:", "");
    row("V4", ":config:dxtest_app:oscope:traceTimeout:", "");
    row("V5", ":config:dxtest_app:tetraDemod:rxUutType:", "");
    row("V6", ":config:networkanalyzer_app:vswr:measSubType:",
        ":config:networkanalyzer_app:vswr:measSubType1:");
    row("V6", ":config:dxtest_app:tetraMeas:carrierFeedThruModedBm:", "");
    row("V6", ":config:dxtest_app:vswr:refLevel:", "");
}

void TestSetupTables::entries()
{
    QFETCH(QString, table);
    QFETCH(QByteArray, oldId);
    QFETCH(QByteArray, newId);
    const SetupConverter::ItemIdMap map = this->table(table);
    QVERIFY(map.contains(oldId));
    QCOMPARE(map.value(oldId), newId);
}

void TestSetupTables::unitDependencies_data()
{
    QTest::addColumn<QByteArray>("itemId");
    QTest::addColumn<QByteArray>("unitId");
    QTest::addColumn<QByteArray>("unit");

    QTest::newRow("rssi dBuV") << QByteArray(":config:dxtest_app:demod:rssiLLimitdBuV:")
                               << QByteArray(":config:dxtest_app:demod:rssiUnit:")
                               << QByteArray("dBuV");
    QTest::newRow("afLvl V") << QByteArray(":config:dxtest_app:audioIn:afLvlULimit:")
                             << QByteArray(":config:dxtest_app:audioIn:afLvlUnit:")
                             << QByteArray("V");
    QTest::newRow("modLevelAm %") << QByteArray(":config:dxtest_app:demod:modLevelAmLLimit:")
                                  << QByteArray(":config:dxtest_app:demod:modLevelAmUnit:")
                                  << QByteArray("%");
    QTest::newRow("rfError ppm") << QByteArray(
        ":config:dxtest_app:demod:rfErrorDecimalPrecisionPpm:")
                                 << QByteArray(":config:dxtest_app:demod:rfErrorUnit:")
                                 << QByteArray("ppm");
    QTest::newRow("p25 Hz") << QByteArray(":config:dxtest_app:p25Meas:freqErrUpperLimitValue:")
                            << QByteArray(":config:dxtest_app:p25Meas:freqErrUnit:")
                            << QByteArray("Hz");
}

void TestSetupTables::unitDependencies()
{
    QFETCH(QByteArray, itemId);
    QFETCH(QByteArray, unitId);
    QFETCH(QByteArray, unit);
    const SetupConverter::UnitMap map = m_converter.initZebIdToUnit();
    QVERIFY(map.contains(itemId));
    QCOMPARE(map.value(itemId).first, unitId);
    QCOMPARE(map.value(itemId).second, unit);
    // Every item with a unit dependency is one that V4 renames.
    QVERIFY(!m_converter.initV3ToV4ZebItemIds().value(itemId).isEmpty());
}

void TestSetupTables::lookupIsCaseSensitive()
{
    const SetupConverter::ItemIdMap renames = m_converter.initV3ToV4ZebItemIds();
    QVERIFY(renames.contains(":config:dxtest_app:demod:rssiUnit:"));
    QVERIFY(!renames.contains(":config:dxtest_app:demod:RssiUnit:"));
    QVERIFY(!renames.contains(":config:dxtest_app:demod:rssiunit:"));
    QVERIFY(!renames.contains("config:dxtest_app:demod:rssiUnit"));
}

void TestSetupTables::appendCurrentUnitValueKeepsFirst()
{
    LogCapture log;
    SetupConverter::ItemIdMap units;
    const QByteArray rssiUnit(":config:dxtest_app:demod:rssiUnit:");
    m_converter.appendCurrentUnitValue(units, rssiUnit, "dBm");
    QVERIFY(log.records().isEmpty());
    m_converter.appendCurrentUnitValue(units, rssiUnit, "W");
    QCOMPARE(units.value(rssiUnit), QByteArray("dBm"));
    QCOMPARE(units.size(), 1);
    QCOMPARE(log.records(),
             QStringList(QStringLiteral(
                 "appendCurrentUnitValue  Error: unitZebId  "
                 "\":config:dxtest_app:demod:rssiUnit:\"  with new value:  \"W\"  exists "
                 "already in map unitCurrentValueMap with value  \"dBm\"")));
}

QTEST_GUILESS_MAIN(TestSetupTables)
#include "tst_setuptables.moc"
