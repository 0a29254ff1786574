#include "screendpi.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ScreenDpi {

bool hasPhysicalX(const QScreen *screen)
{
    const double dpi = screen->physicalDotsPerInchX();
    return std::isfinite(dpi) && dpi > 0;
}

double physicalX(const QScreen *screen)
{
    return hasPhysicalX(screen) ? screen->physicalDotsPerInchX() : screen->logicalDotsPerInchX();
}

QScreen *primaryScreen()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::primaryScreen();
}

} // namespace ScreenDpi
