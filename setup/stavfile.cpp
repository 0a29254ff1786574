#include "stavfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool StavFile::read(const QString &path, QByteArray *bytes, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("no such file");
        return false;
    }
    // Devices and pipes could block or never end.
    if (!info.isFile()) {
        *error = QStringLiteral("not a regular file");
        return false;
    }
    if (info.size() > MaxSize) {
        *error = QStringLiteral("larger than %1 bytes").arg(MaxSize);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    // Exactly the file's size is allocated; the check below catches a file that grew.
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    if (bytes->size() > MaxSize) {
        *error = QStringLiteral("larger than %1 bytes").arg(MaxSize);
        bytes->clear();
        return false;
    }
    return true;
}

bool StavFile::write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: a short write shows in write()'s result here. With the buffer it would
    // surface only in the flush inside commit(), which commits the truncated file anyway.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        *error = QStringLiteral("wrote %1 of %2 bytes: %3")
                     .arg(qMax<qint64>(written, 0))
                     .arg(bytes.size())
                     .arg(file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
