import QtQuick 2.15
import QtQml 2.15
import QtTest 1.2
import common 1.0

Item {
    id: root
    width: 300
    height: 300

    ExclusiveGroup { id: bands }

    MenuListBase {
        id: menu
        MenuItemBase { id: openItem; text: "&Open"; shortcut: "Ctrl+O" }
        MenuSeparator { id: separator }
        Instantiator {
            id: generated
            model: ["AM", "FM", "SSB"]
            MenuItemBase { text: modelData; checkable: true; exclusiveGroup: bands }
        }
        MenuItemBase { id: quitItem; text: "Quit" }
    }

    AbstractStyle {
        id: style
        QtObject { objectName: "first" }
        QtObject {}
        Item { objectName: "last" }
    }

    Item { id: page }

    ScrollDecoratorSizerCPP { id: sizer }

    PopupWindowBase {
        id: popup
        Rectangle { id: popupContent; width: 120; height: 40 }
    }

    SignalSpy { id: leftSpy; target: style.padding; signalName: "leftChanged" }
    SignalSpy { id: positionSpy; target: sizer; signalName: "positionChanged" }
    SignalSpy { id: ratioSpy; target: sizer; signalName: "sizeRatioChanged" }

    Component {
        id: dynamicMenu
        MenuListBase {
            id: dynamic
            property QtObject first: first
            property QtObject second: second
            property int handled: 0
            MenuItemBase { id: first; text: "first"; onTriggered: { dynamic.handled++; dynamic.clear() } }
            MenuItemBase { id: second; text: "second" }
            MenuItemBase { text: "third" }
        }
    }

    TestCase {
        name: "Menus"
        when: windowShown

        function createError(source) {
            try { Qt.createQmlObject(source, root, "inline.qml").destroy(); return "" }
            catch (e) { return e.qmlErrors.map(function (error) { return error.message }).join("\n") }
        }

        function test_registration() {
            compare(createError("import common 1.0; Stack {}"), "Do not create objects of type Stack")
            compare(createError("import common 1.0; MenuItemType {}"),
                    "Do not create objects of type MenuItemType")
            compare(separator.type, MenuItemType.Separator)
            compare(openItem.type, MenuItemType.Item)
            verify(!openItem.__isNative)
        }

        function test_declaredAndGeneratedEntries() {
            compare([menu.count, menu.items.length, menu.items[3].text, menu.indexOfMenuItem(quitItem)],
                    [6, 6, "FM", 5])
            compare(menu.items[2].__parentMenu, menu)
            // The generator follows its model.
            generated.model = ["USB", "LSB"]
            compare([menu.count, menu.items[3].text, menu.indexOfMenuItem(quitItem)], [5, "LSB", 4])
            generated.model = ["AM", "FM", "SSB"]
            compare(menu.count, 6)
            var added = menu.insertItem(1, "Added")
            compare(menu.items[1], added)
            menu.removeItem(added)
            compare(menu.count, 6)
            added.destroy()
        }

        function test_generatedEntriesAreExclusive() {
            menu.items[2].trigger()
            verify(menu.items[2].checked)
            menu.items[4].trigger()
            verify(menu.items[4].checked)
            verify(!menu.items[2].checked)
            compare(menu.__selectedIndex, 4)
        }

        function test_clearInsideOnTriggered() {
            var dynamic = dynamicMenu.createObject(root)
            dynamic.first.trigger()
            compare([dynamic.handled, dynamic.count], [1, 0])
            tryVerify(function () { return dynamic.first === null })
            dynamic.destroy()
        }

        // Assigning clears the menu, which deletes its own entries later, then appends.
        function test_reassignItemsWithHeldItem() {
            var dynamic = dynamicMenu.createObject(root)
            var second = dynamic.second
            dynamic.items = [second, dynamic.first]
            wait(0)
            compare([dynamic.count, second.text, dynamic.indexOfMenuItem(second), dynamic.items[1].text],
                    [2, "second", 0, "first"])
            dynamic.destroy()
        }

        function test_style() {
            compare([style.data.length, style.data[0].objectName, style.data[2].objectName],
                    [3, "first", "last"])
            leftSpy.clear()
            style.padding.left = 4
            style.padding.left = 4
            compare(leftSpy.count, 1)

            // The style holds its data without owning it: a deleted object leaves the list.
            var held = Qt.createQmlObject("import QtQml 2.15; QtObject { objectName: 'held' }", root)
            var gone = Qt.createQmlObject("import QtQml 2.15; QtObject {}", root)
            style.data = [gone, held]
            gone.destroy()
            tryCompare(style.data, "length", 1)
            compare(style.data[0], held)
            held.destroy()
        }

        function test_stackAttached() {
            compare([page.Stack.index, page.Stack.status], [-1, Stack.Inactive])
            page.Stack.__index = 2
            page.Stack.__status = Stack.Active
            compare([page.Stack.index, page.Stack.status], [2, Stack.Active])
            var view = Qt.createQmlObject("import QtQuick 2.15; Item {}", root)
            page.Stack.__view = view
            compare(page.Stack.view, view)
            view.destroy()
            tryVerify(function () { return page.Stack.view === null })
        }

        function test_sizer_data() {
            return [
                { tag: "middle", max: 200, min: 20, size: 0.5, pos: 0.25, position: 50, length: 100 },
                { tag: "short handle", max: 200, min: 20, size: 0.05, pos: 0.5, position: 95, length: 20 },
                { tag: "pulled past start", max: 200, min: 20, size: 0.5, pos: -0.1, position: 0, length: 60 },
                { tag: "pulled past end", max: 200, min: 20, size: 0.5, pos: 0.8, position: 160, length: 40 }
            ]
        }

        function test_sizer(data) {
            sizer.maxPosition = data.max
            sizer.minSize = data.min
            sizer.sizeRatio = data.size
            sizer.positionRatio = data.pos
            compare([sizer.position, sizer.size], [data.position, data.length])
        }

        function test_sizerKeepsItsValuesForNaN() {
            test_sizer(test_sizer_data()[0])
            positionSpy.clear()
            ratioSpy.clear()
            sizer.sizeRatio = NaN
            sizer.sizeRatio = NaN
            compare(ratioSpy.count, 1)
            sizer.positionRatio = Infinity
            compare([sizer.position, sizer.size, positionSpy.count], [50, 100, 0])
        }

        function test_popupFromQml() {
            compare(popup.contentItem, popupContent)
            popup.popup()
            compare([popup.popupVisible, popup.width, popup.height], [true, 40, 120])
            popup.__closePopup()
            verify(!popup.popupVisible)
        }
    }
}
