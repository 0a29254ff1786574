// The line model of setup files and the two line-rewriting functions.
#include "decimalint.h"
#include "logcapture.h"
#include "setupconverter.h"

#include <QtTest>

class TestStavLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseLine_data();
    void parseLine();
    void fixEnumOptions_data();
    void fixEnumOptions();
    void updateStavParam_data();
    void updateStavParam();
    void updateStavParamRejectsNonNumbers_data();
    void updateStavParamRejectsNonNumbers();
    void decimalInt_data();
    void decimalInt();

private:
    SetupConverter m_converter;
};

void TestStavLine::parseLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("itemId");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("brace") << QByteArray("{") << QByteArray() << QByteArray();
    QTest::newRow("entry") << QByteArray("        \":config:dxtest_app:demod:rssiUnit:\": \"dBm\",")
                           << QByteArray(":config:dxtest_app:demod:rssiUnit:") << QByteArray("dBm");
    QTest::newRow("version without comma") << QByteArray("\"DocumentVersion\": \"V5\"")
                                           << QByteArray("DocumentVersion") << QByteArray("V5");
    QTest::newRow("unquoted number")
        << QByteArray("    \"K\": 42,") << QByteArray("K") << QByteArray();
    QTest::newRow("array opener") << QByteArray("    \"K\": [") << QByteArray("K") << QByteArray();
    QTest::newRow("empty value") << QByteArray("\"K\": \"\",") << QByteArray("K") << QByteArray();
    QTest::newRow("more quotes") << QByteArray("\"K\": \"a\", \"L\": \"b\",") << QByteArray("K")
                                 << QByteArray("a");
    // After the last quote the rest is a token only when not empty.
    QTest::newRow("one quote, text after")
        << QByteArray("  \"Measure") << QByteArray("Measure") << QByteArray();
    QTest::newRow("one quote at end") << QByteArray("abc\"") << QByteArray() << QByteArray();
    QTest::newRow("three quotes, text after")
        << QByteArray("\"K\": \"On") << QByteArray("K") << QByteArray("On");
    QTest::newRow("three quotes at end")
        << QByteArray("\"K\": \"") << QByteArray("K") << QByteArray();
    QTest::newRow("carriage return")
        << QByteArray("\"K\": \"On\",\r") << QByteArray("K") << QByteArray("On");
    QTest::newRow("bytes outside ASCII") << QByteArray("\"caf\xe9\": \"\xc2\xb5V\xff\",")
                                         << QByteArray("caf\xe9") << QByteArray("\xc2\xb5V\xff");
}

void TestStavLine::parseLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, itemId);
    QFETCH(QByteArray, value);
    const StavLine line = m_converter.parseLine(text);
    QCOMPARE(line.line, text);
    QCOMPARE(line.itemId, itemId);
    QCOMPARE(line.value, value);
}

void TestStavLine::fixEnumOptions_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("value");

    const QByteArray preAmp("        \":config:dxtest_app:rfreceiver:preAmp:\": ");
    QTest::newRow("preAmp On") << preAmp + "\"On\"," << preAmp + "\"Enabled\","
                               << QByteArray("Enabled");
    QTest::newRow("preAmp empty") << preAmp + "\"\"," << preAmp + "\"Enabled\","
                                  << QByteArray("Enabled");
    QTest::newRow("preAmp Off") << preAmp + "\"Off\"," << preAmp + "\"Disabled\","
                                << QByteArray("Disabled");
    QTest::newRow("limit enable") << QByteArray("\":config:a:b:xLowerLimitEnable:\": \"On\",")
                                  << QByteArray("\":config:a:b:xLowerLimitEnable:\": \"Enabled\",")
                                  << QByteArray("Enabled");
    QTest::newRow("genOffsetLock")
        << QByteArray("\":config:dxtest_app:rfreceiver:genOffsetLock:\": \"Off\"")
        << QByteArray("\":config:dxtest_app:rfreceiver:genOffsetLock:\": \"Disabled\"")
        << QByteArray("Disabled");
    QTest::newRow("iqgen repeat") << QByteArray("\":config:dxtest_app:iqgen:repeat:\": \"On\",")
                                  << QByteArray(
                                         "\":config:dxtest_app:iqgen:repeat:\": \"Enabled\",")
                                  << QByteArray("Enabled");
    QTest::newRow("isRfPower") << QByteArray("\":config:dxtest_app:demod:isRfPower:\": \"Rssi\",")
                               << QByteArray(
                                      "\":config:dxtest_app:demod:isRfPower:\": \"RfPower\",")
                               << QByteArray("RfPower");
    QTest::newRow("normalize")
        << QByteArray("\":config:dxtest_app:normalize:normalizeAction:\": \"StopNormalize\",")
        << QByteArray("\":config:dxtest_app:normalize:normalizeAction:\": \"AbortNormalize\",")
        << QByteArray("AbortNormalize");
    QTest::newRow("reading Avg") << QByteArray("\":config:a:b:rfPowerReadingType:\": \"Avg\",")
                                 << QByteArray("\":config:a:b:rfPowerReadingType:\": \"AVG\",")
                                 << QByteArray("AVG");
    QTest::newRow("reading bUrSt")
        << QByteArray("\":config:a:b:xReadingType:\": \"bUrSt\",")
        << QByteArray("\":config:a:b:xReadingType:\": \"BURST\",") << QByteArray("BURST");
    QTest::newRow("reading Average unchanged")
        << QByteArray("\":config:a:b:xReadingType:\": \"Average\",")
        << QByteArray("\":config:a:b:xReadingType:\": \"Average\",") << QByteArray("Average");
    // Rule 1 wins over rule 4: "Live" keeps its case.
    QTest::newRow("enable before reading type")
        << QByteArray("\":config:a:b:xReadingType:\": \"Live\", \"yEnable:\": \"On\",")
        << QByteArray("\":config:a:b:xReadingType:\": \"Live\", \"yEnable:\": \"Enabled\",")
        << QByteArray("Live");
    QTest::newRow("continue") << QByteArray("\":config:dxtest_app:trigger:mode:\": \"Continue\",")
                              << QByteArray("\":config:dxtest_app:trigger:mode:\": \"Continuous\",")
                              << QByteArray("Continuous");
    QTest::newRow("continue needs quotes")
        << QByteArray("\":config:a:b:mode:\": \"Continue later\",")
        << QByteArray("\":config:a:b:mode:\": \"Continue later\",") << QByteArray("Continue later");
    QTest::newRow("no rule") << QByteArray("\":config:a:b:level:\": \"On\",")
                             << QByteArray("\":config:a:b:level:\": \"On\",") << QByteArray("On");
}

void TestStavLine::fixEnumOptions()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, value);
    const StavLine fixed = m_converter.fixEnumOptions(m_converter.parseLine(text));
    QCOMPARE(fixed.line, expected);
    QCOMPARE(fixed.value, value);
    QCOMPARE(fixed.itemId, m_converter.parseLine(text).itemId);
}

void TestStavLine::updateStavParam_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("inside") << QByteArray("3") << 1 << 1 << 99 << QByteArray("4");
    QTest::newRow("below") << QByteArray("0") << 1 << 1 << 99 << QByteArray("0");
    QTest::newRow("above") << QByteArray("100") << 1 << 1 << 99 << QByteArray("100");
    QTest::newRow("at maximum") << QByteArray("99") << 1 << 1 << 99 << QByteArray("100");
    QTest::newRow("negative result") << QByteArray("-1") << -2 << -1 << 10000 << QByteArray("-3");
    QTest::newRow("leading blank") << QByteArray(" 5") << -1 << 5 << 99 << QByteArray("4");
    QTest::newRow("trailing text") << QByteArray("7px") << -3 << 5 << 99 << QByteArray("4");
}

void TestStavLine::updateStavParam()
{
    QFETCH(QByteArray, value);
    QFETCH(int, offset);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QByteArray, expected);
    const QByteArray prefix("        \":config:dxtest_app:dmrMeas:dmrRightPaneIndexRx:\": \"");
    const StavLine line = m_converter.parseLine(prefix + value + "\",");
    const StavLine updated = m_converter.updateStavParam(line, offset, minimum, maximum);
    QCOMPARE(updated.line, prefix + expected + "\",");
    QCOMPARE(updated.value, expected);
    QCOMPARE(updated.itemId, line.itemId);

    // Without a comma after the value the text is not matched, only the field changes.
    const StavLine last = m_converter.parseLine(prefix + value + "\"");
    const StavLine lastUpdated = m_converter.updateStavParam(last, offset, minimum, maximum);
    QCOMPARE(lastUpdated.line, last.line);
    QCOMPARE(lastUpdated.value, expected);
}

void TestStavLine::updateStavParamRejectsNonNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("unquoted number") << QByteArray("\":config:a:b:rightPaneIndexDx:\": 3,");
    QTest::newRow("word") << QByteArray("\":config:a:b:rightPaneIndexDx:\": \"left\",");
    QTest::newRow("empty") << QByteArray("\":config:a:b:rightPaneIndexDx:\": \"\",");
    QTest::newRow("out of range") << QByteArray(
        "\":config:a:b:rightPaneIndexDx:\": \"2147483648\",");
    QTest::newRow("sign only") << QByteArray("\":config:a:b:rightPaneIndexDx:\": \"-\",");
}

void TestStavLine::updateStavParamRejectsNonNumbers()
{
    QFETCH(QByteArray, text);
    LogCapture log;
    const StavLine line = m_converter.parseLine(text);
    QCOMPARE(m_converter.updateStavParam(line, 1, -100, 100), line);
    const QStringList records = log.records();
    QCOMPARE(records.size(), 1);
    QVERIFY(records.first().startsWith(
        QLatin1String("updateStavParam  Error: value is not a decimal int")));
    QVERIFY(records.first().contains(QString::fromLatin1(text).replace('"', "\\\"")));
}

void TestStavLine::decimalInt_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("number");

    QTest::newRow("plain") << QByteArray("42") << true << 42;
    QTest::newRow("plus") << QByteArray("+7\",") << true << 7;
    QTest::newRow("white space") << QByteArray("\t\n -12") << true << -12;
    QTest::newRow("int max") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("int min") << QByteArray("-2147483648") << true << int(-2147483647 - 1);
    QTest::newRow("over max") << QByteArray("2147483648") << false << 0;
    QTest::newRow("under min") << QByteArray("-2147483649") << false << 0;
    QTest::newRow("many digits") << QByteArray("99999999999999999999999") << false << 0;
    QTest::newRow("no digits") << QByteArray("\",") << false << 0;
    QTest::newRow("space after sign") << QByteArray("- 1") << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
}

void TestStavLine::decimalInt()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(int, number);
    int result = 0;
    const char *error = nullptr;
    QCOMPARE(parseDecimalInt(text, &result, &error), ok);
    if (ok)
        QCOMPARE(result, number);
    else
        QVERIFY(error && *error);
}

QTEST_GUILESS_MAIN(TestStavLine)
#include "tst_stavline.moc"
