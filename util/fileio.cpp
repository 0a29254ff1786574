#include "fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <QtDebug>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString lineSeparator = QStringLiteral(" / ");
const QString lineEnd = QStringLiteral("\r\n");
const char *const codec = "UTF-8";

// The start of a text for the log, on one line: a file's content does not belong in the log.
QString logPrefix(const QString &text)
{
    const int shown = 40;
    QString prefix = text.left(shown);
    prefix.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    prefix.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    if (text.size() > shown)
        prefix += QLatin1String("...");
    return prefix;
}

// Writes data, flushes the stream and the device and checks both: a write that fails only in the
// final flush must be seen here, not lost inside a later close() or commit().
bool writeText(QFileDevice &device, const QString &data)
{
    QTextStream out(&device);
    out.setCodec(codec);
    out << data;
    out.flush();
    return out.status() == QTextStream::Ok && device.flush()
        && device.error() == QFileDevice::NoError;
}

} // namespace

FileIO::FileIO(QObject *parent)
    : QObject(parent)
{
}

FileIO::~FileIO() = default;

QString FileIO::source() const
{
    return m_source;
}

void FileIO::setSource(const QString &source)
{
    m_source = source;
    emit sourceChanged(source);
}

bool FileIO::openSource(QFile &file, const QString &emptyMessage)
{
    if (m_source.isEmpty()) {
        emit error(emptyMessage + m_source);
        return false;
    }
    file.setFileName(m_source);
    if (!file.open(QIODevice::ReadOnly)) {
        emit error(QStringLiteral("FileIO: Unable to open the file ") + m_source);
        return false;
    }
    return true;
}

QString FileIO::read()
{
    QFile file;
    if (!openSource(file, QStringLiteral("FileIOsource is empty in file ")))
        return QString();
    QTextStream in(&file);
    in.setCodec(codec);
    QString result;
    QString line;
    while (in.readLineInto(&line)) {
        result += line;
        result += lineEnd;
    }
    file.close();
    qDebug().noquote() << result.size() << logPrefix(result);
    return result;
}

QString FileIO::read(int startLineNumber, int numberLines)
{
    QFile file;
    if (!openSource(file, QStringLiteral("FileIO: Source is empty in file ")))
        return QString();
    QTextStream in(&file);
    in.setCodec(codec);
    // 64-bit: the end of a window near INT_MAX must not wrap around.
    const qint64 end = qint64(startLineNumber) + numberLines;
    QString result;
    bool selected = false;
    QString line;
    for (qint64 number = 0; number < end && in.readLineInto(&line); ++number) {
        if (number >= startLineNumber) {
            result += line;
            result += lineSeparator;
            selected = true;
        }
    }
    // A single selected empty line is just the separator; it goes as well.
    if (selected)
        result.chop(lineSeparator.size());
    return result;
}

QString FileIO::readLastLines(int numLines)
{
    QFile file;
    if (!openSource(file, QStringLiteral("FileIO: Source is empty in file ")))
        return QString();
    if (numLines <= 0)
        return QString();
    QTextStream in(&file);
    in.setCodec(codec);
    // Only the last lines are kept while reading: a log file may be far larger than the window.
    QStringList last;
    QString line;
    while (in.readLineInto(&line)) {
        if (last.size() == numLines)
            last.removeFirst();
        last.append(line);
    }
    return last.join(lineEnd);
}

qlonglong FileIO::fileSize()
{
    if (m_source.isEmpty())
        return -1;
    const QFileInfo info(m_source);
    return info.exists() ? info.size() : -1;
}

bool FileIO::fileExists(const QString &filePath)
{
    return QFileInfo(filePath).exists();
}

QString FileIO::findLastFile(const QString &path)
{
    const QDir dir(path);
    if (!dir.exists())
        return QString();
    const QStringList names = dir.entryList(QDir::Files, QDir::Time);
    return names.isEmpty() ? QString() : names.constFirst();
}

bool FileIO::write(const QString &data)
{
    if (m_source.isEmpty())
        return false;
    const QFileInfo target(m_source);
    // A pipe or a device is the destination itself: a regular file put in its place would cut
    // its reader off.
    if (target.exists() && !target.isFile())
        return writeInPlace(data);
    return writeReplacing(data);
}

bool FileIO::writeReplacing(const QString &data)
{
    // The new content goes to a temporary file that replaces the old one only once it is
    // completely written.
    QSaveFile file(m_source);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    if (!writeText(file, data)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool FileIO::writeInPlace(const QString &data)
{
    // A pipe without a reader would block the interface in open(): fail then instead, and
    // write with ordinary blocking once it is open.
    const int fd
        = ::open(QFile::encodeName(m_source).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const int flags = ::fcntl(fd, F_GETFL);
    QFile file;
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0
        || !file.open(fd, QIODevice::WriteOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    const bool written = writeText(file, data);
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
