// Start-up cost of the module. One page, written three times: without extra imports, importing
// "common" 1.0 (so the plugin loads and fills the engine's context), and importing
// QtQuick.Controls 2 for scale. Each round starts a fresh process per page, in turn, which
// creates the application, loads the page into a window and renders one frame. The medians of
// wall time, CPU time and peak resident memory are compared with the plain page.
//
//   startup_bench [rounds]
#include "benchfigure.h"

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
    struct Page
    {
        const char *name;
        const char *imports;
        QString path;
        std::vector<double> wall, cpu, memMiB;
    };
    Page pages[] = {
        { "page without the module", "import QtQuick 2.15\n", {}, {}, {}, {} },
        { "page with import common 1.0",
          "import QtQuick 2.15\nimport common 1.0\n",
          {},
          {},
          {},
          {} },
        { "page with import QtQuick.Controls 2",
          "import QtQuick 2.15\nimport QtQuick.Controls 2.15\n",
          {},
          {},
          {},
          {} },
    };
    for (Page &page : pages) {
        page.path = dir.filePath(QString::number(&page - pages) + QStringLiteral(".qml"));
        if (!dir.isValid() || !writePage(page.path, page.imports)) {
            std::fprintf(stderr, "startup_bench: cannot write the pages\n");
            return 1;
        }
    }
    // Controls 2 is only a yardstick: without its package the comparison is left out.
    const bool controls = [&] {
        Sample probe {};
        return runOnce(argv[0], pages[2].path, &probe);
    }();
    const int count = controls ? 3 : 2;

    for (int r = 0; r < rounds; ++r) {
        for (int p = 0; p < count; ++p) {
            Sample sample {};
            if (!runOnce(argv[0], pages[p].path, &sample)) {
                std::fprintf(stderr, "startup_bench: %s failed to load or render\n", pages[p].name);
                return 1;
            }
            pages[p].wall.push_back(sample.seconds * 1e3);
            pages[p].cpu.push_back(sample.cpuSeconds * 1e3);
            pages[p].memMiB.push_back(sample.maxRssKiB / 1024.0);
        }
    }

    std::printf("%d rounds, one fresh process per page and round; medians; baseline: %s\n", rounds,
                pages[0].name);
    const Page &plain = pages[0];
    for (int p = 1; p < count; ++p) {
        const QByteArray name(pages[p].name);
        printFigure((name + ": wall").constData(), median(pages[p].wall), median(plain.wall), "ms");
        printFigure((name + ": cpu").constData(), median(pages[p].cpu), median(plain.cpu), "ms");
        printFigure((name + ": peak RSS").constData(), median(pages[p].memMiB),
                    median(plain.memMiB), "MiB");
    }
    if (!controls)
        std::printf("QtQuick.Controls 2 is not installed: no comparison with it\n");
    const double ratio = median(pages[1].wall) / median(plain.wall);
    const double extra = median(pages[1].memMiB) - median(plain.memMiB);
    std::printf("module: wall %.2f x (limit 1.20), memory %+.1f MiB (limit +3.0): %s\n", ratio,
                extra, ratio <= 1.2 && extra <= 3.0 ? "within limits" : "OVER LIMITS");
    return 0;
}
