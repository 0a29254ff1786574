#include "simplugin.h"

#include "baseformatter.h"
#include "simbus.h"
#include "simdata.h"
#include "zebdata.h"

#include <QQmlEngine>
#include <qqml.h>

void SimPlugin::registerTypes(const char *uri)
{
    // A page that imports the simulator reads the bus through the framework from the start.
    SimBus::instance();
    qmlRegisterUncreatableType<ZebData>(uri, 1, 0, "ZebData",
                                        QStringLiteral("ZebData is provided by the instrument"));
    qmlRegisterUncreatableType<BaseFormatter>(uri, 1, 0, "BaseFormatter",
                                              QStringLiteral("Formatters belong to data objects"));
    qmlRegisterType<SimData>(uri, 1, 0, "SimData");
    qmlRegisterSingletonType<SimBus>(uri, 1, 0, "SimBus", [](QQmlEngine *, QJSEngine *) {
        QObject *bus = SimBus::instance();
        // Shared by every engine and kept for the process: no engine may delete it.
        QQmlEngine::setObjectOwnership(bus, QQmlEngine::CppOwnership);
        return bus;
    });
}
