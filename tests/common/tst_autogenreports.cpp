// Run once per value of AUTOGEN_REPORTS (see CMakeLists.txt); EXPECTED_AUTOGEN says what the
// engine's "autogenReports" must be: true, false, or undefined when the variable is unset.
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

class TestAutogenReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contextPropertyFollowsVariable()
    {
        const QByteArray expected = qgetenv("EXPECTED_AUTOGEN");
        QVERIFY2(!expected.isEmpty(), "EXPECTED_AUTOGEN must be set");

        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(COMMON_QML_IMPORT_DIR));
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport common 1.0\nQtObject {\n"
                          "  property string kind: typeof autogenReports\n"
                          "  property var value: kind === 'undefined' ? null : autogenReports\n"
                          "}",
                          QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));

        QCOMPARE(object->property("kind").toString(),
                 QString(expected == "undefined" ? "undefined" : "boolean"));
        QCOMPARE(object->property("value"),
                 expected == "undefined" ? QVariant::fromValue(nullptr)
                                         : QVariant(expected == "true"));
    }
};

QTEST_MAIN(TestAutogenReports)
#include "tst_autogenreports.moc"
