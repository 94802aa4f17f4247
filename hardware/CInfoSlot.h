#pragma once
// The project-information field of the central device symbol. It shows an
// icon while the document is connected to the device; opening it opens the
// project data dialog.

#include <cstdint>

#include "model/CBaseDevice.h"
#include "model/IConnectionField.h"

class CInfoSlot : public CBaseDevice, public IConnectionField {
    QL_DECLARE_SERIAL(CInfoSlot)
public:
    CInfoSlot();

    // The field, and while connected the connected icon at its left edge.
    void Draw(IPainter& dc) override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;

    // Stores the connected flag and redraws the field (icon on or off).
    void SetShowIcon(int32_t flag) override;
    int32_t IsConnected() const override { return m_connected; }

    static constexpr uint32_t kConnectedIcon = 140;
    static constexpr int32_t kIconSize = 32;
    static constexpr int32_t kIconLeft = 2;

    // 1 while the document is connected to the device; not stored in the file.
    int32_t m_connected = 0;
};
