#include "themeplugin.h"

#include "basedirectory.h"
#include "quickimageprovider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QtDebug>

namespace {

const QString themeProviderId = QStringLiteral("theme");
const QString custProviderId = QStringLiteral("cust_theme");
const QString invertedDir = QStringLiteral("inverted_theme");

struct NamedFont
{
    const char *name;
    int pixelSize;
    int weight; // 0: the default weight
};

const NamedFont namedFonts[] = {
    { "HomeAppLabelFont", 16, 0 },
    { "MenuTextFont", 20, 0 },
    { "BodyTextFont", 16, 0 },
    { "TempPlaceHolderTextFont", 16, 0 },
    { "BodyLargeTextFont", 18, 0 },
    { "BodyLargeBoldTextFont", 18, QFont::Bold },
    { "BodySmallTextFont", 13, 0 },
    { "ButtonTextFont", 14, QFont::Bold },
    { "HeaderFont", 14, QFont::Bold },
    { "TableCellFont", 14, QFont::Normal },
    { "GroupHeaderFont", 18, QFont::Bold },
    { "SmallTitleFont", 14, QFont::Bold },
    { "MiddleTitleFont", 18, QFont::Bold },
    { "LargeTitleFont", 22, QFont::Bold },
    { "FieldLabelFont", 14, 0 },
    { "InfoFont", 14, 0 },
    { "DialogLargeFont", 50, 0 },
    { "DialogMidFont", 34, 0 },
    { "DialogSmallFont", 22, 0 },
    { "CopperInfoFont", 100, 0 },
    { "LargestFont", 100, 0 },
    { "LargestBoldFont", 100, QFont::Bold },
    { "PingToolFont", 28, 0 },
};

struct SizeName
{
    const char *name;
    int pixelSize;
};

const SizeName generatedSizes[] = {
    { "XSmall", 14 }, { "Small", 18 },   { "Medium", 22 }, { "Large", 28 },
    { "XLarge", 34 }, { "XXLarge", 50 }, { "Max", 100 },
};

bool guiApplication()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance());
}

} // namespace

ThemePlugin::ThemePlugin(QQmlEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_fontMap([this] { buildMaps(); })
    , m_lightFontColor(QStringLiteral("white"))
    , m_darkFontColor(QStringLiteral("black"))
    , m_colorMap([this] { buildMaps(); })
{
    if (m_engine) {
        m_engine->addImageProvider(
            themeProviderId, new QuickImageProvider(themeImageDirectory() + QDir::separator()));
    }
    m_dirPrefix = QStringLiteral("image://") + themeProviderId + QDir::separator();
    m_custImagePrefix = QStringLiteral("image://") + custProviderId + QDir::separator();
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &ThemePlugin::removeImageProvidor);

    // The font and colour updates run when a map is first used.
    m_inverted = false;
    if (guiApplication())
        QGuiApplication::setFont(QFont(getFontFamilyString(), -1, -1, false));
}

void ThemePlugin::buildMaps()
{
    if (m_mapsBuilt)
        return;
    m_mapsBuilt = true;
    fontFamilyUpdates();
    colorUpdates();
}

ThemePlugin::~ThemePlugin()
{
    removeImageProvidor();
}

QString ThemePlugin::getFontFamilyString()
{
    return QStringLiteral("Roboto");
}

QString ThemePlugin::themeImageDirectory()
{
    return BaseDirectory::filePath(QStringLiteral("qml_4410/common/images"));
}

void ThemePlugin::addCustImageProvider(const QString &custFolder)
{
    if (!QuickImageProvider::usableFolder(custFolder)) {
        qWarning().noquote() << "addCustImageProvider: refused, not an absolute folder:"
                             << (custFolder.isEmpty() ? QStringLiteral("\"\"") : custFolder);
        return;
    }
    if (!m_engine)
        return;
    if (m_engine->imageProvider(custProviderId))
        m_engine->removeImageProvider(custProviderId);
    m_engine->addImageProvider(custProviderId,
                               new QuickImageProvider(custFolder + QDir::separator()));
}

void ThemePlugin::removeImageProvidor()
{
    if (!m_engine)
        return;
    if (m_engine->imageProvider(themeProviderId))
        m_engine->removeImageProvider(themeProviderId);
    if (m_engine->imageProvider(custProviderId))
        m_engine->removeImageProvider(custProviderId);
}

QColor ThemePlugin::getZebQualityColor(int quality, Type t, Location l) const
{
    enum Verdict { Pass, Warning, Fail, None };
    const Verdict verdict = quality == 16   ? Pass
        : quality == 32                     ? Warning
        : (quality == 64 || quality == 128) ? Fail
                                            : None;
    // One row per location and type, one column per verdict.
    static const char *const chalkboardForeground[] = { "#7AD068", "yellow", "#D06868", "white" };
    static const char *const chalkboardBackground[] = { "green", "yellow", "red", "#484848" };
    static const char *const tableCellForeground[] = { "white", "black", "white", "black" };
    static const char *const colouredForeground[] = { "white", "black", "white", "transparent" };
    static const char *const standard[] = { "green", "yellow", "red", "transparent" };

    const char *const *row = standard;
    if (l == Chalkboard && t == Foreground)
        row = chalkboardForeground;
    else if (l == Chalkboard && t == Backgroud)
        row = chalkboardBackground;
    else if (l == TableCell && t == Foreground)
        row = tableCellForeground;
    else if (l == AlreadyQualityColored && t == Foreground)
        row = colouredForeground;
    return QColor(QLatin1String(row[verdict]));
}

QString ThemePlugin::getZebQualityIconPath(int qual) const
{
    switch (qual) {
    case 16:
        return m_dirPrefix + QStringLiteral("pass.png");
    case 32:
        return m_dirPrefix + QStringLiteral("warn.png");
    case 64:
    case 128:
        return m_dirPrefix + QStringLiteral("fail.png");
    default:
        return QString();
    }
}

void ThemePlugin::setInverted(bool inverted)
{
    if (inverted == m_inverted)
        return;
    m_inverted = inverted;
    emit imageProviderChanged();
    // Maps not built yet pick the new value up when they are.
    if (m_mapsBuilt)
        colorUpdates();
    emit invertedChanged();
}

QString ThemePlugin::dynamicDirPrefix() const
{
    return m_inverted ? m_dirPrefix + invertedDir + QDir::separator() : m_dirPrefix;
}

QString ThemePlugin::custImageDir() const
{
    return m_inverted ? m_custImagePrefix + invertedDir + QDir::separator() : m_custImagePrefix;
}

bool ThemePlugin::isFixedPitch(const QFont &font) const
{
    // Font matching needs the font database of a GUI application.
    return guiApplication() && QFontInfo(font).fixedPitch();
}

QFont ThemePlugin::getMonospaceFont() const
{
    QFont font(QStringLiteral("monospace"));
    if (!guiApplication() || isFixedPitch(font))
        return font;
    font.setStyleHint(QFont::Monospace);
    if (isFixedPitch(font))
        return font;
    font.setStyleHint(QFont::TypeWriter);
    if (isFixedPitch(font))
        return font;
    font.setFamily(QStringLiteral("courier"));
    return font;
}

void ThemePlugin::fontFamilyUpdates()
{
    const QString family = getFontFamilyString();
    for (const NamedFont &entry : namedFonts) {
        QFont font;
        font.setFamily(family);
        font.setPixelSize(entry.pixelSize);
        if (entry.weight)
            font.setWeight(entry.weight);
        m_fontMap.insert(QLatin1String(entry.name), font);
    }

    QFont monospace = getMonospaceFont();
    monospace.setPixelSize(14);
    monospace.setWeight(QFont::Normal);
    m_fontMap.insert(QStringLiteral("MonospaceFont"), monospace);

    const QString condensedFamily
        = QStringLiteral("%1 %2").arg(family, QStringLiteral("Condensed"));
    for (const SizeName &size : generatedSizes) {
        for (bool condensed : { false, true }) {
            for (bool bold : { false, true }) {
                QString key = QLatin1String(size.name);
                if (condensed)
                    key += QStringLiteral("Condensed");
                if (bold)
                    key += QStringLiteral("Bold");
                QFont font;
                font.setFamily(condensed ? condensedFamily : family);
                font.setPixelSize(size.pixelSize);
                if (bold)
                    font.setWeight(QFont::Bold);
                font.setHintingPreference(QFont::PreferFullHinting);
                m_fontMap.insert(key, font);
            }
        }
    }
}

void ThemePlugin::colorUpdates()
{
    const bool inv = m_inverted;
    m_colorMap.insert(QStringLiteral("TableCellColor"),
                      QColor(inv ? QStringLiteral("black") : QStringLiteral("white")));
    m_colorMap.insert(QStringLiteral("TableCellAlterColor"),
                      QColor(inv ? QStringLiteral("#333333") : QStringLiteral("#F5F5F5")));
    m_colorMap.insert(QStringLiteral("TableHeaderColor"),
                      QColor(inv ? QStringLiteral("#484848") : QStringLiteral("#747474")));
    m_colorMap.insert(QStringLiteral("TableGridColor"),
                      QColor(inv ? QStringLiteral("#565656") : QStringLiteral("#9e9e9e")));
    m_fontMap.insert(QStringLiteral("DynamicLightFontColor"),
                     inv ? m_darkFontColor : m_lightFontColor);
    m_fontMap.insert(QStringLiteral("DynamicDarkFontColor"),
                     inv ? m_lightFontColor : m_darkFontColor);
    m_colorMap.insert(QStringLiteral("ChalkboardBackground"), QColor(QStringLiteral("#484848")));
    m_colorMap.insert(QStringLiteral("ChalkboardBorder"), QColor(QStringLiteral("#747474")));
    m_colorMap.insert(QStringLiteral("FocusOnLightBg"), QColor(QStringLiteral("#595395")));
    m_colorMap.insert(QStringLiteral("FocusOnDarkBg"), QColor(QStringLiteral("#9664C8")));
}
