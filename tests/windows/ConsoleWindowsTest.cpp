// The console settings without a device: programming a key in the key view
// and its dialogs, the keys page applying it (and sending it while on the
// device), the frame's buttons offline, the macro key and range dialogs.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <optional>
#include <tuple>

#include "audio/CAlarmSignal.h"
#include "audio/CChimeSignal.h"
#include "audio/CMessageSignal.h"
#include "audio/windows/CAudioEditor.h"
#include "audio/windows/CSignalListDlg.h"
#include "hardware/CAudioInputSlot.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "model/CIDManager.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/CZone.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsoleFrame.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "paging/windows/CConsoleTreeDlg.h"
#include "paging/windows/CCopyKeysDlg.h"
#include "paging/windows/CDelaySpinBox.h"
#include "paging/windows/CKeyMacroDlg.h"
#include "paging/windows/CKeyPropDlg.h"
#include "paging/windows/CKeyView.h"
#include "paging/windows/CPPCons1.h"
#include "paging/windows/CPPCons2.h"
#include "paging/windows/CRangeKeysDlg.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroEditorView.h"
#include "ui/CSelectionDlg.h"
#include "macros/windows/CMacroDlgListView.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"
#include "support/ShownPicture.h"
#include "ui/CListCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/CTreeCtrlEx.h"

using namespace blocktest;

namespace {
class ConsoleWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(d.doc().OnNewDocument());
        for (int n = 1; n <= 6; ++n) {
            auto* z = new CZone;
            ASSERT_EQ(1, z->CBaseDevice::Create(CZone::kKind, "Linie " + std::to_string(n), n, CAT_ZONE, &d.doc()));
            d.doc().AddObject(z, CAT_ZONE);
        }
        auto* m = new CMacro;
        ASSERT_EQ(1, m->Create(macrotype::Page, "Durchsage", 1, CAT_MACRO, &d.doc()));
        d.doc().AddObject(m, CAT_MACRO);
        console = Fit(consmodel::WRN2271, 0);
        ASSERT_NE(nullptr, console);
    }
    CConsole* Fit(uint32_t model, int input) { return FitIn(d.doc(), model, input); }
    static CConsole* FitIn(CQuillomerDoc& doc, uint32_t model, int input)
    {
        for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
            if (auto* slot = dynamic_cast<CAudioInputSlot*>(obj); slot && obj->GetName() == "Slot1") {
                slot->SetCardType(inputcard::Console2);
                slot->SetHoverConnectors(input, -1);
                if (slot->AddConsole(model) != 1)
                    return nullptr;
            }
        return dynamic_cast<CConsole*>(doc.GetList(CAT_CONSOLE).back());
    }
    static int Row(QListWidget* list, const QString& text)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().endsWith(text))
                return i;
        return -1;
    }

    ActiveDoc d;
    RecordingSender sender;
    MessageLog messages;
    CConsole* console = nullptr;
};
}  // namespace

TEST_F(ConsoleWindows, KeyProgrammedInTheDialogIsAppliedAndSentShortened)
{
    d.doc().SetConnected(1);
    ASSERT_TRUE(d.doc().IsConnected());
    CConsolePropertySheet sheet(&d.doc(), console);
    EXPECT_EQ(CConsolePropertySheet::Keys, sheet.GetActivePage());
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    EXPECT_TRUE(sheet.GetKeysPage()->GetFrame()->GetAction(keyviewcmd::Download)->isEnabled());
    CConsKey* key = console->GetProp().FindKey(7);
    ASSERT_NE(nullptr, key);
    EXPECT_EQ("DISABLED", key->BuildValueText());
    EXPECT_FALSE(key->IsProgrammed());  // no zone 7: the range left it

    view->OpenKeyProperties(key);
    CKeyPropDlg* dlg = view->GetKeyPropDlg();
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(key, view->GetSelectedKey());
    EXPECT_EQ("Tasteneigenschaften für Taste '7'", dlg->windowTitle().toStdString());
    QListWidget* functions = dlg->GetFunctionList();
    functions->setCurrentRow(Row(functions, QStringLiteral("Auswahl")));
    ASSERT_EQ(CKF_SEL, key->Working().function);
    QListWidget* targets = dlg->GetTargetList();
    targets->setCurrentRow(Row(targets, QStringLiteral("Linie 5")));
    EXPECT_EQ("Linie 5", key->GetCaption());
    EXPECT_TRUE(sheet.GetApplyButton()->isEnabled());
    EXPECT_EQ("DISABLED", key->BuildValueText());  // only the working copy so far

    sender.lines.clear();
    sheet.GetApplyButton()->click();
    EXPECT_FALSE(sheet.GetApplyButton()->isEnabled());
    EXPECT_EQ("SEL,5", key->BuildValueText());
    ASSERT_NE(nullptr, console->GetOutLinkAtKey(7));
    EXPECT_EQ(d.doc().GetIDManager().GetBaseDevice(5, OT_ZONE), console->GetOutLinkAtKey(7)->partner);
    ASSERT_EQ(std::vector<std::string>{"/CONS/ADR1/KEY7 SEL,5"}, sender.lines);
    EXPECT_TRUE(sender.shortenFlags[0]);

    // A macro key: the second macro set in the macro dialog.
    view->SelectKey(console->GetProp().FindKey(8));
    functions->setCurrentRow(Row(functions, QStringLiteral("Makro")));
    CConsKey* macroKey = console->GetProp().FindKey(8);
    EXPECT_EQ("1,0", dlg->DefaultValueText(CKF_MACRO));
    dlg->GetSignalList()->setCurrentRow(Row(dlg->GetSignalList(), QStringLiteral("Durchsage")));
    dlg->OpenMacroDialog();
    ASSERT_NE(nullptr, dlg->GetMacroDlg());
    dlg->GetMacroDlg()->ChooseActivation(CKeyMacroDlg::Repeat);
    sheet.accept();
    EXPECT_EQ("MACREP,1,1", macroKey->BuildValueText());
    EXPECT_EQ("/CONS/ADR1/KEY8 MACREP,1,30", sender.lines.back());
}

TEST_F(ConsoleWindows, FunctionListFollowsTheKeyAndTheExtConnector)
{
    CConsolePropertySheet sheet(&d.doc(), console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    // Offline the transfer buttons are grey.
    CConsoleFrame* frame = sheet.GetKeysPage()->GetFrame();
    for (unsigned id : {keyviewcmd::Download, keyviewcmd::Upload, keyviewcmd::Version})
        EXPECT_FALSE(frame->GetAction(id)->isEnabled()) << id;

    view->OpenKeyProperties(console->GetProp().FindKey(102));
    CKeyPropDlg* dlg = view->GetKeyPropDlg();
    QListWidget* functions = dlg->GetFunctionList();
    ASSERT_EQ(2, functions->count());
    EXPECT_EQ("Löschen", functions->item(0)->text().toStdString());
    EXPECT_EQ("Gesperrt", functions->item(1)->text().toStdString());

    // A fixed key with a function it does not offer lists every function.
    CConsKey* stop = console->GetProp().FindKey(1);
    stop->ParseValueText(CKF_STOP, "2", true);
    view->SelectKey(stop);
    EXPECT_EQ(13, functions->count());
    EXPECT_EQ("Stop", functions->currentItem()->text().toStdString());

    // AUX takes the EXT connector; "Gesperrt" gives it back.
    CConsKey* aux = console->GetProp().FindKey(2);
    view->SelectKey(aux);
    functions->setCurrentRow(Row(functions, QStringLiteral("Aux")));
    EXPECT_EQ(CKF_AUX, aux->Working().function);
    EXPECT_EQ("1", console->GetProp().GetParamText(consparam::Ext));
    view->SelectKey(console->GetProp().FindKey(3));
    functions->setCurrentRow(Row(functions, QStringLiteral("PTT")));
    EXPECT_TRUE(messages.Contains(LoadStringId(IDS_CONS_EXT_USED_BY_KEY)));
    EXPECT_NE(CKF_TALKEXT, console->GetProp().FindKey(3)->Working().function);
    view->SelectKey(aux);
    functions->setCurrentRow(Row(functions, QStringLiteral("Gesperrt")));
    EXPECT_EQ("0", console->GetProp().GetParamText(consparam::Ext));
    console->GetProp().SetParamText(consparam::Ext, "2");
    functions->setCurrentRow(Row(functions, QStringLiteral("Aux")));
    EXPECT_TRUE(messages.Contains(LoadStringId(IDS_CONS_EXT_USED_BY_2296)));
    EXPECT_EQ(CKF_DISABLED, aux->Working().function);

    // Switch-on delay in steps of 35.55 ms.
    CConsKey* on = console->GetProp().FindKey(103);
    view->SelectKey(on);
    EXPECT_EQ(28, dlg->GetDelaySpin()->value());
    EXPECT_EQ("1.00", dlg->GetDelaySpin()->text().toStdString());
}

// The key properties open beside the console front: whole on the screen,
// frame included, clear of the sheet's buttons and of the key double-clicked;
// also where the sheet leaves no side of the screen room for them (the
// second screen, as small for the sheet as a screen of 1600 x 1000 pixels at
// 144 DPI, with the sheet where the window system put it there).
TEST_F(ConsoleWindows, TheKeyPropertiesOpenBesideTheConsoleFront)
{
    const QScreen* small = QGuiApplication::screenAt(QPoint(1930, 10));
    ASSERT_NE(nullptr, small) << "the test programs' second screen";
    const struct {
        const char* screen;
        QPoint sheetAt;  // none: where the sheet opens
    } rows[] = {{"first", QPoint()}, {"second", small->geometry().topLeft() + QPoint(130, 49)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.screen);
        CConsolePropertySheet sheet(&d.doc(), console);
        if (!row.sheetAt.isNull())
            sheet.move(row.sheetAt);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        CKeyView* view = sheet.GetKeysPage()->GetKeyView();
        const CRect cell = console->GetProp().FindKey(107)->GetCell();
        QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        CKeyPropDlg* dlg = view->GetKeyPropDlg();
        ASSERT_NE(nullptr, dlg);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
        const QRect placed = dlg->frameGeometry();
        EXPECT_TRUE(sheet.screen()->availableGeometry().contains(placed));
        const QRect keyOnScreen(view->mapToGlobal(QPoint(cell.left, cell.top)), QSize(cell.Width(), cell.Height()));
        EXPECT_FALSE(placed.intersects(keyOnScreen));
        for (const QAbstractButton* button : sheet.findChildren<QDialogButtonBox*>().value(0)->buttons())
            EXPECT_FALSE(placed.intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())))
                << button->text().toStdString();
    }
}

// A chosen function brings its default protect mode with its values: an
// alarm key works in protect mode too, a chime, text or talk key does not,
// whatever the key was before. Each choice is applied and sent. A choice
// refused leaves the key and the list as they were.
TEST_F(ConsoleWindows, AChosenFunctionTakesItsDefaultProtectModeToTheDevice)
{
    d.doc().SetConnected(1);
    CConsolePropertySheet sheet(&d.doc(), console);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    CConsKey* key = console->GetProp().FindKey(107);
    ASSERT_NE(nullptr, key);
    ASSERT_FALSE(key->IsProgrammed());
    const CRect cell = key->GetCell();
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    CKeyPropDlg* dlg = view->GetKeyPropDlg();
    ASSERT_NE(nullptr, dlg);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    QListWidget* functions = dlg->GetFunctionList();
    struct Case {
        const char* function;
        bool ticked;
        const char* sent;   // none: refused, nothing sent
        const char* shown;  // the function the list shows chosen afterwards
        bool auxOnKey1 = false;
    };
    for (const Case& c : {// Key 1 holds the EXT connector: refused with a message.
                          Case{"Aux", false, nullptr, "Gesperrt", true},
                          Case{"Alarm", true, "ALARM,0,1,90,UNPROT", "Alarm"},
                          Case{"Gong", false, "CHIME,0,1,70", "Gong"},
                          Case{"Alarm", true, "ALARM,0,1,90,UNPROT", "Alarm"},
                          Case{"Aux", false, "AUX,0,0,20", "Aux"},
                          Case{"Alarm", true, "ALARM,0,1,90,UNPROT", "Alarm"},
                          Case{"Sprechen", false, "TALK,-1,0,50", "Sprechen"},
                          Case{"Alarm", true, "ALARM,0,1,90,UNPROT", "Alarm"},
                          Case{"Gesperrt", false, "DISABLED", "Gesperrt"}}) {
        SCOPED_TRACE(c.function);
        CConsKey* key1 = console->GetProp().FindKey(1);
        if (c.auxOnKey1)
            key1->ParseValueText(CKF_AUX, "0,0,20", true);
        // Each choice on a project as it was opened or saved.
        d.doc().SetModifiedFlag(false);
        messages.texts.clear();
        const std::string before = key->BuildValueText();
        const int row = Row(functions, QString::fromLatin1(c.function));
        ASSERT_GE(row, 0);
        QTest::mouseClick(functions->viewport(), Qt::LeftButton, {},
                          functions->visualItemRect(functions->item(row)).center());
        // The list settles on the key's function.
        QListWidgetItem* shown = functions->item(Row(functions, QString::fromLatin1(c.shown)));
        const QList<QListWidgetItem*> shownOnly{shown};
        EXPECT_TRUE(QTest::qWaitFor([&] { return functions->selectedItems() == shownOnly; }, 2000))
            << functions->selectedItems().size() << " chosen, the first "
            << (functions->selectedItems().isEmpty() ? std::string() : functions->selectedItems()[0]->text().toStdString());
        EXPECT_EQ(shown, functions->currentItem());
        EXPECT_EQ(c.ticked, dlg->GetProtectCheck()->isChecked()) << ::testing::PrintToString(messages.texts);
        EXPECT_EQ(!c.sent, messages.Contains(LoadStringId(IDS_CONS_EXT_USED_BY_KEY)));
        sender.lines.clear();
        QTest::mouseClick(sheet.GetApplyButton(), Qt::LeftButton);
        EXPECT_EQ(c.sent ? std::string(c.sent) : before, key->BuildValueText());
        EXPECT_EQ(c.sent ? std::vector<std::string>{std::string("/CONS/ADR1/KEY107 ") + c.sent} : std::vector<std::string>{},
                  sender.lines);
        if (c.auxOnKey1)
            key1->ParseValueText(CKF_DISABLED, "", true);
    }
}

// A macro deleted in the macro window while a key holds it: the key's view,
// its macro dialog and its download line agree, and a later macro of that
// number is not taken up unseen.
TEST_F(ConsoleWindows, AKeyWhoseMacroIsDeletedIsSentAsItsViewShowsIt)
{
    d.doc().SetConnected(1);
    const struct {
        const char* what;
        int key;
        int32_t function;
        const char* value;
        bool programmed;      // afterwards, in the key view
        const char* caption;  // afterwards
        int activation;       // the macro dialog's type; -1: no macro key any more
        const char* sent;     // the key's download value
        bool retyped = false; // the macro's type changed instead: every link of it goes
    } rows[] = {
        {"Schalter: macro B", 1, CKF_MACSWT, "1,7", true, "Durchsage", CKeyMacroDlg::Switch, "MACSWT,1"},
        {"Taste: macro B", 2, CKF_MACRO, "1,7", true, "Durchsage", CKeyMacroDlg::Trigger, "MACRO,1"},
        {"Taste: macro A", 5, CKF_MACRO, "7,8", false, "", -1, "DISABLED"},
        {"Repeat: macro A", 6, CKF_MACREP, "7,3", false, "", -1, "DISABLED"},
        {"another macro", 3, CKF_MACRO, "8,1", true, "Sirene", CKeyMacroDlg::Button, "MACRO,8,1"},
        {"retyped: Taste's macro A", 5, CKF_MACRO, "7,8", false, "", -1, "DISABLED", true},
        {"retyped: Schalter's macro B", 1, CKF_MACSWT, "1,7", true, "Durchsage", CKeyMacroDlg::Switch, "MACSWT,1", true},
        {"retyped: Radio's macro A", 4, CKF_MACRAD, "7,2", false, "", -1, "DISABLED", true},
    };
    // The type dialog is answered as the user answers it: a stop macro.
    const CMacroEditorView::DialogRunner previous = CMacroEditorView::SetDialogRunner([](QDialog& dlg) {
        auto* sel = qobject_cast<CSelectionDlg*>(&dlg);
        if (!sel)
            return int(QDialog::Rejected);
        sel->m_nResultNumber = static_cast<int>(macrotype::Stop);
        return int(QDialog::Accepted);
    });
    struct Restore {
        CMacroEditorView::DialogRunner runner;
        ~Restore() { CMacroEditorView::SetDialogRunner(runner); }
    } restore{previous};
    auto* sirene = new CMacro;
    ASSERT_EQ(1, sirene->Create(macrotype::Page, "Sirene", 8, CAT_MACRO, &d.doc()));
    d.doc().AddObject(sirene, CAT_MACRO);
    auto openKeys = [&](CConsolePropertySheet& sheet) {
        sheet.show();
        return QTest::qWaitForWindowExposed(&sheet);
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (CBaseDevice* later = d.doc().GetIDManager().GetBaseDevice(7, OT_MACRO))
            later->OnCommand(objcmd::Delete);
        auto* gong = new CMacro;
        ASSERT_EQ(1, gong->Create(macrotype::Page, "Gong", 7, CAT_MACRO, &d.doc()));
        d.doc().AddObject(gong, CAT_MACRO);
        CConsKey* key = console->GetProp().FindKey(row.key);
        ASSERT_NE(nullptr, key);
        key->ParseValueText(row.function, row.value, true);
        ASSERT_TRUE(key->IsProgrammed());
        {
            // The keys page stays open while the user works in the macro window.
            CConsolePropertySheet sheet(&d.doc(), console);
            ASSERT_TRUE(openKeys(sheet));
            CMacroDlgFrm macros;
            macros.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&macros));
            CMacroDlgListView* list = macros.GetListView();
            QTreeWidgetItem* item = nullptr;
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                if (list->topLevelItem(i)->text(0) == QStringLiteral("Gong"))
                    item = list->topLevelItem(i);
            ASSERT_NE(nullptr, item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
            if (row.retyped) {
                const QModelIndex type = list->model()->index(list->indexOfTopLevelItem(item), 1);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(type).center());
                ASSERT_EQ(macrotype::Stop, gong->GetKindId());
            } else {
                QTest::keyClick(list, Qt::Key_Delete);
                ASSERT_EQ(nullptr, d.doc().GetIDManager().GetBaseDevice(7, OT_MACRO));
            }
            EXPECT_EQ(row.programmed, key->IsProgrammed());
            EXPECT_EQ(row.caption, key->GetCaption());
            EXPECT_EQ(row.sent, key->DownloadValueText());
        }
        // The console looked at again: what the key shows is what it sends.
        CConsolePropertySheet sheet(&d.doc(), console);
        ASSERT_TRUE(openKeys(sheet));
        EXPECT_EQ(row.programmed, key->IsProgrammed());
        EXPECT_EQ(row.caption, key->GetCaption());
        CKeyView* view = sheet.GetKeysPage()->GetKeyView();
        const CRect cell = key->GetCell();
        QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
        CKeyPropDlg* dlg = view->GetKeyPropDlg();
        ASSERT_NE(nullptr, dlg);
        EXPECT_EQ(row.activation >= 0, dlg->GetMacroButton()->isVisible());
        if (row.activation >= 0) {
            QTest::mouseClick(dlg->GetMacroButton(), Qt::LeftButton);
            CKeyMacroDlg* macro = dlg->GetMacroDlg();
            ASSERT_NE(nullptr, macro);
            EXPECT_EQ(row.activation, macro->GetActivationCombo()->currentIndex());
            if (row.activation == CKeyMacroDlg::Switch)
                EXPECT_EQ(-1, macro->GetMacroBCombo()->currentIndex()) << "an empty macro B";
        }
        QTest::mouseClick(sheet.GetApplyButton(), Qt::LeftButton);
        EXPECT_EQ(row.sent, key->DownloadValueText());
        sheet.close();

        // A new macro 7 (or the retyped one) is no key's until a key is given it.
        if (!row.retyped) {
            auto* later = new CMacro;
            ASSERT_EQ(1, later->Create(macrotype::Page, "Neu", 7, CAT_MACRO, &d.doc()));
            d.doc().AddObject(later, CAT_MACRO);
        }
        CConsolePropertySheet again(&d.doc(), console);
        EXPECT_EQ(row.caption, key->GetCaption());
        EXPECT_EQ(row.programmed, key->IsProgrammed());
        EXPECT_EQ(row.sent, key->DownloadValueText());
        key->ParseValueText(CKF_DISABLED, "", true);
    }
}

// An audio signal deleted in the signal editor while a key plays it or
// chimes with it: the key's view and its download line agree, and a later
// signal of that number is not taken up unseen.
TEST_F(ConsoleWindows, AKeyWhoseSignalIsDeletedIsSentAsItsViewShowsIt)
{
    d.doc().SetConnected(1);
    const struct {
        const char* what;
        int key;
        int32_t function;
        const char* value;
        uint32_t deleted;     // the type of the signal deleted
        int32_t number;       // and its number
        bool programmed;      // afterwards, in the key view
        const char* caption;  // afterwards; null: as before
        const char* sent;     // the key's download value
    } rows[] = {
        {"alarm key", 1, CKF_ALARM, "5,3,90", OT_ALARM_SIGNAL, 3, false, "", "DISABLED"},
        {"text key", 4, CKF_TEXT, "6,1,40", OT_MESSAGE_SIGNAL, 1, false, "", "DISABLED"},
        {"unprotected alarm key, no target", 6, CKF_ALARM, "-1,5,90,UNPROT", OT_ALARM_SIGNAL, 5, false, "", "DISABLED"},
        {"an alarm of the text's number", 2, CKF_TEXT, "3,2,40", OT_ALARM_SIGNAL, 2, true, nullptr, "TEXT,3,2,40"},
        // Chime signals are not deleted in the editor; an upload takes them away.
        {"chime key", 2, CKF_CHIME, "-1,2,80,UNPROT", OT_CHIME_SIGNAL, 2, false, "", "DISABLED"},
        {"talk key's pre-chime", 3, CKF_TALK, "5,3,50", OT_CHIME_SIGNAL, 3, true, "@Linie 5", "TALK,5,0,50"},
        {"a chime of the alarm's number", 5, CKF_ALARM, "4,4,90", OT_CHIME_SIGNAL, 4, true, nullptr, "ALARM,4,4,90"},
    };
    auto make = [&](uint32_t type, int32_t number) {
        CAudioSignal* signal = type == OT_ALARM_SIGNAL   ? static_cast<CAudioSignal*>(new CAlarmSignal)
                               : type == OT_CHIME_SIGNAL ? static_cast<CAudioSignal*>(new CChimeSignal)
                                                         : static_cast<CAudioSignal*>(new CMessageSignal);
        const uint32_t kind = type == OT_ALARM_SIGNAL   ? signalkind::Alarm
                              : type == OT_CHIME_SIGNAL ? signalkind::Chime
                                                        : signalkind::Message;
        EXPECT_EQ(1, signal->CBaseDevice::Create(kind, "Signal " + std::to_string(number), number, CAT_AUDIO, &d.doc()));
        d.doc().AddObject(signal, CAT_AUDIO);
        return signal;
    };
    make(OT_MESSAGE_SIGNAL, 2);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (!d.doc().GetIDManager().GetBaseDevice(row.number, row.deleted))
            make(row.deleted, row.number);
        CBaseDevice* signal = d.doc().GetIDManager().GetBaseDevice(row.number, row.deleted);
        ASSERT_NE(nullptr, signal);
        CConsKey* key = console->GetProp().FindKey(row.key);
        ASSERT_NE(nullptr, key);
        key->ParseValueText(row.function, row.value, true);
        ASSERT_TRUE(key->IsProgrammed());
        const std::string before = key->GetCaption();
        const std::string caption = row.caption ? row.caption : before;
        {
            // The keys page stays open while the user works in the signal editor.
            CConsolePropertySheet sheet(&d.doc(), console);
            sheet.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
            CAudioEditor editor(&d.doc());
            editor.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
            CListCtrl* list = editor.m_list->List();
            int at = -1;
            for (int i = 0; i < list->GetItemCount(); ++i)
                if (list->GetItemText(i, 0).toStdString() == signal->GetName())
                    at = i;
            ASSERT_LE(0, at);
            list->scrollToItem(list->Row(at));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->Row(at)).center());
            ASSERT_EQ(signal, editor.m_list->GetSelectedSignal());
            if (row.deleted == OT_CHIME_SIGNAL) {
                EXPECT_FALSE(editor.m_list->DeleteButton()->isEnabled());
                signal->OnCommand(objcmd::Delete);
            } else {
                QTest::mouseClick(editor.m_list->DeleteButton(), Qt::LeftButton);
            }
            ASSERT_EQ(nullptr, d.doc().GetIDManager().GetBaseDevice(row.number, row.deleted));
            EXPECT_EQ(row.programmed, key->IsProgrammed());
            EXPECT_EQ(caption, key->GetCaption());
            EXPECT_EQ(row.sent, key->DownloadValueText());
            editor.reject();
        }
        // The console looked at again and applied: what the key shows is what it sends.
        CConsolePropertySheet sheet(&d.doc(), console);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        EXPECT_EQ(row.programmed, key->IsProgrammed());
        EXPECT_EQ(caption, key->GetCaption());
        CKeyView* view = sheet.GetKeysPage()->GetKeyView();
        const CRect cell = key->GetCell();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
        QTest::mouseClick(sheet.GetApplyButton(), Qt::LeftButton);
        EXPECT_EQ(row.sent, key->DownloadValueText());
        sheet.close();

        // A new signal of that number is no key's until a key is given it.
        make(row.deleted, row.number);
        CConsolePropertySheet again(&d.doc(), console);
        EXPECT_EQ(caption, key->GetCaption());
        EXPECT_EQ(row.programmed, key->IsProgrammed());
        EXPECT_EQ(row.sent, key->DownloadValueText());
        key->ParseValueText(CKF_DISABLED, "", true);
    }
}

TEST_F(ConsoleWindows, TheSwitchOnDelayIsTypedInSeconds)
{
    CConsolePropertySheet sheet(&d.doc(), console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    CConsKey* on = console->GetProp().FindKey(103);
    ASSERT_EQ(CKF_ON, on->Working().function);
    view->OpenKeyProperties(on);
    CKeyPropDlg* dlg = view->GetKeyPropDlg();
    ASSERT_NE(nullptr, dlg);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    QAbstractSpinBox* field = dlg->GetDelaySpin();
    ASSERT_TRUE(field->isVisible());
    // The field the user edits is the one that shows the seconds.
    EXPECT_EQ("1.00", field->text().toStdString());
    EXPECT_EQ(nullptr, dlg->findChild<QLabel*>(QStringLiteral("1377")));

    // Typed seconds become the nearest count of 35.55 ms steps.
    struct Case {
        const char* typed;
        int steps;
        const char* shown;
    };
    for (const Case& c : {Case{"2", 56, "1.99"}, Case{"1,5", 42, "1.49"}, Case{"0.5", 14, "0.50"},
                          Case{"20", 255, "9.07"}}) {
        SCOPED_TRACE(c.typed);
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, field->height() / 2));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromLatin1(c.typed));
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(c.steps, on->Working().a);
        EXPECT_EQ(c.shown, field->text().toStdString());
    }
    // One arrow step is one step of the device.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, field->height() / 2));
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(254, on->Working().a);
    EXPECT_EQ("9.03", field->text().toStdString());

    // A right double-click lists every function; "Stop" chosen shows its
    // wider controls beside the list, which keeps every function whole.
    QTest::mouseDClick(dlg, Qt::RightButton, {}, QPoint(2, dlg->height() - 3));
    QListWidget* list = dlg->GetFunctionList();
    ASSERT_EQ(13, list->count());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(Row(list, QStringLiteral("Stop")))).center());
    ASSERT_EQ(CKF_STOP, on->Working().function);
    ASSERT_TRUE(dlg->GetStopCombo()->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(0, list->horizontalScrollBar()->maximum());
    for (int i = 0; i < list->count(); ++i) {
        const QModelIndex index = list->model()->index(i, 0);
        EXPECT_LE(list->visualRect(index).left() + list->sizeHintForIndex(index).width(),
                  list->viewport()->width())
            << list->item(i)->text().toStdString();
    }
}

TEST_F(ConsoleWindows, MacroActivationAndRangeDialogs)
{
    auto* m5 = new CMacro;
    ASSERT_EQ(1, m5->Create(macrotype::Page, "Gong", 5, CAT_MACRO, &d.doc()));
    d.doc().AddObject(m5, CAT_MACRO);
    CConsolePropertySheet sheet(&d.doc(), console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    CConsKey* key = console->GetProp().FindKey(9);
    key->ParseValueText(CKF_MACRO, "1", true);
    view->OpenKeyProperties(key);
    CKeyPropDlg* dlg = view->GetKeyPropDlg();
    dlg->OpenMacroDialog();
    CKeyMacroDlg* macro = dlg->GetMacroDlg();
    EXPECT_EQ(CKeyMacroDlg::Trigger, macro->GetActivationCombo()->currentIndex());
    EXPECT_TRUE(macro->GetMacroBGroup()->isHidden() && macro->GetRepeatGroup()->isHidden() &&
                macro->GetRadioGroup()->isHidden());
    macro->ChooseActivation(CKeyMacroDlg::Button);
    EXPECT_EQ(1, key->Working().b);  // nothing chosen: macro 1
    key->Working().b = 25;
    macro->ChooseActivation(CKeyMacroDlg::Repeat);
    EXPECT_EQ(10, key->Working().b);
    EXPECT_EQ(CKF_MACREP, key->Working().function);
    key->Working().b = 0;
    macro->ChooseActivation(CKeyMacroDlg::Radio);
    EXPECT_EQ(1, key->Working().b);
    macro->ChooseActivation(CKeyMacroDlg::Switch);
    macro->ChooseMacroB(macro->GetMacroBCombo()->findData(5));
    EXPECT_EQ(m5, key->GetSecondTarget());
    ASSERT_TRUE(sheet.GetKeysPage()->OnOK());
    EXPECT_EQ("MACSWT,1,5", key->BuildValueText());

    CRangeKeysDlg range;
    range.GetLineEdit()->setValue(101);
    range.accept();
    EXPECT_EQ(QDialog::Rejected, range.result());
    EXPECT_EQ(1, range.m_line);
    EXPECT_FALSE(messages.texts.empty());

    CCopyKeysDlg copy;
    copy.m_consoles = {console};
    copy.m_source = console;
    copy.show();
    EXPECT_EQ(0, copy.GetCombo()->count());
    copy.accept();
    EXPECT_EQ(nullptr, copy.m_chosen);
}

// The activation types of a macro key read in the language in use, their
// type names included.
TEST_F(ConsoleWindows, MacroActivationTypesAreNamedInTheLanguageInUse)
{
    for (const bool english : {false, true}) {
        std::optional<EnglishTexts> texts;
        if (english) {
            texts.emplace();
            ASSERT_TRUE(texts->IsLoaded());
        }
        CConsolePropertySheet sheet(&d.doc(), console);
        CKeyView* view = sheet.GetKeysPage()->GetKeyView();
        CConsKey* key = console->GetProp().FindKey(9);
        key->ParseValueText(CKF_MACRO, "1", true);
        view->OpenKeyProperties(key);
        view->GetKeyPropDlg()->OpenMacroDialog();
        QComboBox* types = view->GetKeyPropDlg()->GetMacroDlg()->GetActivationCombo();
        ASSERT_EQ(5, types->count());
        const QString button = types->itemText(CKeyMacroDlg::Button);
        const QString toggle = types->itemText(CKeyMacroDlg::Switch);
        EXPECT_TRUE(button.endsWith(english ? QStringLiteral("Type = \"Key\"") : QStringLiteral("Type = \"Taste\"")))
            << button.toStdString();
        EXPECT_TRUE(toggle.endsWith(english ? QStringLiteral("Type = \"Switch\"") : QStringLiteral("Type = \"Schalter\"")))
            << toggle.toStdString();
        EXPECT_TRUE(types->itemText(CKeyMacroDlg::Repeat).endsWith(QStringLiteral("Type = \"Repeat\"")));
        // The note on macro A reads as words, without a gap of blanks.
        bool noted = false;
        for (const QLabel* label : view->GetKeyPropDlg()->GetMacroDlg()->findChildren<QLabel*>()) {
            if (!label->text().contains(english ? QStringLiteral("Macro A") : QStringLiteral("Makro A")))
                continue;
            noted = true;
            EXPECT_FALSE(label->text().contains(QStringLiteral("  "))) << label->text().toStdString();
        }
        EXPECT_TRUE(noted);
    }
}

TEST_F(ConsoleWindows, EachKeyPropertyListKeepsOneEntrySelected)
{
    CConsolePropertySheet sheet(&d.doc(), console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    CConsKey* key = console->GetProp().FindKey(7);
    key->ParseValueText(CKF_ALARM, "0,1,90,UNPROT", true);
    view->OpenKeyProperties(key);
    CKeyPropDlg* dlg = view->GetKeyPropDlg();
    ASSERT_NE(nullptr, dlg);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    QListWidget* targets = dlg->GetTargetList();
    QTest::mouseClick(targets->viewport(), Qt::LeftButton, {},
                      targets->visualItemRect(targets->item(Row(targets, QStringLiteral("Linie 3")))).center());
    const CBaseDevice* zone3 = d.doc().GetIDManager().GetBaseDevice(3, OT_ZONE);
    ASSERT_EQ(zone3, key->GetFirstTarget());

    // "Aktuelle Auswahl" stands first, with its picture.
    ASSERT_GT(targets->count(), 0);
    EXPECT_EQ(QString::fromStdString(LoadStringId(IDS_KEY_CURRENT_CHOICE)), targets->item(0)->text());
    const QImage choice = CPictureSet::ListImage(274, 20).pixmap(16, 16).toImage();
    ASSERT_FALSE(choice.isNull());
    EXPECT_EQ(choice, targets->item(0)->icon().pixmap(16, 16).toImage());

    // A Ctrl+click on the selected entry leaves it selected, and the key as it was.
    const std::string before = key->BuildValueText();
    for (QListWidget* list : {dlg->GetFunctionList(), targets, dlg->GetSignalList()}) {
        SCOPED_TRACE(list->objectName().toStdString());
        ASSERT_TRUE(list->isVisible());
        QListWidgetItem* selected = list->currentItem();
        ASSERT_NE(nullptr, selected);
        ASSERT_TRUE(selected->isSelected());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(selected).center());
        EXPECT_EQ(selected, list->currentItem());
        EXPECT_EQ(1, list->selectedItems().size());
        EXPECT_TRUE(selected->isSelected());
    }
    EXPECT_EQ(CKF_ALARM, key->Working().function);
    EXPECT_EQ(zone3, key->GetFirstTarget());
    EXPECT_EQ(before, key->BuildValueText());
}

TEST_F(ConsoleWindows, TheCopyDialogShowsTheConsolePicture)
{
    CCopyKeysDlg copy;
    copy.m_consoles = {console};
    copy.m_source = console;
    copy.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&copy));
    auto* picture = copy.findChild<QLabel*>(QStringLiteral("390"));
    ASSERT_NE(nullptr, picture);
    const QImage console390 = CPictureSet::ListImageAt(390, 0, 48);
    ASSERT_FALSE(console390.isNull());
    EXPECT_TRUE(ShowsPicture(copy, console390, picture->mapTo(&copy, picture->contentsRect().topLeft()) +
                                                   QPoint((picture->contentsRect().width() - 48) / 2,
                                                          (picture->contentsRect().height() - 48) / 2)));
    EXPECT_LT(picture->geometry().right(), copy.GetCombo()->mapTo(&copy, QPoint(0, 0)).x());
}

TEST_F(ConsoleWindows, ThePrintedConsoleStandsInTheMiddleUnderTheBanner)
{
    CConsolePropertySheet sheet(&d.doc(), console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    // A portrait page at the screen's resolution.
    QImage page(794, 1123, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        EXPECT_EQ(1, view->PrintPages(p, 96, nullptr));
    }
    QTemporaryDir dir;
    page.save(dir.filePath(QStringLiteral("console-print.png")));
    if (qEnvironmentVariableIsSet("QL_KEEP_SHOTS"))
        page.save(qEnvironmentVariable("QL_KEEP_SHOTS") + QStringLiteral("/console-print.png"));
    // The panel's grey face: as far from the left as from the right, from the
    // top as from the bottom.
    // Rows and columns with a long stretch of it (edges of letters are grey too).
    std::vector<int> rows(static_cast<size_t>(page.height())), columns(static_cast<size_t>(page.width()));
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((page.pixel(x, y) & 0xffffff) == 0xdcdcdc) {
                ++rows[static_cast<size_t>(y)];
                ++columns[static_cast<size_t>(x)];
            }
    QRect panel;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (rows[static_cast<size_t>(y)] >= 60 && columns[static_cast<size_t>(x)] >= 60)
                panel |= QRect(x, y, 1, 1);
    ASSERT_TRUE(panel.isValid());
    EXPECT_NEAR(panel.left(), page.width() - 1 - panel.right(), 4);
    EXPECT_NEAR(panel.top(), page.height() - 1 - panel.bottom(), 4);
    // The banner above it, at the top of the page.
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < page.width(); ++x)
            inked += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(inked, 50);
}

TEST_F(ConsoleWindows, GeneralPageShowsAndWritesTheSettings)
{
    console->GetProp().SetParamText(consparam::OnPrio, "70");
    CConsolePropertySheet sheet(&d.doc(), console);
    sheet.SetActivePage(CConsolePropertySheet::General);
    CPPCons1* page = sheet.GetGeneralPage();
    EXPECT_EQ("7", page->GetOnPrioEdit()->text().toStdString());
    EXPECT_EQ("WRN2271", page->GetTypeEdit()->text().toStdString());
    EXPECT_EQ("1", page->GetSlotEdit()->text().toStdString());
    EXPECT_EQ("A", page->GetInputEdit()->text().toStdString());
    EXPECT_FALSE(page->GetVersionButton()->isEnabled());
    page->GetOnPrioEdit()->setText(QStringLiteral("11"));
    emit page->GetOnPrioEdit()->textEdited(QStringLiteral("11"));
    EXPECT_EQ("0", page->GetOnPrioEdit()->text().toStdString());
    page->GetUserPassword()->setText(QStringLiteral("456"));
    page->GetFaultCheck()->setChecked(true);
    ASSERT_TRUE(sheet.Apply());
    EXPECT_EQ("456", console->GetProp().GetParamText(consparam::UserPassword));
    EXPECT_EQ("0", console->GetProp().GetParamText(consparam::OnPrio));
    EXPECT_EQ("/CONS/REFERENCE 1", [&] {
        sender.lines.clear();
        CBaseDevice* node = d.doc().GetIDManager().GetBaseDevice(1, OT_CONSOLE_OBJECT);
        node->GetDownloadLines(0, 0);
        return sender.lines.at(0);
    }());
    page->GetExpertPassword()->setText(QStringLiteral("99"));
    emit page->GetExpertPassword()->textEdited(QStringLiteral("99"));
    EXPECT_FALSE(page->OnOK());
    EXPECT_EQ("4711", console->GetProp().GetParamText(consparam::ExpertPassword));
}

TEST_F(ConsoleWindows, GeneralPageTypedByTheUserRefusesEmptyPasswordsAndEscapeAsksBeforeDropping)
{
    CConsole* second = Fit(consmodel::WRN2272, 1);
    ASSERT_NE(nullptr, second);
    const std::string firstName = console->GetName();
    auto select = [](QLineEdit* edit, const char* text) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (*text)
            QTest::keyClicks(edit, text);
        else
            QTest::keyClick(edit, Qt::Key_Delete);
    };
    auto openGeneral = [](CConsolePropertySheet& sheet) {
        sheet.show();
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        QTabBar* tabs = sheet.findChild<QTabWidget*>()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(CConsolePropertySheet::General).center());
        ASSERT_EQ(CConsolePropertySheet::General, sheet.GetActivePage());
    };
    {
        CConsolePropertySheet sheet(&d.doc(), console);
        openGeneral(sheet);
        CPPCons1* page = sheet.GetGeneralPage();
        // Emptied and typed anew: the digit alone; too large: 0.
        select(page->GetOnPrioEdit(), "");
        EXPECT_EQ("", page->GetOnPrioEdit()->text().toStdString());
        QTest::keyClicks(page->GetOnPrioEdit(), "11");
        EXPECT_EQ("0", page->GetOnPrioEdit()->text().toStdString());
        select(page->GetOnPrioEdit(), "");
        QTest::keyClicks(page->GetOnPrioEdit(), "5");
        EXPECT_EQ("5", page->GetOnPrioEdit()->text().toStdString());
        EXPECT_TRUE(sheet.GetApplyButton()->isEnabled());
        // An emptied password: refused, the sheet stays, the field keeps the focus.
        select(page->GetUserPassword(), "");
        QTest::keyClick(page->GetUserPassword(), Qt::Key_Return);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(std::vector<std::string>{"Geben Sie eine Zahl zwischen 100 und 999 ein."}, messages.texts);
        EXPECT_EQ(page->GetUserPassword(), QApplication::focusWidget());
        EXPECT_EQ("40", console->GetProp().GetParamText(consparam::OnPrio));
        QTest::keyClicks(page->GetUserPassword(), "321");
        QTest::keyClick(page->GetUserPassword(), Qt::Key_Return);
        EXPECT_EQ(QDialog::Accepted, sheet.result());
        EXPECT_FALSE(sheet.isVisible());
    }
    EXPECT_EQ("50", console->GetProp().GetParamText(consparam::OnPrio));
    EXPECT_EQ("321", console->GetProp().GetParamText(consparam::UserPassword));
    EXPECT_EQ(firstName, console->GetName());

    messages.texts.clear();
    CConsolePropertySheet sheet(&d.doc(), console);
    openGeneral(sheet);
    CPPCons1* page = sheet.GetGeneralPage();
    EXPECT_EQ("5", page->GetOnPrioEdit()->text().toStdString());
    EXPECT_EQ("321", page->GetUserPassword()->text().toStdString());
    // Too small an expert password, then another console, answering Yes: the
    // refused value is reported once and the sheet stays on this console to correct it.
    select(page->GetExpertPassword(), "12");
    messages.answer = mb::IdYes;
    QTreeWidget* tree = sheet.GetTree()->GetTree();
    QTreeWidgetItem* other = tree->topLevelItem(0)->child(0)->text(0).toStdString() == firstName
                                 ? tree->topLevelItem(0)->child(1)
                                 : tree->topLevelItem(0)->child(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(other).center());
    ASSERT_EQ(2u, messages.texts.size());
    EXPECT_EQ("Geben Sie eine Zahl zwischen 1000 und 9999 ein.", messages.texts[1]);
    EXPECT_EQ(console, sheet.GetConsole());
    EXPECT_EQ(page->GetExpertPassword(), QApplication::focusWidget());
    EXPECT_EQ("12", page->GetExpertPassword()->text().toStdString());
    EXPECT_EQ(firstName, tree->currentItem()->text(0).toStdString());
    EXPECT_EQ(std::to_string(CConsProp::kDefaultExpertPassword), second->GetProp().GetParamText(consparam::ExpertPassword));

    // Escape asks before the change is dropped; No keeps the sheet, Yes closes it with the console unchanged.
    messages.texts.clear();
    messages.answer = mb::IdNo;
    QTest::keyClick(page->GetExpertPassword(), Qt::Key_Escape);
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ(LoadStringId(IDS_CONS_ASK_DROP), messages.texts[0]);
    EXPECT_TRUE(sheet.isVisible());
    messages.answer = mb::IdYes;
    QTest::keyClick(page->GetExpertPassword(), Qt::Key_Escape);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(QDialog::Rejected, sheet.result());
    EXPECT_EQ(std::to_string(CConsProp::kDefaultExpertPassword), console->GetProp().GetParamText(consparam::ExpertPassword));

    // An edit of a console's label in the tree (F2, a name, Enter) ends
    // without a rename: a new name, the other console's and an emptied one
    // leave the tree's labels, order and choice as they were and ask nothing,
    // so the FAULT tick made before stays pending; Cancel then leaves the
    // project as it was. Qt warns of no editor closed twice.
    static QStringList warnings;
    warnings.clear();
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg)
            warnings << text;
        if (previous)
            previous(type, context, text);
    });
    const std::string secondName = second->GetName();
    for (const std::string& typed : {std::string("Neu"), firstName, std::string()}) {
        SCOPED_TRACE(typed);
        d.doc().SetModifiedFlag(false);
        messages.texts.clear();
        CConsolePropertySheet labels(&d.doc(), second);
        openGeneral(labels);
        QCheckBox* fault = labels.GetGeneralPage()->GetFaultCheck();
        const bool ticked = fault->isChecked();
        fault->setFocus();
        QTest::keyClick(fault, Qt::Key_Space);
        ASSERT_TRUE(labels.GetApplyButton()->isEnabled());
        QTreeWidget* overview = labels.GetTree()->GetTree();
        QTreeWidgetItem* item = labels.GetTree()->ItemOf(second);
        ASSERT_NE(nullptr, item);
        auto order = [overview] {
            QStringList names;
            for (int i = 0; i < overview->topLevelItem(0)->childCount(); ++i)
                names << overview->topLevelItem(0)->child(i)->text(0);
            return names.join(QLatin1Char('|')).toStdString();
        };
        const std::string before = order();
        QTest::mouseClick(overview->viewport(), Qt::LeftButton, {}, overview->visualItemRect(item).center());
        QTest::keyClick(overview, Qt::Key_F2);
        QLineEdit* editor = nullptr;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return (editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) != nullptr; }, 5000));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, QString::fromStdString(typed));
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(QApplication::doubleClickInterval() * 2);  // a rename the slow click armed would have come
        EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
        EXPECT_EQ(before, order());
        EXPECT_EQ(item, overview->currentItem());
        EXPECT_EQ(secondName, item->text(0).toStdString());
        EXPECT_EQ(second, labels.GetConsole());
        EXPECT_NE(ticked, fault->isChecked());
        EXPECT_TRUE(labels.GetApplyButton()->isEnabled());
        EXPECT_TRUE(labels.isVisible());
        messages.answer = mb::IdYes;
        QTest::mouseClick(labels.GetCancelButton(), Qt::LeftButton);
        messages.answer = 0;
        EXPECT_FALSE(labels.isVisible());
        EXPECT_EQ(secondName, second->GetName());
        EXPECT_EQ(firstName, console->GetName());
        EXPECT_FALSE(d.doc().IsModified());
    }
    qInstallMessageHandler(previous);
    EXPECT_FALSE(warnings.join(QLatin1Char('\n')).contains(QLatin1String("closeEditor"))) << warnings.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ConsoleWindows, ExtensionConsolePrintsTwoLandscapePages)
{
    CConsole* big = Fit(consmodel::WRN2271X, 1);
    ASSERT_NE(nullptr, big);
    CConsolePropertySheet sheet(&d.doc(), big);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    // The extension unit's keys 11..60 at the left, the base keys 1..10 after a gap.
    EXPECT_LT(big->GetProp().FindKey(11)->GetCell().left, big->GetProp().FindKey(1)->GetCell().left);
    EXPECT_LT(big->GetProp().FindKey(20)->GetCell().left, big->GetProp().FindKey(1)->GetCell().left);
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("pult.pdf")));
    EXPECT_EQ(2, view->PrintConsole(printer));
    EXPECT_EQ(QPageLayout::Landscape, printer.pageLayout().orientation());
}

TEST_F(ConsoleWindows, ClearAllAndLeavingWithoutApplying)
{
    CConsolePropertySheet sheet(&d.doc(), console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    // Leaving the page with a changed key, answering No: the console keeps its key.
    view->OpenKeyProperties(console->GetProp().FindKey(1));
    view->GetKeyPropDlg()->ChooseFunction(CKF_DISABLED);
    EXPECT_TRUE(sheet.GetApplyButton()->isEnabled());
    messages.answer = mb::IdNo;
    sheet.SetActivePage(CConsolePropertySheet::General);
    EXPECT_TRUE(messages.Contains(LoadStringId(IDS_CONS_ASK_APPLY_KEYS)));
    EXPECT_EQ("SEL,1", console->GetProp().FindKey(1)->BuildValueText());
    sheet.SetActivePage(CConsolePropertySheet::Keys);
    EXPECT_EQ(CKF_SEL, console->GetProp().FindKey(1)->Working().function);

    messages.answer = mb::IdYes;
    view->OnCommand(keyviewcmd::ClearKeys);
    for (const CConsKey* key : console->GetProp().GetAllKeys())
        EXPECT_EQ("DISABLED", key->BuildValueText()) << key->GetNumber();
    EXPECT_TRUE(console->m_outLinks.empty());
    EXPECT_EQ(nullptr, d.doc().GetIDManager().GetBaseDevice(1, OT_ZONE)->GetInLinkFrom(console));
    EXPECT_EQ("Schließen", sheet.GetCancelButton()->text().toStdString());
}

// The version button of the keys' bar, clicked while the project is on the
// device: a version only from an answer that names one.
TEST_F(ConsoleWindows, TheQueriesShowOnlyWhatTheConsoleAnswered)
{
    d.doc().SetConnected(1);
    static std::string answer;
    const CKeyView::VersionQuery previous =
        CKeyView::SetVersionQuery([](const std::string&) { return answer; });
    CConsolePropertySheet sheet(&d.doc(), console);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    CConsoleFrame* frame = sheet.GetKeysPage()->GetFrame();
    QWidget* button = frame->findChild<QToolBar*>()->widgetForAction(frame->GetAction(keyviewcmd::Version));
    const std::string none = LoadStringId(IDS_CONS_NO_VERSION);
    const std::pair<const char*, std::string> rows[] = {
        {"/CONS/ADR1/RELEASE V0.812 rel 1.00", "Die Sprechstelle\nSprechstelle 1 hat die SW-Version V1.00"},
        {"", none},
        {"console not connected", none},
        {"/CONS/ADR1/RELEASE ? ", LoadStringId(IDS_CONS_VERSION_REFUSED)},  // the device refused the query
        {"/CONS/ADR1/RELEASE ", none},
    };
    for (const auto& [said, shown] : rows) {
        SCOPED_TRACE(said);
        answer = said;
        messages.texts.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(std::vector<std::string>{shown}, messages.texts);
    }
    CKeyView::SetVersionQuery(previous);

    // The general page's queries: the status field shows what the console
    // answered; a key it does not know is no answer.
    const CPPCons1::Query previousQuery =
        CPPCons1::SetQuery([](const std::string&) { return answer; });
    sheet.SetActivePage(CConsolePropertySheet::General);
    CPPCons1* page = sheet.GetGeneralPage();
    const std::tuple<QPushButton*, const char*, std::string, std::string> queries[] = {
        {page->GetVersionButton(), "/CONS/ADR1/RELEASE V0.812 rel 1.00", "V0.812 rel 1.00", ""},
        {page->GetUserLevelButton(), "/CONS/ADR1/OPLEVEL 3\r\n", "3", ""},
        {page->GetVersionButton(), "", "", none},
        {page->GetVersionButton(), "/CONS/ADR1/RELEASE ? ", "", LoadStringId(IDS_CONS_VERSION_REFUSED)},
        {page->GetUserLevelButton(), "/CONS/ADR1/OPLEVEL ? ", "", LoadStringId(IDS_CONS_USERLEVEL_REFUSED)},
        {page->GetUserLevelButton(), "", "", LoadStringId(IDS_CONS_NO_USERLEVEL)},
    };
    for (const auto& [button, said, status, message] : queries) {
        SCOPED_TRACE(said);
        answer = said;
        messages.texts.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(status, page->GetStatus()->toPlainText().toStdString());
        EXPECT_EQ(message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message}, messages.texts);
    }
    CPPCons1::SetQuery(previousQuery);
}

TEST_F(ConsoleWindows, TheHeadTextsOfEveryModelStandApartInTheFontTheyAreDrawnWith)
{
    for (uint32_t model : {consmodel::WRN2271, consmodel::WRN2272, consmodel::WRN2314, consmodel::WRN2315,
                           consmodel::WRN2318, consmodel::WRN2271X, consmodel::WRN2272X, consmodel::WRN2314X,
                           consmodel::WRN2315X, consmodel::WRN2318X, consmodel::WRN2316, consmodel::WRN2316X,
                           consmodel::WRN2283}) {
        ActiveDoc local;
        ASSERT_TRUE(local.doc().OnNewDocument());
        CConsole* c = FitIn(local.doc(), model, 0);
        ASSERT_NE(nullptr, c) << model;
        CConsolePropertySheet sheet(&local.doc(), c);
        CKeyView* view = sheet.GetKeysPage()->GetKeyView();
        const QRect band = view->GetDisplayRect().translated(2, -22);
        for (const CKeyView::TextPair& head : {view->DisplayHead(), view->ExtensionHead()}) {
            if (head.left.isNull())
                continue;
            EXPECT_LT(head.left.right(), head.right.left()) << model;
            // Each text's rectangle holds the text in the font it is drawn with.
            EXPECT_GE(head.left.width(), QFontMetrics(head.font).horizontalAdvance(QStringLiteral("HALVERON"))) << model;
            // No text runs over a key or over the panel's rounded corners.
            if (const QRect panel = view->GetExtensionPanelRect(); panel.isValid() && head.left == view->ExtensionHead().left) {
                EXPECT_GE(head.left.left(), panel.left() + CKeyView::kPanelCornerRadius) << model;
                EXPECT_LE(head.right.right(), panel.right() - CKeyView::kPanelCornerRadius) << model;
            }
            for (const CConsKey* key : c->GetProp().GetAllKeys()) {
                const CRect cell = key->GetCell();
                const QRect shown(QPoint(cell.left, cell.top), QPoint(cell.right - 1, cell.bottom - 1));
                EXPECT_FALSE(head.left.intersects(shown) || head.right.intersects(shown))
                    << model << " key " << key->GetNumber();
            }
        }
        const CKeyView::TextPair display = view->DisplayHead();
        EXPECT_GE(display.right.width(),
                  QFontMetrics(display.font).horizontalAdvance(QString::fromStdString(c->GetProp().GetTypeText())))
            << model;
        EXPECT_GE(display.font.pixelSize(), 10) << model;
        EXPECT_GE(display.left.left(), 0) << model;
        EXPECT_LE(display.right.right(), view->width()) << model;
        EXPECT_LE(display.right.right(), band.right() + band.left() - display.left.left() + 1) << "moved apart evenly";
        EXPECT_EQ(model == consmodel::WRN2271X || model == consmodel::WRN2272X || model == consmodel::WRN2314X ||
                      model == consmodel::WRN2315X || model == consmodel::WRN2318X || model == consmodel::WRN2316X,
                  !view->ExtensionHead().left.isNull())
            << model;
    }
}

namespace {
// The display's green face on a picture of the console, and the columns
// from the first to the last dark pixel in the rows just below its top,
// where the console's name stands.
struct NameInk {
    QRect display;
    int left = -1;
    int right = -1;
};

NameInk FindNameInk(const QImage& image, int nameHeight, int reach)
{
    NameInk ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffffu) == (qRgb(50, 200, 50) & 0xffffffu))
                ink.display |= QRect(x, y, 1, 1);
    if (!ink.display.isValid())
        return ink;
    // Only as far to either side as the name may reach: keys stand beside it.
    const int centre = ink.display.center().x();
    for (int y = ink.display.top(); y < ink.display.top() + nameHeight && y < image.height(); ++y)
        for (int x = std::max(0, centre - reach); x <= centre + reach && x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 90) {
                if (ink.left < 0 || x < ink.left)
                    ink.left = x;
                ink.right = std::max(ink.right, x);
            }
    return ink;
}
}  // namespace

TEST_F(ConsoleWindows, ALongConsoleNameStandsWholeAndCentredOverTheDisplayOnScreenAndPrinted)
{
    // Twenty characters: drawn whole, wider than the display.
    CConsole* lcd = Fit(consmodel::WRN2314, 1);
    ASSERT_NE(nullptr, lcd);
    lcd->SetName("Sprechstelle Empfang");
    CConsolePropertySheet sheet(&d.doc(), lcd);
    sheet.show();
    sheet.SetActivePage(CConsolePropertySheet::Keys);
    QApplication::processEvents();
    // The overview tree shows it whole too: its column holds the name, and
    // where the tree is narrower than that it scrolls sideways to it.
    auto* tree = sheet.findChild<CTreeCtrlEx*>();
    ASSERT_NE(nullptr, tree);
    const int needed = static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0);
    EXPECT_GE(tree->header()->sectionSize(0), needed);
    EXPECT_GE(tree->viewport()->width() + tree->horizontalScrollBar()->maximum(), needed);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(18);
    bold.setWeight(QFont::Bold);
    const QFontMetrics fm(bold);
    const QImage screen = view->grab().toImage();
    if (qEnvironmentVariableIsSet("QL_KEEP_SHOTS"))
        screen.save(qEnvironmentVariable("QL_KEEP_SHOTS") + QStringLiteral("/console-name.png"));
    const int whole = fm.tightBoundingRect(QStringLiteral("Sprechstelle Empfang")).width();
    const NameInk shown = FindNameInk(screen, fm.height() + 3, whole / 2 + 15);
    ASSERT_EQ(view->GetDisplayRect().adjusted(1, 1, -1, -1), shown.display);  // inside its grey outline
    ASSERT_GE(shown.left, 0);
    ASSERT_GT(whole, shown.display.width()) << "the name must be wider than the display for this check";
    EXPECT_NEAR(whole, shown.right - shown.left + 1, 3);
    EXPECT_NEAR(shown.left + shown.right, shown.display.left() + shown.display.right(), 3);

    // On paper the same: reaching past both sides of the display, centred on it.
    QImage page(794, 1123, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        ASSERT_EQ(1, view->PrintPages(p, 96, nullptr));
    }
    if (qEnvironmentVariableIsSet("QL_KEEP_SHOTS"))
        page.save(qEnvironmentVariable("QL_KEEP_SHOTS") + QStringLiteral("/console-name-print.png"));
    NameInk printed = FindNameInk(page, 1, 0);
    ASSERT_TRUE(printed.display.isValid());
    // The page may show the console smaller than the screen.
    const double scale = 1.0 * printed.display.width() / shown.display.width();
    printed = FindNameInk(page, static_cast<int>((fm.height() + 3) * scale), static_cast<int>(whole * scale / 2) + 15);
    ASSERT_GE(printed.left, 0);
    EXPECT_LT(printed.left, printed.display.left());
    EXPECT_GT(printed.right, printed.display.right());
    EXPECT_NEAR(printed.left + printed.right, printed.display.left() + printed.display.right(), 4);
}

TEST(KeyViewTexts, TwoTextsShrinkUntilAGapStaysAndGiveWayOnlyAtTheSmallestSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    const QString left = QStringLiteral("HALVERON");
    const QString right = QStringLiteral("WRN2283");
    const int need = QFontMetrics(font).horizontalAdvance(left) + QFontMetrics(font).horizontalAdvance(right);
    // Room enough: the font stays, the texts at either end.
    const CKeyView::TextPair wide = CKeyView::FitTextPair(QRect(0, 0, need + 40, 20), font, left, right);
    EXPECT_EQ(16, wide.font.pixelSize());
    EXPECT_EQ(0, wide.left.left());
    EXPECT_EQ(need + 39, wide.right.right());
    // Too narrow: smaller, and apart.
    const CKeyView::TextPair narrow = CKeyView::FitTextPair(QRect(0, 0, need - 10, 20), font, left, right);
    EXPECT_LT(narrow.font.pixelSize(), 16);
    EXPECT_LT(narrow.left.right(), narrow.right.left());
    EXPECT_GE(narrow.right.width(), QFontMetrics(narrow.font).horizontalAdvance(right));
    // Far too narrow: the smallest size, moved apart evenly beyond the ends.
    const CKeyView::TextPair tiny = CKeyView::FitTextPair(QRect(100, 0, 30, 20), font, left, right);
    EXPECT_EQ(10, tiny.font.pixelSize());
    EXPECT_LT(tiny.left.right(), tiny.right.left());
    EXPECT_NEAR(100 - tiny.left.left(), tiny.right.right() - 129, 1);
}

