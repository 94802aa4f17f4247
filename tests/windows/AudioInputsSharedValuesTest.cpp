// The attenuation and ramp that all inputs of a project share, edited in the
// audio inputs dialog while several projects are open: each project saves
// its own values, whatever the dialog did to or loaded into another one.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "hardware/CAudioInputSlot.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CGridEdit.h"

namespace {

std::vector<CAudioInputSlot*> InputSlots(CQuillomerDoc& doc)
{
    std::vector<CAudioInputSlot*> inputSlots;
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (auto* s = dynamic_cast<CAudioInputSlot*>(obj))
            inputSlots.push_back(s);
    return inputSlots;
}

CGridEdit* Edit(QWidget* dlg, int id)
{
    auto* w = dlg->findChild<CGridEdit*>(QString::number(id));
    EXPECT_NE(nullptr, w) << id;
    return w;
}

void Type(CGridEdit* edit, const char* text)
{
    edit->setText(text);
    emit edit->FocusLost();
}

// Attenuation and ramp of every channel record of a saved project.
void ExpectSaved(const std::vector<uint8_t>& bytes, double attenuation, double ramp, const char* what)
{
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes)) << what;
    const auto inputSlots = InputSlots(loaded);
    ASSERT_EQ(2u, inputSlots.size()) << what;
    for (CAudioInputSlot* s : inputSlots)
        for (int c = 0; c < 2; ++c) {
            EXPECT_DOUBLE_EQ(attenuation, s->m_attenuation[c]) << what << " " << s->GetName() << " " << c;
            EXPECT_DOUBLE_EQ(ramp, s->m_ramp[c]) << what << " " << s->GetName() << " " << c;
        }
}

}  // namespace

TEST(AudioInputsSharedValues, EachOpenProjectSavesItsOwnAttenuationAndRamp)
{
    ModelTestHost host;
    MessageLog messages;
    blocktest::RecordingSender sender;
    CQuillomerDoc first;
    first.OnNewDocument();
    first.SetTitle("Erstes");
    CQuillomerDoc second;
    second.OnNewDocument();
    second.SetTitle("Zweites");
    InputSlots(first)[0]->SetCardType(inputcard::MicLine2);
    InputSlots(second)[1]->SetCardType(inputcard::Aux2);
    {
        ActiveDocScope active{&first};

        ASSERT_EQ(1, OpenAudioInputsDlg(&first, 0));
        CAudioInputsDlg* dlg = GetOpenAudioInputsDlg();
        ASSERT_NE(nullptr, dlg);
        Type(Edit(dlg, 1006), "-20");
        Type(Edit(dlg, 1007), "120");
        EXPECT_DOUBLE_EQ(-20.0, InputSlots(first)[1]->GetSharedAttenuation());

        // The dialog moves on to the second project: it shows that project's values.
        RetargetAudioInputsDlg(&second);
        EXPECT_EQ(&second, dlg->GetDocument());
        EXPECT_EQ(" -6", Edit(dlg, 1006)->text().toStdString());
        EXPECT_EQ(" 300", Edit(dlg, 1007)->text().toStdString());
        ExpectSaved(second.SaveToBytes(), -6.0, 300.0, "second untouched");

        // Editing the second project leaves the first one's file as it was.
        const std::vector<uint8_t> firstBefore = first.SaveToBytes();
        ExpectSaved(firstBefore, -20.0, 120.0, "first");
        Type(Edit(dlg, 1006), "-33");
        Type(Edit(dlg, 1007), "40");
        EXPECT_EQ(firstBefore, first.SaveToBytes());
        const std::vector<uint8_t> secondBytes = second.SaveToBytes();
        ExpectSaved(secondBytes, -33.0, 40.0, "second edited");

        // An unapplied edit in the dialog belongs to the project it shows only.
        Edit(dlg, 1006)->setText("-11");
        EXPECT_EQ(firstBefore, first.SaveToBytes());
        ExpectSaved(second.SaveToBytes(), -11.0, 40.0, "second stored on saving");

        // Loading a project while both are open changes neither of them.
        const std::vector<uint8_t> secondNow = second.SaveToBytes();
        CQuillomerDoc third;
        ASSERT_TRUE(third.LoadFromBytes(firstBefore));
        InputSlots(third)[0]->SetValueText(IPC_ATTENUATION, 0, "-2");
        EXPECT_EQ(firstBefore, first.SaveToBytes());
        EXPECT_EQ(secondNow, second.SaveToBytes());
        ExpectSaved(third.SaveToBytes(), -2.0, 120.0, "third");

        CloseAudioInputsDlg(&second);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(nullptr, GetOpenAudioInputsDlg());
    EXPECT_TRUE(messages.texts.empty());
}
