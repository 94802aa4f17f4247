#pragma once
// The program's English texts while an object of this class lives: its
// translation and the string table's, as the language command loads them.

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <optional>

#include "platform/StringTable.h"

class EnglishTexts {
public:
    EnglishTexts()
    {
        m_loaded = m_english.load(QStringLiteral("QLRESENU"), QStringLiteral(QL_BINARY_DIR_VALUE));
        if (!m_loaded)
            return;
        QCoreApplication::installTranslator(&m_english);
        m_previous = SetStringTranslator([](uint32_t, const std::string& german) {
            return QCoreApplication::translate("StringTable", german.c_str()).toStdString();
        });
    }
    ~EnglishTexts()
    {
        if (!m_loaded)
            return;
        SetStringTranslator(m_previous);
        QCoreApplication::removeTranslator(&m_english);
    }
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;
    bool IsLoaded() const { return m_loaded; }

private:
    QTranslator m_english;
    StringTranslator m_previous;
    bool m_loaded = false;
};

// Runs `body(english)` in German, then in English with the English texts
// loaded; the default locale is restored afterwards.
template <class Body>
void InEachLanguage(Body body)
{
    const QLocale language;
    for (const bool english : {false, true}) {
        std::optional<EnglishTexts> texts;
        if (english)
            texts.emplace();
        QLocale::setDefault(QLocale(english ? QLocale::English : QLocale::German));
        body(english);
    }
    QLocale::setDefault(language);
}
