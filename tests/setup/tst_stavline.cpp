// The line model of setup files and the renumbering of index values; the rules as a whole are
// shown by the sample files.
#include "setupconverter.h"

#include <QtTest>

#include <climits>

class TestStavLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseLine_data();
    void parseLine();
    void updateStavParam_data();
    void updateStavParam();

private:
    SetupConverter m_converter;
};

void TestStavLine::parseLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("itemId");
    QTest::addColumn<QByteArray>("value");
    // Name, line, key, value. After the last quote the rest is a token only when not empty.
    const char *const rows[][4] = {
        { "empty", "", "", "" },
        { "unquoted number", "    \"K\": 42,", "K", "" },
        { "more quotes", "\"K\": \"a\", \"L\": \"b\",", "K", "a" },
        { "one quote, text after", "  \"Measure", "Measure", "" },
        { "one quote at end", "abc\"", "", "" },
        { "three quotes, text after", "\"K\": \"On", "K", "On" },
        { "three quotes at end", "\"K\": \"", "K", "" },
        { "bytes outside ASCII", "\"caf\xe9\": \"\xc2\xb5V\xff\",", "caf\xe9", "\xc2\xb5V\xff" },
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QByteArray(row[1]) << QByteArray(row[2]) << QByteArray(row[3]);
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

// Values that are no decimal int, and most ranges, are shown by the samples.
void TestStavLine::updateStavParam_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("inside") << QByteArray("3") << 1 << 1 << 99 << QByteArray("4");
    QTest::newRow("below") << QByteArray("0") << 1 << 1 << 99 << QByteArray("0");
    QTest::newRow("blanks, sign, text after")
        << QByteArray("\t +7px") << -3 << 5 << 99 << QByteArray("4");
    QTest::newRow("past int max") << QByteArray("2147483647") << 1 << 0 << INT_MAX
                                  << QByteArray("2147483648");
    QTest::newRow("past int min") << QByteArray("-2147483648") << -1 << INT_MIN << 0
                                  << QByteArray("-2147483649");
}

void TestStavLine::updateStavParam()
{
    QFETCH(QByteArray, value);
    QFETCH(int, offset);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QByteArray, expected);
    const QByteArray prefix("        \":config:dxtest_app:dmrMeas:dmrRightPaneIndexRx:\": \"");
    // Without a comma after the value the text is not matched, only the value changes.
    for (const QByteArray end : { "\",", "\"" }) {
        const StavLine line = m_converter.parseLine(prefix + value + end);
        const StavLine updated = m_converter.updateStavParam(line, offset, minimum, maximum);
        QCOMPARE(updated.line,
                 end == "\"" || value == expected ? line.line : prefix + expected + end);
        QCOMPARE(updated.value, expected);
        QCOMPARE(updated.itemId, line.itemId);
    }
}

QTEST_GUILESS_MAIN(TestStavLine)
#include "tst_stavline.moc"
