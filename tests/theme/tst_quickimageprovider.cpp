#include "quickimageprovider.h"
#include "themeplugin.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QQmlEngine>
#include <QtTest>

namespace {

// Distinct sizes tell which file was served.
void writeImage(const QString &path, int side, const char *format = "PNG")
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path, format));
}

} // namespace

class TestQuickImageProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void served_data();
    void served();
    void onlyTheLeadingInvertedFolderFallsBack();
    void refusedFolders();
    void sizeArgument();
    void themeFolders();

private:
    QTemporaryDir m_root;
    QString m_images; // the theme's folder below the temporary base directory
};

void TestQuickImageProvider::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_images = m_root.filePath(QStringLiteral("qml_4410/common/images/"));
    writeImage(m_images + "pass.png", 10);
    writeImage(m_images + "inverted_theme/pass.png", 11);
    writeImage(m_images + "only.png", 12);
    writeImage(m_images + "photo.jpg", 13, "JPG");
    writeImage(m_images + "pic.JPG.png", 14);
    writeImage(m_images + "pic.JPG", 15, "JPG");
    writeImage(m_root.filePath("secret.png"), 16);
    writeImage(m_root.filePath("inverted_theme_icons/a.png"), 17);
    writeImage(m_root.filePath("second/a.png"), 18);
    qputenv("COMMON_BASE_DIR", m_root.path().toLocal8Bit());
}

void TestQuickImageProvider::served_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("served"); // empty: nothing, and the failure line for `tried`
    QTest::addColumn<QString>("tried");
    const QSize own(-1, -1);
    QTest::newRow("plain") << "pass" << own << QSize(10, 10) << "";
    QTest::newRow("inverted") << "inverted_theme/pass" << own << QSize(11, 11) << "";
    QTest::newRow("inverted fallback") << "inverted_theme/only" << own << QSize(12, 12) << "";
    QTest::newRow("png") << "pass.png" << own << QSize(10, 10) << "";
    QTest::newRow("jpg") << "photo.jpg" << own << QSize(13, 13) << "";
    QTest::newRow("upper-case JPG gets png") << "pic.JPG" << own << QSize(14, 14) << "";
    QTest::newRow("scaled") << "pass" << QSize(20, 30) << QSize(20, 30) << "";
    QTest::newRow("scaled to nothing") << "pass" << QSize(0, 20) << QSize() << "pass.png";
    QTest::newRow("missing") << "missing" << own << QSize() << "missing.png";
    QTest::newRow("missing inverted") << "inverted_theme/gone" << own << QSize() << "gone.png";
    QTest::newRow("inside") << "inverted_theme/../pass" << own << QSize(10, 10) << "";
    QTest::newRow("outside") << "../../../secret" << own << QSize() << "../../../secret.png";
    QTest::newRow("outside inverted")
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
    const QPixmap pixmap = provider.requestPixmap(id, &size, requested);
    QCOMPARE(pixmap.size(), served.isValid() ? served : QSize(0, 0));
    QCOMPARE(size, served.isValid() ? served : QSize(-1, -1));
}

void TestQuickImageProvider::onlyTheLeadingInvertedFolderFallsBack()
{
    // A folder whose name starts like the inverted set keeps its name.
    QuickImageProvider custom(m_root.filePath("inverted_theme_icons"));
    QSize size;
    QCOMPARE(custom.requestPixmap("inverted_theme/a", &size, QSize(-1, -1)).size(), QSize(17, 17));
    QuickImageProvider theme(m_images);
    QTest::ignoreMessage(
        QtDebugMsg,
        qPrintable("Error: Failed to requestPixmap: " + m_images + "sub/inverted_theme/only.png"));
    QVERIFY(theme.requestPixmap("sub/inverted_theme/only", &size, QSize(-1, -1)).isNull());
}

void TestQuickImageProvider::refusedFolders()
{
    // "" would be "/", from where an id reaches every file.
    const QString absoluteId = m_images.mid(1) + "pass";
    QTest::ignoreMessage(QtDebugMsg, "CriticalError: ImageProvider Path is not defined!!!");
    QuickImageProvider empty(QString {});
    QTest::ignoreMessage(QtDebugMsg,
                         qPrintable("Error: Failed to requestPixmap: /" + absoluteId + ".png"));
    QSize size;
    QVERIFY(empty.requestPixmap(absoluteId, &size, QSize(-1, -1)).isNull());

    QVERIFY(QDir::setCurrent(m_root.path()));
    QuickImageProvider relative(QStringLiteral("qml_4410/common/images"));
    QTest::ignoreMessage(QtDebugMsg,
                         "Error: Failed to requestPixmap: qml_4410/common/images/pass.png");
    QVERIFY(relative.requestPixmap("pass", &size, QSize(-1, -1)).isNull());
}

void TestQuickImageProvider::sizeArgument()
{
    QuickImageProvider provider(m_images);
    QVERIFY(!provider.requestPixmap("pass", nullptr, QSize(-1, -1)).isNull());
    QSize zero(0, 0);
    QVERIFY(!provider.requestPixmap("pass", &zero, QSize(-1, -1)).isNull());
    QCOMPARE(zero, QSize(0, 0));
}

void TestQuickImageProvider::themeFolders()
{
    // The theme's provider serves the base directory's images; a custom folder replaces the
    // previous one.
    QQmlEngine engine;
    ThemePlugin theme(&engine);
    auto served = [&engine](const char *provider, const char *id) {
        QSize size;
        auto *images = static_cast<QQuickImageProvider *>(engine.imageProvider(provider));
        return images->requestPixmap(id, &size, QSize(-1, -1)).size();
    };
    QCOMPARE(served("theme", "inverted_theme/only"), QSize(12, 12));
    theme.addCustImageProvider(m_root.filePath("inverted_theme_icons"));
    QCOMPARE(served("cust_theme", "a"), QSize(17, 17));
    theme.addCustImageProvider(m_root.filePath("second"));
    QCOMPARE(served("cust_theme", "inverted_theme/a"), QSize(18, 18));
}

QTEST_MAIN(TestQuickImageProvider)
#include "tst_quickimageprovider.moc"
