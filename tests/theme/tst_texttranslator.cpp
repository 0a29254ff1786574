#include "texttranslator.h"

#include <QCoreApplication>
#include <QtTest>

namespace {

int warnings = 0;
QtMessageHandler previous = nullptr;

void countWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg)
        ++warnings;
    previous(type, context, text);
}

} // namespace

class TestTextTranslator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void systemLanguage();
    void switchesAndTranslates();
    void missingAndUnloadableFiles();

private:
    QTemporaryDir m_base;
    QString m_i18n;
};

void TestTextTranslator::initTestCase()
{
    // German is the sample translation; French is a file that is no translation; Korean is
    // missing.
    m_i18n = m_base.filePath(QStringLiteral("qml_4410/radnet_config/i18n/"));
    QVERIFY(QDir().mkpath(m_i18n));
    QVERIFY(QFile::copy(
        QStringLiteral(COMMON_SAMPLE_BASE_DIR "/qml_4410/radnet_config/i18n/lang_de.qm"),
        m_i18n + "lang_de.qm"));
    QFile french(m_i18n + "lang_fr.qm");
    QVERIFY(french.open(QIODevice::WriteOnly) && french.write("not a translation") > 0);
    french.close();
}

void TestTextTranslator::systemLanguage()
{
    // Run with the sample folder as base directory; LC_ALL gives the system language.
    const QString expected
        = qEnvironmentVariable("EXPECTED_SYSTEM_LANGUAGE", QStringLiteral("English"));
    warnings = 0;
    previous = qInstallMessageHandler(countWarnings);
    TextTranslator translator;
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, 0);
    QCOMPARE(translator.currentLanguage(), expected);
    QCOMPARE(translator.translate("ThemePage", "Pass"),
             expected == QLatin1String("German") ? QStringLiteral("Bestanden")
                                                 : QStringLiteral("Pass"));
}

void TestTextTranslator::switchesAndTranslates()
{
    qputenv("COMMON_BASE_DIR", m_base.path().toLocal8Bit());
    TextTranslator translator;
    QSignalSpy changed(&translator, &TextTranslator::languageChanged);
    translator.setLanguage("German");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(translator.currentLanguage(), QStringLiteral("German"));
    QCOMPARE(translator.translate("ThemePage", "Pass"), QStringLiteral("Bestanden"));
    // Installed in the application: qsTr and QCoreApplication::translate see it.
    QCOMPARE(QCoreApplication::translate("ThemePage", "Quality"), QStringLiteral("Qualität"));
    QCOMPARE(translator.translate("ThemePage", "no such text"), QStringLiteral("no such text"));
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
    QCOMPARE(translator.translate("ThemePage", "Pass"), QStringLiteral("Pass"));
    QCOMPARE(QCoreApplication::translate("ThemePage", "Quality"), QStringLiteral("Quality"));
    // Nothing to say while English is current.
    translator.selectLanguage(QLocale(QLocale::Italian));
    QCOMPARE(translator.currentLanguage(), QStringLiteral("English"));
}

void TestTextTranslator::missingAndUnloadableFiles()
{
    qputenv("COMMON_BASE_DIR", m_base.path().toLocal8Bit());
    TextTranslator translator;
    QSignalSpy changed(&translator, &TextTranslator::languageChanged);
    QTest::ignoreMessage(QtWarningMsg, qPrintable("qm file " + m_i18n + "lang_ko.qm not found."));
    translator.setLanguage("Korean");
    QCOMPARE(changed.count(), 0);
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
