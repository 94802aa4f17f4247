#include "audio/CAudioSignal.h"

#include <algorithm>

#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

#include "audio/AudioIds.h"
#include "audio/AudioText.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CConsKey.h"
#include "paging/CConsProp.h"
#include "paging/CConsole.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAudioSignal, 2)

CAudioSignal::CAudioSignal()
{
    m_type = OT_AUDIO_SIGNAL;
}

void CAudioSignal::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring())
        ar << m_priority;
    else
        ar >> m_priority;
}

int CAudioSignal::PostLoad()
{
    // A priority the editor's signals cannot take becomes 1, as typing it
    // would; a key or a message device's macros that take a signal's
    // priority over then get none beyond theirs. The value names the
    // priority itself: it has no line of its own.
    const bool editorKind =
        m_kindId == signalkind::Alarm || m_kindId == signalkind::Chime || m_kindId == signalkind::Message;
    if (editorKind && (m_priority < 1 || m_priority > 10)) {
        const std::string file = StrFormat("Prio %d", m_priority);
        m_priority = 1;
        NoteHeldOnLoad(m_name, file, "Prio 1", true);
    }
    // A message number the upload would refuse is not sent either: the
    // signal plays no message, as a new one.
    if (m_type == OT_MESSAGE_SIGNAL)
        RefuseLoaded<int32_t>(m_messageNumber, 0, INT32_MAX, 0,
                              "/" + m_path + StrFormat("%d", m_number) + "/INTERN", true);
    return CBaseDevice::PostLoad();
}

std::string CAudioSignal::GetValue(uint32_t key) const
{
    switch (key & 0xFFFF) {
    case signalkey::Priority:
        return StrFormat("%d", m_priority);
    case signalkey::MessageNumber:
        return StrFormat("%d", m_messageNumber);
    default:
        return {};
    }
}

bool CAudioSignal::SetValue(uint32_t key, const std::string& text)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case signalkey::Priority: {
        m_priority = audiotext::LeadingInt(text);
        const bool editorKind = m_kindId == signalkind::Alarm || m_kindId == signalkind::Chime ||
                                m_kindId == signalkind::Message;
        if (editorKind && (m_priority < 1 || m_priority > 10))
            m_priority = 1;
        return true;
    }
    case signalkey::MessageNumber:
        m_messageNumber = audiotext::ScanInt(text).value_or(0);
        return true;
    default:
        return false;
    }
}

int32_t CAudioSignal::GetMacroNumber(int32_t key) const
{
    for (const LinkRecord* rec : m_outLinks) {
        if (rec->ownKey == key && rec->HasPartner() && rec->partnerCategory == CAT_MACRO)
            return rec->partner->GetNumber();
    }
    return -1;
}

// ---------------------------------------------------------------- protocol

namespace {
constexpr int kSignalSteps = 3;

bool IsGeneratorType(uint32_t type)
{
    return type == OT_ALARM || type == OT_GONG || type == OT_MESSAGE;
}

void ReportParserError()
{
    ShowMessage(LoadStringId(audioid::ParserError), mb::Ok | mb::IconExclamation);
}
}  // namespace

std::string CAudioSignal::SendSignalLine(int step, bool shorten, bool query)
{
    std::string line = "/" + m_path + StrFormat("%d", m_number) + "/";
    std::string key;
    std::string value = "OFF";
    switch (step) {
    case 0:
        key = "INTERN";
        if (m_type == OT_MESSAGE_SIGNAL) {
            value = StrFormat("%d", m_messageNumber);
        } else if (m_type == OT_ALARM_SIGNAL || m_type == OT_CHIME_SIGNAL) {
            const uint32_t generator = m_type == OT_ALARM_SIGNAL ? OT_ALARM : OT_GONG;
            for (const LinkRecord* rec : m_inLinks) {
                if (rec->HasPartner() && rec->partner->GetType() == generator) {
                    value = StrFormat("%d", rec->partner->GetNumber());
                    break;
                }
            }
        }
        break;
    case 1:
    case 2: {
        key = step == 1 ? "MACRO_START" : "MACRO_STOP";
        const int32_t macro = GetMacroNumber(step - 1);
        if (macro != -1)
            value = StrFormat("%d", macro);
        break;
    }
    default:
        break;
    }
    line += key;
    line += query ? " ?" : " " + value;
    ::SendCommand(line, m_pDocument ? m_pDocument : GetActiveDoc(), shorten);
    return line;
}

int CAudioSignal::GetDownloadLines(int mode, int step)
{
    // Signals of older kinds have no protocol path: they cannot be addressed.
    if (m_path.empty())
        return 0;
    if (step == -1)
        return kSignalSteps;
    if (step < 0 || step >= kSignalSteps)
        return kSignalSteps;
    if (IsOutBufferFull())
        return step;
    SendSignalLine(step, false, mode != 0);
    return step + 1;
}

bool CAudioSignal::TakeGenerator(const std::string& kindWord, uint32_t generatorType, int32_t number)
{
    CBaseDevice* generator = nullptr;
    if (number != 0) {
        const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
        // A number the directory cannot hold names no generator.
        if (doc && doc->GetIDManager().IsValidID(number, generatorType))
            generator = doc->GetIDManager().GetBaseDevice(number, generatorType);
        if (!generator) {
            ShowMessage(StrFormat(LoadStringId(audioid::BaseSignalMissing).c_str(), kindWord.c_str(), number),
                        mb::Ok | mb::IconExclamation);
            return false;
        }
    }
    // Only the generator's link goes: macros that play this signal link in at
    // the same key and stay.
    std::vector<LinkRecord> generatorLinks;
    for (const LinkRecord* rec : m_inLinks) {
        if (rec->HasPartner() && IsGeneratorType(rec->partner->GetType()))
            generatorLinks.push_back(*rec);
    }
    // The generator it plays already stays linked as it is: a new link
    // marks the project modified, and reading back what the project holds is
    // no change.
    if (generator && generatorLinks.size() == 1 && generatorLinks.front().partner == generator &&
        generatorLinks.front().ownKey == 0 && generatorLinks.front().partnerKey == 0)
        return true;
    for (const LinkRecord& rec : generatorLinks)
        UnlinkIn(rec);
    if (generator)
        generator->LinkTo(0, this, 0);
    return true;
}

bool CAudioSignal::TakeMacro(int32_t key, int32_t number)
{
    CBaseDevice* macro = nullptr;
    if (number != 0) {
        const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
        if (doc && doc->GetIDManager().IsValidID(number, OT_MACRO))
            macro = doc->GetIDManager().GetBaseDevice(number, OT_MACRO);
        if (!macro) {
            const uint32_t text = key == 0 ? audioid::StartMacroMissing : audioid::StopMacroMissing;
            ShowMessage(StrFormat(LoadStringId(text).c_str(), number), mb::Ok | mb::IconExclamation);
            return false;
        }
    }
    if (macro && GetOutLinkAtKey(key) && GetOutLinkAtKey(key)->partner == macro && GetLinkedNumber(key) == number &&
        std::count_if(m_outLinks.begin(), m_outLinks.end(), [key](const LinkRecord* r) { return r->ownKey == key; }) == 1)
        return true;  // the macro it has already
    RemoveOutLinksAtKey(key);
    if (macro)
        LinkTo(key, macro, 0);
    return true;
}

void CAudioSignal::ParseUploadLines(std::string line, const std::string& /*diffFileName*/, int /*linkState*/)
{
    // "EVENT/ALARM2/INTERN 1": the kind word follows "EVENT/".
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (value == "?")
        return;  // an echoed query
    constexpr size_t kKindAt = 6;
    const std::string kindWord =
        path.size() > kKindAt ? path.substr(kKindAt, path.find_first_of("0123456789/", kKindAt) - kKindAt)
                              : std::string();
    uint32_t generatorType = 0;
    if (kindWord == "ALARM")
        generatorType = OT_ALARM;
    else if (kindWord == "CHIME")
        generatorType = OT_GONG;
    else if (kindWord == "MESSAGE")
        generatorType = OT_MESSAGE;
    const size_t slash = path.rfind('/');
    if (generatorType == 0 || slash == std::string::npos) {
        ReportParserError();
        return;
    }
    const std::string key = path.substr(slash + 1);

    int32_t number = 0;
    if (value != "OFF") {
        // Only a whole number standing alone is one: "5a" or "1e40" is not 5 or 1.
        const std::optional<long> read = ScanWholeNumber(value, 0, INT32_MAX);
        if (value.empty() || !std::isdigit(static_cast<unsigned char>(value[0])) || !read) {
            ReportParserError();
            return;
        }
        number = static_cast<int32_t>(*read);
    }

    if (key == "INTERN") {
        if (m_type == OT_MESSAGE_SIGNAL)
            m_messageNumber = number;
        else
            TakeGenerator(kindWord, generatorType, number);
    } else if (key == "MACRO_START") {
        TakeMacro(0, number);
    } else if (key == "MACRO_STOP") {
        TakeMacro(1, number);
    } else {
        ReportParserError();
    }
}

int CAudioSignal::OnCommand(uint32_t commandId)
{
    // Console keys hold their signals by number too: none keeps this one's.
    if (commandId == objcmd::Delete && m_pDocument)
        for (CBaseDevice* obj : m_pDocument->GetList(CAT_CONSOLE))
            if (auto* console = dynamic_cast<CConsole*>(obj))
                for (CConsKey* key : console->GetProp().GetAllKeys())
                    key->ForgetSignal(*this);
    return CBaseDevice::OnCommand(commandId);
}
