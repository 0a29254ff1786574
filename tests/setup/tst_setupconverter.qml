// The converter as QML pages use it: the "setupConverter" context object of the module.
import QtQuick 2.0
import QtTest 1.2
import common 1.0

TestCase {
    name: "SetupConverterQml"

    function convert(name) {
        return setupConverter.convertSetup(Qt.resolvedUrl(name).toString().replace(/^file:\/\//, ""))
    }

    function readText(name) {
        var request = new XMLHttpRequest()
        request.open("GET", Qt.resolvedUrl(name), false)
        request.send(null)
        return request.responseText
    }

    function test_convertsInPlace() {
        var original = readText("v3_setup.stav")
        // A second call finds V7 and leaves everything alone.
        for (var i = 0; i < 2; ++i) {
            compare(convert("v3_setup.stav"), true)
            compare(readText("v3_setup.stav"), readText("v3_setup.expected"))
            compare(readText("v3_setup.stav-backup"), original)
        }
    }

    function test_failuresAreFalse() {
        compare(convert("v7_current.stav"), true)
        compare(convert("absent.stav"), false)
        compare(convert("tst_setupconverter.qml"), false)
        compare(setupConverter.convertSetup(""), false)
        // Only convertSetup is published.
        compare(typeof setupConverter.parseLine, "undefined")
        compare(typeof setupConverter.convertSetupV3toV4, "undefined")
    }
}
