#include "process.h"

#include <QtDebug>

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

namespace {

const QString defaultShell = QStringLiteral("/bin/sh");

// A NUL would end the command early on its way to the shell, which would then run a different
// command than the one given.
bool acceptable(const QString &command)
{
    if (!command.contains(QChar(0)))
        return true;
    qWarning("Process: command refused, it contains a NUL character");
    return false;
}

} // namespace

Process::Process(QObject *parent)
    : QObject(parent)
    , m_environment(QProcessEnvironment::systemEnvironment())
{
    connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this](int exitCode, QProcess::ExitStatus status) {
                finishRun(status == QProcess::NormalExit ? exitCode : -1);
            });
    // A shell that cannot start gets no finished() from QProcess. Queued, so that the page
    // hears of it after run() returned, as it would of a command that ran.
    connect(
        &m_process, &QProcess::errorOccurred, this,
        [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart && m_running)
                finishRun(-1);
        },
        Qt::QueuedConnection);
}

Process::~Process()
{
    // The process must not report to a half-destroyed object, nor outlive it with its children.
    m_process.disconnect(this);
    m_process.signalGroup(SIGKILL);
    m_process.waitForFinished();
}

bool Process::isRunning() const
{
    return m_running;
}

QString Process::start(const QString &cmdSting)
{
    if (!acceptable(cmdSting))
        return QString();
    const int status = ::system(cmdSting.toUtf8().constData());
    if (status != -1 && WIFEXITED(status))
        qWarning("Program returned normally, exit code %d", WEXITSTATUS(status));
    else
        qWarning("Program exited abnormaly");
    return QString();
}

void Process::stop()
{
    m_process.signalGroup(SIGTERM);
    m_process.waitForFinished(30000);
    m_process.signalGroup(SIGKILL);
}

void Process::insertEnv(const QString &name, const QString &value)
{
    m_environment.insert(name, value);
}

QString Process::getEnvValue(const QString &name)
{
    return m_environment.value(name);
}

void Process::setProgram(const QString &name)
{
    m_process.setProcessEnvironment(m_environment);
    m_process.setProgram(name);
}

QString Process::convertToLatin1(const QString &str)
{
    return QString::fromLatin1(str.toLatin1().constData());
}

bool Process::run(const QString &command)
{
    if (!acceptable(command))
        return false;
    if (m_running) {
        qWarning("Process: a command is still running");
        return false;
    }
    if (m_process.program().isEmpty())
        m_process.setProgram(defaultShell);
    m_process.setArguments({ QStringLiteral("-c"), command });
    m_process.setProcessEnvironment(m_environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_running = true;
    emit runningChanged();
    m_process.start(QIODevice::ReadOnly);
    return true;
}

void Process::finishRun(int exitCode)
{
    const QString output = QString::fromUtf8(m_process.readAll());
    m_running = false;
    emit runningChanged();
    emit finished(exitCode, output);
}
