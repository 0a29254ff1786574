#include "quickscreen.h"
#include "quickscreen_p.h"
#include "signallog.h"
#include "sizemanager.h"
#include "windowstate.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtTest>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

namespace {

// The platform's figures, given by the test's environment.
QSize expectedScreen()
{
    const QStringList sides = qEnvironmentVariable("EXPECTED_SCREEN").split(QLatin1Char('x'));
    return QSize(sides.value(0).toInt(), sides.value(1).toInt());
}

QString text(QSize size)
{
    return QStringLiteral("QSize(%1, %2)").arg(size.width()).arg(size.height());
}

} // namespace

class TestScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void sizeManagerFollowsThePrimaryScreen();
    void sizeManagerSignalOrders();
    void sizeManagerTakesTheDpiOfTheScreenThatCalls();
    void screenStartsFromTheDisplay();
    void rotationFollowsThePhysicalDisplay_data();
    void rotationFollowsThePhysicalDisplay();
    void orientationRequests();
    void densityAndCategoryBounds();
    void minimisingSavesAndRestoresTheAllowedSet();
    void windowReportsMinimisedAndOrientation();
    void sizeManagerFollowsGeometryChanges();
};

void TestScreen::init()
{
    WindowState::instance()->setAnimating(false);
}

void TestScreen::sizeManagerFollowsThePrimaryScreen()
{
    const QSize screen = expectedScreen();
    SizeManager sizes(nullptr, 1.0);
    QCOMPARE(sizes.screenSize(), screen);
    QCOMPARE(sizes.screenWidth(), screen.width());
    QCOMPARE(sizes.screenHeight(), screen.height());
    QCOMPARE(sizes.pctW(), double(qRound(screen.width() * 0.01)));
    QCOMPARE(sizes.pctH(), double(qRound(screen.height() * 0.01)));
    QCOMPARE(sizes.dpi(), 160.0);
    QCOMPARE(sizes.in(), 160.0);
    QCOMPARE(sizes.cm(), 160 * 0.39370078740157477);
    QCOMPARE(sizes.mm(), sizes.cm() * 0.1);
    QCOMPARE(sizes.defaultFontPixelSize(), 16);
    QCOMPARE(QGuiApplication::font().pixelSize(), 16);
    QCOMPARE(sizes.titleHeight(), 0);
}

void TestScreen::sizeManagerSignalOrders()
{
    const QSize screen = expectedScreen();
    SizeManager sizes(nullptr, 1.0);
    SignalLog log(&sizes);
    const QStringList broadcast160 = { "defaultFontPixelSizeChanged(16)",
                                       "inChanged(160)",
                                       "cmChanged(62.9921)",
                                       "mmChanged(6.29921)",
                                       QStringLiteral("pctHChanged(%1)").arg(sizes.pctH()),
                                       QStringLiteral("pctWChanged(%1)").arg(sizes.pctW()) };

    // The stored size is the screen's available size, whatever the argument; the signal carries
    // the argument, and the same argument again emits again.
    const QStringList sizeChange
        = QStringList { "screenSizeChanged(QSize(1, 1))",
                        QStringLiteral("screenWidthChanged(%1)").arg(screen.width()),
                        QStringLiteral("screenHeightChanged(%1)").arg(screen.height()) }
        + broadcast160;
    sizes.setScreenSize(QSize(1, 1));
    QCOMPARE(log.take(), sizeChange);
    QCOMPARE(sizes.screenSize(), screen);
    sizes.setScreenSize(QSize(1, 1));
    QCOMPARE(log.take(), sizeChange);
    sizes.setScreenSize(screen);
    QCOMPARE(log.take(), QStringList());

    sizes.setDpi(160 + 1e-16);
    sizes.setDpiScaling(1.0);
    QCOMPARE(log.take(), QStringList());
    sizes.setDpi(220);
    QCOMPARE(log.take().mid(0, 5),
             QStringList({ "dpiChanged(220)", "defaultFontPixelSizeChanged(16)", "inChanged(220)",
                           "cmChanged(86.6142)", "mmChanged(8.66142)" }));
    QCOMPARE(sizes.cm(), 86.61417322834644);
    sizes.setDpiScaling(0.5);
    QCOMPARE(log.take().mid(0, 3),
             QStringList({ "dpiScalingChanged(0.5)", "defaultFontPixelSizeChanged(16)",
                           "inChanged(110)" }));

    // Width and height move only their percentages.
    sizes.setScreenWidth(1918);
    sizes.setScreenHeight(1080);
    QCOMPARE(log.take(), QStringList({ "pctWChanged(19)", "pctHChanged(11)" }));
    QCOMPARE(sizes.screenSize(), screen);

    // No equality check for the font size: the application font is set again each time.
    sizes.setDefaultFontPixelSize(16);
    sizes.setDefaultFontPixelSize(20);
    QCOMPARE(log.take(),
             QStringList({ "defaultFontPixelSizeChanged(16)", "defaultFontPixelSizeChanged(20)" }));
    QCOMPARE(QGuiApplication::font().pixelSize(), 20);
    sizes.setDefaultFontPixelSize(16);
}

void TestScreen::sizeManagerTakesTheDpiOfTheScreenThatCalls()
{
    // A call from the screen itself brings the screen's physical DPI, or its logical DPI when
    // the physical figure is unusable.
    QScreen *screen = QGuiApplication::primaryScreen();
    SizeManager sizes(nullptr, 1.0);
    connect(screen, &QScreen::refreshRateChanged, &sizes, &SizeManager::setDpi);
    QWindowSystemInterface::handleScreenRefreshRateChange(screen, 42.0);
    QWindowSystemInterface::flushWindowSystemEvents();
    QCOMPARE(sizes.dpi(), qEnvironmentVariable("EXPECTED_DPI").toDouble());
    sizes.setDpi(42.0);
    QCOMPARE(sizes.dpi(), 42.0);
}

void TestScreen::screenStartsFromTheDisplay()
{
    const QSize display = expectedScreen();
    const bool landscape = display.width() >= display.height();
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable("############################ displaySize: " + text(display)));
    QuickScreen screen;
    QCOMPARE(QSize(screen.displayWidth(), screen.displayHeight()), display);
    QCOMPARE(screen.isDisplayLandscape(), landscape);
    QCOMPARE(int(screen.platformPhysicalDisplayOrientation()), landscape ? 10 : 5);
    QCOMPARE(screen.currentOrientation(), QuickScreen::Landscape);
    QCOMPARE(int(screen.allowedOrientations()), 3);
    // A portrait display shows the landscape orientation with its sides crossed.
    QCOMPARE(QSize(screen.platformWidth(), screen.platformHeight()),
             landscape ? display : display.transposed());
    QCOMPARE(screen.isPortrait(), false);
    QCOMPARE(screen.dpi(), qEnvironmentVariable("EXPECTED_DPI").toDouble());
    QCOMPARE(int(screen.displayCategory()), qEnvironmentVariableIntValue("EXPECTED_CATEGORY"));
    QCOMPARE(screen.density(), QuickScreen::Low);
}

void TestScreen::rotationFollowsThePhysicalDisplay_data()
{
    QTest::addColumn<QuickScreen::Orientation>("orientation");
    QTest::addColumn<int>("onLandscapeDisplay");
    QTest::addColumn<int>("onPortraitDisplay");
    QTest::newRow("Portrait") << QuickScreen::Portrait << 270 << 0;
    QTest::newRow("Landscape") << QuickScreen::Landscape << 0 << 90;
    QTest::newRow("PortraitInverted") << QuickScreen::PortraitInverted << 90 << 180;
    QTest::newRow("LandscapeInverted") << QuickScreen::LandscapeInverted << 180 << 270;
}

void TestScreen::rotationFollowsThePhysicalDisplay()
{
    QFETCH(QuickScreen::Orientation, orientation);
    QFETCH(int, onLandscapeDisplay);
    QFETCH(int, onPortraitDisplay);
    QuickScreen screen;
    screen.setAllowedOrientations(QuickScreen::All);
    screen.setOrientation(orientation);
    QCOMPARE(screen.currentOrientation(), orientation);
    QCOMPARE(screen.orientationString(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(screen.rotation(),
             screen.isDisplayLandscape() ? onLandscapeDisplay : onPortraitDisplay);
    // The platform size has the display's sides when the orientation matches the display.
    const bool matches = screen.platformPhysicalDisplayOrientation() & orientation;
    const QSize display(screen.displayWidth(), screen.displayHeight());
    QCOMPARE(QSize(screen.width(), screen.height()), matches ? display : display.transposed());
    QCOMPARE(screen.isPortrait(), screen.height() > screen.width());
}

void TestScreen::orientationRequests()
{
    QuickScreen screen;
    SignalLog log(&screen);

    // Not allowed: only the direction moves (PortraitInverted follows Landscape in the cycle).
    screen.setOrientation(QuickScreen::PortraitInverted);
    QCOMPARE(log.take(), QStringList("rotationDirectionChanged()"));
    QCOMPARE(screen.rotationDirection(), QuickScreen::CounterClockwise);
    QCOMPARE(screen.currentOrientation(), QuickScreen::Landscape);

    screen.setOrientation(QuickScreen::Portrait);
    QCOMPARE(log.take(),
             QStringList({ "rotationDirectionChanged()", "platformWidthChanged()",
                           "platformHeightChanged()", "displayChanged()", "widthChanged()",
                           "heightChanged()", "displayChanged()", "currentOrientationChanged()" }));
    QCOMPARE(screen.rotationDirection(), QuickScreen::Clockwise);
    screen.setOrientation(QuickScreen::Portrait);
    QCOMPARE(log.take(), QStringList());

    // A request during a window animation waits for its end.
    WindowState *window = WindowState::instance();
    window->setAnimating(true);
    screen.setOrientation(QuickScreen::Landscape);
    QCOMPARE(screen.currentOrientation(), QuickScreen::Portrait);
    QVERIFY(QMetaObject::invokeMethod(&screen, "_q_windowAnimationChanged"));
    QCOMPARE(screen.currentOrientation(), QuickScreen::Portrait);
    log.take();
    window->setAnimating(false);
    QCOMPARE(screen.currentOrientation(), QuickScreen::Landscape);
    QVERIFY(log.take().contains("currentOrientationChanged()"));

    // The screen's own orientation, when allowed.
    screen.setAllowedOrientations(QuickScreen::All);
    screen.setOrientation(QuickScreen::PortraitInverted);
    QVERIFY(QMetaObject::invokeMethod(&screen, "_q_updateOrientationAngle"));
    QCOMPARE(int(screen.currentOrientation()),
             int(QGuiApplication::primaryScreen()->orientation()));

    // A new allowed set without the current orientation switches to its first member and
    // keeps quiet about the set; one without any orientation only announces itself.
    screen.setAllowedOrientations(QuickScreen::Landscape);
    log.take();
    screen.setAllowedOrientations(QuickScreen::LandscapeInverted);
    QCOMPARE(screen.currentOrientation(), QuickScreen::LandscapeInverted);
    QVERIFY(!log.entries.contains("allowedOrientationsChanged()"));
    log.take();
    screen.setAllowedOrientations(QuickScreen::All);
    screen.setAllowedOrientations(QuickScreen::All);
    screen.setAllowedOrientations(QuickScreen::Default);
    QCOMPARE(log.take(),
             QStringList({ "allowedOrientationsChanged()", "allowedOrientationsChanged()" }));

    screen.setAllowedOrientations(QuickScreen::All);
    screen.setOrientation(QuickScreen::Orientation(3));
    QTest::ignoreMessage(QtCriticalMsg, "QuickScreen hast invalid orientation set.");
    QCOMPARE(screen.rotation(), 0);
    QTest::ignoreMessage(QtCriticalMsg, "QuickScreen has invalid orientation set.");
    QCOMPARE(screen.orientationString(), QString());

    QTest::ignoreMessage(
        QtWarningMsg,
        "Warning: screen.windowState() is deprecated, use platformWindow property instead");
    QCOMPARE(screen.windowState(), window);
    QCOMPARE(window->viewModeString(), QStringLiteral("Fullsize"));
}

void TestScreen::densityAndCategoryBounds()
{
    QCOMPARE(QuickScreenPrivate::densityForDpi(270), QuickScreen::ExtraHigh);
    QCOMPARE(QuickScreenPrivate::densityForDpi(269), QuickScreen::High);
    QCOMPARE(QuickScreenPrivate::densityForDpi(180), QuickScreen::High);
    QCOMPARE(QuickScreenPrivate::densityForDpi(179), QuickScreen::Medium);
    QCOMPARE(QuickScreenPrivate::densityForDpi(139), QuickScreen::Low);
    QCOMPARE(QuickScreenPrivate::categoryForDiagonal(3.19), QuickScreen::Small);
    QCOMPARE(QuickScreenPrivate::categoryForDiagonal(3.2), QuickScreen::Normal);
    QCOMPARE(QuickScreenPrivate::categoryForDiagonal(4.5), QuickScreen::Large);
    QCOMPARE(QuickScreenPrivate::categoryForDiagonal(7.0), QuickScreen::ExtraLarge);
}

void TestScreen::minimisingSavesAndRestoresTheAllowedSet()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        QSKIP("needs a widgets application");
    QuickScreen screen;
    QTest::ignoreMessage(QtCriticalMsg, "No top level widget set");
    screen.setMinimized(true);
    QVERIFY(!screen.isMinimized());

    QWidget widget;
    widget.installEventFilter(&screen);
    QSignalSpy minimized(&screen, &QuickScreen::minimizedChanged);
    widget.setWindowState(Qt::WindowMinimized);
    QVERIFY(screen.isMinimized());
    QCOMPARE(minimized.count(), 1);
    QCOMPARE(int(screen.allowedOrientations()), int(QuickScreen::Portrait));
    QCOMPARE(screen.currentOrientation(), QuickScreen::Portrait);

    // A further event while minimised keeps the saved set; the public setter refuses.
    QWindowStateChangeEvent again(Qt::WindowMinimized);
    QCoreApplication::sendEvent(&widget, &again);
    screen.setAllowedOrientations(QuickScreen::All);
    QCOMPARE(int(screen.allowedOrientations()), int(QuickScreen::Portrait));

    screen.setMinimized(false);
    QVERIFY(widget.isMaximized());
    QVERIFY(!screen.isMinimized());
    QCOMPARE(int(screen.allowedOrientations()), 3);
    // Restored once: the saved set is gone.
    screen.setAllowedOrientations(QuickScreen::Landscape);
    QCoreApplication::sendEvent(&widget, &again);
    QCOMPARE(int(screen.allowedOrientations()), int(QuickScreen::Landscape));

    // A set without portrait orientations is forced to landscape.
    screen.setAllowedOrientations(QuickScreen::Landscape | QuickScreen::LandscapeInverted);
    screen.setMinimized(true);
    QVERIFY(widget.isMinimized());
    QCOMPARE(int(screen.allowedOrientations()), int(QuickScreen::Landscape));
}

void TestScreen::windowReportsMinimisedAndOrientation()
{
    QuickScreen screen;
    QWindow window;
    window.installEventFilter(&screen);
    window.setWindowStates(Qt::WindowMinimized);
    QWindowStateChangeEvent event(Qt::WindowNoState);
    QCoreApplication::sendEvent(&window, &event);
    QVERIFY(screen.isMinimized());
    window.setWindowStates(Qt::WindowNoState);
    QCoreApplication::sendEvent(&window, &event);
    QVERIFY(!screen.isMinimized());
    QCOMPARE(int(screen.allowedOrientations()), 3);

    // The screen reports its rotation only for orientations in its update mask.
    screen.setAllowedOrientations(QuickScreen::All);
    QWindowSystemInterface::handleScreenOrientationChange(window.screen(),
                                                          Qt::InvertedLandscapeOrientation);
    QWindowSystemInterface::flushWindowSystemEvents();
    QCOMPARE(screen.currentOrientation(), QuickScreen::LandscapeInverted);
    QCOMPARE(window.contentOrientation(),
             screen.isDisplayLandscape() ? Qt::InvertedLandscapeOrientation
                                         : Qt::PortraitOrientation);
}

void TestScreen::sizeManagerFollowsGeometryChanges()
{
    // Changes the screen of this process: the last case.
    QScreen *screen = QGuiApplication::primaryScreen();
    SizeManager sizes(nullptr, 1.0);
    SignalLog log(&sizes);
    const QRect full(0, 0, 1920, 1080);
    QWindowSystemInterface::handleScreenGeometryChange(screen, full, full);
    QWindowSystemInterface::flushWindowSystemEvents();
    QCOMPARE(sizes.screenSize(), full.size());
    QCOMPARE(log.entries.mid(0, 3),
             QStringList({ "screenSizeChanged(QSize(1920, 1080))", "screenWidthChanged(1920)",
                           "screenHeightChanged(1080)" }));

    SizeManager onFullHd(nullptr, 1.0);
    QCOMPARE(onFullHd.dpi(), 220.0);
    QCOMPARE(onFullHd.cm(), 86.61417322834644);
    QCOMPARE(onFullHd.defaultFontPixelSize(), 22);
    QCOMPARE(onFullHd.pctH(), 11.0);
}

int main(int argc, char **argv)
{
    // A widgets application, or a plain GUI application as qmltestrunner and most Qt Quick
    // applications host.
    std::unique_ptr<QGuiApplication> app(qEnvironmentVariableIntValue("TEST_WIDGETS_APP")
                                             ? new QApplication(argc, argv)
                                             : new QGuiApplication(argc, argv));
    TestScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screen.moc"
