// The stav-migrate command-line tool, run as a user runs it, on copies of the sample files.
#include "setuptest.h"

#include <QtTest>

namespace {

const QStringList Samples {
    "v3_setup", "v3_crlf",    "v5_setup",    "v6_vna",      "v7_current",
    "v8_newer", "no_version", "lowercase_v", "v4_unclosed", "stray_version"
};

} // namespace

class TestStavMigrate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void invocation_data();
    void invocation();

private:
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files); }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestStavMigrate::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    for (const QString &sample : Samples)
        QVERIFY(QFile::copy(dataPath(sample + QStringLiteral(".stav")),
                            m_dir->filePath(sample + QStringLiteral(".stav"))));
}

void TestStavMigrate::invocation_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // The whole standard output; "@name" stands for the bytes of a data file, "~text" for
    // output that contains the text, ">file" for output sent to that file instead.
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("errPart");
    const auto row = [](const char *name, const QStringList &arguments, int exitCode,
                        const char *out, const char *errPart = "") {
        QTest::newRow(name) << arguments << exitCode << QByteArray(out) << QByteArray(errPart);
    };
    // The converter's log records go to standard error.
    const char *const log = "convertSetup >SetupConverter::convertSetup path:";
    row("all succeed", { "v3_setup.stav", "v6_vna.stav", "v7_current.stav" }, 0,
        "v3_setup.stav: V3 -> V7\nv6_vna.stav: V6 -> V7\nv7_current.stav: V7, already current\n",
        log);
    row("one fails, the others go on",
        { "no_version.stav", "v4_unclosed.stav", "v5_setup.stav", "lowercase_v.stav" }, 1,
        "no_version.stav: failed (no DocumentVersion)\nv4_unclosed.stav: failed (V4, now V4)\n"
        "v5_setup.stav: V5 -> V7\nlowercase_v.stav: failed (invalid DocumentVersion)\n",
        log);
    row("check, needs migration", { "--check", "v3_setup.stav", "v7_current.stav" }, 1,
        "v3_setup.stav: V3, needs migration\nv7_current.stav: V7, up to date\n");
    row("check, all current", { "--check", "v7_current.stav", "v8_newer.stav" }, 0,
        "v7_current.stav: V7, up to date\nv8_newer.stav: V8, up to date\n");
    row("check, unreadable", { "--check", "absent.stav", "no_version.stav", "notes.txt" }, 1,
        "absent.stav: cannot read (no such file)\nno_version.stav: no DocumentVersion\n"
        "notes.txt: not a stav file\n");
    row("stdout", { "--stdout", "v3_crlf.stav" }, 0, "@v3_crlf.expected");
    row("stdout, current", { "--stdout", "v7_current.stav" }, 0, "@v7_current.stav");
    // The only version line lies in a removed array: refused as in place, nothing printed.
    row("stdout, result would not read as V7", { "--stdout", "stray_version.stav" }, 1, "",
        "would not read as V7");
    row("help", { "--help" }, 0, "~--check");
    row("version", { "--version" }, 0, "~stav-migrate 1.0.0");
    row("no file", {}, 2, "", "stav-migrate: ");
    row("unknown option", { "--frobnicate", "a.stav" }, 2, "", "stav-migrate: ");
    row("stdout with two files", { "--stdout", "a.stav", "b.stav" }, 2, "", "stav-migrate: ");
    row("check and stdout", { "--check", "--stdout", "a.stav" }, 2, "", "stav-migrate: ");
    row("stdout, write error", { "--stdout", "v3_setup.stav" }, 1, ">/dev/full",
        "v3_setup.stav: cannot write to standard output");
}

void TestStavMigrate::invocation()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, errPart);
    const QStringList before = files();
    QProcess process;
    process.setWorkingDirectory(m_dir->path());
    if (out.startsWith('>')) {
        if (!QFileInfo::exists(QString::fromLatin1(out.mid(1))))
            QSKIP("no such device on this system");
        process.setStandardOutputFile(QString::fromLatin1(out.mid(1)));
    }
    process.start(QStringLiteral(STAV_MIGRATE_PATH), arguments);
    QVERIFY(process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    const QByteArray output = process.readAllStandardOutput();
    if (out.startsWith('@'))
        QCOMPARE(output, readBytes(dataPath(QString::fromLatin1(out.mid(1)))));
    else if (out.startsWith('~'))
        QVERIFY2(output.contains(out.mid(1)), output.constData());
    else
        QCOMPARE(output, out.startsWith('>') ? QByteArray() : out);
    const QByteArray errors = process.readAllStandardError();
    QVERIFY2(errors.contains(errPart), errors.constData());

    // Only a run without options writes, and only the files it names that can be converted.
    const bool migrates
        = !arguments.isEmpty() && !arguments.first().startsWith(QLatin1String("--"));
    for (const QString &sample : Samples) {
        const QString expected = dataPath(sample + QStringLiteral(".expected"));
        const bool converted = migrates && arguments.contains(sample + QStringLiteral(".stav"))
            && QFile::exists(expected);
        QCOMPARE(readBytes(m_dir->filePath(sample + QStringLiteral(".stav"))),
                 readBytes(converted ? expected : dataPath(sample + QStringLiteral(".stav"))));
    }
    if (!migrates) // no backup either
        QCOMPARE(files(), before);
}

QTEST_GUILESS_MAIN(TestStavMigrate)
#include "tst_stavmigrate.moc"
