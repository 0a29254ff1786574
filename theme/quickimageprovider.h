#pragma once

#include <QQuickImageProvider>
#include <QString>

// Serves image files below a base folder to QML ("image://<id>/<file>"). An id without a ".png"
// or ".jpg" ending means a PNG file; an image missing from the inverted theme's sub-folder is
// taken from the normal set. Only absolute base folders serve anything, and no id reaches
// outside the base folder.
class QuickImageProvider : public QQuickImageProvider
{
public:
    explicit QuickImageProvider(const QString &path);

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;

    QString basePath() const { return m_basePath; }
    static bool usableFolder(const QString &path);

private:
    bool inside(const QString &path) const;

    QString m_basePath;
    QString m_servedPrefix; // the cleaned folder with a trailing "/"; empty when refused
};
