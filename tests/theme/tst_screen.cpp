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
    const QStringList sides = qEnvironmentVariable("EXPECTED_SCREEN").split('x');
    return QSize(sides.value(0).toInt(), sides.value(1).toInt());
}

const double expectedDpi = qEnvironmentVariableIntValue("EXPECTED_DPI");

} // namespace

class TestScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizeManagerFollowsThePrimaryScreen();
    void sizeManagerSignalOrders();
    void screenStartsFromTheDisplay();
    void rotationFollowsThePhysicalDisplay_data();
    void rotationFollowsThePhysicalDisplay();
    void orientationRequests();
    void densityAndCategoryBounds();
    void minimisingSavesAndRestoresTheAllowedSet();
    void windowReportsMinimisedAndOrientation();
    void sizeManagerFollowsGeometryChanges();
};

void TestScreen::sizeManagerFollowsThePrimaryScreen()
{
    const QSize screen = expectedScreen();
    SizeManager sizes(nullptr, 1.0);
    QCOMPARE(QSize(sizes.screenWidth(), sizes.screenHeight()), screen);
    QCOMPARE(sizes.pctW(), double(qRound(screen.width() * 0.01)));
    QCOMPARE(sizes.pctH(), double(qRound(screen.height() * 0.01)));
    QCOMPARE(sizes.mm(), 160 * 0.39370078740157477 * 0.1);
    QCOMPARE(sizes.defaultFontPixelSize(), 16);
    QCOMPARE(QGuiApplication::font().pixelSize(), 16);

    // A call from the screen itself brings the screen's physical DPI, or its logical DPI when
    // the physical figure is unusable.
    QScreen *primary = QGuiApplication::primaryScreen();
    connect(primary, &QScreen::refreshRateChanged, &sizes, &SizeManager::setDpi);
    QWindowSystemInterface::handleScreenRefreshRateChange(primary, 42.0);
    QWindowSystemInterface::flushWindowSystemEvents();
    QCOMPARE(sizes.dpi(), expectedDpi);
}

void TestScreen::sizeManagerSignalOrders()
{
    const QSize screen = expectedScreen();
    SizeManager sizes(nullptr, 1.0);
    SignalLog log(&sizes);
    // The stored size is the screen's available size; the signal carries the argument, and the
    // same argument again emits again.
    const QStringList change = { "screenSizeChanged(QSize(1, 1))",
                                 QStringLiteral("screenWidthChanged(%1)").arg(screen.width()),
                                 QStringLiteral("screenHeightChanged(%1)").arg(screen.height()),
                                 "defaultFontPixelSizeChanged(16)",
                                 "inChanged(160)",
                                 "cmChanged(62.9921)",
                                 "mmChanged(6.29921)",
                                 QStringLiteral("pctHChanged(%1)").arg(sizes.pctH()),
                                 QStringLiteral("pctWChanged(%1)").arg(sizes.pctW()) };
    sizes.setScreenSize(QSize(1, 1));
    sizes.setScreenSize(QSize(1, 1));
    QCOMPARE(log.take(), change + change);
    QCOMPARE(sizes.screenSize(), screen);

    sizes.setScreenSize(screen);
    sizes.setDpi(160 + 1e-16);
    sizes.setDpiScaling(1.0);
    QCOMPARE(log.take(), QStringList());
    sizes.setDpi(220);
    sizes.setDpiScaling(0.5);
    QCOMPARE(log.take().filter(QRegularExpression("^(dpi|in|cm)")),
             QStringList({ "dpiChanged(220)", "inChanged(220)", "cmChanged(86.6142)",
                           "dpiScalingChanged(0.5)", "inChanged(110)", "cmChanged(43.3071)" }));

    // Width and height move only their percentages; the font size is set even when unchanged.
    sizes.setScreenWidth(1918);
    sizes.setScreenHeight(1080);
    sizes.setDefaultFontPixelSize(16);
    sizes.setDefaultFontPixelSize(20);
    QCOMPARE(log.take(),
             QStringList({ "pctWChanged(19)", "pctHChanged(11)", "defaultFontPixelSizeChanged(16)",
                           "defaultFontPixelSizeChanged(20)" }));
    QCOMPARE(QGuiApplication::font().pixelSize(), 20);
}

void TestScreen::screenStartsFromTheDisplay()
{
    const QSize display = expectedScreen();
    const bool landscape = display.width() >= display.height();
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable(QStringLiteral("############################ "
                                                   "displaySize: QSize(%1, %2)")
                                        .arg(display.width())
                                        .arg(display.height())));
    QuickScreen screen;
    QCOMPARE(QSize(screen.displayWidth(), screen.displayHeight()), display);
    QCOMPARE(int(screen.platformPhysicalDisplayOrientation()), landscape ? 10 : 5);
    QCOMPARE(screen.currentOrientation(), QuickScreen::Landscape);
    // A portrait display shows the landscape orientation with its sides crossed.
    QCOMPARE(QSize(screen.width(), screen.height()), landscape ? display : display.transposed());
    QCOMPARE(screen.dpi(), expectedDpi);
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
    QCOMPARE(screen.orientationString(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(screen.rotation(),
             screen.isDisplayLandscape() ? onLandscapeDisplay : onPortraitDisplay);
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
    QCOMPARE(screen.rotationDirection(), QuickScreen::CounterClockwise);
    screen.setOrientation(QuickScreen::Portrait);
    screen.setOrientation(QuickScreen::Portrait);
    QCOMPARE(log.take(),
             QStringList({ "rotationDirectionChanged()", "rotationDirectionChanged()",
                           "platformWidthChanged()", "platformHeightChanged()", "displayChanged()",
                           "widthChanged()", "heightChanged()", "displayChanged()",
                           "currentOrientationChanged()" }));
    QCOMPARE(screen.rotationDirection(), QuickScreen::Clockwise);

    // A request during a window animation waits for its end.
    WindowState *window = WindowState::instance();
    window->setAnimating(true);
    screen.setOrientation(QuickScreen::Landscape);
    QVERIFY(QMetaObject::invokeMethod(&screen, "_q_windowAnimationChanged"));
    QCOMPARE(screen.currentOrientation(), QuickScreen::Portrait);
    window->setAnimating(false);
    QCOMPARE(screen.currentOrientation(), QuickScreen::Landscape);

    // The screen's own orientation, when allowed.
    screen.setAllowedOrientations(QuickScreen::All);
    screen.setOrientation(QuickScreen::PortraitInverted);
    QVERIFY(QMetaObject::invokeMethod(&screen, "_q_updateOrientationAngle"));
    QCOMPARE(int(screen.currentOrientation()),
             int(QGuiApplication::primaryScreen()->orientation()));

    // A set without the current orientation switches to its first member, quietly; a set
    // without any orientation only announces itself.
    screen.setAllowedOrientations(QuickScreen::Landscape);
    log.take();
    screen.setAllowedOrientations(QuickScreen::LandscapeInverted);
    QCOMPARE(screen.currentOrientation(), QuickScreen::LandscapeInverted);
    QVERIFY(!log.take().contains("allowedOrientationsChanged()"));
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
    QTest::ignoreMessage(QtWarningMsg,
                         "Warning: screen.windowState() is deprecated, use "
                         "platformWindow property instead");
    QCOMPARE(screen.windowState(), window);
}

void TestScreen::densityAndCategoryBounds()
{
    using S = QuickScreen;
    QList<int> found;
    for (int dpi : { 139, 140, 179, 180, 269, 270 })
        found << QuickScreenPrivate::densityForDpi(dpi);
    for (double inches : { 3.19, 3.2, 4.5, 7.0 })
        found << QuickScreenPrivate::categoryForDiagonal(inches);
    QCOMPARE(found,
             QList<int>({ S::Low, S::Medium, S::Medium, S::High, S::High, S::ExtraHigh, S::Small,
                          S::Normal, S::Large, S::ExtraLarge }));
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
    widget.setWindowState(Qt::WindowMinimized);
    QVERIFY(screen.isMinimized());
    QCOMPARE(screen.currentOrientation(), QuickScreen::Portrait);
    // A further event while minimised keeps the saved set; the public setter refuses.
    QWindowStateChangeEvent again(Qt::WindowMinimized);
    QCoreApplication::sendEvent(&widget, &again);
    screen.setAllowedOrientations(QuickScreen::All);
    QCOMPARE(int(screen.allowedOrientations()), int(QuickScreen::Portrait));

    screen.setMinimized(false);
    QVERIFY(widget.isMaximized() && !screen.isMinimized());
    QCOMPARE(int(screen.allowedOrientations()), 3);
    // Restored once: the saved set is gone.
    screen.setAllowedOrientations(QuickScreen::Landscape | QuickScreen::LandscapeInverted);
    QCoreApplication::sendEvent(&widget, &again);
    QCOMPARE(int(screen.allowedOrientations()), 10);
    // A set without portrait orientations is forced to landscape.
    screen.setMinimized(true);
    QVERIFY(widget.isMinimized());
    QCOMPARE(int(screen.allowedOrientations()), int(QuickScreen::Landscape));
}

void TestScreen::windowReportsMinimisedAndOrientation()
{
    QuickScreen screen;
    QWindow window;
    window.installEventFilter(&screen);
    QWindowStateChangeEvent event(Qt::WindowNoState);
    window.setWindowStates(Qt::WindowMinimized);
    QCoreApplication::sendEvent(&window, &event);
    QVERIFY(screen.isMinimized());
    window.setWindowStates(Qt::WindowNoState);
    QCoreApplication::sendEvent(&window, &event);
    QCOMPARE(int(screen.allowedOrientations()), 3);

    // The screen reports turns only for the orientations in its update mask.
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
    SizeManager sizes(nullptr, 1.0);
    SignalLog log(&sizes);
    const QRect fullHd(0, 0, 1920, 1080);
    QWindowSystemInterface::handleScreenGeometryChange(QGuiApplication::primaryScreen(), fullHd,
                                                       fullHd);
    QWindowSystemInterface::flushWindowSystemEvents();
    QCOMPARE(log.take().first(), QStringLiteral("screenSizeChanged(QSize(1920, 1080))"));
    QCOMPARE(sizes.screenSize(), fullHd.size());
    SizeManager onFullHd(nullptr, 1.0);
    QCOMPARE(onFullHd.dpi(), 220.0);
    QCOMPARE(onFullHd.cm(), 86.61417322834644);
    QCOMPARE(onFullHd.defaultFontPixelSize(), 22);
}

int main(int argc, char **argv)
{
    // A widgets application, or a plain GUI application as qmltestrunner and most Qt Quick
    // applications are.
    std::unique_ptr<QGuiApplication> app(qEnvironmentVariableIntValue("TEST_WIDGETS_APP")
                                             ? new QApplication(argc, argv)
                                             : new QGuiApplication(argc, argv));
    TestScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screen.moc"
