#include "process.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QStringList logged;
void capture(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    logged.append(QString::number(type) + ' ' + text);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// True once the process has ended (a zombie waits for a reaper and counts as ended).
bool processGone(const QString &pidFile)
{
    const QByteArray pid = contentOf(pidFile).trimmed();
    const QByteArray stat = contentOf("/proc/" + pid + "/stat"); // "pid (name) state ..."
    return !pid.isEmpty() && (stat == "<missing>" || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z");
}

} // namespace

class TestProcess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void start();
    void commandsWithNulAreRefused();
    void unsetVariableAndLatin1();
    void runReportsExitCodeAndOutput();
    void runUsesProgramAndEnvironment();
    void stopEndsTheWholeCommand();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

// start() blocks until the command is done, logs how the shell ended, and ignores the
// environment and program set for run().
void TestProcess::start()
{
    Process process;
    QTest::ignoreMessage(QtWarningMsg, "Program returned normally, exit code 3");
    QCOMPARE(process.start("exit 3"), QString(""));
    QTest::ignoreMessage(QtWarningMsg, "Program exited abnormaly");
    process.start("kill -9 $$");

    process.insertEnv("UTIL_PROBE", "inserted");
    process.setProgram("/bin/false");
    QTest::ignoreMessage(QtWarningMsg, "Program returned normally, exit code 0");
    process.start("sleep 0.2; printf %s \"${UTIL_PROBE-unset}\" > '" + path("out") + "'");
    QCOMPARE(contentOf(path("out")), QByteArray("unset"));

    QElapsedTimer timer; // never started: stop() has nothing to wait for
    timer.start();
    process.stop();
    QVERIFY(timer.elapsed() < 5000);
}

// Refused with a warning that does not show the command, and nothing of it runs.
void TestProcess::commandsWithNulAreRefused()
{
    const QString command = "touch '" + path("cut") + QChar(0) + "'; touch '" + path("rest") + "'";
    Process process;
    QSignalSpy finished(&process, &Process::finished);
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    process.start(command);
    const bool started = process.run(command);
    qInstallMessageHandler(previous);
    QVERIFY(!started);
    const QString refusal
        = QString::number(QtWarningMsg) + " Process: command refused, it contains a NUL character";
    QCOMPARE(logged, QStringList({ refusal, refusal }));
    QTest::qWait(100);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

void TestProcess::unsetVariableAndLatin1()
{
    Process process;
    QCOMPARE(process.getEnvValue("UTIL_UNSET_VARIABLE"), QString(""));
    QCOMPARE(process.convertToLatin1(QString::fromUtf8("caf\u00e9 \uc815")),
             QString::fromUtf8("caf\u00e9 ?"));
    QCOMPARE(process.convertToLatin1(QString("ab") + QChar(0) + "cd"), QString("ab"));
}

// finished() comes once per accepted run(), always after run() returned.
void TestProcess::runReportsExitCodeAndOutput()
{
    Process process;
    QSignalSpy finished(&process, &Process::finished);
    QVERIFY(process.run(QString::fromUtf8("printf '\uce21\uc815\\n'; printf err >&2; exit 4")));
    QVERIFY(process.isRunning());
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait());
    QCOMPARE(finished.takeFirst(), QVariantList({ 4, QString::fromUtf8("\uce21\uc815\nerr") }));
    QVERIFY(!process.isRunning());

    // Out of file descriptors, QProcess fails inside start().
    rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit none = saved;
    none.rlim_cur = rlim_t(dup(0)); // the lowest free descriptor
    close(int(none.rlim_cur));
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &none), 0);
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("Cannot create pipe"));
    const bool started = process.run("true");
    setrlimit(RLIMIT_NOFILE, &saved);
    QVERIFY(started);
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait());
    QCOMPARE(finished.takeFirst(), QVariantList({ -1, QString() }));
}

void TestProcess::runUsesProgramAndEnvironment()
{
    QFile shell(path("shell"));
    QVERIFY(shell.open(QIODevice::WriteOnly)
            && shell.write("#!/bin/sh\nprintf 'via shell:'\nexec /bin/sh \"$@\"\n") > 0);
    shell.close();
    QVERIFY(shell.setPermissions(QFile::ReadOwner | QFile::ExeOwner));

    Process process;
    QSignalSpy finished(&process, &Process::finished);
    process.setProgram(path("shell"));
    process.insertEnv("UTIL_PROBE", "after setProgram");
    QVERIFY(process.run("printf %s \"$UTIL_PROBE\""));
    QVERIFY(finished.wait());
    QCOMPARE(finished.takeFirst(), QVariantList({ 0, QString("via shell:after setProgram") }));
}

// stop() reaches the commands the shell started, and so does the object's end.
void TestProcess::stopEndsTheWholeCommand()
{
    auto *process = new Process;
    QSignalSpy finished(process, &Process::finished);
    const QString pidFile = path("pid");
    // Stopping only the shell would leave the command it waits for running.
    const QString command = "sleep 30 & echo $! > '" + pidFile + "'; wait";
    QVERIFY(process->run(command));
    QTRY_VERIFY(QFile(pidFile).size() > 0);
    QTest::ignoreMessage(QtWarningMsg, "Process: a command is still running");
    QVERIFY(!process->run("true"));
    process->stop();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.takeFirst().constFirst(), QVariant(-1));
    QVERIFY(!process->isRunning());
    QTRY_VERIFY(processGone(pidFile));

    QFile::remove(pidFile);
    QVERIFY(process->run(command));
    QTRY_VERIFY(QFile(pidFile).size() > 0);
    delete process;
    QTRY_VERIFY(processGone(pidFile));
    QCOMPARE(finished.count(), 0);
}

QTEST_GUILESS_MAIN(TestProcess)
#include "tst_process.moc"
