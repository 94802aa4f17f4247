#include "logic/CReadyInput.h"

#include <algorithm>
#include <iterator>

#include "logic/LogicIds.h"
#include "model/BlockWalk.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CReadyInput, 3)

QL_STRING_TABLE({
    {34282, "READYINP"},
    {32805, "Name"},
    {34244, "ID"},
    {34243, "Pegel"},
    {logicid::TitleMasked, "Maskiert"},
    {logicid::TitleNumber, "Nr"},
    {32809, "Text"},
    {34477, "ON"},
    {34235, "OFF"},
});

CReadyInput::CReadyInput()
{
    m_type = OT_READY_INPUT;
}

CReadyInput::~CReadyInput() = default;

const CBaseDevice* CReadyInput::Pad() const
{
    const LinkRecord* r = GetOutLinkAtKey(0);
    return r && r->HasPartner() ? r->partner : nullptr;
}

std::string CReadyInput::GetValueText(int key) const
{
    const auto* pad = dynamic_cast<const CControlPad*>(Pad());
    switch (key) {
    case Contact:
        if (Pad())
            return Pad()->GetName();
        return m_untakenIndex != 0 ? StrFormat("%d *", m_untakenIndex) : std::string();
    case Function: {
        const std::string keyword = pad ? pad->GetKeyword() : m_untakenIndex != 0 ? m_keyword : std::string();
        return keyword.empty() ? "OFF" : keyword;
    }
    case Index: return StrFormat("%d", GetValue(Index));
    case Level: return m_level ? "ON" : "OFF";
    case Masked: return m_masked ? "ON" : "OFF";
    case TextNumber: return StrFormat("%d", m_textNumber);
    case DeviceNumber: return StrFormat("%d", m_deviceNumber);
    default: return {};
    }
}

int32_t CReadyInput::GetValue(int key) const
{
    switch (key) {
    case Index: {
        const auto* pad = dynamic_cast<const CControlPad*>(Pad());
        return pad ? pad->GetSignalIndex() : m_untakenIndex != 0 ? m_untakenIndex : 1;
    }
    case Level: return m_level;
    case Masked: return m_masked;
    case TextNumber: return m_textNumber;
    case DeviceNumber: return m_deviceNumber;
    default: return 0;
    }
}

void CReadyInput::SetValue(int key, int32_t value, const std::string* diffFile)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case Contact:
        m_untakenIndex = 0;
        if (value == GetLinkedNumber(0))
            return;
        RemoveOutLinksAtKey(0);
        if (value != 0)
            if (CBaseDevice* pad = FindNumbered(m_pDocument, OT_CONTROL_PAD, value))
                LinkTo(0, pad, 2);
        return;
    case Index: {
        if (!m_pDocument)
            return;
        // The function the device gave just before (else the one stored).
        const std::string keyword = m_readKeyword.empty() ? m_keyword : m_readKeyword;
        DeviceList pads;
        m_pDocument->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
        for (CBaseDevice* p : pads) {
            const auto* pad = dynamic_cast<const CControlPad*>(p);
            if (pad && pad->MatchesKeyword(keyword, value)) {
                SetValue(Contact, pad->GetNumber());
                return;
            }
        }
        // The contact the design has stays; without one the device's index
        // is kept (once reported, the same index again is no difference).
        if (m_untakenIndex != 0 && value == m_untakenIndex)
            return;
        if (diffFile && !diffFile->empty())
            AppendErrLine(*diffFile, LoadStringId(kKindId), m_number, "Label " + keyword + StrFormat(" %d", value));
        if (!Pad())
            m_untakenIndex = value;
        return;
    }
    case Level: m_level = value; return;
    case Masked: m_masked = value; return;
    case TextNumber: m_textNumber = value; return;
    case DeviceNumber: m_deviceNumber = value; return;
    default: return;
    }
}

void CReadyInput::SetValueText(int key, const std::string& text)
{
    const ChangeGuard guard(*this);
    int v = 0;
    if (key == Function) {
        m_readKeyword = text;
        // The function of the contact the input holds, read back again,
        // changes nothing, not even the word stored for an untaken index.
        if (const auto* pad = dynamic_cast<const CControlPad*>(Pad()); pad && text == pad->GetKeyword())
            return;
        if (text != m_keyword)
            m_untakenIndex = 0;  // it belonged to the function before
        m_keyword = text;
    }
    else if (key == TextNumber && ReadBlockInt(text, v))
        m_textNumber = std::clamp(v, 1, kTextNumbers);
    else if (key == DeviceNumber && ReadBlockInt(text, v))
        m_deviceNumber = std::clamp(v, 0, 255);
}

void CReadyInput::PutBackFunction(const FunctionHeld& held)
{
    const ChangeGuard guard(*this);
    m_keyword = held.keyword;
    m_readKeyword = held.readKeyword;
    m_untakenIndex = held.untakenIndex;
}

int CReadyInput::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (const char* t : {"Name", "ID", "Input"})
            texts.push_back(t);
        for (uint32_t id : {logicid::TitleLevel, logicid::TitleMasked})
            texts.push_back(LoadStringId(id));
        texts.push_back("Text");
        texts.push_back(LoadStringId(logicid::TitleNumber));
        texts.push_back("Status");
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int key : {Contact, Level, Masked, TextNumber, DeviceNumber})
            texts.push_back(GetValueText(key));
        texts.push_back({});
    }
    return static_cast<int>(texts.size());
}

int CReadyInput::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kColumns[] = {{2, 0}, {40, 0}, {50, 0}, {90, 0}, {115, 0}, {140, 0}, {155, 0}, {170, 0}};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

void CReadyInput::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_keyword << static_cast<uint32_t>(m_untakenIndex) << m_levelText << m_levelText << m_maskText << m_spare << m_deviceNumber
           << m_textNumber << m_level << m_masked;
        return;
    }
    uint32_t untaken = 0;
    ar >> m_keyword >> untaken >> m_levelText >> m_levelText >> m_maskText >> m_spare >> m_deviceNumber;
    m_untakenIndex = static_cast<int32_t>(untaken);
    if (m_loadedSchema >= 2)
        ar >> m_textNumber;
    if (m_loadedSchema >= 3) {
        ar >> m_level >> m_masked;
    } else {
        m_level = m_levelText == "ON" ? 1 : 0;
        m_masked = m_maskText == "ON" ? 1 : 0;
    }
}
