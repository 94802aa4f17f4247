#pragma once
// What a live window does when the device refuses a setting it sent: the
// device answers a line it does not take with "PATH VALUE ? ". For the
// settings sent under the window's paths the window turns its control back to
// what the device holds (and asks the device), and the user is told once, in
// the window's own words: a refusal that follows while he reads it, or that
// belongs to lines sent before he read it (the rest of a slider's drag), and
// a refused poll stay silent until he sets something again.
//
// A transfer that holds the link tells its refusals itself.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct LinkRefusal;

class CRefusalWatch : public QObject {
    Q_OBJECT
public:
    // `turnBack` gets each refusal of a setting under one of `prefixes`
    // (letters compared without case), once the received lines at hand have
    // been handled; it runs before the user is told, and returns false for
    // a line that was not the window's (nothing is told then).
    using TurnBack = std::function<bool(const LinkRefusal&)>;
    CRefusalWatch(QWidget* window, std::vector<std::string> prefixes, TurnBack turnBack);

    // The window sends a setting: a refusal after this one is told again.
    void Sending() { ++m_sends; }
    // The paths watched (a window whose paths follow what it shows).
    void SetPrefixes(std::vector<std::string> prefixes) { m_prefixes = std::move(prefixes); }

    // The text the user is told for a refused line.
    static std::string RefusedText(const std::string& sent);
    static constexpr unsigned kSettingRefused = 35124;  // and "%s" the line the device did not take

private:
    bool Watches(const LinkRefusal& refusal) const;
    void React(const LinkRefusal& refusal);

    QPointer<QWidget> m_window;
    std::vector<std::string> m_prefixes;
    TurnBack m_turnBack;
    uint64_t m_sends = 0;
    bool m_told = false;
    uint64_t m_sendsWhenTold = 0;  // the sends counted when the user closed the last word
    bool m_telling = false;
};
