#pragma once

#include <QLocale>
#include <QObject>
#include <QString>

class QTranslator;

// The interface language: English (built in) or one of the languages whose translation file
// lies in the instrument's base directory. Pages translate with `translate` or qsTr and
// re-evaluate on `languageChanged()`.
class TextTranslator : public QObject
{
    Q_OBJECT
public:
    explicit TextTranslator(QObject *parent = nullptr);
    ~TextTranslator() override;

    Q_INVOKABLE QString translate(const QString &context, const QString &text);
    Q_INVOKABLE QLocale getSystemLang();
    Q_INVOKABLE void setLanguage(const QString &contryName);
    Q_INVOKABLE QString currentLanguage();

    void selectLanguage(const QLocale &locale);
    // The translation file of `locale`; empty for a language without one.
    static QString translationFile(const QLocale &locale);

Q_SIGNALS:
    void languageChanged();

private:
    QLocale m_locale;
    QTranslator *m_translator;
    bool m_loaded = false;
};
