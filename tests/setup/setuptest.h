#ifndef SETUPTEST_H
#define SETUPTEST_H

#include <QFile>
#include <QStringList>

// The sample setup files beside the tests.
inline QString dataPath(const QString &name)
{
    return QStringLiteral(COMMON_TEST_DATA_DIR "/data/") + name;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Collects the warning records written while it lives, as the converter's log shows them.
class LogCapture
{
public:
    LogCapture() { s_records.clear(), m_previous = qInstallMessageHandler(&LogCapture::handle); }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    QStringList records() const { return s_records; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtWarningMsg)
            s_records.append(message);
    }

    static inline QStringList s_records;
    QtMessageHandler m_previous = nullptr;
};

#endif // SETUPTEST_H
