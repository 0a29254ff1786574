#include "stavlog.h"

void StavLog::write() const
{
    for (const QString &record : m_records)
        qWarning().noquote() << record;
}
