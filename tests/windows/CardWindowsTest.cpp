// The digital card's dialog and the connections dialog on a new project.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolBar>

#include "hardware/CDigitalSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "hardware/windows/CConnectionsDlg.h"
#include "hardware/windows/CDigitalSlotDlg.h"
#include "hardware/windows/CInterfaceSlotDlg.h"
#include "hardware/windows/CLMZFrm.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "support/EnglishTexts.h"

namespace {
CDigitalSlot* DigitalCard(CQuillomerDoc& doc)
{
    for (CBaseDevice* obj : doc.GetList(CAT_DIGITAL_SLOT))
        if (auto* card = dynamic_cast<CDigitalSlot*>(obj))
            return card;
    return nullptr;
}
}  // namespace

TEST(CardWindows, DigitalDialogShowsPadsAndAttachesChecked)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocHook previous = SetActiveDocHook([&doc] { return &doc; });
    CDigitalSlot* card = DigitalCard(doc);
    ASSERT_NE(nullptr, card);
    card->OnCommand(digitalslot::CmdFitted);
    card->SetHoverConnectors(0, -1);
    card->OnCommand(digitalslot::CmdInput);
    card->SetHoverConnectors(-1, 2);
    card->OnCommand(digitalslot::CmdOutput);
    card->SetHoverConnectors(-1, -1);
    {
        CDigitalSlotDlg dlg(card);
        EXPECT_EQ("Input1", dlg.m_inputs[0].edit->text().toStdString());
        EXPECT_TRUE(dlg.m_inputs[0].check->isChecked());
        EXPECT_EQ("Output3", dlg.m_outputs[2].edit->text().toStdString());
        EXPECT_FALSE(dlg.m_inputs[1].edit->isEnabled());
        EXPECT_FALSE(dlg.m_outputs[0].check->isChecked());
        dlg.m_outputs[0].check->setChecked(true);
        EXPECT_EQ("Nebenuhren", dlg.m_outputs[0].edit->text().toStdString());
        dlg.m_inputs[4].check->setChecked(true);
        EXPECT_EQ("Input 5", dlg.m_inputs[4].edit->text().toStdString());
        dlg.m_outputs[2].check->setChecked(false);
        dlg.accept();
    }
    EXPECT_EQ("Nebenuhren", card->PadName(true, 0));
    EXPECT_EQ("Input 5", card->PadName(false, 4));
    EXPECT_EQ("", card->PadName(true, 2));

    CConnectionsDlg connections;
    connections.m_pDevice = card;
    connections.show();
    EXPECT_EQ(QString::fromStdString("Connections of device '" + card->GetName() + "'"), connections.windowTitle());
    ASSERT_EQ(2, connections.m_inputList->count());
    EXPECT_EQ("Input1, LCH = 0x0, CH = 0x0", connections.m_inputList->item(0)->text().toStdString());
    ASSERT_EQ(1, connections.m_outputList->count());
    EXPECT_EQ("Nebenuhren, LCH = 0x0, CH = 0x0", connections.m_outputList->item(0)->text().toStdString());
    SetActiveDocHook(previous);
}

// The extended card window: its two buttons follow the connection as it was
// when the window opened.
TEST(CardWindows, LmzWindowButtonsFollowTheConnectionAtCreation)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocHook previous = SetActiveDocHook([&doc] { return &doc; });
    auto buttonsEnabled = [](const CLMZFrm& frm) {
        std::vector<bool> enabled;
        for (QAction* a : frm.m_toolBar->actions())
            enabled.push_back(a->isEnabled());
        return enabled;
    };
    CLMZFrm offline;
    doc.SetConnected(1);
    CLMZFrm online;
    EXPECT_EQ((std::vector<bool> {false, false}), buttonsEnabled(offline));
    EXPECT_EQ((std::vector<bool> {true, true}), buttonsEnabled(online));
    doc.SetConnected(0);
    EXPECT_EQ((std::vector<bool> {true, true}), buttonsEnabled(online));
    SetActiveDocHook(previous);
}

// The interface card's dialog in English: no German group title is left.
TEST(CardWindows, InterfaceDialogNamesThePowerPackGroupInEnglish)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CInterfaceSlot* card = nullptr;
    for (CBaseDevice* obj : doc.GetList(CAT_INTERFACE))
        if (auto* c = dynamic_cast<CInterfaceSlot*>(obj))
            card = c;
    ASSERT_NE(nullptr, card);
    QStringList titles;
    {
        CInterfaceSlotDlg german(card);
        for (QGroupBox* box : german.findChildren<QGroupBox*>())
            titles << box->title();
    }
    EXPECT_TRUE(titles.contains(QStringLiteral("24V - Netzteil "))) << titles.join(QLatin1Char('|')).toStdString();
    EnglishTexts english;
    ASSERT_TRUE(english.IsLoaded());
    CInterfaceSlotDlg dlg(card);
    titles.clear();
    for (QGroupBox* box : dlg.findChildren<QGroupBox*>())
        titles << box->title();
    EXPECT_EQ(QStringList({QStringLiteral("Inputs"), QStringLiteral("Outputs"), QStringLiteral("24V - Power Supply ")}),
              titles);
}
