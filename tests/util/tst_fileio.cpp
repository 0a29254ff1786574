#include "fileio.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <climits>
#include <fcntl.h>
#include <memory>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestFileIO : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void linesOfAFile_data();
    void linesOfAFile();
    void emptyLines();
    void missingFileAndSource();
    void koreanRoundTrip();
    void failedWriteKeepsOldContent();
    void devicesAreWrittenInPlace();
    void findLastFileByTime();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void put(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray bytes(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileIO::linesOfAFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("final LF") << QByteArray("a\nb\nc\n");
    QTest::newRow("no final LF") << QByteArray("a\nb\nc");
    QTest::newRow("CRLF") << QByteArray("a\r\nb\r\nc\r\n");
}

void TestFileIO::linesOfAFile()
{
    QFETCH(QByteArray, content);
    put("lines.txt", content);
    FileIO io;
    io.setSource(path("lines.txt"));
    QTest::ignoreMessage(QtDebugMsg, "9 a\\r\\nb\\r\\nc\\r\\n");
    QCOMPARE(io.read(), QString("a\r\nb\r\nc\r\n"));
    QCOMPARE(io.read(1, 5), QString("b / c"));
    QCOMPARE(io.read(0, 1), QString("a"));
    QCOMPARE(io.read(0, 0), QString());
    QCOMPARE(io.read(-1, 2), QString("a"));
    QCOMPARE(io.read(2, INT_MAX), QString("c")); // the window's end would overflow an int
    QCOMPARE(io.read(INT_MAX, INT_MAX), QString());
    QCOMPARE(io.readLastLines(2), QString("b\r\nc"));
    QCOMPARE(io.readLastLines(10), QString("a\r\nb\r\nc"));
    QCOMPARE(io.readLastLines(0), QString());
    QCOMPARE(io.fileSize(), qlonglong(content.size()));
}

void TestFileIO::emptyLines()
{
    FileIO io;
    io.setSource(path("empty.txt"));
    put("empty.txt", "");
    QTest::ignoreMessage(QtDebugMsg, "0 ");
    QCOMPARE(io.read(), QString());
    QCOMPARE(io.read(0, 5), QString());
    QCOMPARE(io.readLastLines(3), QString());

    put("empty.txt", "a\n\nb\n\n");
    QCOMPARE(io.read(1, 1), QString()); // not the bare separator
    QCOMPARE(io.read(0, 9), QString("a /  / b / "));
    QCOMPARE(io.readLastLines(3), QString("\r\nb\r\n"));

    // A long content is logged as its length and a short prefix.
    put("empty.txt", QByteArray(100, 'x'));
    QTest::ignoreMessage(QtDebugMsg, qPrintable("102 " + QString(40, 'x') + "..."));
    QCOMPARE(io.read().size(), 102);
}

void TestFileIO::missingFileAndSource()
{
    FileIO io;
    QSignalSpy errors(&io, &FileIO::error);
    QSignalSpy sources(&io, &FileIO::sourceChanged);
    QCOMPARE(io.read(), QString());
    QCOMPARE(io.read(0, 1), QString());
    QCOMPARE(io.readLastLines(1), QString());
    QCOMPARE(io.fileSize(), -1LL);
    QVERIFY(!io.write("x"));
    io.setSource(path("missing.txt"));
    io.setSource(path("missing.txt"));
    QCOMPARE(sources.count(), 2);
    QCOMPARE(io.read(), QString());
    QCOMPARE(io.read(0, 1), QString());
    QCOMPARE(io.readLastLines(1), QString());
    QCOMPARE(io.fileSize(), -1LL);
    QVERIFY(!io.fileExists(path("missing.txt")));
    const QString unable = "FileIO: Unable to open the file " + path("missing.txt");
    QCOMPARE(QList<QVariantList>(errors),
             (QList<QVariantList> { { "FileIOsource is empty in file " },
                                    { "FileIO: Source is empty in file " },
                                    { "FileIO: Source is empty in file " },
                                    { unable },
                                    { unable },
                                    { unable } }));

    // No folder to write in: false, and no signal.
    io.setSource(path("no/such/folder.txt"));
    QVERIFY(!io.write("x"));
    QCOMPARE(errors.count(), 6);
}

void TestFileIO::koreanRoundTrip()
{
    // A Latin-1 locale must not change the file's encoding.
    QTextCodec *const localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    const QString text = QString::fromUtf8("측정 시작\n주파수 433.92 MHz\n");
    FileIO io;
    io.setSource(path("ko.txt"));
    const bool written = io.write(text);
    const QString last = io.readLastLines(1);
    QTextCodec::setCodecForLocale(localeCodec);
    QVERIFY(written);
    QCOMPARE(bytes("ko.txt"), text.toUtf8());
    QCOMPARE(last, QString::fromUtf8("주파수 433.92 MHz"));
    QVERIFY(io.fileExists(path("ko.txt")));
}

// Each failing write leaves the old file as it was and no temporary file behind.
void TestFileIO::failedWriteKeepsOldContent()
{
    FileIO io;
    io.setSource(path("keep.txt"));
    QVERIFY(io.write("old\n"));
    QVERIFY(io.write("older content\n")); // a complete write replaces the file
    QCOMPARE(bytes("keep.txt"), QByteArray("older content\n"));

    rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 4096;
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &low), 0);
    const bool small = io.write("short\n");
    const bool large = io.write(QString(10000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    QVERIFY(small);
    QVERIFY(!large);
    QCOMPARE(bytes("keep.txt"), QByteArray("short\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList("keep.txt"));
}

void TestFileIO::devicesAreWrittenInPlace()
{
    QVERIFY(QFile::link("/dev/full", path("full")));
    FileIO io;
    for (const QString &full : { QString("/dev/full"), path("full") }) {
        io.setSource(full);
        QVERIFY(!io.write("no space"));
    }
    QVERIFY(QFileInfo(path("full")).isSymLink());

    const QByteArray fifo = QFile::encodeName(path("fifo"));
    QCOMPARE(mkfifo(fifo, 0600), 0);
    io.setSource(path("fifo"));
    QVERIFY(!io.write("nobody reads")); // refused at once rather than blocking
    const int reader = open(fifo, O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    QVERIFY(io.write(QString::fromUtf8("측정\n")));
    char buffer[32] = {};
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    close(reader);
    QCOMPARE(QByteArray(buffer, int(got)), QString::fromUtf8("측정\n").toUtf8());
    struct stat info;
    QVERIFY(stat(fifo, &info) == 0 && S_ISFIFO(info.st_mode));
}

void TestFileIO::findLastFileByTime()
{
    QVERIFY(QDir(m_dir->path()).mkdir("logs"));
    QVERIFY(QDir(m_dir->path()).mkpath("dirs/only"));
    const QDateTime now = QDateTime::currentDateTime();
    const int ages[] = { 30, 10, 20 }; // seconds old
    for (int i = 0; i < 3; ++i) {
        const QString name = QString("logs/%1.log").arg(i);
        put(name, "x");
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(now.addSecs(-ages[i]), QFileDevice::FileModificationTime));
    }
    FileIO io;
    QCOMPARE(io.findLastFile(path("logs")), QString("1.log"));
    QVERIFY(io.findLastFile(path("dirs")).isNull());
    QVERIFY(io.findLastFile(path("missing")).isNull());
}

QTEST_GUILESS_MAIN(TestFileIO)
#include "tst_fileio.moc"
