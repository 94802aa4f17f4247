// The device menu of a designer window: every command of the device link is
// reachable, its state comes from the link, the connect entry turns into the
// disconnect entry; the protocol monitor lets the next line go out whole; the
// menus follow a language switch at once.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <functional>
#include <set>

#include "ShellTestSupport.h"
#include "comm/CCommLink.h"
#include "comm/IDeviceLink.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/ShellIds.h"

namespace {

// A link that handles the device menu like the real one: connected
// commands only while connected, the port entries while not, "COM 2" checked.
class MenuLink : public IDeviceLink {
public:
    bool OnCommand(int id) override
    {
        if (!Handles(id))
            return false;
        commands.push_back(id);
        return true;
    }
    bool OnUpdateCommand(CCmdUI& ui) override
    {
        const int id = static_cast<int>(ui.m_nID);
        if (!Handles(id))
            return false;
        if (id >= ids::ComPort1 && id <= ids::ComModem) {
            ui.Enable(!connected && id != ids::ComModem);
            ui.SetCheck(id == ids::ComPort1 + 1);
        } else if (id == ids::Connect || id == ids::ExportWorksheet) {
            ui.Enable(true);
        } else {
            ui.Enable(connected);
        }
        return true;
    }
    std::string Query(const std::string&, int) override { return {}; }
    void SendTextFile(const std::string&) override {}
    void OnDocumentClosing(CQuillomerDoc*, bool) override {}
    bool IsConnected() const override { return connected; }

    static bool Handles(int id)
    {
        static const std::set<int> handled = {
            ids::Connect, ids::Disconnect, ids::ConnectModem, ids::LoadFirmware, ids::LoadParameters,
            ids::SendConfigFile, ids::ExportWorksheet, ids::SaveDeviceSettings, ids::NetScan, ids::Password,
            ids::ClearSettings, ids::ComPort1, ids::ComPort1 + 1, ids::ComPort1 + 2, ids::ComPort4, ids::ComModem,
        };
        return handled.count(id) != 0;
    }

    std::vector<int> commands;
    bool connected = false;
};

struct MenuFixture : ::testing::Test {
    SettingsSandbox settings;
    MessageRecorder messages;
    std::unique_ptr<CQuillomerApp> app;
    MenuLink* link = nullptr;

    void Start(bool replaceLink)
    {
        QSettings().setValue("Settings/Language", "German");
        QSettings().setValue("Configuration/ShellCommand", 1);
        app = std::make_unique<CQuillomerApp>();
        app->SetResourceDirs({BinaryDir()});
        ASSERT_TRUE(app->InitInstance({}));
        if (replaceLink) {
            auto fake = std::make_unique<MenuLink>();
            link = fake.get();
            app->GetMainFrame()->SetDeviceLink(std::move(fake));
        }
    }
    CMainFrame* Frame() { return app->GetMainFrame(); }

    QMenu* MenuOf(int id)
    {
        QAction* a = Frame()->FindMenuAction(id);
        return a ? qobject_cast<QMenu*>(a->parent()) : nullptr;
    }
    // Updates the menu holding `id` and returns the item.
    QAction* Item(int id)
    {
        QMenu* menu = MenuOf(id);
        if (!menu)
            return nullptr;
        Frame()->UpdateMenu(menu);
        return Frame()->FindMenuAction(id);
    }
};

}  // namespace

TEST_F(MenuFixture, DeviceMenuOffersEveryLinkCommandWithTheLinksState)
{
    Start(true);
    ASSERT_TRUE(Frame()->IsDocumentMenuShown());
    for (int id : {int(ids::SendConfigFile), int(ids::ExportWorksheet), int(ids::Password), int(ids::LoadParameters),
                   int(ids::NetScan), int(ids::ClearSettings), int(ids::LoadFirmware), int(ids::SaveDeviceSettings),
                   int(ids::ConnectModem)}) {
        QAction* a = Item(id);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_TRUE(a->isVisible()) << id;
    }
    EXPECT_EQ(Item(ids::SendConfigFile)->text(), QString("Konfigurationsdatei senden..."));
    EXPECT_EQ(Item(ids::ExportWorksheet)->text(), QString("Exportieren ..."));
    EXPECT_EQ(Item(ids::Password)->text(), QString("Passwortschutz..."));
    // Not connected: only the export is possible.
    EXPECT_TRUE(Item(ids::ExportWorksheet)->isEnabled());
    EXPECT_FALSE(Item(ids::Password)->isEnabled());
    EXPECT_FALSE(Item(ids::SendConfigFile)->isEnabled());

    // The port menu is a sub-menu of the device menu.
    QMenu* ports = MenuOf(ids::ComPort1);
    ASSERT_NE(ports, nullptr);
    EXPECT_NE(ports, MenuOf(ids::Password));
    EXPECT_EQ(MenuOf(ids::ComModem), ports);
    // Four ports with the device behind each, the modem, and the devices for the chosen port.
    ASSERT_EQ(ports->actions().size(), 7);
    EXPECT_TRUE(ports->actions()[0]->text().startsWith(QString("COM &1\t")));
    EXPECT_TRUE(ports->actions()[3]->text().startsWith(QString("COM &4\t")));
    EXPECT_NE(ports->actions()[6]->menu(), nullptr);
    Frame()->UpdateMenu(ports);
    EXPECT_TRUE(Item(ids::ComPort1 + 1)->isChecked());
    EXPECT_FALSE(Item(ids::ComPort1)->isChecked());
    EXPECT_TRUE(Item(ids::ComPort1)->isEnabled());
    EXPECT_FALSE(Item(ids::ComModem)->isEnabled());

    Item(ids::ComPort1 + 2)->trigger();
    Item(ids::ExportWorksheet)->trigger();
    Item(ids::Password)->trigger();  // disabled: not carried out
    EXPECT_EQ(link->commands, std::vector<int>({ids::ComPort1 + 2, ids::ExportWorksheet}));

    link->connected = true;
    EXPECT_TRUE(Item(ids::Password)->isEnabled());
    EXPECT_TRUE(Item(ids::SendConfigFile)->isEnabled());
    EXPECT_FALSE(Item(ids::ComPort1)->isEnabled());
    Item(ids::Password)->trigger();
    Item(ids::SendConfigFile)->trigger();
    EXPECT_EQ(link->commands.back(), ids::SendConfigFile);
    EXPECT_EQ(link->commands.size(), 4u);
}

TEST_F(MenuFixture, ConnectEntryDisconnectsWhileConnected)
{
    Start(true);
    QMenu* comm = MenuOf(ids::Password);
    ASSERT_NE(comm, nullptr);
    // The entry under the modem entry; there is no second one.
    QAction* entry = comm->actions().at(1);
    Frame()->UpdateMenu(comm);
    EXPECT_EQ(entry->text(), QString("&Verbinden"));
    EXPECT_EQ(entry->property("commandId").toInt(), int(ids::Connect));
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_EQ(Frame()->FindMenuAction(ids::Disconnect), nullptr);

    link->connected = true;
    Frame()->UpdateMenu(comm);
    EXPECT_EQ(entry->text(), QString("&Trennen"));
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(link->commands, std::vector<int>({ids::Disconnect}));

    link->connected = false;
    Frame()->UpdateMenu(comm);
    EXPECT_EQ(entry->text(), QString("&Verbinden"));
    entry->trigger();
    EXPECT_EQ(link->commands, std::vector<int>({ids::Disconnect, ids::Connect}));
}

TEST_F(MenuFixture, ShowingTheMonitorLetsTheNextLineGoOutWhole)
{
    Start(false);
    CCommLink* link = GetCommLink();
    ASSERT_NE(link, nullptr);
    ASSERT_NE(Frame()->GetProtocolMonitor(), nullptr);
    link->SendCommand("/AUDIO/IN1/VOL 3", nullptr, true);
    EXPECT_EQ(link->GetLastSentPath(), "/AUDIO/IN1/VOL");
    Frame()->ShowProtocolMonitor(true);
    EXPECT_TRUE(Frame()->IsProtocolMonitorVisible());
    EXPECT_EQ(link->GetLastSentPath(), "");

    // Also when it is shown again while already visible.
    link->SendCommand("/AUDIO/IN1/VOL 4", nullptr, true);
    EXPECT_EQ(link->GetLastSentPath(), "/AUDIO/IN1/VOL");
    Frame()->ShowProtocolMonitor(true);
    EXPECT_EQ(link->GetLastSentPath(), "");

    // Hiding keeps the path.
    link->SendCommand("/AUDIO/IN1/VOL 5", nullptr, true);
    Frame()->ShowProtocolMonitor(false);
    EXPECT_FALSE(Frame()->IsProtocolMonitorVisible());
    EXPECT_EQ(link->GetLastSentPath(), "/AUDIO/IN1/VOL");
}

TEST_F(MenuFixture, LanguageSwitchRetranslatesTheDocumentMenus)
{
    Start(true);
    auto titles = [this] {
        QStringList t;
        for (QMenu* m : Frame()->CurrentMenus())
            t << m->title();
        return t;
    };
    EXPECT_EQ(titles(), QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&Kommunikation", "&Einstellungen",
                                     "&Fenster", "&?"}));
    Frame()->FindMenuAction(ids::LanguageEnglish)->trigger();
    ASSERT_TRUE(app->IsEnglishResources());
    EXPECT_EQ(titles(), QStringList({"&File", "&Edit", "&View", "&Communication", "&Settings", "&Window", "&Help"}));
    EXPECT_EQ(Item(ids::Password)->text(), QString("Password Protection..."));
    EXPECT_EQ(Item(ids::SendConfigFile)->text(), QString("Send Configuration File..."));
    EXPECT_EQ(Item(ids::ExportWorksheet)->text(), QString("Export ..."));
    EXPECT_EQ(Item(ids::Connect)->text(), QString("&Connect"));
    link->connected = true;
    Frame()->UpdateMenu(MenuOf(ids::Password));
    EXPECT_EQ(Frame()->FindMenuAction(ids::Disconnect)->text(), QString("&Disconnect"));
    EXPECT_EQ(Item(ids::Preferences)->text(), QString("P&references..."));
    EXPECT_EQ(Item(ids::LanguageToGerman)->text(), QString("&German"));

    Frame()->FindMenuAction(ids::LanguageToGerman)->trigger();
    EXPECT_FALSE(app->IsEnglishResources());
    EXPECT_EQ(titles().at(3), QString("&Kommunikation"));
    EXPECT_EQ(Frame()->FindMenuAction(ids::Disconnect), nullptr);
    Frame()->UpdateMenu(MenuOf(ids::Password));
    EXPECT_EQ(Frame()->FindMenuAction(ids::Disconnect)->text(), QString("&Trennen"));
}
