// The compiled-in identifier tables: their sizes, their form and a few entries of each.
#include "setupconverter.h"

#include <QtTest>

class TestSetupTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tables();
};

void TestSetupTables::tables()
{
    const SetupConverter converter;
    const SetupConverter::ItemIdMap tables[] = {
        converter.initV3ToV4ZebItemIds(),
        converter.initV4ToV5ZebItemIds(),
        converter.initV5ToV6ZebItemIds(),
        converter.initV6ToV7ZebItemIds(),
    };
    const int sizes[] = { 649, 4, 1, 6 };
    // Every identifier reads :config:<application>:<module>:<item>:
    const auto wellFormed = [](const QByteArray &id) {
        return id.startsWith(":config:") && id.endsWith(':') && id.count(':') == 5;
    };
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(tables[i].size(), sizes[i]);
        for (auto it = tables[i].cbegin(); it != tables[i].cend(); ++it) {
            QVERIFY2(wellFormed(it.key()), it.key());
            QVERIFY2(it.value().isEmpty() || wellFormed(it.value()), it.value());
        }
    }

    // Table, old identifier, new identifier (empty when the item is removed).
    const char *const entries[][3] = {
        { "V3", ":config:dxtest_app:demod:isRssi:", ":config:dxtest_app:demod:isRfPower:" },
        { "V3", ":config:networkanalyzer_app:sparamCal:calStep:",
          ":config:networkanalyzer_app:sparamCal:dataPoints:" },
        { "V3", ":config:dxtest_app:rfreceiver:hopList:", "" },
        { "V4", ":config:dxtest_app:oscope:traceTimeout:", "" },
        { "V5", ":config:dxtest_app:tetraDemod:rxUutType:", "" },
        { "V6", ":config:networkanalyzer_app:vswr:measSubType:",
          ":config:networkanalyzer_app:vswr:measSubType1:" },
        { "V6", ":config:dxtest_app:vswr:refLevel:", "" },
    };
    for (const auto &entry : entries) {
        const SetupConverter::ItemIdMap &table = tables[entry[0][1] - '3'];
        QVERIFY2(table.contains(entry[1]), entry[1]);
        QCOMPARE(table.value(entry[1]), QByteArray(entry[2]));
    }

    // V3 items valid for one unit only: item -> (unit item, unit).
    const SetupConverter::UnitMap units = converter.initZebIdToUnit();
    QCOMPARE(units.size(), 48);
    QCOMPARE(units.value(":config:dxtest_app:demod:rssiLLimitdBuV:"),
             qMakePair(QByteArray(":config:dxtest_app:demod:rssiUnit:"), QByteArray("dBuV")));
    QCOMPARE(units.value(":config:dxtest_app:audioIn:afLvlULimit:"),
             qMakePair(QByteArray(":config:dxtest_app:audioIn:afLvlUnit:"), QByteArray("V")));
}

QTEST_GUILESS_MAIN(TestSetupTables)
#include "tst_setuptables.moc"
