#include "quickscreen.h"

#include "quickscreen_p.h"
#include "screendpi.h"
#include "windowstate.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QScreen>
#include <QtDebug>

#include <cmath>

namespace {

// Qt 5 reports a screen's orientation changes only for the orientations in its update mask.
constexpr Qt::ScreenOrientations reportedOrientations = Qt::PortraitOrientation
    | Qt::LandscapeOrientation | Qt::InvertedPortraitOrientation | Qt::InvertedLandscapeOrientation;

} // namespace

QuickScreenPrivate::QuickScreenPrivate(QuickScreen *owner)
    : q(owner)
{
    // The initial display size gives a landscape display and the platform size 1280 x 800.
    physicalDisplayOrientation = QuickScreen::Landscape | QuickScreen::LandscapeInverted;
    platformWidth = displayWidth;
    platformHeight = displayHeight;
}

void QuickScreenPrivate::setDisplaySize(const QSize &size)
{
    if (size != QSize(displayWidth, displayHeight)) {
        displayWidth = size.width();
        displayHeight = size.height();
        updatePhysicalDisplayOrientation();
    }
    qWarning().nospace() << "############################ displaySize: " << size;
}

void QuickScreenPrivate::updatePhysicalDisplayOrientation()
{
    if (displayWidth < 0 || displayHeight < 0)
        return;
    physicalDisplayOrientation = displayHeight > displayWidth
        ? QuickScreen::Portrait | QuickScreen::PortraitInverted
        : QuickScreen::Landscape | QuickScreen::LandscapeInverted;
    updateScreenSize();
}

void QuickScreenPrivate::updateScreenSize()
{
    const bool sameSides = currentOrientation & physicalDisplayOrientation;
    platformWidth = sameSides ? displayWidth : displayHeight;
    platformHeight = sameSides ? displayHeight : displayWidth;
    emit q->platformWidthChanged();
    emit q->platformHeightChanged();
    emit q->displayChanged();
}

void QuickScreenPrivate::reportContentOrientation()
{
    if (!window)
        return;
    Qt::ScreenOrientation orientation;
    switch (q->rotation()) {
    case 0:
        orientation = Qt::LandscapeOrientation;
        break;
    case 90:
        orientation = Qt::InvertedPortraitOrientation;
        break;
    case 180:
        orientation = Qt::InvertedLandscapeOrientation;
        break;
    case 270:
        orientation = Qt::PortraitOrientation;
        break;
    default:
        qCritical("QuickScreen has invalid orientation set.");
        return;
    }
    window->reportContentOrientationChange(orientation);
}

void QuickScreenPrivate::setMinimized(bool value)
{
    if (value == minimized)
        return;
    minimized = value;
    emit q->minimizedChanged();
}

void QuickScreenPrivate::applyAllowedOrientations(int orientations)
{
    allowedOrientations = orientations;
    if (currentOrientation & orientations) {
        emit q->allowedOrientationsChanged();
        return;
    }
    for (QuickScreen::Orientation candidate :
         { QuickScreen::Portrait, QuickScreen::Landscape, QuickScreen::LandscapeInverted,
           QuickScreen::PortraitInverted }) {
        if (orientations & candidate) {
            q->setOrientation(candidate);
            return;
        }
    }
    emit q->allowedOrientationsChanged();
}

int QuickScreenPrivate::successor(int orientation)
{
    switch (orientation) {
    case QuickScreen::Portrait:
        return QuickScreen::Landscape;
    case QuickScreen::Landscape:
        return QuickScreen::PortraitInverted;
    case QuickScreen::PortraitInverted:
        return QuickScreen::LandscapeInverted;
    case QuickScreen::LandscapeInverted:
        return QuickScreen::Portrait;
    default:
        return -1;
    }
}

QuickScreen::DisplayCategory QuickScreenPrivate::categoryForDiagonal(double inches)
{
    if (inches < 3.2)
        return QuickScreen::Small;
    if (inches < 4.5)
        return QuickScreen::Normal;
    if (inches < 7.0)
        return QuickScreen::Large;
    return QuickScreen::ExtraLarge;
}

QuickScreen::Density QuickScreenPrivate::densityForDpi(double dpi)
{
    if (dpi < 140)
        return QuickScreen::Low;
    if (dpi < 180)
        return QuickScreen::Medium;
    if (dpi > 269)
        return QuickScreen::ExtraHigh;
    return QuickScreen::High;
}

QuickScreen *QuickScreen::instance()
{
    static QuickScreen *const screen = new QuickScreen;
    return screen;
}

QuickScreen::QuickScreen(QObject *parent)
    : QObject(parent)
    , d(new QuickScreenPrivate(this))
{
    // Without a GUI application or a screen the initial display size stays.
    if (const QScreen *screen = ScreenDpi::primaryScreen())
        d->setDisplaySize(screen->size());
    emit physicalDisplayChanged();
    // A request held back during a window animation is applied when the animation ends.
    connect(WindowState::instance(), &WindowState::animatingChanged, this,
            &QuickScreen::_q_windowAnimationChanged);
}

QuickScreen::~QuickScreen() = default;

QuickScreen::Orientation QuickScreen::currentOrientation() const
{
    return Orientation(d->currentOrientation);
}

QuickScreen::Orientations QuickScreen::allowedOrientations() const
{
    return Orientations(d->allowedOrientations);
}

QString QuickScreen::orientationString() const
{
    switch (d->currentOrientation) {
    case Portrait:
        return QStringLiteral("Portrait");
    case Landscape:
        return QStringLiteral("Landscape");
    case PortraitInverted:
        return QStringLiteral("PortraitInverted");
    case LandscapeInverted:
        return QStringLiteral("LandscapeInverted");
    default:
        qCritical("QuickScreen has invalid orientation set.");
        return QString();
    }
}

bool QuickScreen::keyboardOpen() const
{
    return d->keyboardOpen;
}

int QuickScreen::width() const
{
    return d->platformWidth;
}

int QuickScreen::height() const
{
    return d->platformHeight;
}

int QuickScreen::displayWidth() const
{
    return d->displayWidth;
}

int QuickScreen::displayHeight() const
{
    return d->displayHeight;
}

int QuickScreen::rotation() const
{
    const bool landscapeDisplay = d->physicalDisplayOrientation & Landscape;
    switch (d->currentOrientation) {
    case Default:
    case Portrait:
        return landscapeDisplay ? 270 : 0;
    case Landscape:
        return landscapeDisplay ? 0 : 90;
    case PortraitInverted:
        return landscapeDisplay ? 90 : 180;
    case LandscapeInverted:
        return landscapeDisplay ? 180 : 270;
    default:
        qCritical("QuickScreen hast invalid orientation set.");
        return 0;
    }
}

QuickScreen::Direction QuickScreen::rotationDirection() const
{
    return Direction(d->rotationDirection);
}

bool QuickScreen::isMinimized() const
{
    return d->minimized;
}

void QuickScreen::setMinimized(bool minimized)
{
    if (minimized == d->minimized)
        return;
    if (!d->topLevelWidget) {
        qCritical("No top level widget set");
        return;
    }
    // With this object filtering the widget's events, the state change arrives there first.
    d->topLevelWidget->setWindowState(minimized ? Qt::WindowMinimized : Qt::WindowMaximized);
    d->setMinimized(minimized);
}

bool QuickScreen::allowSwipe() const
{
    return d->allowSwipe;
}

void QuickScreen::setAllowSwipe(bool allowSwipe)
{
    Q_UNUSED(allowSwipe)
}

bool QuickScreen::isPortrait() const
{
    return d->platformHeight > d->platformWidth;
}

WindowState *QuickScreen::windowState() const
{
    qWarning("Warning: screen.windowState() is deprecated, use platformWindow property instead");
    return WindowState::instance();
}

double QuickScreen::dpi() const
{
    // Read once per process, as soon as there is a screen to read.
    static int cached = 0;
    if (cached > 0)
        return cached;
    const QScreen *screen = ScreenDpi::primaryScreen();
    if (!screen)
        return 0;
    // The desktop widget's metric rounds the physical figure: only a widgets application has
    // it, and only a finite figure can be rounded.
    QApplication *widgetsApp = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (widgetsApp && ScreenDpi::hasPhysicalX(screen))
        cached = QApplication::desktop()->physicalDpiX();
    else
        cached = int(ScreenDpi::physicalX(screen));
    return cached;
}

QuickScreen::DisplayCategory QuickScreen::displayCategory() const
{
    const QScreen *screen = ScreenDpi::primaryScreen();
    const double dots = dpi();
    if (!screen || dots <= 0)
        return Small;
    const QSize size = screen->geometry().size();
    return QuickScreenPrivate::categoryForDiagonal(
        std::sqrt(double(size.width()) * size.width() + double(size.height()) * size.height())
        / dots);
}

QuickScreen::Density QuickScreen::density() const
{
    return QuickScreenPrivate::densityForDpi(dpi());
}

int QuickScreen::platformWidth() const
{
    return d->platformWidth;
}

int QuickScreen::platformHeight() const
{
    return d->platformHeight;
}

bool QuickScreen::isDisplayLandscape() const
{
    return d->physicalDisplayOrientation & Landscape;
}

void QuickScreen::setOrientation(Orientation o)
{
    d->requestedOrientation = o;
    if (o == d->currentOrientation)
        return;
    if (WindowState::instance()->animating())
        return;
    const int direction
        = o == QuickScreenPrivate::successor(d->currentOrientation) ? CounterClockwise : Clockwise;
    if (direction != d->rotationDirection) {
        d->rotationDirection = direction;
        emit rotationDirectionChanged();
    }
    if (!(d->allowedOrientations & o))
        return;
    d->currentOrientation = o;
    d->reportContentOrientation();
    d->updateScreenSize();
    emit widthChanged();
    emit heightChanged();
    emit displayChanged();
    emit currentOrientationChanged();
}

QuickScreen::Orientations QuickScreen::platformPhysicalDisplayOrientation() const
{
    return Orientations(d->physicalDisplayOrientation);
}

void QuickScreen::setAllowedOrientations(Orientations orientation)
{
    if (int(orientation) == d->allowedOrientations || d->minimized)
        return;
    d->applyAllowedOrientations(int(orientation));
}

void QuickScreen::_q_updateOrientationAngle()
{
    const QScreen *screen = d->window ? d->window->screen() : ScreenDpi::primaryScreen();
    if (!screen)
        return;
    const Qt::ScreenOrientation orientation = screen->orientation();
    switch (orientation) {
    case Qt::PortraitOrientation:
    case Qt::LandscapeOrientation:
    case Qt::InvertedPortraitOrientation:
    case Qt::InvertedLandscapeOrientation:
        // Qt's screen orientations carry the same values as the page orientations.
        if (d->allowedOrientations & orientation)
            setOrientation(Orientation(int(orientation)));
        break;
    default:
        break;
    }
}

void QuickScreen::_q_windowAnimationChanged()
{
    if (!WindowState::instance()->animating() && d->requestedOrientation != d->currentOrientation)
        setOrientation(Orientation(d->requestedOrientation));
}

bool QuickScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::WindowStateChange)
        return false;
    const bool wasMinimized = d->minimized;
    d->topLevelWidget = qobject_cast<QWidget *>(watched);
    if (d->topLevelWidget) {
        d->setMinimized(d->topLevelWidget->windowState() & Qt::WindowMinimized);
    } else {
        QWindow *window = qobject_cast<QWindow *>(watched);
        if (window && !d->window) {
            d->window = window;
            if (QScreen *screen = window->screen()) {
                screen->setOrientationUpdateMask(reportedOrientations);
                connect(screen, &QScreen::orientationChanged, this,
                        &QuickScreen::_q_updateOrientationAngle);
            }
        }
        if (!d->window)
            return false;
        d->setMinimized(d->window->windowStates() & Qt::WindowMinimized);
    }

    if (d->minimized) {
        // Only the step into the minimised state saves: a later event would save the forced set.
        if (!wasMinimized) {
            const int saved = d->allowedOrientations;
            d->savedAllowedOrientations = saved;
            const int forced
                = saved == 0 || (saved & (Portrait | PortraitInverted)) ? Portrait : Landscape;
            if (forced != saved)
                d->applyAllowedOrientations(forced);
        }
    } else if (d->savedAllowedOrientations != 0) {
        const int saved = d->savedAllowedOrientations;
        d->savedAllowedOrientations = 0;
        setAllowedOrientations(Orientations(saved));
    }
    return false;
}

void QuickScreen::updatePlatformStatusBarRect(QQuickItem *statusBar)
{
    Q_UNUSED(statusBar)
}
