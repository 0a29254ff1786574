#pragma once

#include <QProcess>

// A QProcess whose child leads a process group of its own, so that a signal reaches every
// command a shell started, not only the shell.
class ShellProcess : public QProcess
{
    Q_OBJECT
public:
    explicit ShellProcess(QObject *parent = nullptr);
    ~ShellProcess() override;

    // Sends the signal to the child's group and to the child itself; nothing when not running.
    void signalGroup(int signal);

protected:
    void setupChildProcess() override;
};
