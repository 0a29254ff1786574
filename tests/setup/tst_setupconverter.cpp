// Whole-file conversions of the sample setup files, compared byte for byte with the expected
// files, and the handling of files that cannot be read or written.
#include "setupconverter.h"
#include "setuptest.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Limits the size of the files this process writes while it lives; writes beyond it fail
// with EFBIG, for root as for anyone else.
struct FileSizeLimit
{
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved {};
    bool active = false;
};

} // namespace

class TestSetupConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void convertSample_data();
    void convertSample();
    void singleStep();
    void backupPaths();
    void failure_data();
    void failure();

private:
    QString copySample(const QString &sample, const QString &name = QString());
    QStringList entries() const
    {
        return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

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

// Every X.stav of the samples: converted to X.expected when there is one, else left as it was.
void TestSetupConverter::convertSample_data()
{
    QTest::addColumn<QString>("sample");
    const QStringList samples
        = QDir(dataPath(QString())).entryList({ QStringLiteral("*.stav") }, QDir::Files);
    QVERIFY(samples.size() > 20);
    for (const QString &file : samples)
        QTest::newRow(qPrintable(file)) << file.chopped(5);
}

void TestSetupConverter::convertSample()
{
    // Of the samples left as they were, current ones count as success, and only those whose
    // version cannot be read fail before the backup is written.
    static const QStringList current { "v7_current", "v8_newer", "v8_then_v3" };
    static const QStringList unreadable { "lowercase_v", "empty_version", "no_version" };
    QFETCH(QString, sample);
    const QString expectedPath = dataPath(sample + QStringLiteral(".expected"));
    const bool changed = QFile::exists(expectedPath);
    const bool backup = changed || !(current.contains(sample) || unreadable.contains(sample));

    const QByteArray original = readBytes(dataPath(sample + QStringLiteral(".stav")));
    const QString path = copySample(sample);
    LogCapture log;
    QCOMPARE(m_converter.convertSetup(path), changed || current.contains(sample));
    const QByteArray expected = changed ? readBytes(expectedPath) : original;
    QCOMPARE(readBytes(path), expected);
    QCOMPARE(readBytes(path + QStringLiteral("-backup")),
             backup ? original : QByteArray("<missing>"));
    // Nothing else is left behind, temporary files included.
    QCOMPARE(entries().size(), backup ? 2 : 1);
    // X.log holds the exact log records, with %1 for the quoted path and %2 for the backup's.
    const QByteArray records = readBytes(dataPath(sample + QStringLiteral(".log")));
    if (records != "<missing>")
        QCOMPARE(log.records(),
                 QString::fromUtf8(records)
                     .replace(QLatin1String("%1"), '"' + path + '"')
                     .replace(QLatin1String("%2"), '"' + path + QStringLiteral("-backup\""))
                     .split('\n', Qt::SkipEmptyParts));
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
    QCOMPARE(entries(), QStringList(QStringLiteral("v5_setup.stav")));
}

void TestSetupConverter::backupPaths()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("recalls.stav")));
    const QString stored = copySample(QStringLiteral("v5_setup"), QStringLiteral("stored"));
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(stored, mode));
    QVERIFY(QFile::link(stored, m_dir->filePath(QStringLiteral("link.stav"))));
    copySample(QStringLiteral("v5_setup"), QStringLiteral("a.stav.old"));
    copySample(QStringLiteral("v5_setup"), QStringLiteral("recalls.stav/b.stav"));
    // A further suffix passes the extension test and the backup keeps it; a folder whose name
    // holds .stav does not move the backup; behind a link the file is replaced, with its mode.
    for (const auto &[name, backup] :
         { std::pair("a.stav.old", "a.stav-backup.old"),
           std::pair("recalls.stav/b.stav", "recalls.stav/b.stav-backup"),
           std::pair("link.stav", "link.stav-backup") }) {
        const QString path = m_dir->filePath(QLatin1String(name));
        QVERIFY(m_converter.convertSetup(path));
        QCOMPARE(readBytes(path), readBytes(dataPath(QStringLiteral("v5_setup.expected"))));
        QCOMPARE(readBytes(m_dir->filePath(QLatin1String(backup))),
                 readBytes(dataPath(QStringLiteral("v5_setup.stav"))));
    }
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("link.stav"))).isSymLink());
    // The owner, group and other bits; the user bits repeat those of whoever runs the test.
    QCOMPARE(QFile::permissions(stored) & 0x7077, mode);
}

// A conversion that fails returns false, logs why as its last record and leaves the file as
// it was; only a failure after the backup keeps the backup.
void TestSetupConverter::failure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit"); // the largest file this process may write
    // The failure's record, %1 being the path; a record of the V6 to V7 step comes from a
    // call of that step alone.
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("backup");

    const auto row
        = [](const char *tag, const char *name, int limit, const char *record, int records,
             bool backup) { QTest::newRow(tag) << name << limit << record << records << backup; };
    const char *const unreadable = "convertSetup  Error: cannot read file  \"%1\"";
    row("missing", "missing.stav", 1 << 30, unreadable, 2, false);
    row("parent is a regular file", "plain/inside.stav", 1 << 30, unreadable, 2, false);
    row("folder", "folder.stav", 1 << 30, unreadable, 2, false);
    row("too large", "huge.stav", 1 << 30, unreadable, 2, false);
    // Its size cut to 32 bits would be that of a small valid file.
    row("larger than 4 GiB", "wraps.stav", 1 << 30, unreadable, 2, false);
    row("no .stav in the name", "notes.txt", 1 << 30,
        "convertSetup  Error: file  \"%1\"  is not a stav file", 2, false);
    // A folder where the backup should go cannot be replaced by a file, not even by root.
    const char *const noBackup = "convertSetup  Error: could not save backup  \"%1-backup\"";
    row("backup path is a folder", "blocked.stav", 1 << 30, noBackup, 3, false);
    row("backup write fails", "v3_setup.stav", 1000, noBackup, 3, false);
    // The compact entries that V7 writes longer: the backup fits the limit, the result not.
    row("converted file write fails", "v6_compact.stav", 91,
        "convertSetup  Error: could not write converted file  \"%1\"", 5, true);
    row("step, converted file write fails", "v6_compact.stav", 91,
        "convertSetupV6toV7  Error: could not write converted file  \"%1\"", 3, false);
    row("step, missing file", "missing.stav", 1 << 30,
        "convertSetupV6toV7  Error: cannot read file  \"%1\"", 2, false);
}

void TestSetupConverter::failure()
{
    QFETCH(QString, name);
    QFETCH(int, limit);
    QFETCH(QString, record);
    QFETCH(int, records);
    QFETCH(bool, backup);
    QFile huge(m_dir->filePath(QStringLiteral("huge.stav")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write("\"DocumentVersion\": \"V3\",\n") > 0);
    QVERIFY(huge.resize(16 * 1024 * 1024 + 1));
    huge.close();
    QFile wraps(m_dir->filePath(QStringLiteral("wraps.stav")));
    const QByteArray small("\"DocumentVersion\": \"V3\",\n");
    QVERIFY(wraps.open(QIODevice::WriteOnly) && wraps.write(small) == small.size());
    QVERIFY(wraps.resize((qint64(1) << 32) + small.size())); // sparse
    wraps.close();
    for (const char *folder : { "folder.stav", "blocked.stav-backup" })
        QVERIFY(QDir(m_dir->path()).mkdir(QLatin1String(folder)));
    copySample(QStringLiteral("v3_setup"));
    copySample(QStringLiteral("v3_setup"), QStringLiteral("blocked.stav"));
    copySample(QStringLiteral("v3_setup"), QStringLiteral("notes.txt"));
    copySample(QStringLiteral("v3_setup"), QStringLiteral("plain"));
    copySample(QStringLiteral("v6_compact"));
    const QString path = m_dir->filePath(name);
    const QByteArray original = readBytes(path);
    QStringList before = entries();

    LogCapture log;
    {
        const FileSizeLimit sizeLimit { rlim_t(limit) };
        QVERIFY(sizeLimit.active);
        const bool singleStep = record.startsWith(QLatin1String("convertSetupV6toV7"));
        QVERIFY(
            !(singleStep ? m_converter.convertSetupV6toV7(path) : m_converter.convertSetup(path)));
    }
    QCOMPARE(readBytes(path), original);
    QVERIFY2(log.records().last().startsWith(record.arg(path)), qPrintable(log.records().last()));
    QCOMPARE(log.records().size(), records);
    if (backup) {
        QCOMPARE(readBytes(path + QStringLiteral("-backup")), original);
        before << name + QStringLiteral("-backup");
        before.sort();
    }
    QCOMPARE(entries(), before);
}

QTEST_GUILESS_MAIN(TestSetupConverter)
#include "tst_setupconverter.moc"
