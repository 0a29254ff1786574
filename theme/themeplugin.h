#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include "deferredpropertymap.h"

class QQmlEngine;

// The main theme of an engine: named fonts and colours as property maps that QML binds to, the
// inverted (light-on-dark) switch that rewrites them in place, the theme image providers and
// the colours and icons of a measurement's quality code.
class ThemePlugin : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool inverted READ inverted WRITE setInverted NOTIFY invertedChanged)
    Q_PROPERTY(QString dirPrefix READ dirPrefix CONSTANT)
    Q_PROPERTY(QString dynamicDirPrefix READ dynamicDirPrefix NOTIFY imageProviderChanged)
    // Follows `inverted` like the dynamic prefix, so bindings to it must be told.
    Q_PROPERTY(QString custImageDir READ custImageDir NOTIFY imageProviderChanged)
public:
    enum Type { Backgroud = 0, Foreground = 1, StandardType = 2 };
    Q_ENUM(Type)
    enum Location {
        TableCell = 0,
        Chalkboard = 1,
        AlreadyQualityColored = 2,
        StandardLocation = 3
    };
    Q_ENUM(Location)

    ThemePlugin(QQmlEngine *engine, QObject *parent = nullptr);
    ~ThemePlugin() override;

    Q_INVOKABLE void addCustImageProvider(const QString &custFolder);
    Q_INVOKABLE QColor getZebQualityColor(int quality, Type t = StandardType,
                                          Location l = StandardLocation) const;
    Q_INVOKABLE QString getZebQualityIconPath(int qual) const;

    bool inverted() const { return m_inverted; }
    void setInverted(bool inverted);
    QString dirPrefix() const { return m_dirPrefix; }
    QString dynamicDirPrefix() const;
    QString custImageDir() const;

    // The maps build themselves on first use (see DeferredPropertyMap).
    DeferredPropertyMap *getFontMgr() { return &m_fontMap; }
    DeferredPropertyMap *getColorMgr() { return &m_colorMap; }
    static QString getFontFamilyString();
    static QString themeImageDirectory();

    bool isFixedPitch(const QFont &font) const;
    QFont getMonospaceFont() const;
    void colorUpdates();
    void fontFamilyUpdates();

Q_SIGNALS:
    void invertedChanged();
    void imageProviderChanged();

private Q_SLOTS:
    void removeImageProvidor();

private:
    void buildMaps();

    // The engine may die first (it owns this object in the plugin); a guarded pointer reads null.
    QPointer<QQmlEngine> m_engine;
    bool m_inverted = false;
    QString m_dirPrefix;
    QString m_custImagePrefix;
    DeferredPropertyMap m_fontMap;
    QColor m_lightFontColor;
    QColor m_darkFontColor;
    DeferredPropertyMap m_colorMap;
    bool m_mapsBuilt = false;
};
