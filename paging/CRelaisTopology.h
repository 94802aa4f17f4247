#pragma once
// A relay topology: hangs on one amplifier channel (its outgoing key 0 goes
// to the amplifier's incoming key of that channel) and switches it onto its
// zones (zone i is linked to the topology's incoming key i). The kind is the
// switching scheme.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

namespace topologykind {
enum : uint32_t {
    Direct = 33032,       // "Direkt"
    OneInN = 33033,       // "1 in N"
    NInOne = 33034,       // "N in 1"
    ProgramCall = 33070,  // "Programm/Ruf"
};
}

class CRelais;
class CZone;

class CRelaisTopology : public CBaseDevice {
    QL_DECLARE_SERIAL(CRelaisTopology)
public:
    static constexpr uint32_t kContextMenu = 236;
    static constexpr int32_t kZoneHeight = 35;  // symbol height per output

    CRelaisTopology();
    ~CRelaisTopology() override;

    void Serialize(CArchive& ar) override;
    int PostLoad() override;
    // Changes the scheme and the number of zones (m_zoneCount, set before).
    void SetKindId(uint32_t kindId) override;
    // 33001 deletes the topology with its zones; 33002 opens the dialog.
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    int GetDownloadLines(int mode, int step) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    using CBaseDevice::Create;
    // Places the symbol 150 units right of the given point and makes one zone
    // per output; 0 (message 32773) when the zones would exceed the limit.
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;

    // Gives every zone the line relays of the scheme; start < 0 fixes the
    // counts only, start >= 0 renumbers from start.
    void AssignRelais(int32_t start);
    // The relay with that number (its bank of five made when missing), given the kind.
    CRelais* FindOrCreateRelais(int32_t number, uint32_t kindId, bool firstTable);
    // The zones at the incoming keys, in key order.
    std::vector<CZone*> GetZones() const;
    // Line relays per zone of a scheme (0, 1, 4, 2); inputs of a scheme.
    static int32_t RelaysPerZone(uint32_t kindId);
    static int32_t InputsOfKind(uint32_t kindId);

    // How the relay topology dialog runs (installed by the windows); true on OK.
    using DialogFn = bool (*)(CRelaisTopology* topology);
    static DialogFn SetDialog(DialogFn fn);
    // Runs the dialog for this topology; false when none is installed or it was cancelled.
    bool RunDialog();

    int32_t m_zoneCount = 0;         // wanted number of zones (outputs), 1..100
    int32_t m_relayFunction = 0;     // index into the relay function table (older form)
    int32_t m_collCallNumber = 0;    // 1..10 when the topology is a collective call
    int32_t m_reserved = 0;
    int32_t m_firstRelay = 0;        // first line relay of the last numbering (not stored)
    int32_t m_firstCallRelay = 0;    // first call relay of a "Programm/Ruf" numbering (not stored)
    std::vector<uint32_t> m_relayList;   // older form: relay codes
    std::vector<uint32_t> m_secondList;  // older form: read, not used

private:
    void MakeZone(int32_t output);
    void UpgradeOlderForm();
    std::string ZonesText() const;
};
