// Renaming on the sheet of a reopened project, where the card slots
// "Makro", "Kalender" and "Trigger" share their names with the blocks the
// project holds: opening a label and taking it with Enter as it stands
// changes nothing and says nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "ShellTestSupport.h"
#include "model/CQuillomerDoc.h"
#include "shell/CDocTemplate.h"
#include "shell/CLabelEdit.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"

TEST(ShellRenameSameName, EnterOnAnUnchangedLabelKeepsTheNameAndTheProjectUnchanged)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    DialogWatch dialogs;
    QSettings().setValue("Settings/Language", "German");
    QSettings().setValue("Configuration/ShellCommand", 0);
    QTemporaryDir dir;
    const QString path = dir.filePath("Anlage.qlx");
    CQuillomerApp app;
    app.SetResourceDirs({BinaryDir()});
    ASSERT_TRUE(app.InitInstance({}));
    CDocTemplate* tpl = app.GetDocTemplate();
    tpl->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return path; });
    CQuillomerDoc* made = tpl->OpenDocumentFile(QString());
    QApplication::processEvents();  // the new project's data dialog, closed
    ASSERT_TRUE(tpl->SaveDocument(made, true));
    tpl->CloseAllDocuments();
    CQuillomerDoc* doc = tpl->OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    CMainFrame* frame = app.GetMainFrame();
    frame->showNormal();
    frame->resize(1280, 900);
    QApplication::processEvents();
    CQuillomerView* view = frame->GetActiveView();
    ASSERT_EQ(view->GetDocument(), doc);

    for (const char* name : {"Makro", "Kalender", "Trigger"}) {
        SCOPED_TRACE(name);
        CBaseDevice* slot = nullptr;
        int named = 0;
        for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* o : doc->GetList(c))
                if (o->GetName() == name) {
                    ++named;
                    if (c == CAT_INTERNAL_SLOT)
                        slot = o;
                }
        ASSERT_NE(slot, nullptr);
        ASSERT_EQ(named, 2);  // the slot and the block of the same name

        view->ScrollToPosition(view->LogicalToClient(slot->GetRect().CenterPoint()) + view->GetScrollPosition() -
                               QPoint(300, 300));
        view->viewport()->repaint();
        const QPoint at = view->LogicalToClient(slot->GetLabelRect().CenterPoint());
        QTest::mouseMove(view->viewport(), at - QPoint(2, 0));
        QTest::mouseMove(view->viewport(), at);
        ASSERT_EQ(view->GetHotObject(), slot);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        CLabelEdit* edit = view->GetLabelEdit();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text().toStdString(), name);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(view->GetLabelEdit(), nullptr);
        EXPECT_EQ(slot->GetName(), name);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().first;
        messages.messages.clear();
    }
}
