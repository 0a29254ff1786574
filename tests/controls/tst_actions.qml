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

        function test_groupStartsWithDeclaredCheckedMemberAndTriggeringMovesTheCheck() {
            compare([modes.current, am.exclusiveGroup], [ssb, modes])
            currentSpy.clear()
            am.trigger()
            compare([modes.current, am.checked, ssb.checked], [am, true, false])
            fm.trigger()
            // Triggering the checked member keeps it checked.
            fm.trigger()
            compare([modes.current, am.checked, fm.checked, currentSpy.count], [fm, false, true, 2])
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
