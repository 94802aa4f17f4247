#pragma once
// The MDI area writes a maximised window's title into the main window's
// ("<main title> - [<window title>]"). The main window's title names the
// project in front already ("QUILLOMER Designer - <project>"), so this
// translation keeps that form as it is. Installed after the language's own
// translations, so that it is asked first.

#include <QTranslator>

class CTitleFormTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override;
};
