// The stav-migrate command-line tool, run as a user runs it, on copies of the sample files.
#include <QtTest>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString dataPath(const QString &name)
{
    return QStringLiteral(COMMON_TEST_DATA_DIR "/data/") + name;
}

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestStavMigrate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void migrate_data();
    void migrate();
    void check_data();
    void check();
    void toStdout();
    void toStdoutWriteError();
    void usage_data();
    void usage();

private:
    Run run(const QStringList &arguments, const QString &outputFile = QString());
    void copySamples(const QStringList &samples);

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestStavMigrate::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

Run TestStavMigrate::run(const QStringList &arguments, const QString &outputFile)
{
    QProcess process;
    process.setWorkingDirectory(m_dir->path());
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(STAV_MIGRATE_PATH), arguments);
    Run result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void TestStavMigrate::copySamples(const QStringList &samples)
{
    for (const QString &sample : samples)
        QVERIFY(QFile::copy(dataPath(sample + QStringLiteral(".stav")),
                            m_dir->filePath(sample + QStringLiteral(".stav"))));
}

void TestStavMigrate::migrate_data()
{
    QTest::addColumn<QStringList>("samples");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("all succeed") << QStringList { "v3_setup", "v6_vna", "v7_current" } << 0
                                 << QByteArray("v3_setup.stav: V3 -> V7\n"
                                               "v6_vna.stav: V6 -> V7\n"
                                               "v7_current.stav: V7, already current\n");
    QTest::newRow("one fails, the others go on")
        << QStringList { "no_version", "v4_unclosed", "v5_setup", "lowercase_v" } << 1
        << QByteArray("no_version.stav: failed (no DocumentVersion)\n"
                      "v4_unclosed.stav: failed (V4, now V4)\n"
                      "v5_setup.stav: V5 -> V7\n"
                      "lowercase_v.stav: failed (invalid DocumentVersion)\n");
}

void TestStavMigrate::migrate()
{
    QFETCH(QStringList, samples);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    copySamples(samples);
    QStringList files;
    for (const QString &sample : samples)
        files.append(sample + QStringLiteral(".stav"));

    const Run result = run(files);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out, output);
    // The converter's log records go to standard error.
    QVERIFY(result.err.contains("convertSetup >SetupConverter::convertSetup path:"));
    for (const QString &sample : samples) {
        const QString expected = dataPath(sample + QStringLiteral(".expected"));
        if (QFile::exists(expected))
            QCOMPARE(readBytes(m_dir->filePath(sample + QStringLiteral(".stav"))),
                     readBytes(expected));
    }
}

void TestStavMigrate::check_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("needs migration")
        << QStringList { "--check", "v3_setup.stav", "v7_current.stav" } << 1
        << QByteArray("v3_setup.stav: V3, needs migration\n"
                      "v7_current.stav: V7, up to date\n");
    QTest::newRow("all current") << QStringList { "--check", "v7_current.stav", "v8_newer.stav" }
                                 << 0
                                 << QByteArray("v7_current.stav: V7, up to date\n"
                                               "v8_newer.stav: V8, up to date\n");
    QTest::newRow("unreadable") << QStringList { "--check", "absent.stav", "no_version.stav",
                                                 "notes.txt" }
                                << 1
                                << QByteArray("absent.stav: cannot read (no such file)\n"
                                              "no_version.stav: no DocumentVersion\n"
                                              "notes.txt: not a stav file\n");
}

void TestStavMigrate::check()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    copySamples({ "v3_setup", "v7_current", "v8_newer", "no_version" });
    const QStringList before = QDir(m_dir->path()).entryList(QDir::Files);

    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out, output);
    // Nothing written: no backup, the files as they were.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), before);
    QCOMPARE(readBytes(m_dir->filePath(QStringLiteral("v3_setup.stav"))),
             readBytes(dataPath(QStringLiteral("v3_setup.stav"))));
}

void TestStavMigrate::toStdout()
{
    copySamples({ "v3_crlf", "v7_current" });
    const Run result = run({ "--stdout", "v3_crlf.stav" });
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, readBytes(dataPath(QStringLiteral("v3_crlf.expected"))));
    QCOMPARE(readBytes(m_dir->filePath(QStringLiteral("v3_crlf.stav"))),
             readBytes(dataPath(QStringLiteral("v3_crlf.stav"))));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("v3_crlf.stav-backup"))));

    const Run current = run({ "--stdout", "v7_current.stav" });
    QCOMPARE(current.exitCode, 0);
    QCOMPARE(current.out, readBytes(dataPath(QStringLiteral("v7_current.stav"))));
}

void TestStavMigrate::toStdoutWriteError()
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this system");
    copySamples({ "v3_setup" });
    const Run result = run({ "--stdout", "v3_setup.stav" }, QStringLiteral("/dev/full"));
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.contains("cannot write to standard output"));
}

void TestStavMigrate::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("outputPart");

    QTest::newRow("help") << QStringList { "--help" } << 0 << QByteArray("--check");
    QTest::newRow("version") << QStringList { "--version" } << 0
                             << QByteArray("stav-migrate 1.0.0");
    QTest::newRow("no file") << QStringList {} << 2 << QByteArray();
    QTest::newRow("unknown option")
        << QStringList { "--frobnicate", "a.stav" } << 2 << QByteArray();
    QTest::newRow("stdout with two files")
        << QStringList { "--stdout", "a.stav", "b.stav" } << 2 << QByteArray();
    QTest::newRow("check and stdout")
        << QStringList { "--check", "--stdout", "a.stav" } << 2 << QByteArray();
}

void TestStavMigrate::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, outputPart);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.out.contains(outputPart), result.out.constData());
    if (exitCode == 2)
        QVERIFY(!result.err.isEmpty());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

QTEST_GUILESS_MAIN(TestStavMigrate)
#include "tst_stavmigrate.moc"
