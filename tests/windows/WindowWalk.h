#pragma once
// Opens every registered window in turn as a user first meets it (no
// placement kept from before, so each opens at its designed size) and lets
// a test look at it while it is shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QWidget>

#include <functional>
#include <memory>

#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

// Each window on a new document of its own, or on `doc` when one is given.
// A window that cannot be made for the document fails the walk.
inline void WalkRegisteredWindows(const std::function<void(const CWindowRegistry::Entry&, QWidget*)>& look,
                                  CQuillomerDoc* doc = nullptr)
{
    ASSERT_FALSE(CWindowRegistry::Entries().empty());
    QSettings().remove(QStringLiteral("Configuration"));
    QSettings().remove(CObjectDlg::SettingsKey());
    for (const CWindowRegistry::Entry& entry : CWindowRegistry::Entries()) {
        ModelTestHost host;
        MessageLog messages;
        std::unique_ptr<CQuillomerDoc> own;
        if (!doc) {
            own = std::make_unique<CQuillomerDoc>();
            own->OnNewDocument();
        }
        CQuillomerDoc* shown = doc ? doc : own.get();
        ActiveDocScope active{shown};
        std::unique_ptr<QWidget> window(entry.create(shown));
        ASSERT_NE(nullptr, window) << entry.name.toStdString();
        window->show();
        QApplication::processEvents();
        QApplication::processEvents();
        look(entry, window.get());
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
