// Shows the gallery page in a window, or renders it to a PNG when there is no display.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

namespace {

bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    // Decide before the application picks its platform.
    bool offscreen = !hasDisplay() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        offscreen = offscreen || qstrcmp(argv[i], "--offscreen") == 0;
    if (offscreen) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
            qputenv("QT_QUICK_BACKEND", "software");
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the QML module \"common\"."));
    parser.addHelpOption();
    parser.addOption({ QStringLiteral("offscreen"),
                       QStringLiteral("Render the page to a PNG file instead of showing it.") });
    parser.addOption({ QStringLiteral("output"), QStringLiteral("PNG file to write."),
                       QStringLiteral("file"),
                       QDir::temp().filePath(QStringLiteral("common-gallery.png")) });
    parser.addOption({ QStringLiteral("import"),
                       QStringLiteral("QML import path holding the module (default: the build's)."),
                       QStringLiteral("dir"), QStringLiteral(COMMON_QML_IMPORT_DIR) });
    parser.process(app);

    QQmlApplicationEngine engine;
    engine.addImportPath(parser.value(QStringLiteral("import")));
    engine.load(QUrl(QStringLiteral("qrc:/gallery/main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window)
        return 1;
    if (!offscreen)
        return app.exec();

    // Render the page once into an image and save it.
    const QString output = parser.value(QStringLiteral("output"));
    int status = 1;
    QTimer::singleShot(300, &app, [&] {
        QSharedPointer<QQuickItemGrabResult> grab = window->contentItem()->grabToImage();
        if (!grab) {
            app.quit();
            return;
        }
        QObject::connect(grab.data(), &QQuickItemGrabResult::ready, &app, [&, grab] {
            if (!grab->image().save(output, "PNG")) {
                std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(output));
            } else {
                std::printf("%s\n", qPrintable(QFileInfo(output).absoluteFilePath()));
                status = 0;
            }
            app.quit();
        });
    });
    app.exec();
    return status;
}
