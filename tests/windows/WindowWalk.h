#pragma once
// Opens every registered window in turn as a user first meets it (no
// placement kept from before, so each opens at its designed size) and lets
// a test look at it while it is shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "model/CQuillomerDoc.h"
#include "comm/windows/CModemPage.h"
#include "support/ModelTestHost.h"
#include "ui/CApplicationPropertiesDlg.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

// Lets the shown window finish laying itself out: a control that grows to a
// text set while it was shown (a folder path, say) asks its window for more
// room only once the first layout has run.
inline void SettleLayout(QWidget* window)
{
    for (int round = 0; round < 10; ++round) {
        const QSize before = window->size();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::processEvents();
        if (window->size() == before)
            break;
    }
}

// Each window on a new document of its own, or on `doc` when one is given,
// and with its top left corner at `at` when one is given (a feature window's
// host by the placement it keeps). A window that
// cannot be made for the document fails the walk. The preferences carry the
// page the program adds to them.
inline void WalkRegisteredWindows(const std::function<void(const CWindowRegistry::Entry&, QWidget*)>& look,
                                  CQuillomerDoc* doc = nullptr, std::optional<QPoint> at = {})
{
    ASSERT_FALSE(CWindowRegistry::Entries().empty());
    QSettings().remove(QStringLiteral("Configuration"));
    QSettings().remove(CObjectDlg::SettingsKey());
    struct ModemPage {
        CApplicationPropertiesDlg::PageFactory previous = CModemPage::RegisterWithPreferences();
        ~ModemPage() { CApplicationPropertiesDlg::SetModemPageFactory(std::move(previous)); }
    } modemPage;
    for (const CWindowRegistry::Entry& entry : CWindowRegistry::Entries()) {
        // Widths of lists and columns that an earlier window stored on
        // closing are a placement from before too.
        QSettings settings;
        for (const QString& key : settings.allKeys())
            if (key.startsWith(QLatin1String("Settings/")) && key.endsWith(QLatin1String("Width")))
                settings.remove(key);
        ModelTestHost host;
        MessageLog messages;
        std::unique_ptr<CQuillomerDoc> own;
        if (!doc) {
            own = std::make_unique<CQuillomerDoc>();
            own->OnNewDocument();
        }
        CQuillomerDoc* shown = doc ? doc : own.get();
        ActiveDocScope active{shown};
        if (at)
            QSettings().setValue(CObjectDlg::SettingsKey(), QStringLiteral("%1,%2,780,400").arg(at->x()).arg(at->y()));
        std::unique_ptr<QWidget> window(entry.create(shown));
        ASSERT_NE(nullptr, window) << entry.name.toStdString();
        if (at)
            window->move(*at);
        window->show();
        QApplication::processEvents();
        QApplication::processEvents();
        SettleLayout(window.get());
        // QL_WINDOW_SHOTS names a folder for a picture of every window, to
        // look at what the checks cannot judge.
        if (const QString shots = qEnvironmentVariable("QL_WINDOW_SHOTS"); !shots.isEmpty())
            window->grab().save(QDir(shots).filePath(entry.name + (doc ? QStringLiteral("-full.png") : QStringLiteral(".png"))));
        look(entry, window.get());
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
