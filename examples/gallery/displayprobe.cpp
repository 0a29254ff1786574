#include "displayprobe.h"

#include <QByteArray>
#include <QLibrary>

namespace {

// libxcb is loaded at run time: the gallery needs no X development files, and a machine
// without X simply has no display.
bool xDisplayOpens(const QByteArray &display)
{
    using Connect = void *(*)(const char *, int *);
    using HasError = int (*)(void *);
    using Disconnect = void (*)(void *);
    QLibrary xcb(QStringLiteral("xcb"), 1);
    auto connect = reinterpret_cast<Connect>(xcb.resolve("xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(xcb.resolve("xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(xcb.resolve("xcb_disconnect"));
    if (!connect || !hasError || !disconnect)
        return false;
    void *connection = connect(display.constData(), nullptr);
    // xcb_connect never returns null: a failed connection is an object in an error state.
    const bool ok = connection && hasError(connection) == 0;
    if (connection)
        disconnect(connection);
    return ok;
}

} // namespace

bool displayUsable()
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const QByteArray display = qgetenv("DISPLAY");
    return !display.isEmpty() && xDisplayOpens(display);
}

bool platformNeedsSoftwareRendering()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.startsWith("offscreen") || platform.startsWith("minimal");
}
