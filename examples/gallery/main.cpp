// The gallery of the module: one page per subsystem. With a display it shows the pages in a
// window; without one (or with --offscreen) it renders every page to a PNG file and prints the
// files' paths.
#include "displayprobe.h"
#include "pagerenderer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickWindow>

#include <cstdio>

namespace {

int qmlWarnings = 0;
QtMessageHandler previousHandler = nullptr;

// console.warn/console.error of a page count as page warnings too.
void countScriptWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg && context.category
        && (qstrcmp(context.category, "qml") == 0 || qstrcmp(context.category, "js") == 0))
        ++qmlWarnings;
    previousHandler(type, context, text);
}

QStringList galleryPages()
{
    QStringList pages;
    const QStringList files
        = QDir(QStringLiteral(":/gallery/pages"))
              .entryList({ QStringLiteral("*Page.qml") }, QDir::Files, QDir::Name);
    for (const QString &file : files)
        pages.append(file.chopped(int(sizeof("Page.qml") - 1)));
    return pages;
}

bool argumentGiven(int argc, char *argv[], const char *name)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], name) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // Decided before the application picks its platform.
    const bool offscreen = argumentGiven(argc, argv, "--offscreen")
        || (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !displayUsable());
    if (offscreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Offscreen and minimal platforms have no OpenGL, however they were chosen.
    if (platformNeedsSoftwareRendering() && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    const bool rendering = offscreen || platformNeedsSoftwareRendering();
    // The theme's icons and the sample translation come from the build, not the instrument.
    if (qEnvironmentVariableIsEmpty("COMMON_BASE_DIR"))
        qputenv("COMMON_BASE_DIR", COMMON_SAMPLE_BASE_DIR);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the QML module \"common\"."));
    parser.addHelpOption();
    parser.addOption(
        { QStringLiteral("offscreen"),
          QStringLiteral("Render every page to a PNG file instead of showing them.") });
    parser.addOption({ QStringLiteral("output-dir"),
                       QStringLiteral("Folder for the rendered pages."), QStringLiteral("dir"),
                       QDir::temp().filePath(QStringLiteral("common-gallery")) });
    parser.addOption({ QStringLiteral("page"), QStringLiteral("Show or render only this page."),
                       QStringLiteral("name") });
    parser.addOption({ QStringLiteral("strict"),
                       QStringLiteral("Fail when a page logs a QML error or warning.") });
    parser.addOption({ QStringLiteral("import"),
                       QStringLiteral("QML import path holding the module (default: the build's)."),
                       QStringLiteral("dir"), QStringLiteral(COMMON_QML_IMPORT_DIR) });
    parser.process(app);

    QStringList pages = galleryPages();
    if (parser.isSet(QStringLiteral("page"))) {
        const QString page = parser.value(QStringLiteral("page"));
        if (!pages.contains(page)) {
            std::fprintf(stderr, "gallery: no page %s (pages: %s)\n", qPrintable(page),
                         qPrintable(pages.join(QStringLiteral(", "))));
            return 2;
        }
        pages = QStringList(page);
    }

    previousHandler = qInstallMessageHandler(countScriptWarnings);
    QQmlApplicationEngine engine;
    QObject::connect(&engine, &QQmlEngine::warnings, &engine,
                     [](const QList<QQmlError> &warnings) { qmlWarnings += warnings.size(); });
    engine.addImportPath(parser.value(QStringLiteral("import")));
    engine.rootContext()->setContextProperty(QStringLiteral("galleryPages"), pages);
    // The gallery's window has a "screen" property of its own, which hides the module's
    // "screen" from the pages inside it; they find the module's object as "moduleScreen".
    QQmlComponent module(&engine);
    module.setData("import QtQml 2.15\nimport common 1.0\nQtObject {}", QUrl());
    delete module.create();
    engine.rootContext()->setContextProperty(
        QStringLiteral("moduleScreen"),
        engine.rootContext()->contextProperty(QStringLiteral("screen")));
    engine.load(QUrl(QStringLiteral("qrc:/gallery/main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window)
        return 1;
    if (!rendering)
        return app.exec();

    PageRenderer renderer(window, pages, parser.value(QStringLiteral("output-dir")));
    QObject::connect(&renderer, &PageRenderer::finished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    renderer.start();
    app.exec();
    if (parser.isSet(QStringLiteral("strict")) && qmlWarnings > 0) {
        std::fprintf(stderr, "gallery: %d QML warning(s)\n", qmlWarnings);
        return 1;
    }
    return renderer.failed() || renderer.writtenFiles().isEmpty() ? 1 : 0;
}
