#include "hthemeplugin.h"

#include "basedirectory.h"

#include <QQmlEngine>

namespace {

struct Entry
{
    const char *key;
    const char *value;
};

// Every colour but "Background", which follows the display mode.
const Entry fixedColors[] = {
    { "Black", "#000000" },     { "Black85", "#d9000000" },   { "Black70", "#b3000000" },
    { "Black53", "#87000000" }, { "Black44", "#70000000" },   { "Black33", "#54000000" },
    { "Black30", "#4d000000" }, { "Black22", "#38000000" },   { "Gray", "#8c000000" },
    { "White", "#ffffff" },     { "IrisBlue", "#00a9e0" },    { "PersianGreen", "#00a99d" },
    { "Fail", "#d50032" },      { "Pass", "#2cb34a" },        { "Purple", "#500778" },
    { "Grayout", "#c8c8c8" },   { "M1", "#29ABE2" },          { "M2", "#39B54A" },
    { "M3", "#F50057" },        { "M4", "#FF9800" },          { "M5", "#7C4DFF" },
    { "M6", "#0097A7" },        { "M7", "#C59401" },          { "M8", "#FF5604" },
    { "M9", "#0F45FF" },        { "M10", "#879621" },         { "M11", "#CC18BF" },
    { "M12", "#BB5524" },       { "MarkerOff", "#54000000" },
};

struct Image
{
    const char *key;
    const char *outdoor;
    const char *indoor;
};

const Image images[] = {
    { "InformationSmallBlockPress", "information/information_block_small_pressed.png",
      "information/information_block_small_pressed_indoor.png" },
    { "InformationSmallBlock", "information/information_block_small_normal.png",
      "information/information_block_small_normal_indoor.png" },
    { "InformationBigBlockPress", "information/information_block_big_pressed.png",
      "information/information_block_big_pressed_indoor.png" },
    { "InformationBigBlock", "information/information_block_big_normal.png",
      "information/information_block_big_normal_indoor.png" },
    { "ProgressBackground", "massage/loading_background.png",
      "massage/loading_background_indoor.png" },
    { "SidebarBackground", "sidebar/sidebar_background.png",
      "sidebar/sidebar_background_indoor.png" },
    { "SidebarFullMenu", "sidebar/sidebar_fullscreenmenu_normal.png",
      "sidebar/sidebar_fullscreenmenu_normal_indoor.png" },
    { "SidebarFullMenuPress", "sidebar/sidebar_fullscreenmenu_pressed.png",
      "sidebar/sidebar_fullscreenmenu_pressed_indoor.png" },
};

} // namespace

HThemePlugin::HThemePlugin(QQmlEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_displayMode(QStringLiteral("Outdoor"))
    , m_fontMap([this] { buildMaps(); })
    , m_colorMap([this] { buildMaps(); })
    , m_imageMap([this] { buildMaps(); })
{
    // The font, colour and image updates run when a map is first used.
}

void HThemePlugin::buildMaps()
{
    if (m_mapsBuilt)
        return;
    m_mapsBuilt = true;
    fontFamilyUpdates();
    colorUpdates();
    imageUpdates();
}

HThemePlugin::~HThemePlugin() = default;

QString HThemePlugin::getFontFamilyString()
{
    return QStringLiteral("Noto Sans UI");
}

QString HThemePlugin::imageDirectory()
{
    return BaseDirectory::filePath(QStringLiteral("qml_4410/common/images/radnet_image/"));
}

QFont HThemePlugin::getFont(bool bold, int pixelSize)
{
    QFont font;
    font.setFamily(getFontFamilyString());
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

void HThemePlugin::setDisplayMode(const QString &mode)
{
    if (mode == m_displayMode)
        return;
    m_displayMode = mode;
    if (m_mapsBuilt) {
        colorUpdates();
        imageUpdates();
    }
    emit displayModeChanged();
}

void HThemePlugin::setInverted(bool inverted)
{
    if (inverted == m_inverted)
        return;
    m_inverted = inverted;
    emit imageProviderChanged();
    if (m_mapsBuilt) {
        colorUpdates();
        imageUpdates();
    }
    emit invertedChanged();
}

void HThemePlugin::fontFamilyUpdates()
{
    m_fontMap.insert(QStringLiteral("KeypadWord"), getFont(true, 21));
    m_fontMap.insert(QStringLiteral("Bold21"), getFont(true, 21));
    m_fontMap.insert(QStringLiteral("Bold18"), getFont(true, 18));
    m_fontMap.insert(QStringLiteral("Bold16"), getFont(true, 16));
    m_fontMap.insert(QStringLiteral("Normal16"), getFont(false, 16));
    m_fontMap.insert(QStringLiteral("Normal14"), getFont(false, 14));
}

void HThemePlugin::colorUpdates()
{
    const bool outdoor = m_displayMode == QLatin1String("Outdoor");
    m_colorMap.insert(QStringLiteral("Background"),
                      outdoor ? QStringLiteral("#ffffff") : QStringLiteral("#000000"));
    for (const Entry &entry : fixedColors)
        m_colorMap.insert(QLatin1String(entry.key), QLatin1String(entry.value));
}

void HThemePlugin::imageUpdates()
{
    const bool indoor = m_displayMode == QLatin1String("Indoor");
    const QString dir = imageDirectory();
    for (const Image &image : images)
        m_imageMap.insert(QLatin1String(image.key),
                          dir + QLatin1String(indoor ? image.indoor : image.outdoor));
}
