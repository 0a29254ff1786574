#include "shortcutcontextmatcher.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>

bool shortcutContextMatcher(QObject *object, Qt::ShortcutContext context)
{
    switch (context) {
    case Qt::ApplicationShortcut:
        return true;
    case Qt::WindowShortcut: {
        QObject *current = object;
        while (current && !current->isWindowType()) {
            current = current->parent();
            // A visual item belongs to the window that shows it, not to its object parent.
            if (auto *item = qobject_cast<QQuickItem *>(current))
                current = item->window();
        }
        return current && current == QGuiApplication::focusWindow();
    }
    default:
        return false;
    }
}
