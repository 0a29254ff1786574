#pragma once

class QScreen;

// Density figures of a screen that are safe to compute with.
namespace ScreenDpi {

// Whether the screen's physical horizontal DPI is finite and positive.
bool hasPhysicalX(const QScreen *screen);
// The physical horizontal DPI, or the logical DPI when the screen reports a physical figure that
// is not finite or not positive (a screen that reports 0 mm).
double physicalX(const QScreen *screen);
// The primary screen of a GUI application; null without a GUI application or without a screen.
QScreen *primaryScreen();

} // namespace ScreenDpi
