#pragma once

#include <Qt>

class QObject;

// Decides whether a shortcut registered for `object` is live: application shortcuts always,
// window shortcuts while the window that shows the object is the focus window.
bool shortcutContextMatcher(QObject *object, Qt::ShortcutContext context);
