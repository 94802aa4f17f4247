// Makes the console windows known to the window registry, each on a console
// fitted to the first audio input of the document it is made for.

#include "hardware/CAudioInputSlot.h"
#include "model/CQuillomerDoc.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "paging/windows/CCopyKeysDlg.h"
#include "paging/windows/CKeyMacroDlg.h"
#include "paging/windows/CKeyPropDlg.h"
#include "paging/windows/CKeyView.h"
#include "paging/windows/CRangeKeysDlg.h"
#include "paging/CConsKey.h"
#include "ui/CWindowRegistry.h"

namespace {
CConsole* SampleConsole(CQuillomerDoc* doc)
{
    if (!doc)
        return nullptr;
    if (!doc->GetList(CAT_CONSOLE).empty())
        return dynamic_cast<CConsole*>(doc->GetList(CAT_CONSOLE).front());
    for (CBaseDevice* obj : doc->GetList(CAT_INPUT_SLOT))
        if (auto* slot = dynamic_cast<CAudioInputSlot*>(obj)) {
            slot->SetCardType(inputcard::Console2);
            slot->SetHoverConnectors(0, -1);
            if (slot->AddConsole(consmodel::WRN2318) == 1)
                return dynamic_cast<CConsole*>(doc->GetList(CAT_CONSOLE).back());
        }
    return nullptr;
}

// The key dialog of the sample console's key 1, owned by a key view that
// goes with it.
CKeyPropDlg* SampleKeyDialog(CQuillomerDoc* doc)
{
    CConsole* console = SampleConsole(doc);
    if (!console)
        return nullptr;
    auto* view = new CKeyView;
    view->ShowConsole(console, 400);
    CConsKey* key = console->GetProp().FindKey(1);
    key->ParseValueText(CKF_MACRO, "1,0", false);
    view->OpenKeyProperties(key);
    CKeyPropDlg* dlg = view->GetKeyPropDlg();
    dlg->hide();
    // A window of its own, which takes its view with it.
    dlg->setParent(nullptr, Qt::Dialog);
    QObject::connect(dlg, &QObject::destroyed, [view] { delete view; });
    return dlg;
}

[[maybe_unused]] const bool g_registered = [] {
    CWindowRegistry::Register(QStringLiteral("CConsolePropertySheet"), [](CQuillomerDoc* doc) -> QWidget* {
        CConsole* console = SampleConsole(doc);
        return console ? new CConsolePropertySheet(doc, console) : nullptr;
    });
    CWindowRegistry::Register(QStringLiteral("CKeyPropDlg"),
                              [](CQuillomerDoc* doc) -> QWidget* { return SampleKeyDialog(doc); });
    CWindowRegistry::Register(QStringLiteral("CKeyMacroDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        CKeyPropDlg* owner = SampleKeyDialog(doc);
        if (!owner)
            return nullptr;
        auto* dlg = new CKeyMacroDlg(owner, owner->GetKey());
        dlg->setParent(nullptr, Qt::Dialog);
        QObject::connect(dlg, &QObject::destroyed, [owner] { delete owner; });
        return dlg;
    });
    CWindowRegistry::Register(QStringLiteral("CRangeKeysDlg"), [](CQuillomerDoc*) -> QWidget* {
        auto* dlg = new CRangeKeysDlg;
        dlg->m_lastKey = 50;
        return dlg;
    });
    CWindowRegistry::Register(QStringLiteral("CCopyKeysDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        auto* dlg = new CCopyKeysDlg;
        if (CConsole* console = SampleConsole(doc)) {
            dlg->m_sourceName = "'" + console->GetName() + "'";
            dlg->m_source = console;
        }
        return dlg;
    });
    return true;
}();
}  // namespace
