#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include "deferredpropertymap.h"

class QQmlEngine;

// The display-mode theme of the newer pages: "Outdoor" (light background) or "Indoor". Fonts,
// colours and image file paths as property maps, rewritten in place when the mode changes.
class HThemePlugin : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString displayMode READ displayMode WRITE setDisplayMode NOTIFY displayModeChanged)
    Q_PROPERTY(bool inverted READ inverted WRITE setInverted NOTIFY invertedChanged)
public:
    HThemePlugin(QQmlEngine *engine, QObject *parent = nullptr);
    ~HThemePlugin() override;

    QString displayMode() const { return m_displayMode; }
    void setDisplayMode(const QString &mode);
    bool inverted() const { return m_inverted; }
    void setInverted(bool inverted);

    // The maps build themselves on first use (see DeferredPropertyMap).
    DeferredPropertyMap *getFontMgr() { return &m_fontMap; }
    DeferredPropertyMap *getColorMgr() { return &m_colorMap; }
    DeferredPropertyMap *getImageMgr() { return &m_imageMap; }
    static QString getFontFamilyString();
    static QString imageDirectory();
    static QFont getFont(bool bold, int pixelSize);

    void fontFamilyUpdates();
    void colorUpdates();
    void imageUpdates();

Q_SIGNALS:
    void invertedChanged();
    void imageProviderChanged();
    void displayModeChanged();

private:
    void buildMaps();

    QPointer<QQmlEngine> m_engine; // kept for callers; never dereferenced here
    bool m_inverted = false;
    QString m_displayMode;
    DeferredPropertyMap m_fontMap;
    DeferredPropertyMap m_colorMap;
    DeferredPropertyMap m_imageMap;
    bool m_mapsBuilt = false;
};
