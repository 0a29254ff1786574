// The migration core with rules added to the built-in tables: the lines they match are found
// by the same shortcuts as those of the built-in rules, which derive from the rule lists.
#include "setupmigration.h"
#include "stavlog.h"

#include <QtTest>

class TestSetupMigration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addedRules();
};

void TestSetupMigration::addedRules()
{
    StavRules rules = StavRules::builtIn();
    StavRules::Step &toV5 = rules.steps[StavStep::V4toV5];
    toV5.indexRules.append({ { ":newIndex:\"" }, { { 10, 0, 5 } } });
    toV5.renames.insert(":config:a:b:oldName:", ":config:a:b:newMode:");
    StavRules::Step &toV6 = rules.steps[StavStep::V5toV6];
    // Acts on the key that the V5 table gave the line.
    toV6.textRules.append({ { ":newMode:\"" }, { { "\"Old\"", "\"New\"" } }, {} });
    toV6.dropLiterals.append("Obsolete");
    StavRules::Step &toV7 = rules.steps[StavStep::V6toV7];
    toV7.entryRules.append({ "\"Layout\"", "\"Classic\"", "Grid" });
    toV7.renames.insert(":config:a:b:gone:", QByteArray());

    const QByteArray v4 = "{\n"
                          "        \"DocumentVersion\": \"V4\",\n"
                          "        \":config:a:b:newIndex:\": \"3\",\n"
                          "        \":config:a:b:oldName:\": \"Old\",\n"
                          "        \":config:a:b:note:\": \"Obsolete\",\n"
                          "    \"Layout\": \"Classic\"\n"
                          "        \":config:a:b:gone:\": [\n"
                          "            \"1\"\n"
                          "        ],\n"
                          "        \":config:a:b:kept:\": \"Old\"\n"
                          "}";
    const QByteArray v7 = "{\n"
                          "        \"DocumentVersion\": \"V7\",\n"
                          "        \":config:a:b:newIndex:\": \"13\",\n"
                          "        \":config:a:b:newMode:\": \"New\",\n"
                          "        \"Layout\": \"Grid\",\n"
                          "        \":config:a:b:kept:\": \"Old\"\n"
                          "}\n";
    QByteArray result;
    StavLog log;
    QVERIFY(SetupMigration(rules).migrate(v4, 4, &result, &log));
    QCOMPARE(result, v7);

    // The built-in rules change none of these lines but the version.
    QVERIFY(SetupMigration().migrate(v4, 4, &result, &log));
    QCOMPARE(result, QByteArray(v4).replace("\"V4\"", "\"V7\"") + '\n');
}

QTEST_GUILESS_MAIN(TestSetupMigration)
#include "tst_setupmigration.moc"
