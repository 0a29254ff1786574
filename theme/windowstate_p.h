#pragma once

#include "windowstate.h"

// The data of WindowState.
class WindowStatePrivate
{
public:
    explicit WindowStatePrivate(WindowState *owner);
    ~WindowStatePrivate();

    WindowState *q;
    int viewMode = WindowState::Fullsize;
    bool visible = false;
    bool active = false;
    bool animating = false;

    // The last created instance.
    static WindowStatePrivate *instance;
};
