// The converter as QML pages use it: the "setupConverter" context object of the module.
import QtQuick 2.0
import QtTest 1.2
import common 1.0

TestCase {
    name: "SetupConverterQml"

    function localPath(name) {
        return Qt.resolvedUrl(name).toString().replace(/^file:\/\//, "")
    }

    function readText(name) {
        var request = new XMLHttpRequest()
        request.open("GET", Qt.resolvedUrl(name), false)
        request.send(null)
        return request.responseText
    }

    function test_convertsInPlace() {
        var original = readText("v3_setup.stav")
        verify(original.indexOf("\"DocumentVersion\": \"V3\"") >= 0)
        compare(setupConverter.convertSetup(localPath("v3_setup.stav")), true)
        compare(readText("v3_setup.stav"), readText("v3_setup.expected"))
        compare(readText("v3_setup.stav-backup"), original)
        // A second call finds V7 and leaves everything alone.
        compare(setupConverter.convertSetup(localPath("v3_setup.stav")), true)
        compare(readText("v3_setup.stav-backup"), original)
    }

    function test_failuresAreFalse() {
        compare(setupConverter.convertSetup(localPath("v7_current.stav")), true)
        compare(setupConverter.convertSetup(localPath("absent.stav")), false)
        compare(setupConverter.convertSetup(localPath("tst_setupconverter.qml")), false)
        compare(setupConverter.convertSetup(""), false)
    }

    function test_onlyConvertSetupIsPublished() {
        compare(typeof setupConverter.convertSetup, "function")
        compare(typeof setupConverter.parseLine, "undefined")
        compare(typeof setupConverter.convertSetupV3toV4, "undefined")
    }
}
