#ifndef STAVLOG_H
#define STAVLOG_H

#include <QDebug>
#include <QStringList>

// Warning records of the setup migration, held until the caller writes them: the steps run in
// one pass, but their records must read as if the steps had run one after the other, and a step
// after a failing one leaves none. Each record reads as the Qt log shows it: the parts joined by
// blanks, byte strings and paths quoted.
class StavLog
{
public:
    template<typename... Parts> void add(const Parts &...parts)
    {
        QString record;
        {
            QDebug stream(&record);
            (stream << ... << parts);
        }
        // As the log itself does: the blank after the last part goes.
        if (record.endsWith(QLatin1Char(' ')))
            record.chop(1);
        m_records.append(record);
    }
    void append(const StavLog &other) { m_records += other.m_records; }
    const QStringList &records() const { return m_records; }

    // As warnings of the default category, in order.
    void write() const;

private:
    QStringList m_records;
};

#endif // STAVLOG_H
