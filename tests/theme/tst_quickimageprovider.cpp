#include "quickimageprovider.h"

#include <QtTest>

class TestQuickImageProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void served_data();
    void served();
    void foldersAndSizeArgument();

private:
    void writeImage(const QString &path, int side, const char *format = "PNG");
    static QSize servedSize(QQuickImageProvider *provider, const QString &id)
    {
        return provider->requestPixmap(id, nullptr, QSize(-1, -1)).size();
    }
    QTemporaryDir m_root;
    QString m_images; // laid out as the theme's folder below a base directory
};

// Distinct sizes tell which file was served.
void TestQuickImageProvider::writeImage(const QString &path, int side, const char *format)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path, format));
}

void TestQuickImageProvider::initTestCase()
{
    m_images = m_root.filePath(QStringLiteral("qml_4410/common/images/"));
    writeImage(m_images + "pass.png", 10);
    writeImage(m_images + "inverted_theme/pass.png", 11);
    writeImage(m_images + "only.png", 12);
    writeImage(m_images + "photo.jpg", 13, "JPG");
    writeImage(m_images + "pic.JPG.png", 14);
    writeImage(m_images + "pic.JPG", 15, "JPG");
    writeImage(m_root.filePath("secret.png"), 16);
    writeImage(m_root.filePath("inverted_theme_icons/a.png"), 17);
}

void TestQuickImageProvider::served_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("served"); // invalid: nothing, and the failure line for `tried`
    QTest::addColumn<QString>("tried");
    const QSize own(-1, -1);
    QTest::newRow("plain") << "pass" << own << QSize(10, 10) << "";
    QTest::newRow("inverted") << "inverted_theme/pass" << own << QSize(11, 11) << "";
    QTest::newRow("inverted fallback") << "inverted_theme/only" << own << QSize(12, 12) << "";
    QTest::newRow("jpg") << "photo.jpg" << own << QSize(13, 13) << "";
    QTest::newRow("upper-case JPG gets png") << "pic.JPG" << own << QSize(14, 14) << "";
    QTest::newRow("scaled") << "pass.png" << QSize(20, 30) << QSize(20, 30) << "";
    QTest::newRow("scaled to nothing") << "pass" << QSize(0, 20) << QSize() << "pass.png";
    QTest::newRow("missing inverted") << "inverted_theme/gone" << own << QSize() << "gone.png";
    QTest::newRow("inner segment")
        << "x/inverted_theme/only" << own << QSize() << "x/inverted_theme/only.png";
    QTest::newRow("inside") << "inverted_theme/../pass" << own << QSize(10, 10) << "";
    QTest::newRow("outside") << "../../../secret" << own << QSize() << "../../../secret.png";
    QTest::newRow("outside after fallback")
        << "inverted_theme/../../../secret" << own << QSize() << "../../../secret.png";
}

void TestQuickImageProvider::served()
{
    QFETCH(QString, id);
    QFETCH(QSize, requested);
    QFETCH(QSize, served);
    QFETCH(QString, tried);
    QuickImageProvider provider(m_images);
    if (!tried.isEmpty())
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable("Error: Failed to requestPixmap: " + m_images + tried));
    QSize size(-1, -1);
    QCOMPARE(provider.requestPixmap(id, &size, requested).size(),
             served.isValid() ? served : QSize(0, 0));
    QCOMPARE(size, served.isValid() ? served : QSize(-1, -1));
}

void TestQuickImageProvider::foldersAndSizeArgument()
{
    // A folder whose name starts like the inverted set keeps its name in the fallback.
    QuickImageProvider custom(m_root.filePath("inverted_theme_icons"));
    QCOMPARE(servedSize(&custom, "inverted_theme/a"), QSize(17, 17));

    // "" would be "/", from where an id reaches every file; a relative folder depends on the
    // working directory.
    const QString absoluteId = m_images.mid(1) + "pass";
    QTest::ignoreMessage(QtDebugMsg, "CriticalError: ImageProvider Path is not defined!!!");
    QuickImageProvider empty(QString {});
    QTest::ignoreMessage(QtDebugMsg,
                         qPrintable("Error: Failed to requestPixmap: /" + absoluteId + ".png"));
    QCOMPARE(servedSize(&empty, absoluteId), QSize(0, 0));
    QVERIFY(QDir::setCurrent(m_images));
    QuickImageProvider relative(QStringLiteral("."));
    QTest::ignoreMessage(QtDebugMsg, "Error: Failed to requestPixmap: ./pass.png");
    QCOMPARE(servedSize(&relative, "pass"), QSize(0, 0));

    // A size of 0 x 0 is left alone (servedSize() passes no size at all).
    QuickImageProvider provider(m_images);
    QSize zero(0, 0);
    QVERIFY(!provider.requestPixmap("pass", &zero, QSize(-1, -1)).isNull());
    QCOMPARE(zero, QSize(0, 0));
}

QTEST_MAIN(TestQuickImageProvider)
#include "tst_quickimageprovider.moc"
