import QtQuick 2.15
import QtTest 1.2
import common 1.0

// The host utilities as a page uses them: the context properties and the FileIO type.
TestCase {
    id: testCase
    name: "Util"

    FileIO { id: file }
    SignalSpy { id: finishedSpy; target: Process; signalName: "finished" }

    function runAndWait(command) {
        finishedSpy.clear()
        verify(Process.run(command))
        compare(Process.running, true)
        finishedSpy.wait()
        compare(Process.running, false)
        return Array.prototype.slice.call(finishedSpy.signalArguments[0])
    }

    function test_stopwatches() {
        hElapsedTimer.start("qml")
        verify(hElapsedTimer.elapsed("qml") >= 0)
        compare(hElapsedTimer.elapsed("never started"), -1)
        var created = null
        try {
            created = Qt.createQmlObject("import common 1.0; HElapsedTimer {}", testCase)
        } catch (e) {
            compare(e.qmlErrors[0].message, "Element is not creatable.")
        }
        compare(created, null)
    }

    function test_commandAndFiles() {
        Process.insertEnv("UTIL_QML_PROBE", "from QML")
        compare(Process.getEnvValue("UTIL_QML_PROBE"), "from QML")
        compare(runAndWait("printf %s \"$UTIL_QML_PROBE\""), [0, "from QML"])

        var dir = Process.getEnvValue("UTIL_QML_DIR") // a scratch folder of the build tree
        verify(dir.length > 0)
        file.source = dir + "/log.txt"
        verify(file.write("one\ntwo\nthree\n"))
        compare(file.readLastLines(2), "two\r\nthree")
        compare(file.read(0, 2), "one / two")
        compare(file.fileSize(), 14)
        compare(file.findLastFile(dir), "log.txt")
        verify(file.fileExists(file.source))
    }
}
