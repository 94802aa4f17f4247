#pragma once
// The volumes window ("Lautstärkeregelung", window kind 26): the edit-window
// switch bar and the volumes form; it has no command bar of its own.

#include "ui/CFeatureFrm.h"

class CVolumeView;

class CVolumeFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 26;
    explicit CVolumeFrm(QWidget* parent = nullptr);
    CVolumeView* GetView() const { return m_view; }

private:
    CVolumeView* m_view = nullptr;
};
