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
#include <sys/sysmacros.h>
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
    void lines_data();
    void lines();
    void missingFileAndSource();
    void koreanRoundTrip();
    void failedWriteKeepsOldContent();
    void devicesAreWrittenInPlace();
    void findLastFileByTime();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray bytes(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileIO::lines_data()
{
    QTest::addColumn<QByteArray>("content");
    // read(), read(1, 5), read(1, 1), readLastLines(2), readLastLines(10)
    QTest::addColumn<QStringList>("expected");
    const QStringList abc = { "a\r\nb\r\nc\r\n", "b / c", "b", "b\r\nc", "a\r\nb\r\nc" };
    QTest::newRow("final LF") << QByteArray("a\nb\nc\n") << abc;
    QTest::newRow("no final LF") << QByteArray("a\nb\nc") << abc;
    QTest::newRow("CRLF") << QByteArray("a\r\nb\r\nc\r\n") << abc;
    QTest::newRow("empty") << QByteArray() << QStringList { "", "", "", "", "" };
    QTest::newRow("blank lines") << QByteArray("a\n\nb\n\n")
                                 << QStringList { "a\r\n\r\nb\r\n\r\n", " / b / ", "", "b\r\n",
                                                  "a\r\n\r\nb\r\n" };
}

void TestFileIO::lines()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    QFile file(path("lines"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    FileIO io;
    io.setSource(file.fileName());
    QCOMPARE(QStringList({ io.read(), io.read(1, 5), io.read(1, 1), io.readLastLines(2),
                           io.readLastLines(10) }),
             expected);
    QCOMPARE(io.read(1, INT_MAX), expected.at(1)); // the window's end is past INT_MAX
    QCOMPARE(io.read(0, 0) + io.read(INT_MAX, INT_MAX) + io.readLastLines(0), QString());
    QCOMPARE(io.fileSize(), qlonglong(content.size()));

    // Past 4 GiB (sparse: no disk space used): a size in 32 bits, as long and size_t are on
    // the instrument, would wrap around to a few bytes.
    const qint64 huge = (qint64(1) << 32) + content.size();
    QVERIFY(file.resize(huge));
    QCOMPARE(io.fileSize(), huge);
}

void TestFileIO::missingFileAndSource()
{
    FileIO io;
    QSignalSpy errors(&io, &FileIO::error);
    QSignalSpy sources(&io, &FileIO::sourceChanged);
    // A braced list calls them in order.
    QCOMPARE(QStringList({ io.read(), io.read(0, 1), io.readLastLines(1) }).join(""), QString());
    QCOMPARE(io.fileSize(), -1LL);
    QVERIFY(!io.write("x"));
    io.setSource(path("missing"));
    io.setSource(path("missing"));
    QCOMPARE(sources.count(), 2);
    QCOMPARE(QStringList({ io.read(), io.read(0, 1), io.readLastLines(1) }).join(""), QString());
    QCOMPARE(io.fileSize(), -1LL);
    QVERIFY(!io.fileExists(path("missing")));
    const QString unable = "FileIO: Unable to open the file " + path("missing");
    QCOMPARE(QList<QVariantList>(errors),
             (QList<QVariantList> { { "FileIOsource is empty in file " },
                                    { "FileIO: Source is empty in file " },
                                    { "FileIO: Source is empty in file " },
                                    { unable },
                                    { unable },
                                    { unable } }));
    io.setSource(path("no/folder"));
    QVERIFY(!io.write("x")); // and no signal
    QCOMPARE(errors.count(), 6);
}

void TestFileIO::koreanRoundTrip()
{
    // A Latin-1 locale must not change the file's encoding.
    QTextCodec *const localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    const QString text = QString::fromUtf8("측정 시작\n주파수 433.92 MHz\n");
    FileIO io;
    io.setSource(path("ko"));
    const bool written = io.write(text);
    const QString read = io.read();
    QTextCodec::setCodecForLocale(localeCodec);
    QVERIFY(written);
    QCOMPARE(bytes("ko"), text.toUtf8());
    QCOMPARE(read, QString(text).replace("\n", "\r\n"));
}

// Each failing write leaves the old file as it was and no temporary file behind.
void TestFileIO::failedWriteKeepsOldContent()
{
    FileIO io;
    io.setSource(path("keep"));
    QVERIFY(io.write("older content\n"));
    rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 4096;
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &low), 0);
    const bool small = io.write("short\n");
    const bool large = io.write(QString(10000, 'x')); // fails only in the final flush
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    QVERIFY(small && !large);
    QCOMPARE(bytes("keep"), QByteArray("short\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList("keep"));

    // The log shows a long content's length and a short prefix only.
    QVERIFY(io.write(QString(100, 'x')));
    QTest::ignoreMessage(QtDebugMsg, qPrintable("102 " + QString(40, 'x') + "..."));
    io.read();
}

void TestFileIO::devicesAreWrittenInPlace()
{
    const QByteArray fifo = QFile::encodeName(path("fifo"));
    QCOMPARE(mkfifo(fifo, 0600), 0);
    FileIO io;
    io.setSource(path("fifo"));
    QVERIFY(!io.write("nobody reads")); // at once rather than blocking
    const int reader = open(fifo, O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    QVERIFY(io.write(QString::fromUtf8("측정\n")));
    char buffer[32] = {};
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    close(reader);
    QCOMPARE(QByteArray(buffer, int(got)), QString::fromUtf8("측정\n").toUtf8());
    struct stat info;
    QVERIFY(stat(fifo, &info) == 0 && S_ISFIFO(info.st_mode));

    // Root could replace the system's full device by mistake: it gets a node of its own, and
    // without one it leaves the system's alone.
    QByteArray full = "/dev/full";
    if (geteuid() == 0) {
        full = QFile::encodeName(path("full"));
        if (mknod(full, S_IFCHR | 0600, makedev(1, 7)) != 0)
            QSKIP("running as root without a device node of its own");
    }
    io.setSource(QFile::decodeName(full));
    QVERIFY(!io.write("no space"));
    QVERIFY(stat(full, &info) == 0 && S_ISCHR(info.st_mode));
}

void TestFileIO::findLastFileByTime()
{
    QVERIFY(QDir(m_dir->path()).mkpath("dirs/only"));
    const int ages[] = { 30, 10, 20 }; // seconds
    for (int i = 0; i < 3; ++i) {
        QFile file(path(QString("%1.log").arg(i)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ages[i]),
                                 QFileDevice::FileModificationTime));
    }
    FileIO io;
    QCOMPARE(io.findLastFile(m_dir->path()), QString("1.log"));
    QVERIFY(io.findLastFile(path("dirs")).isNull());
    QVERIFY(io.findLastFile(path("missing")).isNull());
}

QTEST_GUILESS_MAIN(TestFileIO)
#include "tst_fileio.moc"
