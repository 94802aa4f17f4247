#pragma once
// The program started as the user starts it, in a language of choice, with a
// new project in its designer window (or none), projects saved to and opened
// from their files, and the user's hand on the sheet: the mouse over an
// object, a right click, a point brought into view.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>

#include <functional>
#include <string>

#include "ShellTestSupport.h"
#include "model/CQuillomerDoc.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"

class ShellProgramTest : public ::testing::Test {
protected:
    // "German" or "English"; the English resources are those of the build.
    // `shellCommand` as the settings hold it: 1 starts with a new project,
    // 0 with none (then view and doc stay null).
    void StartProgram(const char* language = "German", int shellCommand = 1)
    {
        QSettings().setValue("Settings/Language", language);
        QSettings().setValue("Configuration/ShellCommand", shellCommand);
        app.SetResourceDirs({BinaryDir()});
        ASSERT_TRUE(app.InitInstance({}));
        ASSERT_EQ(app.IsEnglishResources(), std::string(language) == "English");
        frame = app.GetMainFrame();
        tpl = app.GetDocTemplate();
        ShowFrame();
        if (shellCommand != 0) {
            ASSERT_NE(view, nullptr);
            ASSERT_NE(doc, nullptr);
        }
    }
    // The main window shown at 1280 x 900; view and doc are its active ones.
    void ShowFrame()
    {
        frame->showNormal();
        frame->resize(1280, 900);
        QApplication::processEvents();
        view = frame->GetActiveView();
        doc = view ? view->GetDocument() : nullptr;
    }
    // Where the user saves a project that has no file yet.
    void SaveTo(const QString& path)
    {
        tpl->SetSavePathChooser([path](CQuillomerDoc*, const QString&) { return path; });
    }
    // The project of that file opened in the shown main window.
    void Open(const QString& path)
    {
        CQuillomerDoc* opened = tpl->OpenDocumentFile(path);
        ASSERT_NE(opened, nullptr);
        ShowFrame();
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(doc, opened);
    }
    // A new project saved as `path`, closed, and opened again from its file.
    void SaveNewAndReopen(const QString& path)
    {
        SaveTo(path);
        CQuillomerDoc* made = tpl->OpenDocumentFile(QString());
        ASSERT_NE(made, nullptr);
        QApplication::processEvents();  // the new project's data dialog, closed
        ASSERT_TRUE(tpl->SaveDocument(made, true));
        tpl->CloseAllDocuments();
        Open(path);
    }

    template <class T>
    T* Find(int category, const std::function<bool(T*)>& match = nullptr)
    {
        for (CBaseDevice* obj : doc->GetList(category))
            if (auto* t = dynamic_cast<T*>(obj))
                if (!match || match(t))
                    return t;
        return nullptr;
    }
    template <class T>
    T* Find(int category, const std::string& name)
    {
        return Find<T>(category, [&](T* t) { return t->GetName() == name; });
    }

    // Brings a sheet point into the window's upper left part.
    void ShowAround(CPoint logical)
    {
        view->ScrollToPosition(view->LogicalToClient(logical) + view->GetScrollPosition() - QPoint(200, 200));
        QApplication::processEvents();
    }
    // Makes the object under the client point hot, as moving the mouse there does.
    void HoverAt(const QPoint& client)
    {
        view->HandleMouseMove(Qt::NoButton, client);
        view->HandleMouseMove(Qt::NoButton, client);
    }
    // The real mouse brought onto the client point from just left of it.
    void MouseTo(const QPoint& client)
    {
        QTest::mouseMove(view->viewport(), client - QPoint(3, 0));
        QTest::mouseMove(view->viewport(), client);
    }
    void RightClick(const QPoint& client)
    {
        QContextMenuEvent ev(QContextMenuEvent::Mouse, client, view->viewport()->mapToGlobal(client));
        QApplication::sendEvent(view->viewport(), &ev);
    }
    // All three: the point into view, the mouse there, a right click.
    void RightClickAt(CPoint logical)
    {
        ShowAround(logical);
        const QPoint at = view->LogicalToClient(logical);
        HoverAt(at);
        RightClick(at);
    }
    // A mouse event at any point of a widget, its corner included (the test
    // library takes the null point for the widget's centre).
    static void MouseEvent(QWidget* w, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent ev(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &ev);
    }

    SettingsSandbox settings;
    MessageRecorder messages;
    DialogWatch projectData{{"CProjectDataDlg"}};
    CQuillomerApp app;
    CMainFrame* frame = nullptr;
    CDocTemplate* tpl = nullptr;
    CQuillomerView* view = nullptr;
    CQuillomerDoc* doc = nullptr;
};
