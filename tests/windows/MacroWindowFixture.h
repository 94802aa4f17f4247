#pragma once
// The macro window's tests: a new project of the upgraded device, active, its
// lines and messages recorded, and the editor views' dialogs answered as the
// user answers them: a selection dialog takes the number `chosen`, or the row
// `chosenText` when that is set; with neither, and in any other dialog, the
// user presses Escape.

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>

#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/MacroViews.h"
#include "model/CIDManager.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CSelectionDlg.h"

class MacroWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(d.doc().OnNewDocument());
        d.doc().m_data.deviceVariant = 1;
        previous = CMacroEditorView::SetDialogRunner([this](QDialog& dlg) {
            ++dialogs;
            auto* sel = qobject_cast<CSelectionDlg*>(&dlg);
            if (!sel || (chosen == 0 && chosenText.isEmpty()))
                return int(QDialog::Rejected);  // the user presses Escape
            sel->m_nResultNumber = chosen;
            if (!chosenText.isEmpty())
                sel->SetSelection(chosenText);
            return int(QDialog::Accepted);
        });
    }
    void TearDown() override { CMacroEditorView::SetDialogRunner(previous); }

    // Makes macros of `type` through the window's command.
    void New(CMacroDlgFrm& frame, uint32_t type)
    {
        chosen = static_cast<int>(type);
        frame.OnCommand(macrocmd::New);
        chosen = 0;
    }
    CMacro* Macro(int number)
    {
        return dynamic_cast<CMacro*>(d.doc().GetIDManager().GetBaseDevice(number, OT_MACRO));
    }
    template <class T>
    T* Control(CMacroDlgFrm& frame, int id)
    {
        return frame.GetEditorView()->findChild<T*>(QString::number(id));
    }

    blocktest::ActiveDoc d;
    blocktest::RecordingSender sender;
    MessageLog messages;
    CMacroEditorView::DialogRunner previous;
    int chosen = 0;
    QString chosenText;
    int dialogs = 0;
};
