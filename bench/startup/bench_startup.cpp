// Start-up cost of the module. One page, written twice: once importing "common" 1.0 (so the
// plugin loads and fills the engine's context) and once without that line. Each round starts a
// fresh process per page, alternately, which creates the application, loads the page into a
// window and renders one frame. The medians of wall time and peak resident memory are compared.
//
//   startup_bench [rounds]
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

namespace {

// A small measurement page: what an application shows first.
const char pageBody[] = R"(
Rectangle {
    width: 480; height: 320; color: "#202020"
    Column {
        anchors.fill: parent; anchors.margins: 12; spacing: 6
        Text { text: "RF level"; color: "white"; font.pixelSize: 18 }
        Repeater {
            model: 8
            Row {
                spacing: 10
                Rectangle { width: 16; height: 16; radius: 8; color: index % 2 ? "green" : "red" }
                Text { text: "Channel " + index; color: "white"; font.pixelSize: 14 }
                Text { text: (-20.5 - index).toFixed(2) + " dBm"; color: "#b4b4b4" }
            }
        }
    }
}
)";

int runChild(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QQuickView view;
    view.engine()->addImportPath(QString::fromLocal8Bit(argv[3]));
    view.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2])));
    if (view.status() != QQuickView::Ready)
        return 1;
    // Done when the first frame is on the screen; a page that never renders fails.
    QObject::connect(&view, &QQuickWindow::frameSwapped, &app, [] { QCoreApplication::exit(0); });
    QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(1); });
    view.show();
    return app.exec();
}

struct Sample
{
    double seconds; // wall time from start to exit
    double cpuSeconds; // user and system time of the process
    long maxRssKiB;
};

bool runOnce(const char *self, const QString &page, Sample *sample)
{
    const QByteArray pagePath = page.toLocal8Bit();
    char childFlag[] = "--child";
    char importDir[] = COMMON_QML_IMPORT_DIR;
    char *args[] = { const_cast<char *>(self), childFlag, const_cast<char *>(pagePath.constData()),
                     importDir, nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    timespec start {};
    timespec end {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    clock_gettime(CLOCK_MONOTONIC, &end);
    sample->seconds = double(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) * 1e-9;
    sample->cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    sample->maxRssKiB = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template<typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool writePage(const QString &path, const char *imports)
{
    FILE *file = std::fopen(path.toLocal8Bit().constData(), "w");
    if (!file)
        return false;
    std::fputs(imports, file);
    std::fputs(pageBody, file);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);

    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    // The same environment as the tests: no display, software rendering, the sample base folder.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_QUICK_BACKEND", "software", 0);
    setenv("COMMON_BASE_DIR", COMMON_SAMPLE_BASE_DIR, 0);

    QTemporaryDir dir;
    const QString withModule = dir.filePath(QStringLiteral("with_module.qml"));
    const QString without = dir.filePath(QStringLiteral("without_module.qml"));
    if (!dir.isValid() || !writePage(withModule, "import QtQuick 2.15\nimport common 1.0\n")
        || !writePage(without, "import QtQuick 2.15\n")) {
        std::fprintf(stderr, "startup_bench: cannot write the pages\n");
        return 1;
    }

    std::vector<double> timeWith, timeWithout, cpuWith, cpuWithout;
    std::vector<long> memWith, memWithout;
    for (int r = 0; r < rounds; ++r) {
        Sample a {};
        Sample b {};
        if (!runOnce(argv[0], without, &b) || !runOnce(argv[0], withModule, &a)) {
            std::fprintf(stderr, "startup_bench: a page failed to load or render\n");
            return 1;
        }
        timeWithout.push_back(b.seconds);
        cpuWithout.push_back(b.cpuSeconds);
        cpuWith.push_back(a.cpuSeconds);
        memWithout.push_back(b.maxRssKiB);
        timeWith.push_back(a.seconds);
        memWith.push_back(a.maxRssKiB);
    }

    const double tWith = median(timeWith);
    const double tWithout = median(timeWithout);
    const double cWith = median(cpuWith);
    const double cWithout = median(cpuWithout);
    const double mWith = median(memWith) / 1024.0;
    const double mWithout = median(memWithout) / 1024.0;
    const double ratio = tWith / tWithout;
    const double extra = mWith - mWithout;
    std::printf("%d rounds, one fresh process per page and round; medians\n", rounds);
    std::printf("%-28s %8s %8s %10s\n", "", "wall", "cpu", "peak RSS");
    std::printf("%-28s %5.1f ms %5.1f ms %6.1f MiB\n", "page without the module", tWithout * 1e3,
                cWithout * 1e3, mWithout);
    std::printf("%-28s %5.1f ms %5.1f ms %6.1f MiB\n", "page with import common 1.0", tWith * 1e3,
                cWith * 1e3, mWith);
    std::printf("ratio wall %.2f, cpu %.2f (limit 1.20); memory %+.1f MiB (limit +3.0): %s\n",
                ratio, cWith / cWithout, extra,
                ratio <= 1.2 && extra <= 3.0 ? "within limits" : "OVER LIMITS");
    return 0;
}
