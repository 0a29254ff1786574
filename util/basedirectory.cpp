#include "basedirectory.h"

#include <QDir>

namespace BaseDirectory {

QString path()
{
    QString dir = qEnvironmentVariable("COMMON_BASE_DIR");
    if (dir.isEmpty())
        dir = QStringLiteral(COMMON_DEFAULT_BASE_DIR);
    // Image providers refuse relative folders: resolve a relative override here.
    dir = QDir::cleanPath(QDir::current().absoluteFilePath(dir));
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString filePath(const QString &relative)
{
    return path() + relative;
}

} // namespace BaseDirectory
