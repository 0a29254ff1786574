#include "uidatacontainer.h"

#include <QApplication>
#include <QPointer>
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
    void enginesShareScreenAndWindowState();
    void enginesOwnTheirServiceObjects();
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
    QVERIFY(container && container == UiDataContainer::s_dcInstance);
    QCOMPARE(b->property("container").value<QObject *>(), container);

    // The first engine going away must not take the shared container with it.
    a.reset();
    first.reset();
    QCOMPARE(UiDataContainer::s_dcInstance, container);
    QCOMPARE(container->metaObject()->className(), "UiDataContainer");
    auto c = create(*second, body);
    QCOMPARE(c->property("container").value<QObject *>(), container);
}

void TestPlugin::enginesShareScreenAndWindowState()
{
    auto first = newEngine();
    auto second = newEngine();
    QVERIFY(create(*first, "QtObject {}") && create(*second, "QtObject {}"));
    for (const char *name : { "screen", "platformWindow" }) {
        QObject *shared = first->rootContext()->contextProperty(name).value<QObject *>();
        QVERIFY2(shared, name);
        QCOMPARE(second->rootContext()->contextProperty(name).value<QObject *>(), shared);
        QVERIFY2(!shared->parent(), name);
    }
    // The theme maps are per engine as their themes are.
    QVERIFY(first->rootContext()->contextProperty("systemFont")
            != second->rootContext()->contextProperty("systemFont"));
}

void TestPlugin::enginesOwnTheirServiceObjects()
{
    const QStringList perEngine
        = QStringLiteral(
              "hMath hElapsedTimer Process meterScale setupConverter metricPrefixConversion "
              "unitPrefixes theme hTheme SizeGlobal textTranslator")
              .split(' ');
    const QByteArray body = "QtObject { property string level: hMath.getdBmToUnit(\"W\", 30, "
                            "true, 2); property var prefixes: metricPrefixConversion }";
    std::unique_ptr<QQmlEngine> engines[3];
    std::unique_ptr<QObject> pages[3];
    QList<QPointer<QObject>> objects[3];
    for (int i = 0; i < 3; ++i) {
        engines[i] = newEngine();
        pages[i] = create(*engines[i], body);
        QVERIFY(pages[i]);
        for (const QString &name : perEngine) {
            QObject *object = engines[i]->rootContext()->contextProperty(name).value<QObject *>();
            QVERIFY2(object, qPrintable(name));
            QCOMPARE(object->parent(), engines[i].get());
            for (int j = 0; j < i; ++j)
                QVERIFY2(!objects[j].contains(object), qPrintable(name));
            objects[i].append(object);
        }
    }

    // Destroying the middle engine takes its objects along and leaves its siblings' alone.
    pages[1].reset();
    engines[1].reset();
    for (const QPointer<QObject> &object : qAsConst(objects[1]))
        QVERIFY(object.isNull());
    for (int i : { 0, 2 }) {
        for (const QPointer<QObject> &object : qAsConst(objects[i]))
            QVERIFY(!object.isNull());
        auto page = create(*engines[i], body);
        QVERIFY(page);
        QCOMPARE(page->property("level").toString(), QStringLiteral("1.00 W"));
    }
    // The other engines go at the end of the scope, while the plugin that watched them stays.
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
