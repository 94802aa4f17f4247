#pragma once
// The spare-amplifier window (window kind 2): spare entries on the left, the
// watch records of the selected spare on the right; it creates and deletes
// them and transfers the table.

#include "ui/CFeatureFrm.h"

class CQuillomerDoc;
class CSpareAmpView;

class CSpareAmpFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 2;
    enum : unsigned {
        kNewEntry = 32979,
        kDeleteEntry = 32980,
        kUpload = 32981,
        kDownload = 32982,
        kNewWatch = 32983,
        kDeleteWatch = 32984,
    };

    CSpareAmpFrm(CQuillomerDoc* doc, QWidget* parent = nullptr);

    CSpareAmpView* m_spares = nullptr;
    CSpareAmpView* m_watches = nullptr;

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CQuillomerDoc* m_doc;
};
