#include "ui/CRefusalWatch.h"

#include <QTimer>

#include "comm/CCommLink.h"
#include "comm/LinkRefusal.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {CRefusalWatch::kSettingRefused,
     "Das Gerät hat '%s' nicht angenommen. Das Fenster zeigt wieder, was das Gerät hält."},
});

CRefusalWatch::CRefusalWatch(QWidget* window, std::vector<std::string> prefixes, TurnBack turnBack)
    : QObject(window), m_window(window), m_prefixes(std::move(prefixes)), m_turnBack(std::move(turnBack))
{
    CCommLink* link = GetCommLink();
    if (!link)
        return;
    connect(link, &CCommLink::LineRefused, this, [this](const LinkRefusal& refusal) {
        // Whose it is is decided as it comes: a transfer that holds the link
        // now tells its own refusals, also once it has ended.
        if (!Watches(refusal))
            return;
        // The reaction waits until the link has handed out the lines at
        // hand, so that the question it asks does not enter the link while
        // it receives.
        QTimer::singleShot(0, this, [this, refusal] { React(refusal); });
    });
}

std::string CRefusalWatch::RefusedText(const std::string& sent)
{
    return StrFormat(LoadStringId(kSettingRefused).c_str(), sent.c_str());
}

bool CRefusalWatch::Watches(const LinkRefusal& refusal) const
{
    // A question the device cannot answer (a poll of a key it lacks) turns
    // nothing back and is no news to the user.
    if (refusal.query || TransferHoldsLink())
        return false;
    for (const std::string& prefix : m_prefixes)
        if (refusal.SamePath(prefix))
            return true;
    return false;
}

void CRefusalWatch::React(const LinkRefusal& refusal)
{
    if (!m_window)
        return;
    if (m_turnBack && !m_turnBack(refusal))
        return;
    // One word for what the user did: not while he reads it, nor for lines
    // he sent before he read it.
    if (m_telling || (m_told && m_sends == m_sendsWhenTold))
        return;
    m_telling = true;
    const QPointer<CRefusalWatch> alive(this);
    ShowMessage(RefusedText(refusal.sent), mb::Ok | mb::IconExclamation);
    if (!alive)
        return;
    m_telling = false;
    m_told = true;
    m_sendsWhenTold = m_sends;
}
