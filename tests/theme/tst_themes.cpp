#include "hthemeplugin.h"
#include "quickimageprovider.h"
#include "signallog.h"
#include "themeplugin.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtTest>

#include <memory>

class TestThemes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qualityColoursAndIcons();
    void invertedRewritesTheMapsInPlace();
    void fontMap();
    void mapsAreBuiltOnFirstUse();
    void customImageFolders();
    void engineMayGoFirst();
    void displayModes();
};

void TestThemes::qualityColoursAndIcons()
{
    QQmlEngine engine;
    ThemePlugin theme(&engine);
    using T = ThemePlugin;
    // Per row a location and type; per column a quality: pass, warning, both fails, none.
    const struct
    {
        T::Type type;
        T::Location location;
        const char *colours[5];
    } rows[] = {
        { T::Foreground, T::Chalkboard, { "#7AD068", "yellow", "#D06868", "#D06868", "white" } },
        { T::Backgroud, T::Chalkboard, { "green", "yellow", "red", "red", "#484848" } },
        { T::Foreground, T::TableCell, { "white", "black", "white", "white", "black" } },
        { T::Foreground,
          T::AlreadyQualityColored,
          { "white", "black", "white", "white", "transparent" } },
        { T::Backgroud, T::TableCell, { "green", "yellow", "red", "red", "transparent" } },
    };
    const int qualities[] = { 16, 32, 64, 128, 48 };
    for (const auto &row : rows) {
        for (int i = 0; i < 5; ++i)
            QCOMPARE(theme.getZebQualityColor(qualities[i], row.type, row.location),
                     QColor(row.colours[i]));
    }
    QCOMPARE(theme.getZebQualityColor(32), QColor("yellow"));
    theme.setInverted(true);
    QCOMPARE(QStringList({ theme.getZebQualityIconPath(16), theme.getZebQualityIconPath(32),
                           theme.getZebQualityIconPath(128), theme.getZebQualityIconPath(48) }),
             QStringList({ "image://theme/pass.png", "image://theme/warn.png",
                           "image://theme/fail.png", "" }));
}

void TestThemes::invertedRewritesTheMapsInPlace()
{
    QQmlEngine engine;
    ThemePlugin theme(&engine);
    DeferredPropertyMap *fonts = theme.getFontMgr();
    DeferredPropertyMap *colours = theme.getColorMgr();
    colours->ensureBuilt();
    SignalLog log(&theme);
    log.watch(colours);
    log.watch(fonts);
    theme.setInverted(false);
    theme.setInverted(true);
    QCOMPARE(log.take(),
             QStringList({ "imageProviderChanged()", "TableCellColorChanged()",
                           "TableCellAlterColorChanged()", "TableHeaderColorChanged()",
                           "TableGridColorChanged()", "DynamicLightFontColorChanged()",
                           "DynamicDarkFontColorChanged()", "invertedChanged()" }));
    // The QML test sees the new values through bindings, the custom folder's prefix included.
    QCOMPARE(theme.getFontMgr(), fonts);
    QCOMPARE(colours->value("TableGridColor"), QVariant(QColor("#565656")));
    QCOMPARE(theme.dirPrefix(), QStringLiteral("image://theme/"));
}

void TestThemes::fontMap()
{
    QQmlEngine engine;
    ThemePlugin theme(&engine);
    const DeferredPropertyMap *fonts = theme.getFontMgr();
    QCOMPARE(fonts->count(), 23 + 1 + 28 + 2);
    QCOMPARE(QGuiApplication::font().family(), QStringLiteral("Roboto"));
    auto is = [fonts](const char *key, const char *family, int pixels, int weight) {
        const QFont font = fonts->value(key).value<QFont>();
        return font.family() == QLatin1String(family) && font.pixelSize() == pixels
            && font.weight() == weight;
    };
    QVERIFY(is("HeaderFont", "Roboto", 14, QFont::Bold));
    QVERIFY(is("MaxCondensedBold", "Roboto Condensed", 100, QFont::Bold));
    QVERIFY(is("XSmallCondensed", "Roboto Condensed", 14, QFont().weight()));
    QCOMPARE(fonts->value("Small").value<QFont>().hintingPreference(), QFont::PreferFullHinting);
    // The monospace font is fixed-pitch unless the fallbacks ran out at "courier".
    const QFont mono = fonts->value("MonospaceFont").value<QFont>();
    QCOMPARE(mono.pixelSize(), 14);
    QVERIFY(QFontInfo(mono).fixedPitch() || mono.family() == QLatin1String("courier"));
}

void TestThemes::mapsAreBuiltOnFirstUse()
{
    // Published as the plugin publishes them: nothing is built before a page looks.
    QQmlEngine engine;
    ThemePlugin theme(&engine);
    HThemePlugin hTheme(&engine), unread(nullptr), waited(nullptr);
    theme.getFontMgr()->publish(engine.rootContext(), QStringLiteral("systemFont"));
    theme.getColorMgr()->publish(engine.rootContext(), QStringLiteral("systemColor"));
    hTheme.getColorMgr()->publish(engine.rootContext(), QStringLiteral("hColor"));
    DeferredPropertyMap *fonts = theme.getFontMgr();
    // The inverted switch before the first use is what the first use sees.
    theme.setInverted(true);
    QVERIFY(!fonts->isBuilt() && !theme.getColorMgr()->isBuilt());
    QQmlComponent page(&engine);
    page.setData("import QtQuick 2.15\nQtObject { property font title: systemFont.LargeTitleFont; "
                 "property color cell: systemColor.TableCellColor }",
                 QUrl());
    std::unique_ptr<QObject> object(page.create());
    QCOMPARE(object->property("title").value<QFont>().pixelSize(), 22);
    QCOMPARE(object->property("cell").value<QColor>(), QColor("black"));
    // Same keys in the same order as a map built first and inverted later.
    ThemePlugin builtFirst(&engine);
    builtFirst.getFontMgr()->ensureBuilt();
    builtFirst.setInverted(true);
    QCOMPARE(fonts->keys(), builtFirst.getFontMgr()->keys());

    // A C++ reader through the generic object interface builds a published map too.
    QVERIFY(!hTheme.getColorMgr()->isBuilt());
    auto *colours = qvariant_cast<QObject *>(engine.rootContext()->contextProperty("hColor"));
    QCOMPARE(colours->property("Background").toString(), QStringLiteral("#ffffff"));

    // Dropping the context does not build a map nobody read; a binding that was waiting for
    // the name reads it while it is being published.
    auto other = std::make_unique<QQmlEngine>();
    unread.getImageMgr()->publish(other->rootContext(), QStringLiteral("images"));
    other.reset();
    QVERIFY(!unread.getImageMgr()->isBuilt());
    QQmlComponent waiting(&engine);
    waiting.setData("import QtQml 2.15\nQtObject { property int size: typeof hFont === "
                    "'undefined' ? 0 : hFont.Bold18.pixelSize }",
                    QUrl());
    std::unique_ptr<QObject> waiter(waiting.create());
    waited.getFontMgr()->publish(engine.rootContext(), QStringLiteral("hFont"));
    QCOMPARE(waiter->property("size").toInt(), 18);
}

void TestThemes::customImageFolders()
{
    QQmlEngine engine;
    ThemePlugin theme(&engine);
    QTemporaryDir first, second;
    theme.addCustImageProvider(first.path());
    theme.addCustImageProvider(second.path());
    auto *provider = static_cast<QuickImageProvider *>(engine.imageProvider("cust_theme"));
    QCOMPARE(provider->basePath(), second.path() + '/');
    // An empty folder would serve the whole file system, a relative one the working directory.
    QTest::ignoreMessage(QtWarningMsg,
                         "addCustImageProvider: refused, not an absolute folder: \"\"");
    theme.addCustImageProvider(QString());
    QTest::ignoreMessage(QtWarningMsg,
                         "addCustImageProvider: refused, not an absolute folder: images");
    theme.addCustImageProvider(QStringLiteral("images"));
    QCOMPARE(engine.imageProvider("cust_theme"), provider);
    // Quitting removes both providers.
    QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit"));
    QVERIFY(!engine.imageProvider("theme") && !engine.imageProvider("cust_theme"));
}

void TestThemes::engineMayGoFirst()
{
    // Quitting and destroying a theme whose engine died must not reach the engine.
    auto engine = std::make_unique<QQmlEngine>();
    auto theme = std::make_unique<ThemePlugin>(engine.get());
    engine.reset();
    QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit"));
    theme->addCustImageProvider(QDir::tempPath());
    theme.reset();
    // As the engine's child it goes with the engine.
    engine = std::make_unique<QQmlEngine>();
    QPointer<ThemePlugin> child = new ThemePlugin(engine.get(), engine.get());
    engine.reset();
    QVERIFY(child.isNull());
}

void TestThemes::displayModes()
{
    HThemePlugin theme(nullptr);
    DeferredPropertyMap *colours = theme.getColorMgr();
    DeferredPropertyMap *images = theme.getImageMgr();
    QCOMPARE(colours->count(), 30);
    QCOMPARE(colours->value("Black85").toString(), QStringLiteral("#d9000000"));
    const QFont keypad = theme.getFontMgr()->value("KeypadWord").value<QFont>();
    QVERIFY(keypad.family() == "Noto Sans UI" && keypad.pixelSize() == 21 && keypad.bold());
    const QString dir
        = QStringLiteral(COMMON_SAMPLE_BASE_DIR "/qml_4410/common/images/radnet_image/");
    QCOMPARE(images->value("SidebarBackground").toString(), dir + "sidebar/sidebar_background.png");

    SignalLog log(&theme);
    log.watch(colours);
    log.watch(images);
    theme.setDisplayMode(QStringLiteral("Outdoor"));
    theme.setDisplayMode(QStringLiteral("Indoor"));
    const QStringList entries = log.take();
    QCOMPARE(entries.size(), 1 + 8 + 1);
    QCOMPARE(entries.first(), QStringLiteral("BackgroundChanged()"));
    QCOMPARE(entries.last(), QStringLiteral("displayModeChanged()"));
    QCOMPARE(colours->value("Background").toString(), QStringLiteral("#000000"));
    QCOMPARE(images->value("ProgressBackground").toString(),
             dir + "massage/loading_background_indoor.png");
    // Any other mode: dark background, outdoor images. The inverted switch changes no value.
    theme.setDisplayMode(QStringLiteral("Night"));
    QCOMPARE(colours->value("Background").toString(), QStringLiteral("#000000"));
    QCOMPARE(images->value("ProgressBackground").toString(),
             dir + "massage/loading_background.png");
    log.take();
    theme.setInverted(true);
    QCOMPARE(log.take(), QStringList({ "imageProviderChanged()", "invertedChanged()" }));
}

QTEST_MAIN(TestThemes)
#include "tst_themes.moc"
