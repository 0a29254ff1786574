import QtQuick 2.15
import QtTest 1.2
import common 1.0

Item {
    id: root
    width: 200
    height: 200

    ActionBase {
        id: save
        text: "&Save"
        shortcut: "Ctrl+S"
    }

    ExclusiveGroup {
        id: modes
        ActionBase { id: am; text: "AM"; checkable: true }
        ActionBase { id: fm; text: "FM"; checkable: true }
        ActionBase { id: ssb; text: "SSB"; checkable: true; checked: true }
    }

    SignalSpy { id: saveSpy; target: save; signalName: "triggered" }
    SignalSpy { id: currentSpy; target: modes; signalName: "currentChanged" }

    TestCase {
        name: "Actions"
        when: windowShown

        function test_groupStartsWithDeclaredCheckedMember() {
            compare(modes.current, ssb)
            compare(am.exclusiveGroup, modes)
        }

        function test_triggeringMovesTheCheck() {
            currentSpy.clear()
            am.trigger()
            compare(modes.current, am)
            verify(am.checked)
            verify(!ssb.checked)
            fm.trigger()
            compare(modes.current, fm)
            verify(!am.checked)
            // Triggering the checked member keeps it checked.
            fm.trigger()
            verify(fm.checked)
            compare(currentSpy.count, 2)
        }

        function test_shortcutAndMnemonicFire() {
            saveSpy.clear()
            keyClick(Qt.Key_S, Qt.ControlModifier)
            compare(saveSpy.count, 1)
            keyClick(Qt.Key_S, Qt.AltModifier)
            compare(saveSpy.count, 2)
            save.enabled = false
            keyClick(Qt.Key_S, Qt.ControlModifier)
            compare(saveSpy.count, 2)
            save.enabled = true
        }

    }
}
