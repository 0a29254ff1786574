#include "hthemeplugin.h"
#include "quickscreen.h"
#include "sizemanager.h"
#include "texttranslator.h"
#include "themeplugin.h"

#include <QCoreApplication>
#include <QQmlEngine>
#include <QtTest>

// Before any application object exists: the objects keep their initial values and make no
// screen, font or application calls.
class TestWithoutApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizesKeepTheirInitialValues();
    void screenKeepsItsInitialValues();
    void translatorAndDisplayModeTheme();
};

void TestWithoutApplication::sizesKeepTheirInitialValues()
{
    SizeManager sizes(nullptr, 1.0);
    QCOMPARE(sizes.dpi(), 94.3);
    QVERIFY(!sizes.screenSize().isValid());
    QCOMPARE(sizes.screenWidth(), -1);
    QCOMPARE(sizes.defaultFontPixelSize(), -1);
    sizes.setDefaultFontPixelSize(12);
    QCOMPARE(sizes.defaultFontPixelSize(), 12);
    // Without a screen the argument is the size.
    sizes.setScreenSize(QSize(320, 240));
    QCOMPARE(sizes.screenSize(), QSize(320, 240));
    QCOMPARE(sizes.pctW(), 3.0);
}

void TestWithoutApplication::screenKeepsItsInitialValues()
{
    QuickScreen *screen = QuickScreen::instance();
    QCOMPARE(screen->currentOrientation(), QuickScreen::Landscape);
    QCOMPARE(int(screen->allowedOrientations()), 3);
    QCOMPARE(QSize(screen->platformWidth(), screen->platformHeight()), QSize(1280, 800));
    QVERIFY(!screen->isPortrait());
    QVERIFY(screen->isDisplayLandscape());
    QCOMPARE(screen->rotation(), 0);
    QCOMPARE(screen->dpi(), 0.0);
    QCOMPARE(screen->displayCategory(), QuickScreen::Small);
    QCOMPARE(screen->density(), QuickScreen::Low);
    QVERIFY(QMetaObject::invokeMethod(screen, "_q_updateOrientationAngle"));

    screen->setOrientation(QuickScreen::Portrait);
    QCOMPARE(screen->rotationDirection(), QuickScreen::Clockwise);
    QCOMPARE(QSize(screen->width(), screen->height()), QSize(800, 1280));
    QCOMPARE(screen->rotation(), 270);
    QCOMPARE(screen->orientationString(), QStringLiteral("Portrait"));
    screen->setOrientation(QuickScreen::Landscape);
}

void TestWithoutApplication::translatorAndDisplayModeTheme()
{
    TextTranslator translator;
    translator.setLanguage("German");
    QCOMPARE(translator.translate("ThemePage", "Pass"), QStringLiteral("Bestanden"));
    translator.setLanguage("English");

    HThemePlugin theme(nullptr);
    QCOMPARE(theme.getFontMgr()->value("Bold16").value<QFont>().pixelSize(), 16);
    theme.setDisplayMode(QStringLiteral("Indoor"));
    QCOMPARE(theme.getColorMgr()->value("Background").toString(), QStringLiteral("#000000"));
}

// Under a core application, as a tool or a test that hosts an engine without a GUI.
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
    QCOMPARE(theme.getFontMgr()->count(), 54);
    QCOMPARE(theme.getFontMgr()->value("MonospaceFont").value<QFont>().family(),
             QStringLiteral("monospace"));
    SizeManager sizes(nullptr, 1.0);
    QCOMPARE(sizes.dpi(), 94.3);
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
    failures += QTest::qExec(&test, argc, argv);
    return failures;
}

#include "tst_noapp.moc"
