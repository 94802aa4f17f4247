// Makes the virtual-controller window (feature window kind 1) and its
// properties dialog known, with the texts of the window's bar and lists.
#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "logic/windows/CObjectFrm.h"
#include "logic/windows/CVirtCtrlPropDlg.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

QL_STRING_TABLE({
    {32846, "Ziel"},
    {32963, "Neuer virtueller Controller\nNeuer virtueller Controller"},
    {32969, "Alle virtuellen Controller zum KVT senden\nDownload aller virtuellen Controller"},
    {32970, "Alle virtuellen Controller vom KVT lesen\nUpload aller virtuellen Controller"},
    {32971, "Virtuellen Controller löschen\nVirtuellen Controller löschen"},
    {33104, "wird beeinflußt von"},
    {33105, "beeinflußt"},
    {34248, "Quelle"},
});

namespace {
const bool g_registered = [] {
    CObjectDlg::RegisterFrame(CObjectFrm::kWindowKind,
                              [](CQuillomerDoc* doc, QWidget* parent) -> QWidget* { return new CObjectFrm(doc, parent); });
    CWindowRegistry::Register(QStringLiteral("CObjectFrm"), [](CQuillomerDoc* doc) -> QWidget* {
        return new CObjectDlg(doc, CObjectFrm::kWindowKind);
    });
    CWindowRegistry::Register(QStringLiteral("CVirtCtrlPropDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        auto* table = doc ? dynamic_cast<CVirtCtrl*>(doc->GetIDManager().GetBaseDevice(1, OT_VIRT_CTRL)) : nullptr;
        CVirtCtrlItem* item = table ? table->GetOrCreateItem(1) : nullptr;
        return item ? new CVirtCtrlPropDlg(item, nullptr) : nullptr;
    });
    return true;
}();
}  // namespace
