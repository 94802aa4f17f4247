#pragma once
// A zone ("Linie"): one loudspeaker line of the installation. It is made by
// the relay topology that feeds it (its outgoing key 0 goes to one of the
// topology's incoming keys), takes up to four line relays (keys 1..4), a
// priority-call relay (key 11) and a control relay (key 12), and holds the
// line-test settings of its line.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CRelais;

// The values a zone gives as texts (and partly takes).
namespace zoneattr {
enum : int {
    Output = 0,
    Relay = 1,
    PrioType = 2,
    PrioRelay = 3,
    ControlType = 4,
    ControlRelay = 5,
    LanGroup = 6,
    AmpChannel = 7,
    AmpChannelText = 8,
    Ignore = 9,
    PosTol = 10,
    NegTol = 11,
    IgnoreText = 17,
    TestVolume = 18,
};
}

class CZone : public CBaseDevice {
    QL_DECLARE_SERIAL(CZone)
public:
    static constexpr uint32_t kKind = 32802;        // "Linie"
    static constexpr uint32_t kBitmap = 212;
    // The picture at the top and the name beside it: the symbol then fits in
    // the 35 units a relay topology gives each of its zones, so that stacked
    // zones neither hide one another's names nor write over the picture above.
    static constexpr uint32_t kStyle = symstyle::BitmapAtTop | symstyle::WideRight;
    static constexpr uint32_t kContextMenu = 215;
    static constexpr int32_t kMaxZones = 100;
    static constexpr int32_t kPrioKey = 11;
    static constexpr int32_t kControlKey = 12;
    static constexpr int32_t kCollCallKey = 10;
    // The line test's ranges: the tolerances in percent, the test volume in dB.
    static constexpr int32_t kMaxTolerance = 100;
    static constexpr int32_t kMinTestVolume = -78;
    static constexpr int32_t kMaxTestVolume = 0;

    CZone();

    void Serialize(CArchive& ar) override;
    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    int PostLoad() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    int GetDownloadLines(int mode, int step) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    std::string GetListText() override;

    std::string GetAttributeText(int attribute) const;
    int32_t SetAttribute(int attribute, int32_t value);
    void SetAttributeText(int attribute, const std::string& text);
    // Appends the faults that can be ignored (string ids) for the column
    // titled 34600; the list's count.
    static int GetIgnoreChoices(uint32_t columnTitleId, std::vector<uint32_t>* list);
    // The ignored faults as the bit mask SetAttribute(Ignore) takes.
    uint32_t GetIgnoreMask() const;
    // The system-wide amplifier channel that feeds the zone, or 0.
    int32_t GetAmpChannel() const;

    // ---- relays ----
    // The relay with that number (its bank of five made when missing), given the kind.
    CRelais* GetOrCreateRelais(int32_t number, uint32_t kindId, bool firstFamily);
    // Links the first free line relay from `start` up at `key`; the number used + 1.
    int32_t AttachNextFreeLineRelay(int32_t start, int32_t key);
    // Gives the zone exactly `count` line relays of the kind (keys 1..count).
    void SetLineRelayCount(uint32_t kindId, int32_t count);

    // How the zone's properties dialog runs (installed by the windows); true on OK.
    using DialogFn = bool (*)(CBaseDevice* object);
    static DialogFn SetDialog(DialogFn fn);

    int32_t m_negTolerance = 0;       // 0..100 ("/TEST/NEGTOL")
    int32_t m_posTolerance = 0;       // 0..100 ("/TEST/POSTOL")
    int32_t m_testVolume = -20;       // -78..0 ("/TESTVOL")
    std::string m_ignoredFaults = "NONE";  // "/TEST/IGNORE"
    // Relay tables of files from before the relay objects (schemas 0 and 1).
    std::vector<uint32_t> m_oldRelays;
    std::vector<uint32_t> m_oldRelays2;

private:
    std::string ChainOutputText() const;
    std::string RelayText() const;
    std::string SpecialRelayText(int32_t key) const;
    std::string SpecialTypeText(int32_t key) const;
    std::string LanGroupText() const;
    void AddGroup();
    void AddLanGroup();
    bool HasLanGroup() const;
    void DeleteZone();
    // Makes the key of every console numbered like the zone a selection key
    // for it, unless that key already has a link.
    void OfferToConsoles();
};
