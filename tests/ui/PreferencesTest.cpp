// Preferences sheet: start-up page values and the directory page's browse,
// which takes nothing that is no folder when the user confirms it.
#include "ui/CApplicationPropertiesDlg.h"
#include "ui/CChooseDirectoryDlg.h"
#include "ui/CChooseDirectoryPage.h"
#include "ui/CDriveView.h"
#include "ui/COpenFilePage.h"
#include "ui/CPathLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "support/EnglishTexts.h"

namespace {
class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clear();
        m_oldHandler = SetMessageHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return int(mb::IdOk);
        });
    }
    void TearDown() override
    {
        SetMessageHandler(m_oldHandler);
        Clear();
    }
    static void Clear()
    {
        QSettings().remove(COpenFilePage::SettingsKey());
        QSettings().remove(CChooseDirectoryPage::SettingsKey());
    }

    std::vector<std::string> messages;  // the message boxes shown

private:
    MessageHandler m_oldHandler;
};
}  // namespace

TEST_F(PreferencesTest, SheetHasPagesInOrderAndCaption)
{
    CApplicationPropertiesDlg sheet(32800, nullptr, 0);
    EXPECT_EQ(sheet.windowTitle(), "Voreinstellungen");
    ASSERT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetPage(0)->GetTitle(), "Programmstart");
    EXPECT_EQ(sheet.GetPage(1)->GetTitle(), "Verzeichnisse");
    EXPECT_EQ(sheet.ModemPage(), nullptr);
    // A registered modem page comes third.
    auto old = CApplicationPropertiesDlg::SetModemPageFactory([] { return new CPropertyPage("Modem"); });
    CApplicationPropertiesDlg withModem;
    ASSERT_EQ(withModem.GetPageCount(), 3);
    EXPECT_EQ(withModem.GetPage(2)->GetTitle(), "Modem");
    CApplicationPropertiesDlg::SetModemPageFactory(old);
}

TEST_F(PreferencesTest, NoValueChoosesWithoutProject)
{
    COpenFilePage page;
    EXPECT_EQ(page.m_nStartupAction, 0);
    EXPECT_EQ(page.Buttons()->checkedId(), 0);
    EXPECT_EQ(page.Buttons()->button(0)->text(), "ohne Projekt");
    EXPECT_EQ(page.Buttons()->button(2)->text(), "mit letztem Projekt");
}

TEST_F(PreferencesTest, OutOfRangeValueChoosesNothingAndApplyWritesMinusOne)
{
    QSettings().setValue(COpenFilePage::SettingsKey(), 5);
    CApplicationPropertiesDlg sheet;
    sheet.show();
    auto* page = sheet.OpenFilePage();
    EXPECT_EQ(page->m_nStartupAction, -1);
    EXPECT_EQ(page->Buttons()->checkedId(), -1);
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
    sheet.accept();  // OK without a click
    EXPECT_EQ(QSettings().value(COpenFilePage::SettingsKey()).toInt(), -1);
}

TEST_F(PreferencesTest, ClickMarksModifiedApplyWritesAndCancelDoesNot)
{
    QSettings().setValue(COpenFilePage::SettingsKey(), 1);
    {
        CApplicationPropertiesDlg sheet;
        sheet.show();
        EXPECT_EQ(sheet.OpenFilePage()->Buttons()->checkedId(), 1);
        sheet.OpenFilePage()->Buttons()->button(2)->click();
        EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
        sheet.reject();
        EXPECT_EQ(QSettings().value(COpenFilePage::SettingsKey()).toInt(), 1);
    }
    CApplicationPropertiesDlg sheet;
    sheet.show();
    sheet.OpenFilePage()->Buttons()->button(2)->click();
    sheet.ApplyButton()->click();
    EXPECT_EQ(QSettings().value(COpenFilePage::SettingsKey()).toInt(), 2);
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
}

TEST_F(PreferencesTest, DirectoryDefaultsToHome)
{
    CApplicationPropertiesDlg sheet(32800, nullptr, 1);
    sheet.show();
    EXPECT_EQ(sheet.DirectoryPage()->m_stcDirectory->text(), QDir::homePath());
    EXPECT_EQ(sheet.DirectoryPage()->m_btnBrowse->text(), "&Durchsuchen...");
}

// "Durchsuchen..." opens the chooser with its tree and status bar inside it;
// the user opens a folder by a double click, clicks a folder below it and OK:
// that folder is stored at once, even when the sheet is then cancelled.
TEST_F(PreferencesTest, BrowsedDirectoryIsStoredAtOnceEvenIfSheetCancelled)
{
    QTemporaryDir tmp;
    QDir(tmp.path()).mkpath("Daten/Projekte");
    const QString root = QDir::cleanPath(tmp.path());
    auto oldProvider = CDriveView::SetDriveProvider([root] {
        return QList<CDriveView::Drive>{{root, CDriveView::DriveFixed}};
    });
    const auto clickItem = [](CDriveView* view, QTreeWidgetItem* item, bool twice) {
        const QPoint at = view->visualItemRect(item).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        if (twice)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };
    {
        CApplicationPropertiesDlg sheet(32800, nullptr, 1);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        QString shownInStatusBar;
        QObject scope;  // the timer dies with the locals it writes, whether a chooser took it or not
        const auto choose = [&](CChooseDirectoryDlg* dlg) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
            EXPECT_EQ(dlg->windowTitle(), "Projektverzeichnis auswählen");
            // The tree and the status bar are shown inside the dialog, above its buttons.
            CDriveView* view = dlg->DriveView();
            auto* status = dlg->findChild<QStatusBar*>();
            for (QWidget* w : {static_cast<QWidget*>(view), static_cast<QWidget*>(status)}) {
                ASSERT_TRUE(w->isVisible()) << w->metaObject()->className();
                ASSERT_EQ(w->window(), dlg) << w->metaObject()->className();
                const QRect inDialog(w->mapTo(dlg, QPoint(0, 0)), w->size());
                EXPECT_TRUE(dlg->rect().contains(inDialog)) << w->metaObject()->className();
                EXPECT_GT(inDialog.height(), 10) << w->metaObject()->className();
            }
            // What the dialog shows where the tree stands is the tree with its folders.
            const QImage shot = dlg->grab().toImage().convertToFormat(QImage::Format_RGB32);
            if (qEnvironmentVariableIsSet("QL_KEEP_SHOTS"))
                shot.save(qEnvironmentVariable("QL_KEEP_SHOTS") + QStringLiteral("/choose-directory.png"));
            const qreal ratio = shot.devicePixelRatio();
            const QImage tree = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(shot.copy(QRect(view->mapTo(dlg, QPoint(0, 0)) * ratio, tree.size())), tree);
            QTreeWidgetItem* daten = view->topLevelItem(0)->child(0);
            ASSERT_EQ(daten->text(0), "Daten");
            clickItem(view, daten, true);  // opened
            ASSERT_TRUE(daten->isExpanded());
            QTreeWidgetItem* projekte = daten->child(0);
            ASSERT_EQ(projekte->text(0), "Projekte");
            clickItem(view, projekte, false);
            shownInStatusBar = status->currentMessage();
            for (QAbstractButton* b : dlg->findChild<QDialogButtonBox*>()->buttons())
                if (b->text() == QStringLiteral("OK"))
                    QTest::mouseClick(b, Qt::LeftButton);
        };
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CChooseDirectoryDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            choose(dlg);
            if (dlg->isVisible())
                dlg->reject();  // a failed step leaves no dialog open
        });
        auto* browse = sheet.DirectoryPage()->m_btnBrowse;
        ASSERT_TRUE(browse->isVisible());
        QTest::mouseClick(browse, Qt::LeftButton);
        EXPECT_EQ(shownInStatusBar.toStdString(), (root + "/Daten/Projekte").toStdString());
        EXPECT_EQ(sheet.DirectoryPage()->m_stcDirectory->text().toStdString(), (root + "/Daten/Projekte").toStdString());
        sheet.reject();
    }
    EXPECT_EQ(QSettings().value(CChooseDirectoryPage::SettingsKey()).toString().toStdString(),
              (root + "/Daten/Projekte").toStdString());

    // Cancel in the chooser changes nothing.
    {
        CApplicationPropertiesDlg sheet(32800, nullptr, 1);
        sheet.show();
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CChooseDirectoryDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            QTest::keyClick(dlg, Qt::Key_Escape);
            EXPECT_TRUE(dlg->m_strDirectory.isEmpty());
        });
        QTest::mouseClick(sheet.DirectoryPage()->m_btnBrowse, Qt::LeftButton);
    }
    EXPECT_EQ(QSettings().value(CChooseDirectoryPage::SettingsKey()).toString().toStdString(),
              (root + "/Daten/Projekte").toStdString());

    // The chooser opens on the folder held, also one reached through a
    // symbolic link: OK unchanged keeps it.
    ASSERT_TRUE(QFile::link(root + "/Daten", root + "/Verweis"));
    for (const QString& held : {root + "/Daten/Projekte", root + "/Verweis/Projekte"}) {
        QSettings().setValue(CChooseDirectoryPage::SettingsKey(), held);
        CApplicationPropertiesDlg sheet(32800, nullptr, 1);
        sheet.show();
        QString shown;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CChooseDirectoryDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            shown = dlg->findChild<QStatusBar*>()->currentMessage();
            QTest::keyClick(dlg->DriveView(), Qt::Key_Return);
            if (dlg->isVisible())
                dlg->reject();  // a failed step leaves no dialog open
        });
        QTest::mouseClick(sheet.DirectoryPage()->m_btnBrowse, Qt::LeftButton);
        EXPECT_EQ(shown.toStdString(), held.toStdString());
        EXPECT_EQ(QSettings().value(CChooseDirectoryPage::SettingsKey()).toString().toStdString(), held.toStdString());
    }
    CDriveView::SetDriveProvider(oldProvider);
}

// A project folder of 80 characters: the page shows it whole where the sheet
// gives room, else shortened in the middle with the whole path as its tool
// tip; its beginning and its last folder stay readable either way.
TEST_F(PreferencesTest, ALongProjectFolderStaysReadable)
{
    const QString path =
        QStringLiteral("/home/anwender/Projekte/Beschallungsanlagen/Bahnhof-Nord/Bauabschnitt-2/Plan2026");
    ASSERT_EQ(80, path.size());
    QSettings().setValue(CChooseDirectoryPage::SettingsKey(), path);
    CApplicationPropertiesDlg sheet(32800, nullptr, 1);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    CPathLabel* label = sheet.DirectoryPage()->m_stcDirectory;
    ASSERT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), path);
    // From the width the sheet opens with down to the least it allows.
    const int opened = sheet.width();
    const int least = sheet.minimumSizeHint().width();
    EXPECT_LT(least, label->fontMetrics().horizontalAdvance(path)) << "the path does not set the sheet's width";
    for (int width : {opened, (opened + least) / 2, least}) {
        SCOPED_TRACE(width);
        sheet.resize(width, sheet.height());
        QApplication::processEvents();
        const QString shown = label->ShownText();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
        if (shown != path) {
            EXPECT_EQ(label->toolTip(), path);
            EXPECT_TRUE(shown.startsWith(QStringLiteral("/home/"))) << shown.toStdString();
            EXPECT_TRUE(shown.endsWith(QStringLiteral("/Plan2026"))) << shown.toStdString();
            EXPECT_GE(shown.size(), 30) << shown.toStdString();
        } else {
            EXPECT_TRUE(label->toolTip().isEmpty());
        }
    }
    if (qEnvironmentVariableIsSet("QL_KEEP_SHOTS"))
        sheet.grab().save(qEnvironmentVariable("QL_KEEP_SHOTS") + QStringLiteral("/preferences-long-folder.png"));
    // A short folder is shown whole, without a tip.
    QSettings().setValue(CChooseDirectoryPage::SettingsKey(), QStringLiteral("/daten"));
    sheet.DirectoryPage()->OnInitDialog();
    EXPECT_EQ(label->ShownText(), QStringLiteral("/daten"));
    EXPECT_TRUE(label->toolTip().isEmpty());
}

// The tree shows the folders as they were when it read them. One that is no
// folder by the time the user confirms it (removed, replaced by a plain file,
// a link whose folder went) is refused with a word, in either language: the
// chooser stays open, shows its folder read afresh, and the project folder
// stays as it was. A link that leads nowhere and a pipe are not offered.
TEST_F(PreferencesTest, AFolderThatIsNoFolderNowIsRefusedAndTheOldOneKept)
{
    struct Row {
        const char* name;
        bool link;  // the folder chosen is a link to the folder "Ziel"
        std::function<void(const QString& chosen, const QString& root)> change;  // from outside
        const char* reason[2];
    };
    const Row rows[] = {
        {"removed", false, [](const QString& chosen, const QString&) { QDir(chosen).removeRecursively(); },
         {"Der Ordner ist nicht vorhanden.", "The folder does not exist."}},
        {"replaced by a plain file", false, [](const QString& chosen, const QString&) {
             QDir(chosen).removeRecursively();
             QFile file(chosen);
             file.open(QIODevice::WriteOnly);
         }, {"Der Name bezeichnet eine Datei, keinen Ordner.", "The name denotes a file, not a folder."}},
        {"a link whose folder went", true,
         [](const QString&, const QString& root) { QDir(root + "/Ziel").removeRecursively(); },
         {"Der Ordner ist nicht vorhanden.", "The folder does not exist."}},
    };
    for (const Row& row : rows) {
        for (const bool english : {false, true}) {
            SCOPED_TRACE(testing::Message() << row.name << (english ? ", English" : ", German"));
            std::optional<EnglishTexts> texts;
            if (english)
                texts.emplace();
            QTemporaryDir tmp;
            const QString root = QDir::cleanPath(tmp.path());
            const QString held = root + "/Daten";
            const QString chosen = root + "/Wahl";
            ASSERT_TRUE(QDir(root).mkpath("Daten/Projekte"));
            ASSERT_TRUE(row.link ? QDir(root).mkpath("Ziel") && QFile::link(root + "/Ziel", chosen)
                                 : QDir(root).mkpath("Wahl"));
            ASSERT_TRUE(QFile::link(root + "/nirgends", root + "/Tot"));
            ASSERT_EQ(0, ::mkfifo(QFile::encodeName(root + "/Rohr").constData(), 0600));
            QSettings().setValue(CChooseDirectoryPage::SettingsKey(), held);
            auto oldProvider = CDriveView::SetDriveProvider([root] {
                return QList<CDriveView::Drive>{{root, CDriveView::DriveFixed}};
            });
            messages.clear();
            CApplicationPropertiesDlg sheet(32800, nullptr, 1);
            sheet.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
            QStringList offered, offeredAfter;
            bool stayed = false;
            QObject scope;
            QTimer::singleShot(0, &scope, [&] {
                auto* dlg = qobject_cast<CChooseDirectoryDlg*>(QApplication::activeModalWidget());
                ASSERT_NE(dlg, nullptr);
                ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
                CDriveView* view = dlg->DriveView();
                QTreeWidgetItem* drive = view->topLevelItem(0);
                auto names = [drive] {
                    QStringList list;
                    for (int i = 0; i < drive->childCount(); ++i)
                        list << drive->child(i)->text(0);
                    return list;
                };
                offered = names();
                QTreeWidgetItem* wahl = nullptr;
                for (int i = 0; i < drive->childCount(); ++i)
                    if (drive->child(i)->text(0) == "Wahl")
                        wahl = drive->child(i);
                if (wahl) {
                    view->scrollToItem(wahl);
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualItemRect(wahl).center());
                    row.change(chosen, root);
                    for (QAbstractButton* b : dlg->findChild<QDialogButtonBox*>()->buttons())
                        if (b->text() == QStringLiteral("OK"))
                            QTest::mouseClick(b, Qt::LeftButton);
                }
                stayed = dlg->isVisible();
                offeredAfter = names();
                if (dlg->isVisible())
                    QTest::keyClick(dlg, Qt::Key_Escape);
            });
            QTest::mouseClick(sheet.DirectoryPage()->m_btnBrowse, Qt::LeftButton);
            EXPECT_TRUE(offered.contains("Wahl") && offered.contains("Daten")) << offered.join(',').toStdString();
            EXPECT_FALSE(offered.contains("Tot") || offered.contains("Rohr")) << offered.join(',').toStdString();
            EXPECT_TRUE(stayed) << "the chooser stays open";
            EXPECT_FALSE(offeredAfter.contains("Wahl")) << offeredAfter.join(',').toStdString();
            ASSERT_EQ(1u, messages.size());
            EXPECT_NE(std::string::npos, messages[0].find("'" + chosen.toStdString() + "'")) << messages[0];
            EXPECT_NE(std::string::npos, messages[0].find(row.reason[english])) << messages[0];
            EXPECT_EQ(held.toStdString(), QSettings().value(CChooseDirectoryPage::SettingsKey()).toString().toStdString());
            EXPECT_EQ(held.toStdString(), sheet.DirectoryPage()->m_stcDirectory->text().toStdString());
            sheet.reject();
            CDriveView::SetDriveProvider(oldProvider);
        }
    }
}
