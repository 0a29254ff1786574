import QtQuick 2.15
import QtTest 1.2
import common 1.0
import "qrc:/Utils.js" as Utils
import "qrc:/UIConstants.js" as UI

Item {
    id: top
    objectName: "windowContent"
    width: 200
    height: 200

    Item {
        id: pageStackWindow
        objectName: "pageStackWindow"
        property bool showToolBar: true
        property bool showTitleBar: true

        Flickable {
            id: flickable
            Item {
                id: inner
                Item { id: leaf }
            }
        }
    }

    Item {
        id: lonelyRoot
        objectName: "other"
        Item { id: lonelyLeaf }
    }

    TestCase {
        name: "Utils"

        function test_mnemonics_data() {
            return [
                { tag: "plain", text: "File", stylized: "File", removed: "File" },
                { tag: "leading", text: "&File", stylized: "<u>F</u>ile", removed: "File" },
                { tag: "inner", text: "Sa&ve as", stylized: "Sa<u>v</u>e as", removed: "Save as" },
                { tag: "doubled", text: "a&&b", stylized: "a&b", removed: "a&b" },
                { tag: "two", text: "&a &b", stylized: "<u>a</u> <u>b</u>", removed: "a b" },
                { tag: "trailing", text: "end&", stylized: "end&", removed: "end&" },
                { tag: "empty", text: "", stylized: "", removed: "" }
            ]
        }

        function test_mnemonics(data) {
            compare(Utils.stylizeMnemonics(data.text), data.stylized)
            compare(Utils.removeMnemonics(data.text), data.removed)
        }

        function test_intersects_data() {
            var r = { left: 0, top: 0, right: 10, bottom: 10 }
            return [
                { tag: "overlap", a: r, b: { left: 5, top: 5, right: 15, bottom: 15 }, result: true },
                { tag: "touching edge", a: r, b: { left: 10, top: 0, right: 20, bottom: 10 }, result: true },
                { tag: "touching corner", a: r, b: { left: 10, top: 10, right: 20, bottom: 20 }, result: true },
                { tag: "right of", a: r, b: { left: 11, top: 0, right: 20, bottom: 10 }, result: false },
                { tag: "below", a: r, b: { left: 0, top: 11, right: 10, bottom: 20 }, result: false },
                { tag: "inside", a: r, b: { left: 2, top: 2, right: 3, bottom: 3 }, result: true }
            ]
        }

        function test_intersects(data) {
            compare(Utils.intersects(data.a, data.b), data.result)
            compare(Utils.intersects(data.b, data.a), data.result)
        }

        function test_findFlickable() {
            compare([Utils.findFlickable(leaf), Utils.findFlickable(flickable)], [flickable, flickable])
            compare([Utils.findFlickable(lonelyLeaf), Utils.findFlickable(null)], [null, null])
        }

        function test_findRootItem() {
            // Stops at the first ancestor with the name, "windowContent" by default.
            compare(Utils.findRootItem(leaf), top)
            compare(Utils.findRootItem(leaf, "pageStackWindow"), pageStackWindow)
            // The item itself is never compared.
            compare(Utils.findRootItem(pageStackWindow, "pageStackWindow") === pageStackWindow, false)
            // No match: the topmost ancestor.
            var topmost = leaf
            while (topmost.parent)
                topmost = topmost.parent
            compare(Utils.findRootItem(leaf, "nothing"), topmost)
            var orphan = Qt.createQmlObject("import QtQuick 2.15; Item {}", top)
            orphan.parent = null
            compare(Utils.findRootItem(orphan), orphan)
            orphan.destroy()
        }

        function test_barVisibility() {
            Utils.toolBarVisible(false, leaf)
            compare([pageStackWindow.showToolBar, pageStackWindow.showTitleBar], [false, true])
            Utils.titleBarVisible(false, leaf)
            compare(pageStackWindow.showTitleBar, false)
            Utils.toolBarVisible(true, leaf)
            Utils.titleBarVisible(true, leaf)
            compare([pageStackWindow.showToolBar, pageStackWindow.showTitleBar], [true, true])
            // Outside a page stack window nothing happens.
            Utils.toolBarVisible(false, lonelyLeaf)
            Utils.toolBarVisible(false)
            compare(pageStackWindow.showToolBar, true)
        }

        function test_constants() {
            var fixed = { NOT_READY_STRING: "--", ToolBarHeight: 70, TitleBarHeight: 48,
                          StatusBarHeight: 30, FONT_FAMILY: "DejaVu Sans",
                          FONT_FAMILY_LIGHT: "DejaVu Sans ExtraLight", FONT_FAMILY_FARSI: "DejaVu",
                          FONT_DEFAULT_SIZE: 14, FONT_XLARGE: 22, FONT_XXSMALL: 6,
                          PADDING_XSMALL: 2, PADDING_XXLARGE: 24, RELEASE_MISS_DELTA: 30,
                          TOUCH_EXPANSION_MARGIN: -12, OPACITY_ENABLED: 1.0, OPACITY_DISABLED: 0.5 }
            for (var name in fixed)
                compare(UI[name], fixed[name], name)
            compare([UI.HomeConst.BackGroundImage, UI.HomeConst.FavTrayImage], ["homeBackground", "tray"])
            var colours = ("FOREGROUND SECONDARY_FOREGROUND BACKGROUND SELECT INVERTED_FOREGROUND "
                           + "INVERTED_SECONDARY_FOREGROUND INVERTED_BACKGROUND INVERTED_SELECT "
                           + "DISABLED_FOREGROUND BUTTON_INVERTED_FOREGROUND BUTTON_FOREGROUND "
                           + "BUTTON_SECONDARY_FOREGROUND BUTTON_DISABLED_FOREGROUND BUTTON_BACKGROUND")
                    .split(" ").map(function (name) { return "COLOR_" + name })
            for (var i = 0; i < colours.length; ++i)
                verify(/^#[0-9a-f]{6}$/i.test(UI[colours[i]]), colours[i])
        }
    }
}
