#pragma once
// The program started as the user starts it, in a language of choice, with a
// new project in its designer window, and the user's hand on the sheet: the
// mouse over an object, a right click, a point brought into view.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QSettings>

#include <functional>
#include <string>

#include "ShellTestSupport.h"
#include "model/CQuillomerDoc.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"

class ShellProgramTest : public ::testing::Test {
protected:
    // "German" or "English"; the English resources are those of the build.
    void StartProgram(const char* language = "German")
    {
        QSettings().setValue("Settings/Language", language);
        QSettings().setValue("Configuration/ShellCommand", 1);
        app.SetResourceDirs({BinaryDir()});
        ASSERT_TRUE(app.InitInstance({}));
        ASSERT_EQ(app.IsEnglishResources(), std::string(language) == "English");
        frame = app.GetMainFrame();
        frame->showNormal();
        frame->resize(1280, 900);
        QApplication::processEvents();
        view = frame->GetActiveView();
        ASSERT_NE(view, nullptr);
        doc = view->GetDocument();
        ASSERT_NE(doc, nullptr);
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

    SettingsSandbox settings;
    MessageRecorder messages;
    DialogWatch projectData{{"CProjectDataDlg"}};
    CQuillomerApp app;
    CMainFrame* frame = nullptr;
    CQuillomerView* view = nullptr;
    CQuillomerDoc* doc = nullptr;
};
