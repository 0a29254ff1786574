#include "texttranslator.h"

#include <QCoreApplication>
#include <QtTest>

namespace {

int warnings = 0;
QtMessageHandler previous = nullptr;

void countWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    warnings += type == QtWarningMsg;
    previous(type, context, text);
}

} // namespace

class TestTextTranslator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void systemLanguage();
    void switchesAndTranslates();
    void missingAndUnloadableFiles();
};

void TestTextTranslator::systemLanguage()
{
    // Run with the sample base directory; LC_ALL gives the system language.
    const QString expected = qEnvironmentVariable("EXPECTED_SYSTEM_LANGUAGE", "English");
    previous = qInstallMessageHandler(countWarnings);
    TextTranslator translator;
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, 0);
    QCOMPARE(translator.currentLanguage(), expected);
    QCOMPARE(translator.translate("ThemePage", "Pass"),
             QLatin1String(expected == "German" ? "Bestanden" : "Pass"));
}

void TestTextTranslator::switchesAndTranslates()
{
    TextTranslator translator;
    QSignalSpy changed(&translator, &TextTranslator::languageChanged);
    translator.setLanguage("German");
    QCOMPARE(translator.translate("ThemePage", "Pass"), QStringLiteral("Bestanden"));
    // Installed in the application: qsTr and QCoreApplication::translate see it.
    QCOMPARE(QCoreApplication::translate("ThemePage", "Quality"), QStringLiteral("Qualität"));
    QCOMPARE(translator.translate("Elsewhere", "Pass"), QStringLiteral("Pass"));
    QCOMPARE(translator.translate("ThemePage", QString()), QString());

    // The current language again, or a name in the wrong case (the default locale, C here).
    QTest::ignoreMessage(QtWarningMsg, "Language: QLocale(German, Latin, Germany) not supported");
    translator.setLanguage("German");
    QTest::ignoreMessage(QtWarningMsg, "Language: QLocale(C, Default, Default) not supported");
    translator.setLanguage("german");
    QCOMPARE(changed.count(), 1);

    translator.setLanguage("English");
    translator.setLanguage("English");
    QCOMPARE(changed.count(), 3);
    QCOMPARE(translator.currentLanguage(), QStringLiteral("English"));
    QCOMPARE(QCoreApplication::translate("ThemePage", "Quality"), QStringLiteral("Quality"));
}

void TestTextTranslator::missingAndUnloadableFiles()
{
    // The sample German file; French is a file that is no translation; Korean is missing.
    QTemporaryDir base;
    const QString i18n = base.filePath("qml_4410/radnet_config/i18n/");
    QVERIFY(QDir().mkpath(i18n));
    QVERIFY(QFile::copy(qEnvironmentVariable("COMMON_BASE_DIR")
                            + "/qml_4410/radnet_config/i18n/lang_de.qm",
                        i18n + "lang_de.qm"));
    QFile french(i18n + "lang_fr.qm");
    QVERIFY(french.open(QIODevice::WriteOnly) && french.write("not a translation") > 0);
    french.close();
    qputenv("COMMON_BASE_DIR", base.path().toLocal8Bit());

    TextTranslator translator;
    QSignalSpy changed(&translator, &TextTranslator::languageChanged);
    QTest::ignoreMessage(QtWarningMsg, qPrintable("qm file " + i18n + "lang_ko.qm not found."));
    translator.setLanguage("Korean");
    QCOMPARE(translator.currentLanguage(), QStringLiteral("English"));
    // Switched all the same, translating nothing.
    translator.setLanguage("German");
    QTest::ignoreMessage(QtWarningMsg, "translation file could not be loaded!");
    translator.setLanguage("French");
    QCOMPARE(changed.count(), 2);
    QCOMPARE(translator.currentLanguage(), QStringLiteral("French"));
    QCOMPARE(translator.translate("ThemePage", "Pass"), QStringLiteral("Pass"));
    QCOMPARE(QCoreApplication::translate("ThemePage", "Pass"), QStringLiteral("Pass"));
}

QTEST_GUILESS_MAIN(TestTextTranslator)
#include "tst_texttranslator.moc"
