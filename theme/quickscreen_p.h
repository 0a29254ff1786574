#pragma once

#include "quickscreen.h"

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <QWindow>

// The data of QuickScreen and the steps its operations share.
class QuickScreenPrivate
{
public:
    explicit QuickScreenPrivate(QuickScreen *owner);

    // Stores a new display size and recomputes the physical orientation; always logged.
    void setDisplaySize(const QSize &size);
    void updatePhysicalDisplayOrientation();
    void updateScreenSize();
    void reportContentOrientation();
    void setMinimized(bool minimized);
    // The allowed set without the refusal while minimised.
    void applyAllowedOrientations(int orientations);

    static int successor(int orientation);
    static QuickScreen::DisplayCategory categoryForDiagonal(double inches);
    static QuickScreen::Density densityForDpi(double dpi);

    QuickScreen *q;
    int currentOrientation = QuickScreen::Landscape;
    int requestedOrientation = QuickScreen::Landscape;
    int allowedOrientations = QuickScreen::Portrait | QuickScreen::Landscape;
    int savedAllowedOrientations = 0;
    int rotationDirection = QuickScreen::NoDirection;
    bool covered = false;
    bool keyboardOpen = false;
    QPointer<QWidget> topLevelWidget;
    int displayWidth = 1280;
    int displayHeight = 800;
    int platformWidth = -1;
    int platformHeight = -1;
    bool allowSwipe = true;
    QPointer<QWindow> window;
    bool minimized = false;
    int physicalDisplayOrientation = 0;
};
