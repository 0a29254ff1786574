#include "sizemanager.h"

#include "screendpi.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QtDebug>

#include <cerrno>
#include <time.h>

namespace {

// Five times the double machine epsilon.
constexpr double dpiThreshold = 1.1102230246251565e-15;

double computedDpi(int pixels, qreal millimetres)
{
    return millimetres > 0 ? pixels * 25.4 / millimetres : 0.0;
}

} // namespace

SizeManager::SizeManager(QObject *parent, double dpiScaling)
    : QObject(parent)
    , m_dpiScaling(dpiScaling)
{
    // Without a GUI application there is neither an application font nor a screen: the
    // initial values stay.
    QScreen *screen = ScreenDpi::primaryScreen();
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        m_defaultFontPixelSize = QGuiApplication::font().pixelSize();
    if (!screen)
        return;

    m_screenSize = screen->availableSize();
    m_screenWidth = m_screenSize.width();
    m_screenHeight = m_screenSize.height();
    connect(screen, &QScreen::geometryChanged, this, &SizeManager::setGeometry);
    connect(screen, &QScreen::physicalSizeChanged, this, &SizeManager::setPhysicalScreenSize);
    setGeometry(screen->geometry());
    setPhysicalScreenSize(screen->physicalSize());

    // The instrument's displays: the screen's own figures are not trusted.
    m_dpi = screen->size() == QSize(1920, 1080) ? 220.0 : 160.0;
    qDebug() << "Linux, using DPI:" << m_dpi;
    m_defaultFontPixelSize = int(in() * 0.1);
    printDebug();
    updateFontSize();
}

SizeManager::~SizeManager() = default;

void SizeManager::setDpi(double value)
{
    QScreen *screen = ScreenDpi::primaryScreen();
    if (screen && sender() == screen)
        value = ScreenDpi::physicalX(screen);
    if (!(qAbs(value - m_dpi) >= dpiThreshold))
        return;
    m_dpi = value;
    emit dpiChanged(value);
    broadcastSizeChange();
}

void SizeManager::setDpiScaling(double value)
{
    if (!(qAbs(value - m_dpiScaling) >= dpiThreshold))
        return;
    m_dpiScaling = value;
    emit dpiScalingChanged(value);
    broadcastSizeChange();
}

void SizeManager::setScreenSize(QSize value)
{
    if (value == m_screenSize)
        return;
    // The screen's available size wins over the argument; without a screen the argument is all
    // there is.
    QScreen *screen = ScreenDpi::primaryScreen();
    m_screenSize = screen ? screen->availableSize() : value;
    m_screenWidth = m_screenSize.width();
    m_screenHeight = m_screenSize.height();
    emit screenSizeChanged(value);
    emit screenWidthChanged(m_screenWidth);
    emit screenHeightChanged(m_screenHeight);
    broadcastSizeChange();
}

void SizeManager::setGeometry(QRect rect)
{
    setScreenSize(rect.size());
}

void SizeManager::setPhysicalScreenSize(QSizeF size)
{
    Q_UNUSED(size)
    qDebug() << "Unknown OS, using default DPI:" << m_dpi;
}

void SizeManager::setScreenWidth(int width)
{
    m_screenWidth = width;
    emit pctWChanged(pctW());
}

void SizeManager::setScreenHeight(int height)
{
    m_screenHeight = height;
    emit pctHChanged(pctH());
}

void SizeManager::setDefaultFontPixelSize(int pSize)
{
    m_defaultFontPixelSize = pSize;
    updateFontSize();
}

void SizeManager::updateFontSize()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QFont font = QGuiApplication::font();
        font.setPixelSize(m_defaultFontPixelSize);
        QGuiApplication::setFont(font);
    }
    emit defaultFontPixelSizeChanged(m_defaultFontPixelSize);
}

void SizeManager::broadcastSizeChange()
{
    updateFontSize();
    emit inChanged(in());
    emit cmChanged(cm());
    emit mmChanged(mm());
    emit pctHChanged(pctH());
    emit pctWChanged(pctW());
}

void SizeManager::printDebug() const
{
    const QScreen *screen = ScreenDpi::primaryScreen();
    if (!screen)
        return;
    const QString rule(86, QLatin1Char('='));
    const QSizeF physical = screen->physicalSize();
    const double dpiX = computedDpi(screen->size().width(), physical.width());
    const double dpiY = computedDpi(screen->size().height(), physical.height());
    qWarning().noquote() << rule;
    qWarning() << "PhysDPI" << screen->physicalDotsPerInch();
    qWarning() << "LogDPI" << screen->logicalDotsPerInch();
    qWarning() << "DevPixelRat" << screen->devicePixelRatio();
    qWarning() << "PhysSize" << physical << physical * 0.03937007874015748;
    qWarning() << "AvailSize" << screen->availableSize();
    qWarning() << "Size" << screen->size();
    qWarning() << "PhysDPIx" << screen->physicalDotsPerInchX();
    qWarning() << "PhysDPIy" << screen->physicalDotsPerInchY();
    qWarning() << "DPI =" << m_dpi;
    qWarning() << "DPI Scaling =" << m_dpiScaling;
    qWarning() << "in() =" << in();
    qWarning() << "mm() =" << mm();
    qWarning() << "cm() =" << cm();
    qWarning() << "Calculated DPI" << (dpiX + dpiY) / 2 << QSizeF(dpiX, dpiY);
    qWarning() << "Default font height:" << QFontMetrics(QGuiApplication::font()).height();
    qWarning().noquote() << rule;
}

void SizeManager::loop() const
{
    for (;;) {
        timespec left { 2, 0 };
        while (nanosleep(&left, &left) == -1 && errno == EINTR) { }
        qWarning() << "LOOP:";
        printDebug();
    }
}
