#pragma once
// A LAN group ("LAN Gruppe"), known to the upgraded central device only:
// made from a zone (its outgoing key 0 names that zone's LAN group) and
// holding its own member list of zones and groups (outgoing key 1), sent as
// one line under its own path.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CLANGroup : public CBaseDevice {
    QL_DECLARE_SERIAL(CLANGroup)
public:
    static constexpr uint32_t kKind = 34575;
    static constexpr uint32_t kContextMenu = 295;

    CLANGroup();

    void Serialize(CArchive& ar) override;
    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    std::string GetListText() override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;
    int GetDownloadLines(int mode, int step) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Mode 0 the members text as stored, 1 for display.
    std::string GetMembersText(int mode) const;
    void SetAttributeText(int attribute, const std::string& text);
    void CollectMembers(DeviceList& list) const;
    // Makes the member links equal to the list.
    void ApplyMembers(const DeviceList& list);
    // Computes the members text from the member links (stored when `store`);
    // true when the all-zones group is a member.
    bool UpdateMembersText(bool store);
    // Drops from the members text the zones of `zones` its member links
    // reach no more.
    void ZonesGone(const std::vector<int32_t>& zones) override;
    // Moves the LAN group to another number; false (nothing changed) when the directory refuses.
    bool ChangeId(int32_t number);

    // How the member dialog and the number choice run (installed by the windows).
    using MembersDialogFn = bool (*)(CLANGroup* group, DeviceList& members);
    using NumberDialogFn = bool (*)(CLANGroup* group, int32_t& number);
    static MembersDialogFn SetMembersDialog(MembersDialogFn fn);
    static NumberDialogFn SetNumberDialog(NumberDialogFn fn);

    std::string m_members = "0";
};
