#pragma once
// A group of zones, or of groups of zones, under one number. Group 0 is the
// all-zones group of every project; it is the one group with protocol lines:
// the clear commands sent before a download fills the device's zone groups,
// collective calls and LAN groups again. The group's level is the common
// part's class value: 1 group of zones, 2 group of groups, 3 group 0.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

namespace groupcmd {
enum : uint32_t {
    AddGroup = 33004,    // "Gruppe hinzufügen"
    Delete = 33001,      // "löschen"
    Properties = 33006,  // "Eigenschaften ..."
};
}

class CGroup : public CBaseDevice {
    QL_DECLARE_SERIAL(CGroup)
public:
    static constexpr int32_t kLevelZones = 1;
    static constexpr int32_t kLevelGroups = 2;
    static constexpr int32_t kLevelAll = 3;

    CGroup();

    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    int PostLoad() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    int GetDownloadLines(int mode, int step) override;

    int32_t GetLevel() const { return m_classValue; }
    void SetLevel(int32_t level) { m_classValue = level; }
    // True when one of the group's members is a group (a group of groups).
    bool HasGroupMember() const;
    // Makes a new group of level 2 that contains this group; the new group or null.
    CGroup* AddParentGroup();

    // Double click and "Eigenschaften ...": the lines-and-groups dialog with
    // the group selected (installed by the windows, as the zone's).
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    using DialogFn = bool (*)(CBaseDevice* object);
    static DialogFn SetDialog(DialogFn fn);
};
