#ifndef STAVFILE_H
#define STAVFILE_H

#include <QByteArray>
#include <QString>

// Whole-file input and output of setup files, byte for byte.
class StavFile
{
public:
    // Setup files are a few kilobytes; anything far larger is not one and would only exhaust
    // the instrument's memory.
    static constexpr qint64 MaxSize = 16 * 1024 * 1024;

    // Reads a regular file of at most MaxSize bytes; false and `error` set otherwise.
    static bool read(const QString &path, QByteArray *bytes, QString *error);
    // Writes to a temporary file beside `path` and replaces `path` with it only after the
    // complete write succeeded, so a failure leaves the old file as it was.
    static bool write(const QString &path, const QByteArray &bytes, QString *error);
};

#endif // STAVFILE_H
