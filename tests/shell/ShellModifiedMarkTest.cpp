// The program's mark of a project with changes not saved: every change the
// user makes in any window of the program, as the user makes it, marks the
// project modified and shows " *" in the main window's title; closing then
// offers to save. Opening a window and looking changes nothing.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <functional>
#include <set>
#include <vector>

#include "MenuTestSupport.h"
#include "ShellProgramTest.h"
#include "hardware/CDigitalSlot.h"
#include "shell/CDocTemplate.h"
#include "shell/CShellAppHost.h"
#include "shell/ShellIds.h"
#include "ui/CEditListCtrl.h"
#include "shell/CProjectDataDlg.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"
#include "ui/CWindowRegistry.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "model/CIDManager.h"

namespace {

// Waits (pumping events) until `done` holds or five seconds have passed.
bool PumpUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000)
            return false;
        QApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

// Answers the dialogs a window opens while the user works in it: a
// selection dialog gets the row `pickRow` chosen and OK (when it has that
// row), any other dialog is closed as with Escape.
class NestedDialogs : public QObject {
public:
    NestedDialogs() { qApp->installEventFilter(this); }
    ~NestedDialogs() override { qApp->removeEventFilter(this); }

    QPointer<QWidget> window;  // the window under test: left alone
    int pickRow = -1;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dlg = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || !dlg || !dlg->isWindow() || dlg == window)
            return false;
        QPointer<QDialog> shown(dlg);
        const int row = pickRow;
        QTimer::singleShot(0, dlg, [shown, row] {
            if (!shown || !shown->isVisible())
                return;
            auto* sel = qobject_cast<CSelectionDlg*>(shown.data());
            QTreeWidget* list = sel ? sel->List() : nullptr;
            if (list && row >= 0 && row < list->topLevelItemCount()) {
                QTreeWidgetItem* item = list->topLevelItem(row);
                list->scrollToItem(item);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                                  list->visualItemRect(item).center());
                QTest::keyClick(shown.data(), Qt::Key_Return);
            }
            if (shown && shown->isVisible())
                shown->reject();
        });
        return false;
    }
};

QString Describe(const QWidget* w)
{
    QString text;
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        text = b->text();
    return QStringLiteral("%1 \"%2\" %3").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text);
}

// One step of the user's on a control that holds a value: a click on a
// check box, a radio or a toggle button, the next item of a list box by the
// arrow key, a page step of a slider, a step of a spin box, a digit typed
// into a field that is left with Tab. False for any other control.
bool Touch(QWidget* w)
{
    if (!w->isVisible() || !w->isEnabled())
        return false;
    auto* push = qobject_cast<QPushButton*>(w);
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) || (push && push->isCheckable())) {
        QTest::mouseClick(w, Qt::LeftButton);
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->count() < 2)
            return false;
        combo->setFocus(Qt::TabFocusReason);
        QTest::keyClick(combo, combo->currentIndex() + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
        return true;
    }
    if (auto* slider = qobject_cast<QSlider*>(w)) {
        slider->setFocus(Qt::TabFocusReason);
        QTest::keyClick(slider, slider->value() < slider->maximum() ? Qt::Key_PageUp : Qt::Key_PageDown);
        return true;
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        if (spin->isReadOnly())
            return false;
        spin->setFocus(Qt::TabFocusReason);
        QTest::keyClick(spin, Qt::Key_Up);
        QTest::keyClick(spin, Qt::Key_Tab);
        return true;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->isReadOnly() || qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) ||
            qobject_cast<QComboBox*>(edit->parentWidget()))
            return false;
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("9"));
        QTest::keyClick(edit, Qt::Key_Tab);
        return true;
    }
    return false;
}

// Clicks the button of a feature window's command.
bool ClickCommand(CObjectDlg& host, unsigned command)
{
    auto* frame = qobject_cast<CFeatureFrm*>(host.m_pFrame.data());
    QAction* action = frame ? frame->GetAction(command) : nullptr;
    if (!action)
        return false;
    for (QToolBar* bar : frame->findChildren<QToolBar*>())
        if (QWidget* button = bar->widgetForAction(action)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return true;
        }
    return false;
}

class ShellModifiedMark : public ShellProgramTest {
protected:
    // The windows' own files (the project's text file the text editor saves
    // on OK) land in a folder of the test's, not where the test was started.
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        QDir::setCurrent(work.path());
        ASSERT_NO_FATAL_FAILURE(StartProgram());
    }
    void TearDown() override
    {
        ShellProgramTest::TearDown();
        QDir::setCurrent(started);
    }

    // The project as it stands is the one saved.
    void Clean()
    {
        doc->SetModifiedFlag(false);
        saved = doc->SaveToBytes();
    }
    bool Changed() const { return doc->SaveToBytes() != saved; }
    bool TitleMarked() const { return QString::fromStdString(doc->GetTitle()).endsWith(QStringLiteral(" *")); }
    bool FrameTitleMarked()
    {
        return PumpUntil([this] { return frame->windowTitle().endsWith(QStringLiteral(" *")); });
    }

    std::vector<uint8_t> saved;
    const QString started = QDir::currentPath();
    QTemporaryDir work;
};

}  // namespace

TEST_F(ShellModifiedMark, EveryWindowThatChangesTheProjectMarksIt)
{
    // What the issue names, each of which a user's change must reach.
    const std::set<QString> mustChange = {
        QStringLiteral("CAmpPropDlg"),     QStringLiteral("CPowerSupplyDlg"), QStringLiteral("CZonetestPropDlg"),
        QStringLiteral("CFuseFrm"),        QStringLiteral("CPowerFrm"),       QStringLiteral("CPilotFrm"),
        QStringLiteral("CVolumeFrm"),      QStringLiteral("CMonitorDlgFrm"),
    };
    std::set<QString> changedIn;
    NestedDialogs nested;
    for (const CWindowRegistry::Entry& entry : CWindowRegistry::Entries()) {
        if (entry.name == QStringLiteral("CMainFrame") || entry.name == QStringLiteral("CChildFrame"))
            continue;
        SCOPED_TRACE(entry.name.toStdString());
        QPointer<QWidget> window(entry.create(doc));
        if (!window)
            continue;
        nested.window = window;
        nested.pickRow = -1;
        window->show();
        QApplication::processEvents();
        Clean();

        // One change after the other, each checked as it is made.
        bool marked = false;
        const auto check = [&](const QString& what) {
            if (!Changed())
                return false;
            EXPECT_TRUE(doc->IsModified()) << what.toStdString() << " changed the project without marking it";
            EXPECT_TRUE(TitleMarked()) << what.toStdString() << ": " << doc->GetTitle();
            if (!marked && doc->IsModified()) {
                EXPECT_TRUE(FrameTitleMarked()) << frame->windowTitle().toStdString();
                marked = true;
            }
            changedIn.insert(entry.name);
            Clean();
            return true;
        };
        // The bus address of the amplifier properties and a new monitor
        // entry come from the selection dialog.
        if (auto* address = window->findChild<QPushButton*>(QStringLiteral("1547")); address && address->isEnabled()) {
            nested.pickRow = 3;
            QTest::mouseClick(address, Qt::LeftButton);
            QApplication::processEvents();
            EXPECT_TRUE(check(QStringLiteral("the bus address"))) << "the new address did not reach the project";
        }
        if (auto* host = qobject_cast<CObjectDlg*>(window.data()); host && entry.name == QStringLiteral("CMonitorDlgFrm")) {
            nested.pickRow = 1;
            EXPECT_TRUE(ClickCommand(*host, 33145));
            QApplication::processEvents();
            EXPECT_TRUE(check(QStringLiteral("a new monitor entry"))) << "the new entry did not reach the project";
        }
        nested.pickRow = -1;
        const QList<QWidget*> controls = window ? window->findChildren<QWidget*>() : QList<QWidget*>();
        for (QWidget* c : controls) {
            QPointer<QWidget> control(c);
            if (!window || !control || qobject_cast<QScrollBar*>(control.data()))
                continue;
            const QString what = Describe(control);
            if (Touch(control))
                check(what);
        }
        nested.pickRow = -1;
        // A dialog takes some of its values on OK.
        if (auto* box = window ? window->findChild<QDialogButtonBox*>() : nullptr; box && box->button(QDialogButtonBox::Ok)) {
            QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
            QApplication::processEvents();
            check(QStringLiteral("OK"));
        } else if (window) {
            for (QPushButton* b : window->findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("OK") && b->isVisible() && b->isEnabled()) {
                    QTest::mouseClick(b, Qt::LeftButton);
                    QApplication::processEvents();
                    check(QStringLiteral("OK"));
                    break;
                }
        }
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    for (const QString& name : mustChange)
        EXPECT_TRUE(changedIn.count(name)) << name.toStdString() << ": no change of the user's reached the project";
}

TEST_F(ShellModifiedMark, FittingOrRemovingTheDigitalCardMarksTheProject)
{
    auto* card = Find<CDigitalSlot>(CAT_DIGITAL_SLOT);
    ASSERT_NE(nullptr, card);
    uint32_t choose = 0;
    const auto previous = CShellAppHost::SetMenuRunner([&choose](QMenu& menu, const QPoint&) -> QAction* {
        QAction* a = menutest::FindAction(menu, choose);
        return a && a->isEnabled() ? a : nullptr;
    });
    const CRect r = card->GetRect();
    const CPoint centre((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    for (const uint32_t command : {card->IsFitted() ? 33008u : 33009u, card->IsFitted() ? 33009u : 33008u}) {
        SCOPED_TRACE(command);
        Clean();
        const bool fitted = card->IsFitted();
        choose = command;
        RightClickAt(centre);
        QApplication::processEvents();
        ASSERT_NE(fitted, card->IsFitted()) << "the menu entry did not reach the card";
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(FrameTitleMarked()) << frame->windowTitle().toStdString();
        // The same choice again changes nothing and marks nothing.
        Clean();
        RightClickAt(centre);
        QApplication::processEvents();
        EXPECT_FALSE(doc->IsModified());
    }
    CShellAppHost::SetMenuRunner(previous);
}

TEST_F(ShellModifiedMark, TheTitleShowsTheMarkEachTimeTheVolumesMarkTheProject)
{
    const QString path = settings.Path() + QStringLiteral("/Laut.qlx");
    CDocTemplate* docs = app.GetDocTemplate();
    docs->SetSavePathChooser([path](CQuillomerDoc*, const QString&) { return path; });
    Clean();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        {
            CObjectDlg dlg(doc, 26);
            dlg.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
            auto* slider = dlg.findChild<QSlider*>(QStringLiteral("1057"));  // the chime
            ASSERT_NE(nullptr, slider);
            slider->setFocus(Qt::TabFocusReason);
            QTest::keyClick(slider, round == 0 ? Qt::Key_PageDown : Qt::Key_PageUp);
            QApplication::processEvents();
        }
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(TitleMarked()) << doc->GetTitle();
        EXPECT_TRUE(FrameTitleMarked()) << frame->windowTitle().toStdString();
        // Saved, the mark goes; the next change brings it back.
        frame->FindMenuAction(ids::FileSave)->trigger();
        ASSERT_FALSE(doc->IsModified());
        EXPECT_FALSE(TitleMarked()) << doc->GetTitle();
        EXPECT_TRUE(PumpUntil([this] { return !frame->windowTitle().endsWith(QStringLiteral(" *")); }));
    }
}

TEST_F(ShellModifiedMark, ClosingAfterAChangeInAWindowOffersToSave)
{
    Clean();
    {
        CObjectDlg dlg(doc, 21);  // the fuses
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        const QList<QComboBox*> combos = dlg.findChildren<QComboBox*>();
        ASSERT_FALSE(combos.isEmpty());
        QComboBox* first = nullptr;
        for (QComboBox* c : combos)
            if (c->isEnabled() && c->isVisible()) {
                first = c;
                break;
            }
        ASSERT_NE(nullptr, first);
        first->setFocus(Qt::TabFocusReason);
        QTest::keyClick(first, first->currentIndex() > 0 ? Qt::Key_Up : Qt::Key_Down);
    }
    ASSERT_TRUE(doc->IsModified());
    // Cancelled, the close leaves the project open and still marked, whether
    // asked for through the menu or with the keys that close a project window.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    view->setFocus();
    const std::function<void()> closes[] = {
        [&] { frame->FindMenuAction(ids::FileClose)->trigger(); },
        [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier); },
        [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier); },
    };
    for (size_t way = 0; way < std::size(closes); ++way) {
        SCOPED_TRACE(way);
        messages.messages.clear();
        messages.Answer(mb::IdCancel);
        closes[way]();
        QApplication::processEvents();
        EXPECT_TRUE(messages.Saw("speichern")) << "closing asked nothing";
        ASSERT_NE(nullptr, frame->GetActiveView());
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(TitleMarked()) << doc->GetTitle();
        EXPECT_TRUE(FrameTitleMarked()) << frame->windowTitle().toStdString();
    }
    messages.Answer(mb::IdNo);
    closes[1]();
    QApplication::processEvents();
    EXPECT_EQ(nullptr, frame->GetActiveView());
}

TEST_F(ShellModifiedMark, ATimeTypedAndNotYetLeftIsAskedAboutAndSavedWhenTheProjectCloses)
{
    auto* repeat = new CMacro;
    ASSERT_TRUE(
        repeat->Create(macrotype::Repeat, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 1, doc));
    doc->AddObject(repeat, CAT_MACRO);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Wiederholung.qlx"));
    app.GetDocTemplate()->SetSavePathChooser([&path](CQuillomerDoc*, const QString&) { return path; });
    Clean();
    QPointer<CObjectDlg> dlg = new CObjectDlg(doc, CMacroDlgFrm::kWindowKind);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    // The repeat interval typed; the user goes straight to the menu.
    auto* interval = dlg->findChild<QLineEdit*>(QStringLiteral("1195"));
    ASSERT_NE(nullptr, interval);
    QTest::mouseClick(interval, Qt::LeftButton);
    QTest::keyClick(interval, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(interval, QStringLiteral("77"));
    messages.Answer(mb::IdYes);
    frame->FindMenuAction(ids::FileClose)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(messages.Saw("speichern")) << "closing asked nothing";
    delete dlg;  // opened here, not by the program's launcher that closes it with the project
    app.GetDocTemplate()->SetSavePathChooser({});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end())));
    auto* saved = dynamic_cast<CMacro*>(reopened.GetIDManager().GetBaseDevice(1, OT_MACRO));
    ASSERT_NE(nullptr, saved);
    EXPECT_EQ("77", saved->GetParamText(39));
}

// "Einstellungen > Projekt...": each field the user changes and confirms with
// OK marks the project, the titles keep " *" after OK and closing asks about
// the project by its name; OK without a change marks nothing. An emptied file
// name keeps the project's title.
TEST_F(ShellModifiedMark, EveryConfirmedChangeOfTheProjectDataMarksTheProject)
{
    QAction* command = frame->FindMenuAction(ids::ProjectData);
    ASSERT_NE(nullptr, command);
    const QString date = QLocale().toString(QDate(2027, 11, 24), QLocale::ShortFormat);
    struct Edit {
        const char* control;  // object name: an edit, the password box or a variant
        QString typed;
    };
    struct Row {
        std::vector<Edit> edits;
        bool marks;
        const char* title;  // the project's title afterwards (without " *")
        bool noFileName = false;  // the project holds no file name (written so by another program)
    };
    const Row rows[] = {
        {{{"1262", "Bahnhof"}}, true, nullptr},          // "Projektname"
        {{{"1266", "4711"}}, true, nullptr},             // "Projektnummer"
        {{{"1263", "Firma Nord"}}, true, nullptr},       // "Firma"
        {{{"1215", "Hauptstr. 1"}}, true, nullptr},      // "Adresse"
        {{{"1267", "0815"}}, true, nullptr},             // "Systemrufnummer"
        {{{"1216", "Meier"}}, true, nullptr},            // "Bearbeiter"
        {{{"1217", date}}, true, nullptr},               // "Datum"
        {{{"1264", "Zwei Hallen"}}, true, nullptr},      // "Projektbeschreibung"
        {{{"1213", "geheim"}}, true, nullptr},           // "Paßwort"
        {{{"1265", "Nordhalle"}}, true, "Nordhalle"},    // "Dateiname (ohne ext.)"
        {{{"1542", ""}}, true, "Nordhalle"},             // "KVT 7000"
        {{}, false, "Nordhalle"},                        // OK as it opened
        {{{"1265", ""}}, false, "Nordhalle"},
        {{{"1265", " "}, {"1263", "Firma Ost"}}, true, "Nordhalle"},
        {{}, false, "Nordhalle", true},
        {{{"1263", "Firma West"}}, true, "Nordhalle", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.edits.empty() ? "-" : row.edits.front().control) << " "
                                        << (row.edits.empty() ? QString() : row.edits.front().typed).toStdString());
        if (row.noFileName)
            doc->m_data.fileTitle.clear();
        Clean();
        const std::string before = doc->GetTitle();
        bool confirmed = false;
        projectData.look = [&](QDialog& dlg) {
            for (const Edit& e : row.edits) {
                QWidget* w = dlg.findChild<QWidget*>(QLatin1String(e.control));
                ASSERT_NE(nullptr, w) << e.control;
                if (qobject_cast<QAbstractButton*>(w)) {
                    QTest::mouseClick(w, Qt::LeftButton);
                    if (qobject_cast<QCheckBox*>(w))
                        w = dlg.findChild<QLineEdit*>(QStringLiteral("1218"));  // the password beside it
                    else
                        continue;
                }
                QTest::mouseClick(w, Qt::LeftButton);
                QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
                if (e.typed.isEmpty())
                    QTest::keyClick(w, Qt::Key_Delete);
                else
                    QTest::keyClicks(w, e.typed);
            }
            for (QPushButton* b : dlg.findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("OK"))
                    QTest::mouseClick(b, Qt::LeftButton);
            confirmed = dlg.result() == QDialog::Accepted;
        };
        command->trigger();
        projectData.look = nullptr;
        ASSERT_TRUE(confirmed);
        EXPECT_EQ(row.marks, Changed()) << "what was confirmed did not reach the project";
        EXPECT_EQ(row.marks, doc->IsModified());
        const std::string name = row.title ? row.title : before;
        EXPECT_EQ(doc->GetTitle(), name + (row.marks ? " *" : ""));
        const QString shown = QStringLiteral("QUILLOMER Designer - ") + QString::fromStdString(doc->GetTitle());
        EXPECT_TRUE(PumpUntil([&] { return frame->windowTitle() == shown; })) << frame->windowTitle().toStdString();
        // The question closing asks, by the project's name.
        messages.messages.clear();
        if (row.marks)
            messages.Answer(mb::IdCancel);
        EXPECT_EQ(!row.marks, app.GetDocTemplate()->SaveModified(doc));
        EXPECT_EQ(row.marks, messages.Saw("Änderungen in " + name + " speichern?")) << doc->GetTitle();
    }
}
