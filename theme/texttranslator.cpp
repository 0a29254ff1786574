#include "texttranslator.h"

#include "basedirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <QtDebug>

#include <unordered_map>

namespace {

// A locale's hash is its language, so that any country of a language finds its entry.
struct QLocaleTypeHash
{
    size_t operator()(const QLocale &locale) const { return size_t(locale.language()); }
};

QLocale languageLocale(QLocale::Language language)
{
    return QLocale(language, QLocale::AnyCountry);
}

// The supported languages and their files below the base directory.
const std::unordered_map<QLocale, QString, QLocaleTypeHash> &supportedLanguages()
{
    static const std::unordered_map<QLocale, QString, QLocaleTypeHash> table = {
        { languageLocale(QLocale::Korean), QStringLiteral("lang_ko.qm") },
        { languageLocale(QLocale::Chinese), QStringLiteral("lang_zh.qm") },
        { languageLocale(QLocale::Spanish), QStringLiteral("lang_es.qm") },
        { languageLocale(QLocale::Japanese), QStringLiteral("lang_ja.qm") },
        { languageLocale(QLocale::German), QStringLiteral("lang_de.qm") },
        { languageLocale(QLocale::French), QStringLiteral("lang_fr.qm") },
        { languageLocale(QLocale::Turkish), QStringLiteral("lang_tr.qm") },
    };
    return table;
}

struct NamedLanguage
{
    const char *name;
    QLocale::Language language;
};

// In the order `currentLanguage` compares them; Turkish is what remains.
const NamedLanguage namedLanguages[] = {
    { "English", QLocale::English },   { "Korean", QLocale::Korean },
    { "Chinese", QLocale::Chinese },   { "Spanish", QLocale::Spanish },
    { "Japanese", QLocale::Japanese }, { "German", QLocale::German },
    { "French", QLocale::French },     { "Turkish", QLocale::Turkish },
};

} // namespace

TextTranslator::TextTranslator(QObject *parent)
    : QObject(parent)
    , m_locale(languageLocale(QLocale::English))
    , m_translator(new QTranslator(this))
{
    selectLanguage(getSystemLang());
    if (QCoreApplication::instance()) {
        QCoreApplication::removeTranslator(m_translator);
        QCoreApplication::installTranslator(m_translator);
    }
}

// The translator is a child: it leaves the application's list when it is deleted.
TextTranslator::~TextTranslator() = default;

QString TextTranslator::translationFile(const QLocale &locale)
{
    const auto &table = supportedLanguages();
    const auto entry = table.find(locale);
    if (entry == table.end())
        return QString();
    return BaseDirectory::filePath(QStringLiteral("qml_4410/radnet_config/i18n/") + entry->second);
}

QLocale TextTranslator::getSystemLang()
{
    return languageLocale(QLocale::system().language());
}

void TextTranslator::selectLanguage(const QLocale &locale)
{
    const QString file = translationFile(locale);
    if (locale != languageLocale(QLocale::English) && locale != m_locale && !file.isEmpty()) {
        if (!QFile::exists(file)) {
            qWarning("qm file %s not found.", file.toLocal8Bit().constData());
            return;
        }
        m_loaded = m_translator->load(file, QString(), QString(), QString());
        if (!m_loaded)
            qWarning("translation file could not be loaded!");
        if (QCoreApplication::instance()) {
            // Once in the application's list, however often the language switches.
            QCoreApplication::removeTranslator(m_translator);
            QCoreApplication::installTranslator(m_translator);
        }
        m_locale = locale;
        emit languageChanged();
        return;
    }
    if (m_locale == languageLocale(QLocale::English))
        return;
    qWarning() << "Language:" << locale << "not supported";
}

void TextTranslator::setLanguage(const QString &contryName)
{
    QLocale locale;
    for (const NamedLanguage &entry : namedLanguages) {
        if (contryName == QLatin1String(entry.name)) {
            locale = languageLocale(entry.language);
            break;
        }
    }
    if (contryName != QLatin1String("English")) {
        selectLanguage(locale);
        return;
    }
    if (QCoreApplication::instance())
        QCoreApplication::removeTranslator(m_translator);
    m_locale = languageLocale(QLocale::English);
    m_loaded = false;
    emit languageChanged();
}

QString TextTranslator::currentLanguage()
{
    for (const NamedLanguage &entry : namedLanguages) {
        if (m_locale == languageLocale(entry.language))
            return QLatin1String(entry.name);
    }
    return QStringLiteral("Turkish");
}

QString TextTranslator::translate(const QString &context, const QString &text)
{
    if (!m_loaded || text.isEmpty())
        return text;
    const QString translated = m_translator->translate(context.toUtf8().constData(),
                                                       text.toUtf8().constData(), nullptr, -1);
    return translated.isEmpty() ? text : translated;
}
