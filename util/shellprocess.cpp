#include "shellprocess.h"

#include <signal.h>
#include <unistd.h>

ShellProcess::ShellProcess(QObject *parent)
    : QProcess(parent)
{
}

ShellProcess::~ShellProcess() = default;

void ShellProcess::signalGroup(int signal)
{
    if (state() == QProcess::NotRunning)
        return;
    const pid_t pid = pid_t(processId());
    if (pid <= 0)
        return;
    ::kill(-pid, signal);
    // The child may not have made its group yet.
    ::kill(pid, signal);
}

void ShellProcess::setupChildProcess()
{
    // Runs in the child between fork and exec.
    ::setpgid(0, 0);
}
