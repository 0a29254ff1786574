#include "uidatacontainer.h"

#include <QApplication>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<QQmlEngine> newEngine()
{
    auto engine = std::make_unique<QQmlEngine>();
    engine->addImportPath(QStringLiteral(COMMON_QML_IMPORT_DIR));
    return engine;
}

// Creates `body` inside a file that imports the module; null and the errors on failure.
std::unique_ptr<QObject> create(QQmlEngine &engine, const QByteArray &body,
                                QString *errors = nullptr)
{
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.15\nimport common 1.0\nimport common.sim 1.0\n" + body,
                      QUrl(QStringLiteral("file:///test.qml")));
    std::unique_ptr<QObject> object(component.create());
    if (errors)
        *errors = component.errorString();
    return object;
}

} // namespace

class TestPlugin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initializeEngineLogsBeginAndEnd();
    void enginesShareOneDataContainer();
    void enginesGetTheirOwnServiceObjects();
    void scriptResourcesAreRegistered();
    void widgetsApplicationGetsSteadyCursorAndDoubleClick();
};

void TestPlugin::initializeEngineLogsBeginAndEnd()
{
    const QRegularExpression begin(
        QStringLiteral("^GuiPlugin begin initialize engine: \\S*guiplugin\\.cpp:\\d+$"));
    const QRegularExpression end(
        QStringLiteral("^GuiPlugin end initialize engine: \\S*guiplugin\\.cpp:\\d+$"));
    QTest::ignoreMessage(QtDebugMsg, begin);
    QTest::ignoreMessage(QtDebugMsg, end);
    auto engine = newEngine();
    QVERIFY(create(*engine, "QtObject {}"));
}

void TestPlugin::enginesShareOneDataContainer()
{
    auto first = newEngine();
    auto second = newEngine();
    const QByteArray body = "QtObject { property QtObject container: UiDataContainer }";
    auto a = create(*first, body);
    auto b = create(*second, body);
    QVERIFY(a && b);
    auto *container = a->property("container").value<QObject *>();
    QVERIFY(container);
    QCOMPARE(container, UiDataContainer::s_dcInstance);
    QCOMPARE(b->property("container").value<QObject *>(), container);

    // The first engine going away must not take the shared container with it.
    a.reset();
    first.reset();
    QCOMPARE(UiDataContainer::s_dcInstance, container);
    QCOMPARE(container->metaObject()->className(), "UiDataContainer");
    auto c = create(*second, body);
    QCOMPARE(c->property("container").value<QObject *>(), container);
}

void TestPlugin::enginesGetTheirOwnServiceObjects()
{
    auto first = newEngine();
    auto second = newEngine();
    QVERIFY(create(*first, "QtObject {}"));
    QVERIFY(create(*second, "QtObject {}"));

    // The service objects are per engine; the screen and window state are process-wide.
    const QStringList shared = { QStringLiteral("screen"), QStringLiteral("platformWindow") };
    const QStringList perEngine
        = { QStringLiteral("hMath"), QStringLiteral("meterScale"), QStringLiteral("setupConverter"),
            QStringLiteral("metricPrefixConversion"), QStringLiteral("unitPrefixes") };
    for (const QString &name : perEngine) {
        QObject *a = first->rootContext()->contextProperty(name).value<QObject *>();
        QObject *b = second->rootContext()->contextProperty(name).value<QObject *>();
        QVERIFY2(a && b, qPrintable(name));
        QVERIFY2(a != b, qPrintable(name));
    }
    for (const QString &name : shared) {
        QObject *a = first->rootContext()->contextProperty(name).value<QObject *>();
        QObject *b = second->rootContext()->contextProperty(name).value<QObject *>();
        QCOMPARE(a, b);
    }
}

void TestPlugin::scriptResourcesAreRegistered()
{
    auto engine = newEngine();
    // Loading the plugin registers the scripts at the resource root.
    QVERIFY(create(*engine, "QtObject {}"));
    QVERIFY(QFile::exists(QStringLiteral(":/Utils.js")));
    QVERIFY(QFile::exists(QStringLiteral(":/UIConstants.js")));
}

void TestPlugin::widgetsApplicationGetsSteadyCursorAndDoubleClick()
{
    // This test runs in a QApplication (the test links widgets).
    QVERIFY(qobject_cast<QApplication *>(QCoreApplication::instance()));
    QApplication::setCursorFlashTime(1000);
    QApplication::setDoubleClickInterval(400);
    auto engine = newEngine();
    QVERIFY(create(*engine, "QtObject {}"));
    QCOMPARE(QApplication::cursorFlashTime(), 0);
    QCOMPARE(QApplication::doubleClickInterval(), 325);
}

QTEST_MAIN(TestPlugin)
#include "tst_plugin.moc"
