#include "quickimageprovider.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QtDebug>

namespace {

const QLatin1String invertedSegment("inverted_theme/");
const QLatin1String pngSuffix(".png");
const QLatin1String jpgSuffix(".jpg");

} // namespace

QuickImageProvider::QuickImageProvider(const QString &path)
    : QQuickImageProvider(QQmlImageProviderBase::Pixmap)
    , m_basePath(path)
{
    if (m_basePath.isEmpty())
        qDebug() << "CriticalError: ImageProvider Path is not defined!!!";
    if (!m_basePath.endsWith(QDir::separator()))
        m_basePath += QDir::separator();
    if (usableFolder(path)) {
        m_servedPrefix = QDir::cleanPath(path);
        if (!m_servedPrefix.endsWith(QLatin1Char('/')))
            m_servedPrefix += QLatin1Char('/');
    }
}

bool QuickImageProvider::usableFolder(const QString &path)
{
    // An empty folder would serve the whole file system from "/", a relative one whatever the
    // working directory happens to be.
    return !path.isEmpty() && QDir::isAbsolutePath(path);
}

bool QuickImageProvider::inside(const QString &path) const
{
    // Empty for a refused folder: then nothing is inside.
    return !m_servedPrefix.isEmpty() && QDir::cleanPath(path).startsWith(m_servedPrefix);
}

QPixmap QuickImageProvider::requestPixmap(const QString &id, QSize *size,
                                          const QSize &requestedSize)
{
    const bool hasSuffix = id.endsWith(jpgSuffix) || id.endsWith(pngSuffix);
    const QString file = hasSuffix ? id : id + pngSuffix;
    QString path = m_basePath + file;
    // Only the leading sub-folder of the inverted theme falls back: a custom folder whose own
    // name contains that text stays as it is.
    if (!QFile::exists(path) && file.startsWith(invertedSegment))
        path = m_basePath + file.mid(invertedSegment.size());

    QPixmap pixmap;
    if (inside(path)) {
        const QImage image(path);
        if (!image.isNull()) {
            pixmap = QPixmap::fromImage(image);
            if (requestedSize.width() >= 0 && requestedSize.height() >= 0
                && requestedSize != pixmap.size())
                pixmap
                    = pixmap.scaled(requestedSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
    }

    if (pixmap.isNull()) {
        qDebug().noquote() << "Error: Failed to requestPixmap:" << path;
        return pixmap;
    }
    if (size && !(size->width() == 0 && size->height() == 0))
        *size = pixmap.size();
    return pixmap;
}
