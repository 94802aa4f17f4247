#pragma once
// The virtual-controller table "/VIRTCTRL": for every source and destination
// of the device the number of the controller (1..40) it is linked to, 0 for
// none. One object per project; the controllers themselves are CVirtCtrlItem
// objects of the document.

#include <cstdint>
#include <string>
#include <vector>

#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"

class CVirtCtrlItem;

class CVirtCtrl : public CBaseDevice {
    QL_DECLARE_SERIAL(CVirtCtrl)
public:
    static constexpr uint32_t kKindId = 34365;  // "Virtueller Controller"
    static constexpr int kControllers = 40;

    // The endpoints of the controllers.
    enum class Endpoint : int {
        Controller,  // controller as source, 40
        Encoder,     // 16
        AD,          // 16
        DA,          // 16
        In,          // 4
        Out,         // 4
        Alarm,       // 1
        Chime,       // 1
        Message,     // 1
        Monitor,     // 1
        AmpChannel,  // 256
        Delay,       // 4
    };
    static int EndpointCount(Endpoint kind);

    // Controller records of projects from the time the table held them.
    struct LegacyEntry {
        float min = 0.0f;
        float max = 0.0f;
        float value = 0.0f;
        uint16_t steps = 0;
        int8_t curve = 0;
        uint8_t link = 0;  // the controller that controller source i drives
    };

    CVirtCtrl();

    static constexpr int kStepCount = 601;

    void Serialize(CArchive& ar) override;
    // Makes the controllers of old projects from the legacy records.
    int PostLoad() override;
    // The virtual-controller block: clear, 40 entries of six steps, then every
    // source and destination link. One line per call.
    int GetDownloadLines(int mode, int step) override;
    // Applies the device's answers of the block (upload state only).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Block path (behind "/VIRTCTRL") of endpoint i of a kind, e.g. "/DEST/AMPCHAN12".
    static std::string EndpointPath(Endpoint kind, int i);

    // Clears the legacy records and every link table; 40 empty legacy names.
    void ResetTables();

    // Link of endpoint i (1-based) of a kind: the controller number, 0 none;
    // 0 for an i outside the kind's count.
    int32_t GetLink(Endpoint kind, int i) const;
    // Sets the link (its low byte); an i outside the kind's count is ignored.
    void SetLink(Endpoint kind, int i, int32_t controller);

    // The endpoint's name and controller text for the window's lists; true
    // when the endpoint exists in the project.
    bool GetEndpointTexts(Endpoint kind, int index0, std::string& name, std::string& controllerText) const;
    // Controller n, made (named "%d *") when missing; null outside 1..40 or
    // when it cannot be made.
    CVirtCtrlItem* GetOrCreateItem(int n);
    // Sets every source and destination link that holds n to 0; the
    // controller-source links stay.
    void ClearLinksTo(int n);

    LegacyEntry m_legacy[kControllers];
    uint8_t m_enc[16] = {};
    uint8_t m_ad[16] = {};
    uint8_t m_da[16] = {};
    uint8_t m_in[4] = {};
    uint8_t m_out[4] = {};
    uint8_t m_alarm = 0;
    uint8_t m_chime = 0;
    uint8_t m_message = 0;
    uint8_t m_monitor = 0;
    uint8_t m_ampChannel[256] = {};
    uint8_t m_delay[4] = {};
    std::vector<std::string> m_legacyNames;

    // Transfer state; set at the reset step of every transfer.
    BlockClearState m_clear;  // device capability "VIRTCTRL_CLR"

private:
    // The byte of an endpoint link; null for an i outside the kind's count.
    uint8_t* LinkByte(Endpoint kind, int i);
    const uint8_t* LinkByte(Endpoint kind, int i) const;
    CVirtCtrlItem* FindItem(int n) const;
    CVirtCtrlItem* MakeItem(int n, const std::string& name);
    int EntryStep(int mode, int step);
    int EndpointStep(int mode, int step);
    void ApplyClearAnswer(const std::string& value, const std::string& diffFile);
    // `diffFile`: the upload's difference file, which names what the
    // project cannot hold as the device gave it.
    void ApplyEntryAnswer(const std::string& key, const std::string& value, const std::string& diffFile);
    bool ApplyEndpointAnswer(const std::string& key, const std::string& value, const std::string& diffFile);
    // An endpoint of a loaded file linked to a controller beyond the 40 is
    // refused as the device's answer is: linked to none (the document names it).
    void HoldLoadedLinks();
};
