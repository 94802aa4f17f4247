// The message device's and the power pack's properties dialogs: reached from
// the device, and the buttons and tabs that follow the user's choices. The
// cards' dialogs on a new project: the digital card's, the interface card's,
// the extended card window and the connections dialog.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QListWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolBar>
#include <QLineEdit>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <tuple>

#include "audio/CAlarmSignal.h"
#include "audio/CQTBSequence.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/CDigitalSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "hardware/windows/CConnectionsDlg.h"
#include "hardware/windows/CDigitalSlotDlg.h"
#include "hardware/windows/CInterfaceSlotDlg.h"
#include "hardware/windows/CLMZFrm.h"
#include "hardware/windows/CExtAudioSignalsDlg.h"
#include "ui/CListCtrl.h"
#include "hardware/windows/CPowerSupplyDlg.h"
#include "hardware/CPowerSupplySetup.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "model/CIDManager.h"
#include "model/ModelStrings.h"
#include "model/TextRule.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"
#include "support/qt/TypeAsKeyboard.h"

namespace {

struct ExtDeviceDialogsTest : ::testing::Test {
    ExtDeviceDialogsTest() { doc.OnNewDocument(); }
    CAudioInputDevice* Device(uint32_t kind, const char* name)
    {
        auto* d = new CAudioInputDevice;
        EXPECT_EQ(1, d->Create(kind, 1, 1, std::string(name), 500, 500, 500, 500, CAT_AUDIO_DEVICE, 0, 0, &doc));
        doc.AddObject(d, CAT_AUDIO_DEVICE);
        return d;
    }
    QAction* Action(QDialog& dlg, const char* text)
    {
        for (QAction* a : dlg.findChildren<QAction*>())
            if (a->text() == QString::fromUtf8(text))
                return a;
        return nullptr;
    }
    MessageLog messages;
    ModelTestHost host;
    CQuillomerDoc doc;
};

TEST_F(ExtDeviceDialogsTest, PropertiesOpenTheDevicesDialog)
{
    for (auto [kind, cls] : {std::pair{uint32_t(audiodevice::KindRecorder), "CExtAudioSignalsDlg"},
                             std::pair{uint32_t(audiodevice::KindFJX3397), "CPowerSupplyDlg"}}) {
        CAudioInputDevice* device = Device(kind, "Gerät");
        QString opened;
        QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
        QTimer::singleShot(0, &scope, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            opened = modal ? modal->metaObject()->className() : QString();
            if (modal)
                modal->close();
        });
        device->OnCommand(objcmd::Properties);
        EXPECT_EQ(opened, cls);
    }
}

TEST_F(ExtDeviceDialogsTest, SequenceListAndButtonsFollowTheChanges)
{
    CExtAudioSignalsDlg dlg(Device(audiodevice::KindRecorder, "QTB8174 1"));
    QAction* newAlarm = Action(dlg, "Neuen Alarm erzeugen");
    QAction* del = Action(dlg, "Audiosignal löschen");
    auto* apply = dlg.findChild<QPushButton*>("1361");
    ASSERT_TRUE(newAlarm && del && apply);
    EXPECT_FALSE(del->isEnabled());
    EXPECT_FALSE(Action(dlg, "Neuen Gong erzeugen")->isEnabled());
    const size_t controls = doc.GetList(CAT_DIGITAL_IO).size();
    dlg.NewSequence(qtbkind::Alarm);
    dlg.NewSequence(qtbkind::Text);
    ASSERT_EQ(dlg.List()->topLevelItemCount(), 2);
    EXPECT_EQ(dlg.List()->currentItem()->text(0), "QTB-QTB8174 2") << "the alarm signal has the first name";
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_TRUE(del->isEnabled());

    dlg.findChild<QCheckBox*>("1441")->setChecked(true);
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_FALSE(newAlarm->isEnabled()) << "no new sequence over unapplied changes";
    EXPECT_TRUE(dlg.OnApply());
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(newAlarm->isEnabled());

    dlg.DeleteSelected();  // the last row: the one before it is selected
    ASSERT_EQ(dlg.List()->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.List()->currentItem()->text(0), "QTB-QTB8174 1");
    EXPECT_EQ(doc.GetList(CAT_DIGITAL_IO).size(), controls) << "the external-start trigger went with its sequence";
    dlg.DeleteSelected();
    EXPECT_EQ(dlg.List()->topLevelItemCount(), 0);
    EXPECT_FALSE(del->isEnabled());
}

TEST_F(ExtDeviceDialogsTest, RightDoubleClickShowsTheConnectionsOfTheSequenceUnderTheMouse)
{
    CExtAudioSignalsDlg dlg(Device(audiodevice::KindRecorder, "QTB8174 1"));
    dlg.NewSequence(qtbkind::Alarm);
    dlg.NewSequence(qtbkind::Text);
    dlg.show();
    QTreeWidget* list = dlg.List();
    EXPECT_EQ(list->columnWidth(0), 160);
    QTreeWidgetItem* first = list->topLevelItem(0);
    auto* sequence = static_cast<CBaseDevice*>(first->data(0, Qt::UserRole).value<void*>());
    ASSERT_NE(nullptr, sequence);

    // Watches the modal dialogs a double click brings up.
    auto doubleClick = [&](Qt::MouseButton button) {
        QString opened;
        CBaseDevice* shown = nullptr;
        int links = -1;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* c = qobject_cast<CConnectionsDlg*>(modal)) {
                shown = c->m_pDevice;
                links = c->m_inputList->count() + c->m_outputList->count();
            }
            opened = modal ? modal->metaObject()->className() : QString();
            if (modal)
                modal->close();
        });
        const QPoint at = list->visualItemRect(first).center();
        QTest::mousePress(list->viewport(), button, {}, at);
        QTest::mouseRelease(list->viewport(), button, {}, at);
        QTest::mouseDClick(list->viewport(), button, {}, at);
        QApplication::processEvents();
        return std::tuple{opened, shown, links};
    };
    const auto [opened, shown, links] = doubleClick(Qt::RightButton);
    EXPECT_EQ(opened, "CConnectionsDlg");
    EXPECT_EQ(shown, sequence) << "the row under the mouse, not the last one made";
    EXPECT_GT(links, 0);
    // The left button opens nothing.
    EXPECT_EQ(std::get<0>(doubleClick(Qt::LeftButton)), QString());
}

TEST_F(ExtDeviceDialogsTest, UncheckingTheBatteryLeavesItsTab)
{
    CPowerSupplyDlg dlg(Device(audiodevice::KindFJX3392, "FJX3392"));
    QTabBar* tabs = dlg.Tabs();
    EXPECT_EQ(tabs->count(), 2);
    dlg.BatteryBox()->click();
    ASSERT_EQ(tabs->count(), 3);
    tabs->setCurrentIndex(2);
    dlg.ConsoleBox()->setCurrentIndex(1);
    EXPECT_EQ(dlg.Gather().lcd[PowerSupplySettings::Battery].position, 1);
    dlg.BatteryBox()->click();
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(dlg.Gather().lcd[PowerSupplySettings::Battery].position, 0);
}

// The tool bar's new-alarm and new-text buttons give every new sequence's
// signal a name of its own, counted on where the count of its kind is taken,
// and no message comes up. With every alarm number taken, the new-alarm
// button says once that no more can be made, and makes no row.
TEST_F(ExtDeviceDialogsTest, NewSequencesTakeFreeNamesWithoutAMessage)
{
    CExtAudioSignalsDlg dlg(Device(audiodevice::KindRecorder, "QTB8174 1"));
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    auto* bar = dlg.findChild<QToolBar*>();
    ASSERT_NE(nullptr, bar);
    auto click = [&](const char* text) {
        QAction* action = Action(dlg, text);
        ASSERT_NE(nullptr, action);
        QWidget* button = bar->widgetForAction(action);
        ASSERT_NE(nullptr, button);
        QTest::mouseClick(button, Qt::LeftButton);
    };
    click("Neuen Alarm erzeugen");
    click("Neuen Text erzeugen");
    click("Neuen Alarm erzeugen");
    click("Neuen Text erzeugen");
    std::vector<QString> names;
    for (int r = 0; r < dlg.List()->topLevelItemCount(); ++r)
        names.push_back(dlg.List()->topLevelItem(r)->text(0));
    EXPECT_EQ((std::vector<QString>{"QTB-QTB8174 1", "QTB-QTB8174 2", "QTB-QTB8174 3", "QTB-QTB8174 4"}), names);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    // The signal of each row bears its row's name.
    for (int r = 0; r < dlg.List()->topLevelItemCount(); ++r) {
        auto* sequence = static_cast<CBaseDevice*>(dlg.List()->topLevelItem(r)->data(0, Qt::UserRole).value<void*>());
        const LinkRecord* link = sequence ? sequence->GetInLinkAtKey(2) : nullptr;
        ASSERT_TRUE(link && link->partner);
        EXPECT_EQ(names[static_cast<size_t>(r)].toStdString(), link->partner->GetName());
    }

    while (doc.GetIDManager().GetCount(OT_ALARM_SIGNAL) < static_cast<int32_t>(GetTypeCapacity(OT_ALARM_SIGNAL)) - 1) {
        auto* alarm = new CAlarmSignal;
        ASSERT_EQ(1, alarm->Create(signalkind::Alarm, 0, 0, static_cast<const char*>(nullptr), 0, 0, 1, 1, CAT_AUDIO,
                                   0, 0, &doc));
        doc.AddObject(alarm, CAT_AUDIO);
    }
    const size_t sequences = doc.GetIDManager().GetCount(OT_QTB_SEQUENCE);
    click("Neuen Alarm erzeugen");
    EXPECT_EQ((std::vector<std::string>{LoadStringId(IDS_CANNOT_CREATE)}), messages.texts);
    EXPECT_EQ(4, dlg.List()->topLevelItemCount());
    EXPECT_EQ(sequences, static_cast<size_t>(doc.GetIDManager().GetCount(OT_QTB_SEQUENCE)));
}

// In English the power pack's default display texts fit the consoles'
// 16 characters: each event's field shows its default whole, and OK stores it
// whole for the console that shows it.
TEST_F(ExtDeviceDialogsTest, EnglishDisplayTextsFitTheConsolesLine)
{
    EnglishTexts english;
    ASSERT_TRUE(english.IsLoaded());
    CAudioInputDevice* pack = Device(audiodevice::KindFJX3392, "FJX3392");
    CPowerSupplyDlg dlg(pack);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    // On the box itself: the check box may be wider than its text.
    QStyleOptionButton box;
    box.initFrom(dlg.BatteryBox());
    box.text = dlg.BatteryBox()->text();
    QTest::mouseClick(dlg.BatteryBox(), Qt::LeftButton, {},
                      dlg.BatteryBox()->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &box, dlg.BatteryBox()).center());
    QTabBar* tabs = dlg.Tabs();
    ASSERT_EQ(3, tabs->count());
    auto* field = dlg.findChild<QLineEdit*>("1444");
    ASSERT_NE(nullptr, field);
    const std::pair<int, int> tabEvents[] = {{0, PowerSupplySettings::Mains}, {1, PowerSupplySettings::Standby},
                                             {2, PowerSupplySettings::Battery}};
    for (auto [tab, event] : tabEvents) {
        SCOPED_TRACE(event);
        const std::string text = CPowerSupplySetup::DefaultText(event);
        EXPECT_LE(text.size(), 16u) << text;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        ASSERT_EQ(tab, tabs->currentIndex());
        EXPECT_EQ(QString::fromStdString(text), field->text());
        dlg.ConsoleBox()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(dlg.ConsoleBox(), Qt::Key_Down);  // "All consoles"
        ASSERT_EQ(1, dlg.ConsoleBox()->currentIndex());
    }
    QPushButton* ok = nullptr;
    for (QPushButton* b : dlg.findChildren<QPushButton*>())
        if (b->text() == QLatin1String("OK"))
            ok = b;
    ASSERT_NE(nullptr, ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    for (int event : {PowerSupplySettings::Mains, PowerSupplySettings::Battery, PowerSupplySettings::Standby})
        EXPECT_EQ(CPowerSupplySetup::DefaultText(event), pack->GetMacroText(6 + event)) << event;
}

// A project whose every macro number is taken: OK with a battery display,
// which needs a macro of its own (as the battery does), says once what cannot
// be taken and why, takes nothing and keeps the dialog as entered. With two
// numbers freed, the same OK takes it all.
TEST_F(ExtDeviceDialogsTest, AFullProjectSaysOnceWhatCannotBeTakenAndKeepsTheEntries)
{
    CAudioInputDevice* pack = Device(audiodevice::KindFJX3392, "FJX3392");
    std::vector<CBaseDevice*> macros;
    for (int n = 1; n < static_cast<int>(GetTypeCapacity(OT_MACRO)); ++n) {
        if (doc.GetIDManager().GetBaseDevice(n, OT_MACRO))
            continue;
        auto* m = new CMacro;
        ASSERT_EQ(1, m->Create(macrotype::Page, "M" + std::to_string(n), n, CAT_MACRO, &doc));
        doc.AddObject(m, CAT_MACRO);
        macros.push_back(m);
    }
    ASSERT_GE(macros.size(), 2u);
    CPowerSupplyDlg dlg(pack);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QStyleOptionButton box;
    box.initFrom(dlg.BatteryBox());
    box.text = dlg.BatteryBox()->text();
    QTest::mouseClick(dlg.BatteryBox(), Qt::LeftButton, {},
                      dlg.BatteryBox()->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &box, dlg.BatteryBox()).center());
    QTabBar* tabs = dlg.Tabs();
    ASSERT_EQ(3, tabs->count());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    dlg.ConsoleBox()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dlg.ConsoleBox(), Qt::Key_Down);  // "Alle Sprechstellen"
    ASSERT_EQ(1, dlg.ConsoleBox()->currentIndex());
    QPushButton* ok = nullptr;
    for (QPushButton* b : dlg.findChildren<QPushButton*>())
        if (b->text() == QLatin1String("OK"))
            ok = b;
    ASSERT_NE(nullptr, ok);

    messages.texts.clear();
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(1u, messages.texts.size()) << messages.texts.back();
    EXPECT_NE(std::string::npos, messages.texts[0].find("LCD Anzeigen \"Batterie\" (Makro)")) << messages.texts[0];
    EXPECT_NE(std::string::npos, messages.texts[0].find("Batterie mit Ladegerät (Makro)")) << messages.texts[0];
    EXPECT_EQ(std::string::npos, messages.texts[0].find("Netz")) << "the other displays are off";
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.BatteryBox()->isChecked());
    EXPECT_EQ(2, tabs->currentIndex());
    EXPECT_EQ(1, dlg.ConsoleBox()->currentIndex());
    PowerSupplySettings stored = CPowerSupplySetup(&doc, pack).Read();
    EXPECT_FALSE(stored.battery) << "nothing taken";
    EXPECT_EQ(0, stored.lcd[PowerSupplySettings::Battery].position);

    macros[0]->OnCommand(objcmd::Delete);
    macros[1]->OnCommand(objcmd::Delete);
    messages.texts.clear();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_FALSE(dlg.isVisible());
    stored = CPowerSupplySetup(&doc, pack).Read();
    EXPECT_TRUE(stored.battery);
    EXPECT_EQ(1, stored.lcd[PowerSupplySettings::Battery].position);
}

// A new project, the active one.
class CardWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        previous = SetActiveDocHook([this] { return &doc; });
    }
    void TearDown() override { SetActiveDocHook(previous); }
    template <class T>
    T* Card(int category)
    {
        for (CBaseDevice* obj : doc.GetList(category))
            if (auto* card = dynamic_cast<T*>(obj))
                return card;
        return nullptr;
    }

    CQuillomerDoc doc;
    ActiveDocHook previous;
};

TEST_F(CardWindows, DigitalDialogShowsPadsAndAttachesChecked)
{
    auto* card = Card<CDigitalSlot>(CAT_DIGITAL_SLOT);
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

// A contact switched on and given no name of its own (blanks alone, or a
// text with a control character pasted in, a character the project file and
// the device cannot hold, a name the device would read as a query): OK says
// why and leaves the dialog open on that row, with no contact made; a name
// typed then is taken. Either card's dialog, by clicks and keys.
TEST_F(CardWindows, AContactNameThatIsNoNameIsRefusedAndTheDialogStays)
{
    MessageLog messages;
    ModelTestHost host;
    const struct {
        bool digital;
        int input;
        const char* text;  // typed over the offered name, or pasted when it holds a control character
        std::string message;
        const char* name;  // typed then; names are unique in the project
    } rows[] = {
        {true, 1, "   ", LoadStringId(IDS_NAME_EMPTY), "Tor"},
        {true, 2, "Gang\tA", LoadStringId(IDS_NAME_CONTROL_CHARS), "Gang"},
        {false, 1, "   ", LoadStringId(IDS_NAME_EMPTY), "Pforte"},
        {true, 3, "Türkontakt Ω", TextRefusal("Türkontakt Ω"), "Tuer"},
        {true, 4, "Lager ?", TextRefusal("Lager ?"), "Lager"},
        {false, 2, "?", TextRefusal("?"), "Rampe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<QDialog> dlg;
        ContactRow* contact = nullptr;
        std::function<std::string()> padName;
        if (row.digital) {
            auto* card = Card<CDigitalSlot>(CAT_DIGITAL_SLOT);
            ASSERT_NE(nullptr, card);
            card->OnCommand(digitalslot::CmdFitted);
            auto* d = new CDigitalSlotDlg(card);
            contact = &d->m_inputs[row.input];
            padName = [card, &row] { return card->PadName(false, row.input); };
            dlg.reset(d);
        } else {
            auto* card = Card<CInterfaceSlot>(CAT_INTERFACE);
            ASSERT_NE(nullptr, card);
            auto* d = new CInterfaceSlotDlg(card);
            contact = &d->m_inputs[row.input];
            padName = [card, &row] {
                const LinkRecord* r = card->GetOutLinkAtKey(row.input);
                return r && r->HasPartner() ? r->partner->GetName() : std::string();
            };
            dlg.reset(d);
        }
        doc.SetModifiedFlag(false);
        messages.texts.clear();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        QTest::mouseClick(contact->check, Qt::LeftButton, {}, QPoint(4, contact->check->height() / 2));
        ASSERT_TRUE(contact->edit->hasFocus());
        const QString text = QString::fromUtf8(row.text);
        if (text.contains(QLatin1Char('\t'))) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(contact->edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            TypeAsKeyboard(contact->edit, text);
        }
        QPushButton* ok = nullptr;
        for (QPushButton* b : dlg->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK"))
                ok = b;
        ASSERT_NE(nullptr, ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(std::vector<std::string>{row.message}, messages.texts);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_TRUE(contact->edit->hasFocus());
        EXPECT_EQ("", padName());
        EXPECT_FALSE(doc.IsModified());

        QTest::keyClicks(contact->edit, QString::fromLatin1(row.name));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(row.name, padName());
    }
}

// The extended card window: its two buttons follow the connection as it was
// when the window opened.
TEST_F(CardWindows, LmzWindowButtonsFollowTheConnectionAtCreation)
{
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
}

// The interface card's dialog in English: no German group title is left.
TEST_F(CardWindows, InterfaceDialogNamesThePowerPackGroupInEnglish)
{
    auto* card = Card<CInterfaceSlot>(CAT_INTERFACE);
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

}  // namespace
