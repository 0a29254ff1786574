#pragma once

#include <QPointer>
#include <QQmlExtensionPlugin>

class HElapsedTimer;
class HMath;
class HThemePlugin;
class Process;
class SizeManager;
class TextTranslator;
class ThemePlugin;

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
    // The service objects of the engine initialised last. Each engine owns its own objects (they
    // are its children), so these are only watched: they read null once their engine is gone.
    QPointer<ThemePlugin> m_theme;
    QPointer<HMath> m_hMath;
    QPointer<HThemePlugin> m_hTheme;
    QPointer<HElapsedTimer> m_elapsedTimer;
    QPointer<SizeManager> m_sizeManager;
    QPointer<Process> m_process;
    QPointer<TextTranslator> m_textTranslator;
};
