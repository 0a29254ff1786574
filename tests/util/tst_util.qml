import QtQuick 2.15
import QtTest 1.2
import common 1.0

// The host utilities as a page uses them: the context properties and the FileIO type.
TestCase {
    id: testCase
    name: "Util"

    FileIO { id: file }
    SignalSpy { id: finishedSpy; target: Process; signalName: "finished" }

    function test_stopwatches() {
        hElapsedTimer.start("qml")
        verify(hElapsedTimer.elapsed("qml") >= 0)
        var error = ""
        try { Qt.createQmlObject("import common 1.0; HElapsedTimer {}", testCase) }
        catch (e) { error = e.qmlErrors[0].message }
        compare(error, "Element is not creatable.")
    }

    function test_commandAndFiles() {
        Process.insertEnv("UTIL_QML_PROBE", "from QML")
        compare(Process.getEnvValue("UTIL_QML_PROBE"), "from QML")
        verify(Process.run("printf %s \"$UTIL_QML_PROBE\""))
        verify(Process.running)
        finishedSpy.wait()
        compare([finishedSpy.signalArguments[0][0], finishedSpy.signalArguments[0][1], Process.running],
                [0, "from QML", false])

        var dir = Process.getEnvValue("UTIL_QML_DIR") // a scratch folder of the build tree
        file.source = dir + "/log.txt"
        verify(file.write("one\ntwo\nthree\n"))
        compare([file.readLastLines(2), file.read(0, 2), file.fileSize()], ["two\r\nthree", "one / two", 14])
        compare(file.findLastFile(dir), "log.txt")
    }
}
