#include "windowstate.h"

#include "windowstate_p.h"

WindowStatePrivate *WindowStatePrivate::instance = nullptr;

WindowStatePrivate::WindowStatePrivate(WindowState *owner)
    : q(owner)
{
    instance = this;
}

WindowStatePrivate::~WindowStatePrivate()
{
    if (instance == this)
        instance = nullptr;
}

WindowState::WindowState()
    : d(new WindowStatePrivate(this))
{
}

WindowState::~WindowState() = default;

WindowState *WindowState::instance()
{
    // Lives until the process ends.
    static WindowState *const state = new WindowState;
    return state;
}

bool WindowState::visible() const
{
    return d->visible;
}

bool WindowState::active() const
{
    return d->active;
}

bool WindowState::animating() const
{
    return d->animating;
}

void WindowState::setAnimating(bool animating)
{
    if (animating == d->animating)
        return;
    d->animating = animating;
    emit animatingChanged();
}

WindowState::ViewMode WindowState::viewMode() const
{
    return ViewMode(d->viewMode);
}

QString WindowState::viewModeString() const
{
    switch (d->viewMode) {
    case Fullsize:
        return QStringLiteral("Fullsize");
    case Thumbnail:
        return QStringLiteral("Thumbnail");
    default:
        return QString();
    }
}

void WindowState::startSipOrientationChange(int newOrientation)
{
    Q_UNUSED(newOrientation)
}

void WindowState::finishSipOrientationChange(int newOrientation)
{
    Q_UNUSED(newOrientation)
}
