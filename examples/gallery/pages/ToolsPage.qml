import QtQuick 2.15
import common 1.0
import ".."

// Host utilities: a log file written and followed through FileIO, a shell command run in the
// background with a busy indicator, and a named stopwatch timing it.
Item {
    id: page

    property string folder: ""          // made with mktemp, removed when the page goes
    property bool makingFolder: false
    property var logLines: []
    property string result: ""
    property real runSeconds: 0
    readonly property string stopwatch: "tools command"

    function log(text) {
        var lines = logLines
        lines.push(Qt.formatTime(new Date(), "hh:mm:ss.zzz") + "  " + text)
        if (lines.length > 200)
            lines.shift()
        logLines = lines
        if (!logFile.write(lines.join("\n") + "\n"))
            result = "cannot write " + logFile.source
    }

    function runCommand() {
        hElapsedTimer.start(stopwatch)
        if (Process.run(command.text)) {
            log("started: " + command.text)
            result = ""
        }
    }

    FileIO { id: logFile }
    FileIO {
        id: logView
        source: logFile.source
        onError: page.result = msg
    }

    Connections {
        target: Process
        function onFinished(exitCode, output) {
            if (page.makingFolder) {
                page.makingFolder = false
                page.folder = output.trim()
                logFile.source = page.folder + "/tools.log"
                page.log("log file created")
                page.runCommand()
                return
            }
            page.runSeconds = hElapsedTimer.elapsed(page.stopwatch) / 1000
            hElapsedTimer.logElapsed("Gallery command", page.stopwatch)
            page.log("finished: exit code " + exitCode + " after " + page.runSeconds.toFixed(2) + " s")
            page.result = "exit code " + exitCode + " after " + page.runSeconds.toFixed(2) + " s\n"
                    + output.split("\n").slice(0, 4).join("\n")
        }
    }

    Component.onCompleted: {
        makingFolder = true
        Process.run("mktemp -d -t common-gallery.XXXXXX")
    }
    Component.onDestruction: {
        if (Process.running)
            Process.stop()
        if (folder !== "")
            Process.start("rm -rf '" + folder + "'")
    }

    Timer {
        interval: 1000
        repeat: true
        running: page.folder !== ""
        property int beat: 0
        onTriggered: page.log("heartbeat " + (++beat))
    }
    Timer {
        id: refresh
        interval: 250
        repeat: true
        running: page.folder !== ""
        triggeredOnStart: true
        property string lastLines: ""
        onTriggered: {
            lastLines = logView.readLastLines(9).split("\r\n").join("\n")
            if (Process.running)
                page.runSeconds = hElapsedTimer.elapsed(page.stopwatch) / 1000
        }
    }

    ActionBase {
        id: runAction
        text: "&Run"
        enabled: page.folder !== "" && !Process.running
        onTriggered: page.runCommand()
    }
    ActionBase {
        id: stopAction
        text: "&Stop"
        enabled: Process.running
        onTriggered: Process.stop()
    }

    Column {
        anchors.fill: parent
        spacing: 12

        Text { text: "Log file, last lines"; color: "#8fc1ff"; font.pixelSize: 18 }
        Text {
            text: logFile.source !== "" ? logFile.source : "making a folder..."
            color: "#b4b4b4"
            font.pixelSize: 12
        }
        Rectangle {
            width: parent.width
            height: 190
            color: "#111111"
            border.color: "#3c3c3c"
            Text {
                anchors.fill: parent
                anchors.margins: 8
                text: refresh.lastLines
                color: "#d0d0d0"
                font.family: "DejaVu Sans Mono"
                font.pixelSize: 13
                elide: Text.ElideRight
            }
        }

        Text { text: "Shell command"; color: "#8fc1ff"; font.pixelSize: 18 }
        Rectangle {
            width: parent.width
            height: 36
            color: "#2a2a2a"
            border.color: command.activeFocus ? "#2f7fd8" : "#6e6e6e"
            TextInput {
                id: command
                anchors.fill: parent
                anchors.margins: 8
                text: "sleep 1; uname -sr"
                color: "white"
                font.family: "DejaVu Sans Mono"
                font.pixelSize: 14
                clip: true
                onAccepted: if (runAction.enabled) runAction.trigger()
            }
        }
        Row {
            spacing: 12
            ActionButton { action: runAction }
            ActionButton { action: stopAction }
            Item {
                id: busy
                width: 40
                height: 40
                visible: Process.running
                Repeater {
                    model: 8
                    Rectangle {
                        width: 6
                        height: 6
                        radius: 3
                        color: "#8fc1ff"
                        opacity: 0.2 + 0.8 * index / 7
                        x: busy.width / 2 - 3 + 13 * Math.cos(index * Math.PI / 4)
                        y: busy.height / 2 - 3 + 13 * Math.sin(index * Math.PI / 4)
                    }
                }
                RotationAnimator on rotation {
                    from: 0
                    to: 360
                    duration: 1000
                    loops: Animation.Infinite
                    running: busy.visible
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "stopwatch \"" + page.stopwatch + "\": " + page.runSeconds.toFixed(2) + " s"
                color: "white"
                font.pixelSize: 15
            }
        }
        Text {
            width: parent.width
            text: page.result
            color: "#d0d0d0"
            font.family: "DejaVu Sans Mono"
            font.pixelSize: 13
            wrapMode: Text.Wrap
        }
    }
}
