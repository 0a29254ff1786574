import QtQuick 2.15
import QtTest 1.2
import common 1.0

// Run by qmltestrunner: a plain GUI application on the offscreen platform (800 x 600, 100 DPI),
// with the build's sample base directory.
Item {
    id: root

    QtObject {
        id: bound
        property color cell: systemColor.TableCellColor
        property color lightFont: systemFont.DynamicLightFontColor
        property string custom: theme.custImageDir
        property string dynamic: theme.dynamicDirPrefix
        property string background: hColor.Background
        property string sidebar: hThemeImage.SidebarBackground
    }

    Image { id: pass; source: theme.getZebQualityIconPath(16) }
    Image { id: invertedWarn; source: theme.dirPrefix + "inverted_theme/warn.png" }

    TestCase {
        name: "Theme"

        function createError(source) {
            try {
                Qt.createQmlObject(source, root, "inline.qml").destroy()
                return ""
            } catch (e) {
                return e.qmlErrors.map(function (error) { return error.message }).join("\n")
            }
        }

        function test_typesAreUncreatableButNameTheirValues() {
            ["Theme", "HTheme", "Screen", "WindowState", "TextTranslator", "DialogStatus",
             "PageOrientation", "ToolBarVisibility"].forEach(function (type) {
                compare(createError("import common 1.0; " + type + " {}"), "Element is not creatable.", type)
            })
            compare([Theme.Chalkboard, Screen.PortraitInverted, Screen.Clockwise, WindowState.Thumbnail,
                     DialogStatus.Closed, PageOrientation.LockPrevious, ToolBarVisibility.HiddenImmediately],
                    [1, 4, -1, 1, 3, 3, 2])
            verify(theme instanceof Theme && screen instanceof Screen && hTheme instanceof HTheme)
        }

        function test_qualityColoursTakeEnumArguments() {
            compare(theme.getZebQualityColor(16, Theme.Foreground, Theme.Chalkboard), "#7ad068")
            compare(theme.getZebQualityColor(0, Theme.Backgroud, Theme.Chalkboard), "#484848")
            compare(theme.getZebQualityColor(64), "#ff0000")
        }

        function test_bindingsFollowTheSwitches() {
            compare(bound.cell, "#ffffff")
            theme.inverted = true
            compare(bound.cell, "#000000")
            compare(bound.lightFont, "#000000")
            compare(bound.custom, "image://cust_theme/inverted_theme/")
            compare(bound.dynamic, "image://theme/inverted_theme/")
            theme.inverted = false
            compare(bound.custom, "image://cust_theme/")

            hTheme.displayMode = "Indoor"
            compare(bound.background, "#000000")
            verify(bound.sidebar.indexOf("/radnet_image/sidebar/sidebar_background_indoor.png") > 0)
            hTheme.displayMode = "Outdoor"
            compare(bound.background, "#ffffff")
        }

        function test_themeImages() {
            tryCompare(pass, "status", Image.Ready)
            compare(pass.sourceSize, Qt.size(32, 32))
            // No inverted warning icon in the sample: the normal one stands in.
            tryCompare(invertedWarn, "status", Image.Ready)
        }

        function test_qsTrFollowsTheLanguage() {
            // A file named like the gallery page shares the sample's translation context.
            var label = Qt.createQmlObject("import QtQuick 2.15; Text { text: qsTr('Quality') }",
                                           root, "ThemePage.qml")
            compare(label.text, "Quality")
            textTranslator.setLanguage("German")
            compare(textTranslator.currentLanguage(), "German")
            compare(label.text, "Qualität")
            compare(textTranslator.translate("ThemePage", "Pass"), "Bestanden")
            textTranslator.setLanguage("English")
            compare(label.text, "Quality")
            label.destroy()
        }

        function test_screenUnderAPlainGuiApplication() {
            compare(screen.dpi, 100)
            compare(screen.displayCategory, Screen.ExtraLarge)
            compare(screen.density, Screen.Low)
            screen.setAllowedOrientations(Screen.Portrait)
            compare(screen.orientationString, "Portrait")
            compare(screen.width, 600)
            screen.allowedOrientations = Screen.Portrait | Screen.Landscape
            compare(platformWindow.viewModeString, "Fullsize")
            ignoreWarning("Warning: screen.windowState() is deprecated, use platformWindow property instead")
            verify(screen.windowState === platformWindow)
        }
    }
}
