#pragma once
// One paging console: a microphone station with a key field, fitted to an
// audio input of the central device. It holds its settings and keys
// (CConsProp), up to 31 group slots, and writes and reads the "/CONS/ADRn"
// protocol lines of its settings, groups and keys.
//
// Key targets are outgoing links of the console: the first target of key k
// at own key k (a group target carries its group slot in the high 16 bits),
// the second at 65536 - k.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"
#include "paging/CConsKey.h"
#include "paging/CConsProp.h"

class CConsKey;

namespace conscmd {
enum : uint32_t {
    Delete = 33001,
    Properties = 33002,
};
}

class CConsole : public CBaseDevice {
    QL_DECLARE_SERIAL(CConsole)
public:
    // A key's link names the key ("/CONS/ADR1/KEY3") for its first or second target.
    std::string GetHeldItem(int32_t ownKey) const override;
    static constexpr int32_t kMaxConsoles = 16;
    static constexpr int kGroupSlots = 31;   // slot 0 and the slots 1..30
    static constexpr int kParamSteps = 12;
    static constexpr uint32_t kBitmap = 239;
    // The name beside the picture: the line to the audio input leaves the
    // middle of the picture's bottom and runs 8 units below it, which is where
    // a name under the picture would stand.
    static constexpr uint32_t kStyle = symstyle::BitmapAtTop | symstyle::WideRight;

    CConsole();

    void Serialize(CArchive& ar) override;
    int InitObject() override;
    int PostLoad() override;
    void LayoutConnectionPoints() override;
    void CalcBoundingRect() override;
    void OnContextMenu(CPoint point) override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    int GetDownloadLines(int mode, int step) override;
    using CBaseDevice::AvoidOverlap;
    void AvoidOverlap() override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;
    // Places a new console symbol (top raised by 8) clear of its neighbours.
    virtual int CreateSymbol(uint32_t model, int32_t left, int32_t top, int32_t right, int32_t bottom,
                             CQuillomerDoc* doc);

    // Programs fixed keys first..last as SEL keys on zones line, line+1, ...
    // (last below first: every key, after all key links are removed), then
    // resets the programmable keys to their defaults.
    void ProgramKeyRange(int first, int last, int line);
    // Gives `target` this console's key assignment; the target's keys that
    // are copied lose their own links first.
    void CopyKeysTo(CConsole* target);
    // Switches off every console key whose target is `target` (a zone or a
    // group that goes), which also takes the key's links away: such a key is
    // shown unprogrammed and is sent as that.
    static void SwitchOffKeysSelecting(const CBaseDevice& target);
    // The group whose zones are exactly the numbers of a range text; null when none.
    CBaseDevice* FindGroupByZoneSet(const std::string& text) const;
    // Builds, sends and returns one parameter line (key: slot << 16 | code).
    std::string WriteParamLine(uint32_t key, bool query);
    // The value a download sends for a setting (not a group slot).
    std::string ParamValueText(int32_t code) const;
    // The value a download sends for group slot `slot`: the zones of its group, "0" without one.
    std::string GroupSlotText(int slot) const;
    // Model and EXT check after loading or changing the model.
    void SetupModel();
    // Settings of a loaded file the console cannot hold as its answers are
    // held (a priority beyond its range, a word index it has no word for)
    // are refused: they become what a new console has, named by the document.
    void HoldLoadedSettings();
    // Bit 0: a TALKEXT key exists; bit 1: an AUX key exists.
    int CheckExtKeys(bool hasExtension, bool testOnly);
    int32_t GetAddress() const { return GetNumber(); }
    // The audio input 0..3 the console is fitted to; -1 when it is not fitted.
    int32_t GetInputIndex() const;

    CConsProp& GetProp() { return m_prop; }
    const CConsProp& GetProp() const { return m_prop; }

    // The group of slot 0..30 (slot 0: the document's group 0); null when empty.
    CBaseDevice* GetGroupSlot(int slot) const;
    void SetGroupSlot(int slot, CBaseDevice* group);
    // The document's group number 0.
    CBaseDevice* GetGroupZero() const;
    // The group a GROUP line sends for a slot: group 0 for slot 0, else the
    // group linked with the slot in the high word of a key's own link key.
    CBaseDevice* GetLinkedGroupOfSlot(int slot) const;

    // Removes the links of key `keyNumber` (first and second target) at both
    // ends; `places` (when given) takes where they stood.
    void RemoveKeyLinks(int32_t keyNumber, std::vector<KeyLinkPlace>* places = nullptr);
    // Links the console at `ownKey` to `target` (the mirror at a partner that
    // is neither the console nor the no-target marker), at the place such a
    // link had among `places`, else at the end.
    void AddKeyLink(int32_t ownKey, CBaseDevice* target, int32_t category, std::vector<KeyLinkPlace>& places);
    // Re-reads the links into the keys' targets (working copies reset from
    // the stored values); returns the number of keys that target a group.
    int RefreshKeys();
    // Rewrites the console's links from the keys' targets and the keys'
    // values from their targets. Groups get one slot number each, at most
    // 30: with more, nothing changes and false is returned (`error` says why).
    bool RebuildKeyLinks(std::string* error = nullptr);
    // Every key DISABLED, every link of the keys gone.
    void ClearKeys();

    // How the settings sheet is opened (installed by the windows).
    using PropertiesOpener = void (*)(CConsole* console);
    static PropertiesOpener SetPropertiesOpener(PropertiesOpener opener);

    // Set by a "CONSOLE NOT CONNECTED" answer: the rest of the running
    // console download is skipped. Shared by all consoles.
    static bool s_downloadStop;

private:
    void EnterConsolePath();

    CConsProp m_prop;
    std::array<CBaseDevice*, kGroupSlots> m_groupSlots{};
};
