#ifndef LOGCAPTURE_H
#define LOGCAPTURE_H

#include <QStringList>
#include <QtGlobal>

// Collects the warning records written while it lives, as the converter's log shows them.
class LogCapture
{
public:
    LogCapture() { s_records.clear(), m_previous = qInstallMessageHandler(&LogCapture::handle); }
    ~LogCapture() { qInstallMessageHandler(m_previous); }

    QStringList records() const { return s_records; }
    // Records whose text starts with `prefix` (a function name, say).
    QStringList recordsStartingWith(const QString &prefix) const
    {
        QStringList result;
        for (const QString &record : s_records) {
            if (record.startsWith(prefix))
                result.append(record);
        }
        return result;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtWarningMsg)
            s_records.append(message);
    }

    static inline QStringList s_records;
    QtMessageHandler m_previous = nullptr;
};

#endif // LOGCAPTURE_H
