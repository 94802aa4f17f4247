#pragma once
// The zone test window ("Linientest", window kind 28): the service-window
// switch bar, the line-data bar, and a splitter with the zone list and its
// measured values above the zone-test form.

#include "ui/CFeatureFrm.h"

class CZoneListView;
class CZonetestView;
class QLabel;

class CZonetestFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 28;
    static constexpr unsigned kUpload = 34611;      // "Liniendaten uploaden"
    static constexpr unsigned kDownload = 34614;    // "Liniendaten downloaden"
    static constexpr unsigned kProperties = 34618;  // "Linientest Eigenschaften"
    static constexpr unsigned kRefresh = 34626;     // "Anzeige aktualisieren"
    static constexpr unsigned kExport = 34624;      // "Liste exportieren"
    static constexpr unsigned kPrint = 34625;       // "Liste drucken"

    explicit CZonetestFrm(QWidget* parent = nullptr);
    CZoneListView* GetZoneList() const { return m_zoneList; }
    CZonetestView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CZoneListView* m_zoneList = nullptr;
    CZonetestView* m_view = nullptr;
    QLabel* m_modePane = nullptr;
};
