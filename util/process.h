#pragma once

#include "shellprocess.h"

#include <QObject>
#include <QProcessEnvironment>
#include <QString>

// Shell commands for the pages. start() runs a command through the shell and blocks until it
// ends; run() starts one in the background and reports finished(). The environment and the
// program set here reach run(), never start().
class Process : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)
public:
    explicit Process(QObject *parent = nullptr);
    ~Process() override;

    bool isRunning() const;

public Q_SLOTS:
    // Blocks until the command ends, logs how it ended, returns an empty string.
    QString start(const QString &cmdSting);
    // Stops the command that run() started: SIGTERM, up to 30 s of waiting, then SIGKILL.
    void stop();
    void insertEnv(const QString &name, const QString &value);
    QString getEnvValue(const QString &name);
    void setProgram(const QString &name);
    QString convertToLatin1(const QString &str);

    // Starts `program -c command` (the program set by setProgram(), else /bin/sh) with the
    // environment of insertEnv() and returns at once; finished() follows exactly once. False,
    // with no finished(), when a command is still running or the command is refused.
    bool run(const QString &command);

Q_SIGNALS:
    void runningChanged();
    // exitCode is -1 when the command did not end normally (killed, stopped, no shell).
    void finished(int exitCode, const QString &output);

private:
    void finishRun(int exitCode);

    ShellProcess m_process;
    QProcessEnvironment m_environment;
    bool m_running = false;
};
