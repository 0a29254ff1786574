#include "hthemeplugin.h"
#include "quickscreen.h"
#include "sizemanager.h"
#include "texttranslator.h"
#include "themeplugin.h"

#include <QCoreApplication>
#include <QQmlEngine>
#include <QtTest>

// Before any application object exists the objects keep their initial values and make no
// screen, font or application calls.
class TestWithoutApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialValues();
};

void TestWithoutApplication::initialValues()
{
    SizeManager sizes(nullptr, 1.0);
    QCOMPARE(sizes.dpi(), 94.3);
    QVERIFY(!sizes.screenSize().isValid());
    QCOMPARE(sizes.defaultFontPixelSize(), -1);
    sizes.setDefaultFontPixelSize(12);
    sizes.setScreenSize(QSize(320, 240)); // without a screen the argument is the size
    QCOMPARE(sizes.pctW(), 3.0);

    QuickScreen *screen = QuickScreen::instance();
    QCOMPARE(int(screen->allowedOrientations()), 3);
    QCOMPARE(QSize(screen->width(), screen->height()), QSize(1280, 800));
    QVERIFY(!screen->isPortrait() && screen->isDisplayLandscape());
    QCOMPARE(screen->rotation(), 0);
    QCOMPARE(screen->dpi(), 0.0);
    QCOMPARE(screen->displayCategory(), QuickScreen::Small);
    QVERIFY(QMetaObject::invokeMethod(screen, "_q_updateOrientationAngle"));
    screen->setOrientation(QuickScreen::Portrait);
    QCOMPARE(screen->rotationDirection(), QuickScreen::Clockwise);
    QCOMPARE(QSize(screen->width(), screen->height()), QSize(800, 1280));
    QCOMPARE(screen->rotation(), 270);
    QCOMPARE(screen->orientationString(), QStringLiteral("Portrait"));

    TextTranslator translator;
    translator.setLanguage("German");
    QCOMPARE(translator.translate("ThemePage", "Pass"), QStringLiteral("Bestanden"));
    translator.setLanguage("English");
    HThemePlugin theme(nullptr);
    QCOMPARE(theme.getFontMgr()->value("Bold16").value<QFont>().pixelSize(), 16);
}

// Under a core application: a font needs the font database of a GUI application to be matched.
class TestWithCoreApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void themeSkipsTheFontFallbacks();
};

void TestWithCoreApplication::themeSkipsTheFontFallbacks()
{
    QQmlEngine engine;
    ThemePlugin theme(&engine);
    QCOMPARE(theme.getFontMgr()->value("MonospaceFont").value<QFont>().family(),
             QStringLiteral("monospace"));
    QCOMPARE(SizeManager(nullptr, 1.0).dpi(), 94.3);
    QCOMPARE(QuickScreen::instance()->dpi(), 0.0);
}

int main(int argc, char **argv)
{
    int failures = 0;
    {
        TestWithoutApplication test;
        failures += QTest::qExec(&test, argc, argv);
    }
    QCoreApplication app(argc, argv);
    TestWithCoreApplication test;
    return failures + QTest::qExec(&test, argc, argv);
}

#include "tst_noapp.moc"
