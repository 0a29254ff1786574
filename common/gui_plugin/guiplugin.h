#pragma once

#include <QQmlExtensionPlugin>

class HMath;

// The QML module "common": registers the module's types once per process and fills the root
// context of every engine that imports it with the module's service objects.
class Plugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QQmlExtensionInterface")
public:
    explicit Plugin(QObject *parent = nullptr);
    ~Plugin() override;

    void registerTypes(const char *uri) override;
    void initializeEngine(QQmlEngine *engine, const char *uri) override;

private:
    // The service objects of the engine initialised last, owned by the plugin. The objects of
    // earlier engines stay alive while their contexts refer to them.
    HMath *m_hMath = nullptr;
};
