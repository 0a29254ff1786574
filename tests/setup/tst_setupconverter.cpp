// Whole-file conversions of sample setup files, compared byte for byte with expected files,
// and the handling of files that cannot be read or written.
#include "logcapture.h"
#include "setupconverter.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString dataPath(const QString &name)
{
    return QStringLiteral(COMMON_TEST_DATA_DIR "/data/") + name;
}

// Limits the size of the files this process writes while it lives; writes beyond it fail
// with EFBIG, for root as for anyone else.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    bool isActive() const { return m_active; }

private:
    rlimit m_saved {};
    bool m_active = false;
};

} // namespace

class TestSetupConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void convertSample_data();
    void convertSample();
    void logRecords_data();
    void logRecords();
    void singleStep();
    void pathsWithStavInside();
    void missingOrUnreadableFile_data();
    void missingOrUnreadableFile();
    void tooLargeFile();
    void backupCannotBeWritten();
    void backupWriteFails();
    void convertedFileWriteFails();
    void keepsLinkAndPermissions();
    void migrateTextMatchesFiles();

private:
    QString copySample(const QString &sample, const QString &name = QString());

    QScopedPointer<QTemporaryDir> m_dir;
    SetupConverter m_converter;
};

void TestSetupConverter::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

QString TestSetupConverter::copySample(const QString &sample, const QString &name)
{
    const QString path = m_dir->filePath(name.isEmpty() ? sample + QStringLiteral(".stav") : name);
    if (!QFile::copy(dataPath(sample + QStringLiteral(".stav")), path))
        qFatal("cannot copy sample %s", qPrintable(sample));
    return path;
}

void TestSetupConverter::convertSample_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("changed"); // compared with <sample>.expected when true
    QTest::addColumn<bool>("backup");

    // Renames across modules, removals (also as arrays), the unit merge, ScpiConfirmCfg,
    // enum names, pane indices and the VNA rewrite in one realistic file.
    QTest::newRow("V3 setup") << "v3_setup" << true << true << true;
    QTest::newRow("V3 without unit item") << "v3_nounit" << true << true << true;
    QTest::newRow("V3 unit item twice") << "v3_dupunit" << true << true << true;
    QTest::newRow("V3 pane indices") << "v3_panes" << true << true << true;
    QTest::newRow("V3 CRLF, non-ASCII, no final LF") << "v3_crlf" << true << true << true;
    QTest::newRow("V2 runs every step") << "v2_old" << true << true << true;
    QTest::newRow("V4 arrays and panes") << "v4_arrays" << true << true << true;
    QTest::newRow("V5") << "v5_setup" << true << true << true;
    QTest::newRow("V6 VNA") << "v6_vna" << true << true << true;
    QTest::newRow("last version line counts") << "v3_then_v5" << true << true << true;
    QTest::newRow("V7 untouched") << "v7_current" << true << false << false;
    QTest::newRow("V8 untouched") << "v8_newer" << true << false << false;
    QTest::newRow("V8 before V3 decides") << "v8_then_v3" << true << false << false;
    QTest::newRow("lower-case v") << "lowercase_v" << false << false << false;
    QTest::newRow("empty version") << "empty_version" << false << false << false;
    QTest::newRow("no version") << "no_version" << false << false << false;
    QTest::newRow("version key without quotes") << "unquoted_key" << false << false << true;
    // The only quoted version line lies in a removed array: converted, the file would still
    // read as V6 and be converted again at the next recall.
    QTest::newRow("stray version mention") << "stray_version" << false << false << true;
    QTest::newRow("V3 unclosed array") << "v3_unclosed" << false << false << true;
    QTest::newRow("V4 unclosed array") << "v4_unclosed" << false << false << true;
    // The steps before the failing one leave nothing on disk either.
    QTest::newRow("V3 failing in a later step") << "v3_late_unclosed" << false << false << true;
}

void TestSetupConverter::convertSample()
{
    QFETCH(QString, sample);
    QFETCH(bool, result);
    QFETCH(bool, changed);
    QFETCH(bool, backup);

    const QByteArray original = readBytes(dataPath(sample + QStringLiteral(".stav")));
    const QString path = copySample(sample);
    LogCapture log;
    QCOMPARE(m_converter.convertSetup(path), result);

    const QByteArray expected
        = changed ? readBytes(dataPath(sample + QStringLiteral(".expected"))) : original;
    QCOMPARE(readBytes(path), expected);
    const QString backupPath = m_dir->filePath(sample + QStringLiteral(".stav-backup"));
    QCOMPARE(QFile::exists(backupPath), backup);
    if (backup)
        QCOMPARE(readBytes(backupPath), original);
    // Nothing else is left behind, temporary files included.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(),
             backup ? 2 : 1);
}

void TestSetupConverter::logRecords_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QStringList>("records"); // %1 is the quoted path

    QTest::newRow("V6")
        << "v6_vna"
        << QStringList {
               "convertSetup >SetupConverter::convertSetup path:  %1",
               "convertSetup  Saving backup of original file:  %2",
               "convertSetupV6toV7  Converting file from V6 to V7:  %1",
               "convertSetupV6toV7 Set DocumentVersion to V7 and save converted file",
           };
    QTest::newRow("V3 unit item twice")
        << "v3_dupunit"
        << QStringList {
               "convertSetup >SetupConverter::convertSetup path:  %1",
               "convertSetup  Saving backup of original file:  %2",
               "convertSetupV3toV4  Converting file to V4:  %1",
               "convertSetupV3toV4 Set DocumentVersion to V4 and save converted file",
               "appendCurrentUnitValue  Error: unitZebId  "
               "\":config:dxtest_app:demod:rssiUnit:\"  with new value:  \"V\"  exists "
               "already in map unitCurrentValueMap with value  \"W\"",
               "convertSetupV4toV5  Converting file from V4 to V5:  %1",
               "convertSetupV4toV5 Set DocumentVersion to V5 and save converted file",
               "convertSetupV5toV6  Converting file from V5 to V6:  %1",
               "convertSetupV5toV6 Set DocumentVersion to V6 and save converted file",
               "convertSetupV6toV7  Converting file from V6 to V7:  %1",
               "convertSetupV6toV7 Set DocumentVersion to V7 and save converted file",
           };
    QTest::newRow("V8") << "v8_newer"
                        << QStringList {
                               "convertSetup >SetupConverter::convertSetup path:  %1",
                               "convertSetup  File  %1  is already in a new version:  "
                               "\"        \\\"DocumentVersion\\\": \\\"V8\\\",\"  Nothing to be "
                               "done.",
                           };
    QTest::newRow("lower-case v")
        << "lowercase_v"
        << QStringList {
               "convertSetup >SetupConverter::convertSetup path:  %1",
               "convertSetup  File  %1  found invalid DocumentVersion (str):  "
               "\"        \\\"DocumentVersion\\\": \\\"v5\\\",\"",
               "convertSetup  - Caught Exception  no digits to convert",
           };
    QTest::newRow("no version")
        << "no_version"
        << QStringList {
               "convertSetup >SetupConverter::convertSetup path:  %1",
               "convertSetup  Error in stav file: Did not find DocumentVersion  %1",
           };
    QTest::newRow("V4 unclosed array")
        << "v4_unclosed"
        << QStringList {
               "convertSetup >SetupConverter::convertSetup path:  %1",
               "convertSetup  Saving backup of original file:  %2",
               "convertSetupV4toV5  Converting file from V4 to V5:  %1",
               "convertSetupV4toV5 Set DocumentVersion to V5 and save converted file",
               "convertSetupV4toV5  Error: Expected closing ] before End-Of-File "
               "stavLineIndex= 5  curLine= \"}\"",
           };
}

void TestSetupConverter::logRecords()
{
    QFETCH(QString, sample);
    QFETCH(QStringList, records);
    const QString path = copySample(sample);
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    const QString backup = QLatin1Char('"') + path + QStringLiteral("-backup\"");
    for (QString &record : records)
        record.replace(QLatin1String("%1"), quoted).replace(QLatin1String("%2"), backup);
    LogCapture log;
    m_converter.convertSetup(path);
    QCOMPARE(log.records(), records);
}

void TestSetupConverter::singleStep()
{
    const QString path = copySample(QStringLiteral("v5_setup"));
    QVERIFY(m_converter.convertSetupV5toV6(path));
    const QByteArray v6 = readBytes(path);
    QVERIFY(v6.contains("        \"DocumentVersion\": \"V6\",\n"));
    QVERIFY(!v6.contains("rxUutType"));
    // Only the V6 to V7 step removes this one.
    QVERIFY(v6.contains(":config:dxtest_app:vswr:refLevel:"));
    QVERIFY(!QFile::exists(path + QStringLiteral("-backup")));

    // A step on a file that is not there writes nothing.
    const QString absent = m_dir->filePath(QStringLiteral("absent.stav"));
    QVERIFY(!m_converter.convertSetupV4toV5(absent));
    QVERIFY(!QFile::exists(absent));
}

void TestSetupConverter::pathsWithStavInside()
{
    // A further suffix passes the extension test; the backup keeps it.
    const QString suffixed = copySample(QStringLiteral("v5_setup"), QStringLiteral("a.stav.old"));
    QVERIFY(m_converter.convertSetup(suffixed));
    QCOMPARE(readBytes(suffixed), readBytes(dataPath(QStringLiteral("v5_setup.expected"))));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("a.stav-backup.old"))));

    // A folder whose name holds .stav: the backup still lies beside the file.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("recalls.stav")));
    const QString nested
        = copySample(QStringLiteral("v5_setup"), QStringLiteral("recalls.stav/b.stav"));
    QVERIFY(m_converter.convertSetup(nested));
    QCOMPARE(readBytes(m_dir->filePath(QStringLiteral("recalls.stav/b.stav-backup"))),
             readBytes(dataPath(QStringLiteral("v5_setup.stav"))));

    // No .stav at all: refused, nothing read or written.
    const QString other = copySample(QStringLiteral("v5_setup"), QStringLiteral("c.txt"));
    LogCapture log;
    QVERIFY(!m_converter.convertSetup(other));
    QCOMPARE(log.records().last(),
             QStringLiteral("convertSetup  Error: file  \"%1\"  is not a stav file").arg(other));
    QCOMPARE(readBytes(other), readBytes(dataPath(QStringLiteral("v5_setup.stav"))));
}

void TestSetupConverter::missingOrUnreadableFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "missing.stav";
    QTest::newRow("parent is a regular file") << "plain/inside.stav";
    QTest::newRow("folder") << "folder.stav";
}

void TestSetupConverter::missingOrUnreadableFile()
{
    QFETCH(QString, name);
    QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("plain")), "not a folder"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.stav")));
    const QString path = m_dir->filePath(name);

    LogCapture log;
    QVERIFY(!m_converter.convertSetup(path));
    QCOMPARE(log.records().size(), 2);
    QVERIFY2(log.records().last().startsWith(
                 QStringLiteral("convertSetup  Error: cannot read file  \"%1\"").arg(path)),
             qPrintable(log.records().last()));
    QVERIFY(!QFile::exists(path + QStringLiteral("-backup")));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

void TestSetupConverter::tooLargeFile()
{
    const QString path = m_dir->filePath(QStringLiteral("huge.stav"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("{\n        \"DocumentVersion\": \"V3\",\n") > 0);
    QVERIFY(file.resize(16 * 1024 * 1024 + 1));
    file.close();
    LogCapture log;
    QVERIFY(!m_converter.convertSetup(path));
    QVERIFY(log.records().last().contains(QLatin1String("Error: cannot read file")));
    QVERIFY(!QFile::exists(path + QStringLiteral("-backup")));
}

void TestSetupConverter::backupCannotBeWritten()
{
    const QString path = copySample(QStringLiteral("v3_setup"));
    // A folder where the backup should go cannot be replaced by a file, not even by root.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("v3_setup.stav-backup")));
    LogCapture log;
    QVERIFY(!m_converter.convertSetup(path));
    QCOMPARE(readBytes(path), readBytes(dataPath(QStringLiteral("v3_setup.stav"))));
    QVERIFY(log.records().last().startsWith(
        QStringLiteral("convertSetup  Error: could not save backup  \"%1-backup\"").arg(path)));
    QVERIFY(log.recordsStartingWith(QStringLiteral("convertSetupV3toV4")).isEmpty());
}

void TestSetupConverter::backupWriteFails()
{
    const QString path = copySample(QStringLiteral("v3_setup"));
    const QByteArray original = readBytes(path);
    LogCapture log;
    {
        FileSizeLimit limit(rlim_t(original.size() / 2));
        QVERIFY(limit.isActive());
        QVERIFY(!m_converter.convertSetup(path));
    }
    QCOMPARE(readBytes(path), original);
    QVERIFY(!QFile::exists(path + QStringLiteral("-backup")));
    QVERIFY(log.records().last().contains(QLatin1String("could not save backup")));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
             QStringList(QStringLiteral("v3_setup.stav")));
}

void TestSetupConverter::convertedFileWriteFails()
{
    // Compact entries that the V6 to V7 step rewrites longer: the backup fits the limit, the
    // converted file does not.
    const QString path = m_dir->filePath(QStringLiteral("compact.stav"));
    const QByteArray original("{\n\"DocumentVersion\":\"V6\",\n\"TabMeasure1\":\"VSWR\",\n"
                              "\"TabQml1\":\"VSWR.qml\",\n\"TabTitle1\":\"VSWR\"\n}\n");
    QVERIFY(writeBytes(path, original));
    QByteArray converted;
    QVERIFY(m_converter.migrateText(original, 6, &converted));
    QVERIFY(converted.size() > original.size());
    LogCapture log;
    {
        FileSizeLimit limit(rlim_t(original.size()));
        QVERIFY(limit.isActive());
        QVERIFY(!m_converter.convertSetup(path));
    }
    QCOMPARE(readBytes(path), original);
    QCOMPARE(readBytes(path + QStringLiteral("-backup")), original);
    QVERIFY(log.records().last().startsWith(
        QStringLiteral("convertSetup  Error: could not write converted file  \"%1\"").arg(path)));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);

    // A single step called on its own behaves the same.
    {
        FileSizeLimit limit(rlim_t(original.size()));
        QVERIFY(!m_converter.convertSetupV6toV7(path));
    }
    QCOMPARE(readBytes(path), original);
    QVERIFY(log.records().last().startsWith(
        QStringLiteral("convertSetupV6toV7  Error: could not write converted file  \"%1\"")
            .arg(path)));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);
}

void TestSetupConverter::keepsLinkAndPermissions()
{
    const QString target = copySample(QStringLiteral("v5_setup"), QStringLiteral("stored.stav"));
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString link = m_dir->filePath(QStringLiteral("link.stav"));
    QVERIFY(QFile::link(target, link));
    QVERIFY(m_converter.convertSetup(link));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(target), readBytes(dataPath(QStringLiteral("v5_setup.expected"))));
    const QFile::Permissions modeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
        | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(target) & modeBits,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

void TestSetupConverter::migrateTextMatchesFiles()
{
    // The in-memory chain (used by the command-line tool) gives the same bytes.
    const QByteArray v3 = readBytes(dataPath(QStringLiteral("v3_setup.stav")));
    QByteArray migrated;
    QVERIFY(m_converter.migrateText(v3, 3, &migrated));
    QCOMPARE(migrated, readBytes(dataPath(QStringLiteral("v3_setup.expected"))));
    QCOMPARE(SetupConverter::stepsFrom(7).size(), 0);
    QCOMPARE(SetupConverter::stepsFrom(-5).size(), 4);
    QCOMPARE(SetupConverter::stepsFrom(6),
             QVector<SetupConverter::Step> { SetupConverter::Step::V6toV7 });
}

QTEST_GUILESS_MAIN(TestSetupConverter)
#include "tst_setupconverter.moc"
