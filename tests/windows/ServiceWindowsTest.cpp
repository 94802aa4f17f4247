// The service windows without a device: what the fault window shows for the
// project's device variant, and the event log's continuous printing, into a
// PDF file in place of a printer.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>

#include "service/windows/CEventLogFrm.h"
#include "service/windows/CServiceDlg.h"
#include "ui/CObjectDlg.h"
#include "service/windows/CEventLogView.h"
#include "service/windows/CFaultDlgFrm.h"
#include "service/windows/CFaultDlgView.h"
#include "service/windows/CHardwareDlgTreeView.h"
#include "service/windows/CSystemConfigDlg.h"
#include "service/windows/CZonetestFrm.h"
#include "service/windows/CZonetestPropDlg.h"
#include "ui/CValueEdit.h"
#include "service/windows/CZonetestView.h"
#include "service/CZonetestObject.h"
#include "service/CFault.h"
#include <QTableWidget>
#include "logic/CGlobalReadyInput.h"
#include "service/windows/CFaultTextDlg.h"
#include "logic/CCondition.h"
#include "logic/CLogicOut.h"
#include "logic/CTrigger.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"
#include "support/qt/TypeAsKeyboard.h"
#include "comm/CommTestSupport.h"
#include "platform/MessageBox.h"
#include "ui/CPictureSet.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>

using namespace blocktest;

namespace {
constexpr int kLineMeasure = 9;   // "Linienmessfehler"
constexpr int kLineGround = 10;   // "Linienerdschluß"

// Pages in a PDF file Qt wrote (each page is one uncompressed page object).
int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(file.readAll().count("/Type /Page\n"));
}

class EventLogPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(d.doc().OnNewDocument());
        d.doc().SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
        d.doc().SetConnected(1);
        previous = CEventLogView::SetPrinterFactory([this]() -> std::unique_ptr<QPrinter> {
            if (pdf.isEmpty())
                return nullptr;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
    }
    void TearDown() override { CEventLogView::SetPrinterFactory(previous); }

    QTemporaryDir dir;
    ActiveDoc d;
    MessageLog messages;
    CEventLogView::PrinterFactory previous;
    QString pdf;  // empty: the system has no printer
};
}  // namespace

TEST(FaultWindow, LineTestSourcesShowForEveryUpgradedVariant)
{
    ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    for (int variant : {0, 1, 2}) {
        d.doc().m_data.deviceVariant = variant;
        CFaultDlgFrm frame;
        CFaultDlgView* view = frame.GetView();
        EXPECT_EQ(variant != 0, view->GetSourceBox(kLineMeasure)->isVisibleTo(view)) << variant;
        EXPECT_EQ(variant != 0, view->GetSourceBox(kLineGround)->isVisibleTo(view)) << variant;
        EXPECT_TRUE(view->GetSourceBox(kLineMeasure - 1)->isVisibleTo(view)) << variant;
    }
}

// The console display shows the console it names, even when another item's
// text begins with that console's name.
TEST(FaultWindow, ConsoleDisplayShowsTheConsoleItNamesNotOneWhoseNameBeginsAlike)
{
    ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    std::vector<std::unique_ptr<CBaseDevice>> consoles;
    for (const auto& [number, name] : {std::pair<int, const char*>{1, "Foyer Ost"}, {2, "Foyer"}, {3, "Alle"}}) {
        auto console = std::make_unique<CBaseDevice>();
        console->m_type = OT_CONSOLE;
        console->m_number = number;
        console->m_name = name;
        d.doc().GetIDManager().AddID(console.get(), OT_CONSOLE, number);
        consoles.push_back(std::move(console));
    }
    auto* fault = dynamic_cast<CFault*>(d.doc().GetIDManager().GetBaseDevice(1, OT_FAULT));
    ASSERT_NE(nullptr, fault);
    for (int number : {2, 3, 1}) {
        fault->SetFlags(CFault::ConsoleDisplay, number);
        CFaultDlgFrm frame;
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QComboBox* combo = frame.GetView()->GetConsoleCombo();
        EXPECT_EQ(QString::fromStdString(consoles[static_cast<size_t>(number - 1)]->m_name), combo->currentText())
            << number;
        EXPECT_EQ(number, combo->currentData().toInt()) << number;
        // Choosing the shown item again keeps the console.
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Up);
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(number, fault->GetFlags(CFault::ConsoleDisplay)) << number;
        fault->SetFlags(CFault::ConsoleDisplay, number);
    }
    for (auto& console : consoles)
        d.doc().GetIDManager().RemoveID(console.get(), OT_CONSOLE, console->m_number);
}

// Enter in a service window presses no button the user clicked before: in the
// window's host or the service dialog such a button would otherwise be the one
// Enter presses (the manual fault switched again, a page printed again, the
// device's test started a second time).
TEST(ServiceWindowKeys, EnterPressesNoButtonClickedBefore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    d.doc().m_data.deviceVariant = 1;
    d.doc().SetPathName(dir.filePath(QStringLiteral("Keys.qlx")).toStdString());
    d.doc().SetConnected(1);
    RecordingSender sender;
    MessageLog messages;
    const CEventLogView::PrinterFactory previous = CEventLogView::SetPrinterFactory([&dir] {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFileName(dir.filePath(QStringLiteral("events.pdf")));
        return printer;
    });
    struct Row {
        std::function<QDialog*()> open;
        const char* first;   // clicked before, when not empty
        const char* button;  // clicked with the mouse
        const char* field;   // then Enter there
    };
    const Row rows[] = {
        {[&] { return new CObjectDlg(&d.doc(), CFaultDlgFrm::kWindowKind); }, "", "1540", "1529"},
        {[&] { return new CObjectDlg(&d.doc(), CEventLogFrm::kWindowKind); }, "1699", "1730", "1699"},
        {[] { return new CServiceDlg(nullptr); }, "", "1212", "1288"},
        // Unlocking the measurements makes "Messung durchführen" the first
        // button the window's host saw take the focus.
        {[&] { return new CObjectDlg(&d.doc(), CZonetestFrm::kWindowKind); }, "1551", "1694", "1697"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        std::unique_ptr<QDialog> dlg(row.open());
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        if (*row.first)
            QTest::mouseClick(dlg->findChild<QWidget*>(QString::fromLatin1(row.first)), Qt::LeftButton, {}, QPoint(8, 8));
        auto* button = dlg->findChild<QPushButton*>(QString::fromLatin1(row.button));
        auto* field = dlg->findChild<QWidget*>(QString::fromLatin1(row.field));
        ASSERT_TRUE(button && field);
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        field->setFocus(Qt::TabFocusReason);
        // No button of the window at all, nor one that looks like Enter's.
        std::vector<std::pair<std::string, std::unique_ptr<QSignalSpy>>> clicked;
        for (QPushButton* b : dlg->findChildren<QPushButton*>()) {
            EXPECT_FALSE(b->isDefault()) << b->objectName().toStdString();
            clicked.emplace_back(b->objectName().toStdString(),
                                 std::make_unique<QSignalSpy>(b, &QAbstractButton::clicked));
        }
        QTest::keyClick(field, Qt::Key_Return);
        for (const auto& [name, spy] : clicked)
            EXPECT_EQ(0, spy->count()) << name;
    }
    CEventLogView::SetPrinterFactory(previous);
}

// Enter ends the editing of a fault text, as in any list: the text is in the
// project and the dialog stays open. Escape in a cell drops the edit only;
// Enter outside the list still closes the dialog with the delay taken.
TEST(FaultTextDialog, EnterEndsTheEditOfATextAndTheDialogStaysOpen)
{
    ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    auto* readyInput =
        dynamic_cast<CGlobalReadyInput*>(d.doc().GetIDManager().GetBaseDevice(1, OT_GLOBAL_READY_INPUT));
    ASSERT_NE(nullptr, readyInput);
    const int firstText = CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 0);
    const int secondText = CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 1);
    const std::string secondBefore = readyInput->GetValue(secondText);

    CFaultTextDlg dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTableWidget* list = dlg.GetList();
    // Opens the editor of a "Text" cell as the user does: a click, then F2.
    auto edit = [&](int row) -> QWidget* {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row, 1)).center());
        QTest::keyClick(list, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        return editor != nullptr && editor != list && list->isAncestorOf(editor) ? editor : nullptr;
    };

    QWidget* editor = edit(0);
    ASSERT_NE(nullptr, editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("Pforte"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(dlg.isVisible()) << "Enter in a cell closed the dialog";
    EXPECT_EQ("Pforte", readyInput->GetValue(firstText));
    EXPECT_EQ(QLatin1String("Pforte"), list->item(0, 1)->text());

    // A text the project file and the device cannot hold as shown is refused
    // with a word that names it; the cell and the project keep their text.
    MessageLog messages;
    const std::pair<const char*, const char*> refused[] = {
        {"Ωmega漢", "'Ω' (U+03A9)"}, {"?", "'?' würde"}, {"Tor offen ?", "'Tor offen ?' würde"}};
    for (const auto& [typed, told] : refused) {
        SCOPED_TRACE(typed);
        messages.texts.clear();
        editor = edit(0);
        ASSERT_NE(nullptr, editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(editor, QString::fromUtf8(typed));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_TRUE(dlg.isVisible());
        // The word comes once the cell's editor has closed.
        EXPECT_TRUE(QTest::qWaitFor([&] { return messages.Contains(told); }, 5000));
        EXPECT_EQ("Pforte", readyInput->GetValue(firstText));
        EXPECT_EQ(QLatin1String("Pforte"), list->item(0, 1)->text());
    }

    editor = edit(1);
    ASSERT_NE(nullptr, editor);
    QTest::keyClicks(editor, QStringLiteral("weg"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(secondBefore, readyInput->GetValue(secondText));

    QLineEdit* delay = dlg.GetDelay();
    QTest::mouseClick(delay, Qt::LeftButton);
    QTest::keyClick(delay, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(delay, QStringLiteral("3.5"));
    QTest::keyClick(delay, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    EXPECT_EQ("3.5", readyInput->GetValue(CGlobalReadyInput::MaskTime));
    EXPECT_EQ("Pforte", readyInput->GetValue(firstText));

    // The delay's decimal mark may be a comma, as German is written.
    CFaultTextDlg again;
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    QTest::mouseClick(again.GetDelay(), Qt::LeftButton);
    QTest::keyClick(again.GetDelay(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(again.GetDelay(), QStringLiteral("12,5"));
    QTest::keyClick(again.GetDelay(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ("12.5", readyInput->GetValue(CGlobalReadyInput::MaskTime));
}

TEST_F(EventLogPrinting, WithoutAPrinterCheckingPrintSaysSoAndUnchecks)
{
    CEventLogFrm frame;
    CEventLogView* view = frame.GetView();
    ASSERT_TRUE(view->GetPrintBox()->isEnabled());
    view->GetPrintBox()->click();
    EXPECT_FALSE(view->GetPrintBox()->isChecked());
    EXPECT_FALSE(view->GetPrintNowButton()->isEnabled());
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_NE(std::string::npos, messages.texts[0].find("kein Drucker"));
    // Entries are still listed and filed.
    view->RecordEntry("01.12.26 10:00:00 KVT 1 RESET");
    EXPECT_EQ(0, view->GetPendingPrintLines());
    EXPECT_TRUE(view->GetEntryList()->toPlainText().startsWith(QLatin1String("01.12.26 10:00:00 KVT 1 RESET")));
}

TEST_F(EventLogPrinting, APageGoesOutWhenTheNextLineWouldNotFitAndUncheckingPrintsTheRest)
{
    pdf = dir.filePath(QStringLiteral("events.pdf"));
    CEventLogFrm frame;
    CEventLogView* view = frame.GetView();
    view->GetPrintBox()->click();
    ASSERT_TRUE(view->GetPrintBox()->isChecked());
    EXPECT_TRUE(view->GetPrintNowButton()->isEnabled());
    const int pitch = view->GetLineHeight() + 5;
    ASSERT_GT(view->GetLineHeight(), 0);
    ASSERT_GT(view->GetPageHeight(), 3 * pitch);

    // The page holds as many lines as fit with one more not fitting.
    int fed = 0;
    while (!QFile::exists(pdf) && fed < 1000)
        view->RecordEntry("01.12.26 10:00:00 KVT 1 entry " + std::to_string(++fed));
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_LE(fed * pitch, view->GetPageHeight());
    EXPECT_GT((fed + 1) * pitch, view->GetPageHeight());
    EXPECT_EQ(0, view->GetPendingPrintLines());
    EXPECT_EQ(1, PdfPages(pdf));

    ASSERT_TRUE(QFile::remove(pdf));
    view->RecordEntry("01.12.26 10:00:01 KVT 1 last");
    view->RecordEntry("01.12.26 10:00:02 KVT 1 very last");
    EXPECT_EQ(2, view->GetPendingPrintLines());
    EXPECT_FALSE(QFile::exists(pdf));
    view->GetPrintBox()->click();
    EXPECT_EQ(0, view->GetPendingPrintLines());
    EXPECT_EQ(1, PdfPages(pdf));
    EXPECT_FALSE(view->GetPrintNowButton()->isEnabled());
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(EventLogPrinting, APrinterThatRefusesStopsPrintingWithAWordAndKeepsTheLines)
{
    pdf = dir.filePath(QStringLiteral("missing-folder/events.pdf"));
    CEventLogFrm frame;
    CEventLogView* view = frame.GetView();
    view->GetPrintBox()->click();
    ASSERT_TRUE(view->GetPrintBox()->isChecked());
    view->RecordEntry("01.12.26 10:00:00 KVT 1 RESET");
    view->GetPrintNowButton()->click();
    EXPECT_FALSE(view->GetPrintBox()->isChecked());
    EXPECT_FALSE(view->GetPrintNowButton()->isEnabled());
    EXPECT_EQ(1, view->GetPendingPrintLines());
    EXPECT_EQ(1u, messages.texts.size());
}

TEST(HardwareTree, ASelectedTextIsBlueOnWhiteWithoutASelectionBar)
{
    CHardwareDlgTreeView tree;
    tree.resize(300, 200);
    tree.ClearTree();
    tree.show();
    QApplication::processEvents();
    QTreeWidgetItem* note = tree.topLevelItem(0);
    ASSERT_NE(nullptr, note);
    auto rowPixels = [&](int* blue, int* other) {
        const QImage image = tree.viewport()->grab().toImage();
        const QRect row = tree.visualItemRect(note);
        *blue = *other = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.blue() > 180 && c.red() < 90 && c.green() < 90)
                    ++*blue;
                else if (c != Qt::white && c.saturation() > 60 && c.value() > 60 &&
                         !(c.hue() >= 225 && c.hue() <= 255))
                    ++*other;  // coloured, not the blue of the text (a selection bar)
            }
    };
    int blue = 0, other = 0;
    rowPixels(&blue, &other);
    EXPECT_EQ(0, blue) << "an unselected text is not blue";
    const int picture = other;  // the coloured picture in front of the text
    note->setSelected(true);
    rowPixels(&blue, &other);
    EXPECT_GT(blue, 5);
    // A bar behind the text would colour thousands of pixels of the row.
    EXPECT_LE(other, picture + tree.visualItemRect(note).width() / 4) << "no coloured bar behind the text";
    // Without the focus too.
    tree.clearFocus();
    rowPixels(&blue, &other);
    EXPECT_GT(blue, 5);
}

// The zone test's output contact, as the user sets it in the form: whether
// the contact or a display is chosen first, the output logic switches on the
// zone test's condition, and the device gets that condition with it.
TEST(ZonetestWindow, TheOutputContactFollowsTheZoneTestWhicheverIsChosenFirst)
{
    BlockHarness h;
    CQuillomerDoc& doc = h.doc();
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_data.deviceVariant = 1;
    for (const char* name : {"Ausgang A", "Ausgang B"}) {
        auto* pad = new CControlPad;
        ASSERT_EQ(1, pad->Create(padkind::SlotOut, 1, 1, std::string(name), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &doc));
        doc.AddObject(pad, CAT_DIGITAL_IO);
    }
    auto* zt = dynamic_cast<CZonetestObject*>(doc.GetIDManager().GetBaseDevice(1, OT_ZONETEST_OBJECT));
    ASSERT_NE(nullptr, zt);
    auto object = [&doc](uint32_t type, int32_t number) {
        return number != 0 ? doc.GetIDManager().GetBaseDevice(number, type) : nullptr;
    };
    auto output = [&] { return dynamic_cast<CLogicOut*>(object(OT_LOGIC_OUT, zt->GetScheduleValue(5))); };
    // Picks an entry of a combo box with the mouse: open, point, click.
    auto pick = [](QComboBox* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton);
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        const int row = box->findText(text);
        ASSERT_GE(row, 0) << text.toStdString();
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseMove(list->viewport(), at);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !list->window()->isVisible(); }, 5000));
        EXPECT_EQ(text, box->currentText());
    };
    {
        CZonetestFrm frame;
        frame.resize(900, 700);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        CZonetestView* view = frame.GetView();
        auto* lineTest = view->findChild<QCheckBox*>(QStringLiteral("1697"));
        auto* display = view->findChild<QComboBox*>(QStringLiteral("1698"));
        auto* contact = view->findChild<QComboBox*>(QStringLiteral("1041"));
        ASSERT_TRUE(lineTest && display && contact);
        QTest::mouseClick(lineTest, Qt::LeftButton, {}, QPoint(8, lineTest->height() / 2));
        ASSERT_TRUE(contact->isEnabled());

        // The contact while the display is still "OFF".
        pick(contact, "Ausgang B");
        CLogicOut* out = output();
        ASSERT_NE(nullptr, out);
        EXPECT_EQ("Ausgang B", out->GetValueText(logicoutkey::Contact));
        auto* condition = dynamic_cast<CCondition*>(object(OT_CONDITION, zt->GetScheduleValue(4)));
        ASSERT_NE(nullptr, condition);
        EXPECT_EQ(static_cast<uint32_t>(condkind::ZoneTest), condition->GetKindId());
        EXPECT_EQ(condition->GetNumber(), out->GetValue(logicoutkey::Condition));

        // A display then shares that condition; turned off again, the contact keeps it.
        pick(display, QStringLiteral("Alle Sprechstellen"));
        EXPECT_EQ(condition, object(OT_CONDITION, zt->GetScheduleValue(4)));
        auto* trigger = dynamic_cast<CTrigger*>(object(OT_TRIGGER, zt->m_lineTestTrigger));
        ASSERT_NE(nullptr, trigger);
        EXPECT_EQ(condition->GetNumber(), trigger->GetValue(triggerkey::Condition));
        pick(display, QStringLiteral("OFF"));
        EXPECT_EQ(condition, object(OT_CONDITION, zt->GetScheduleValue(4)));
        EXPECT_EQ(condition->GetNumber(), out->GetValue(logicoutkey::Condition));
        // The shown contact chosen again changes nothing.
        pick(contact, "Ausgang B");
        EXPECT_EQ(out, output());
        EXPECT_EQ(condition->GetNumber(), out->GetValue(logicoutkey::Condition));
    }

    // The device gets the output logic on the zone test's condition.
    const int cond = zt->GetScheduleValue(4);
    const int logic = zt->GetScheduleValue(5);
    h.Walk(*object(OT_LOGIC_OUT_OBJECT, 1), 0);
    h.Walk(*object(OT_CONDITION_OBJECT, 1), 0);
    auto sent = [&h](const std::string& line) {
        return std::find(h.link.lines.begin(), h.link.lines.end(), line) != h.link.lines.end();
    };
    EXPECT_TRUE(sent(StrFormat("/LOGICOUT/ENTRY%d/COND %d", logic, cond)));
    EXPECT_TRUE(sent(StrFormat("/CONDITION/ENTRY%d/FUNCTION ZONETEST", cond)));

    // Opened again, the form shows the contact; "OFF" takes the output logic
    // and, with no display left, the condition away.
    CZonetestFrm frame;
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    auto* contact = frame.GetView()->findChild<QComboBox*>(QStringLiteral("1041"));
    EXPECT_EQ(QStringLiteral("Ausgang B"), contact->currentText());
    pick(contact, QStringLiteral("OFF"));
    EXPECT_EQ(nullptr, output());
    EXPECT_EQ(0, zt->GetScheduleValue(4));
    EXPECT_EQ(nullptr, object(OT_CONDITION, cond));
}

// A number too large for any integer, typed into a field of the zone test's
// properties, stands for the field's largest value, as a smaller number
// beyond it does; one too small for its smallest.
TEST(ZonetestProperties, NumbersBeyondAFieldAreHeldAtItsLimits)
{
    BlockHarness h;
    ASSERT_TRUE(h.doc().OnNewDocument());
    auto* zt = dynamic_cast<CZonetestObject*>(h.doc().GetIDManager().GetBaseDevice(1, OT_ZONETEST_OBJECT));
    ASSERT_NE(nullptr, zt);
    CZonetestPropDlg dlg;
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    struct Case {
        int edit;  // in the dialog's order
        const char* typed;
        const char* shown;
        int key;
    };
    for (const Case& c : {Case{2, "31", "30", CZonetestObject::MaxAdjust},
                          Case{2, "4294967296", "30", CZonetestObject::MaxAdjust},
                          Case{2, "99999999999999999999999", "30", CZonetestObject::MaxAdjust},
                          Case{2, "-4294967296", "0", CZonetestObject::MaxAdjust},
                          Case{5, "4294967297", "100", CZonetestObject::WipeCycles},
                          // No finite number: the field keeps what it held.
                          Case{0, "1e40", "66.0", CZonetestObject::TestFrequency},
                          Case{0, "nan", "66.0", CZonetestObject::TestFrequency},
                          Case{4, "-inf", "5.0", CZonetestObject::GroundFaultDelay},
                          Case{0, "23001", "23000.0", CZonetestObject::TestFrequency},
                          // A decimal comma is the decimal mark; a thousands separator makes no number.
                          Case{0, "1234,5", "1234.5", CZonetestObject::TestFrequency},
                          Case{0, "1.000,5", "1234.5", CZonetestObject::TestFrequency},
                          Case{1, "0,25", "0.250", CZonetestObject::AdjustPerDay},
                          Case{3, "12,5", "12.5", CZonetestObject::ImpedanceFrequency},
                          Case{4, "2,5", "2.5", CZonetestObject::GroundFaultDelay},
                          // A decimal where whole numbers are asked is refused, never cut to 7.
                          Case{2, "7", "7", CZonetestObject::MaxAdjust},
                          Case{2, "8,5", "7", CZonetestObject::MaxAdjust},
                          Case{2, "1e40", "7", CZonetestObject::MaxAdjust},
                          // Nor is a number with a wrong tail cut to 3, or taken as 1000.
                          Case{2, "3.5,5", "7", CZonetestObject::MaxAdjust},
                          Case{2, "1000.0,5", "7", CZonetestObject::MaxAdjust},
                          Case{5, "3.5,5", "100", CZonetestObject::WipeCycles},
                          Case{5, "OFF", "OFF", CZonetestObject::WipeCycles}}) {
        SCOPED_TRACE(c.typed);
        QLineEdit* edit = dlg.GetEdit(c.edit);
        QTest::mouseClick(edit, Qt::LeftButton);
        QCoreApplication::processEvents();  // the field selects its text on the focus
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromLatin1(c.typed));
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_EQ(QString::fromLatin1(c.shown), edit->text());
        EXPECT_EQ(c.shown, zt->GetValue(c.key));
    }
}

namespace {
// The configuration browser without a device: the file it keeps the tree in.
class ConfigBrowser : public ::testing::Test {
protected:
    void SetUp() override
    {
        serialtest::UsePrivateSettings();
        ASSERT_TRUE(dir.isValid());
        previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        QSettings settings;
        settings.remove(QStringLiteral("Configuration/KVT File"));
        settings.setValue(QStringLiteral("Settings/AppDir"), dir.path());
        messages.answers.push_back(mb::IdNo);  // not from the device: the file
    }
    void TearDown() override
    {
        QSettings settings;
        settings.remove(QStringLiteral("Configuration/KVT File"));
        settings.remove(QStringLiteral("Settings/AppDir"));
        QDir::setCurrent(previousDir);
    }
    static QString KvtFile() { return QSettings().value(QStringLiteral("Configuration/KVT File")).toString(); }
    // Acts in the file dialog once it is up: types `name` (empty: Escape) and Enter.
    static void AnswerFileDialog(QObject* context, const QString& name)
    {
        QTimer::singleShot(50, context, [context, name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                AnswerFileDialog(context, name);  // not up yet
                return;
            }
            if (name.isEmpty()) {
                QTest::keyClick(dialog, Qt::Key_Escape);
                return;
            }
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(nullptr, edit);
            edit->setFocus();
            QTest::keyClicks(edit, name);
            QTest::keyClick(edit, Qt::Key_Return);
        });
    }
    static QImage Picture(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }

    QTemporaryDir dir;
    QString previousDir;
    commtest::Messages messages;
};
}  // namespace

TEST_F(ConfigBrowser, AFileNamedInTheDialogIsCreatedAndACancelTakesTheProgramsFolder)
{
    {
        CSystemConfigDlg dialog;
        dialog.show();
        AnswerFileDialog(&dialog, QStringLiteral("neu.txt"));
        dialog.ChooseSource();
        EXPECT_EQ(dir.filePath(QStringLiteral("neu.txt")), KvtFile());
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("neu.txt"))));
        EXPECT_FALSE(messages.Contains("Datei nicht gefunden !"));
        ASSERT_EQ(1, dialog.GetTree()->topLevelItemCount());
        EXPECT_EQ(QLatin1String("/"), dialog.GetTree()->topLevelItem(0)->text(0));
    }
    QSettings().remove(QStringLiteral("Configuration/KVT File"));
    messages.answers.push_back(mb::IdNo);
    {
        CSystemConfigDlg dialog;
        dialog.show();
        AnswerFileDialog(&dialog, QString());
        dialog.ChooseSource();
        EXPECT_EQ(dir.filePath(QStringLiteral("LMZConfiguration.txt")), KvtFile());
        EXPECT_TRUE(QFile::exists(KvtFile()));
        EXPECT_FALSE(messages.Contains("Datei nicht gefunden !"));
    }
    // A name typed without its extension: the configuration file of that
    // name is shown, and no empty file is made beside it.
    {
        QFile saved(dir.filePath(QStringLiteral("alt.txt")));
        ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
        saved.write("/AUDIO ?\r\n/AUDIO/IN1 ?\r\n");
    }
    QSettings().remove(QStringLiteral("Configuration/KVT File"));
    messages.answers.push_back(mb::IdNo);
    {
        CSystemConfigDlg dialog;
        dialog.show();
        AnswerFileDialog(&dialog, QStringLiteral("alt"));
        dialog.ChooseSource();
        EXPECT_EQ(dir.filePath(QStringLiteral("alt.txt")), KvtFile());
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("alt"))));
        ASSERT_EQ(1, dialog.GetTree()->topLevelItemCount());
        ASSERT_EQ(1, dialog.GetTree()->topLevelItem(0)->childCount());
        EXPECT_EQ(QLatin1String("AUDIO"), dialog.GetTree()->topLevelItem(0)->child(0)->text(0));
    }
}

// The file line beside "Konfigurationsdatei" shows the file's name, size,
// date and time whole at the size the browser opens with, in both languages,
// and also when it first comes with a save after a read from the device.
TEST_F(ConfigBrowser, TheFileLineStandsWholeAtTheOpeningSize)
{
    const QString path = dir.filePath(QStringLiteral("LMZConfiguration.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int n = 1; f.size() < 267; ++n)
            f.write(QStringLiteral("/AUDIO/IN%1 ?\r\n").arg(n).toLatin1());
    }
    QSettings().setValue(QStringLiteral("Configuration/KVT File"), path);
    for (const auto& [english, fromDevice] : {std::pair{false, false}, {true, false}, {false, true}}) {
        SCOPED_TRACE(english ? "English" : "German");
        SCOPED_TRACE(fromDevice ? "read from the device, then saved" : "opened from the file");
        std::optional<EnglishTexts> texts;
        if (english) {
            texts.emplace();
            ASSERT_TRUE(texts->IsLoaded());
        }
        QSettings().remove(QStringLiteral("Configuration/D294"));
        messages.answers.clear();
        messages.answers.push_back(fromDevice ? mb::IdYes : mb::IdNo);
        CSystemConfigDlg dialog;
        dialog.ChooseSource();
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        auto* line = dialog.findChild<QLabel*>(QStringLiteral("1315"));
        ASSERT_NE(nullptr, line);
        if (fromDevice) {
            EXPECT_TRUE(line->text().isEmpty());
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1212")), Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        EXPECT_TRUE(line->text().startsWith(QStringLiteral("LMZConfiguration.txt   "))) << line->text().toStdString();
        EXPECT_TRUE(line->text().endsWith(QFileInfo(path).lastModified().toString(QStringLiteral("dd.MM.yy  HH:mm"))))
            << line->text().toStdString();
        EXPECT_GE(line->width(), line->fontMetrics().horizontalAdvance(line->text())) << line->text().toStdString();
        EXPECT_TRUE(dialog.rect().contains(QRect(line->mapTo(&dialog, QPoint(0, 0)), line->size())));
        dialog.grab().save(QCoreApplication::applicationDirPath() +
                           (english ? QStringLiteral("/config-browser-en.png") : QStringLiteral("/config-browser.png")));
    }
}

TEST_F(ConfigBrowser, TheDefaultFileLiesInAFolderTheUserCanWrite)
{
    QSettings().remove(QStringLiteral("Settings/AppDir"));
    EXPECT_EQ(QCoreApplication::applicationDirPath() + QStringLiteral("/LMZConfiguration.txt"),
              CSystemConfigDlg::DefaultConfigFile());
    // A program folder that cannot take the file: the program's data folder.
    QFile notAFolder(dir.filePath(QStringLiteral("programm")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    QSettings().setValue(QStringLiteral("Settings/AppDir"), notAFolder.fileName());
    const QByteArray previousData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("daten")).toLocal8Bit());
    const QString file = CSystemConfigDlg::DefaultConfigFile();
    if (previousData.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousData);
    EXPECT_TRUE(file.startsWith(dir.filePath(QStringLiteral("daten/")))) << file.toStdString();
    EXPECT_TRUE(file.endsWith(QStringLiteral("/LMZConfiguration.txt"))) << file.toStdString();
    EXPECT_TRUE(QFileInfo(QFileInfo(file).path()).isWritable());
}

TEST_F(ConfigBrowser, LeavesKeepTheirPictureWhenStarExpandsTheTreeAndAFailedSaveSaysSo)
{
    const QString path = dir.filePath(QStringLiteral("baum.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("/AUDIO ?\r\n/AUDIO/IN1 ?\r\n/AUDIO/IN1/VOL ?\r\n/AUDIO/IN2 ?\r\n");
    }
    QSettings().setValue(QStringLiteral("Configuration/KVT File"), path);
    CSystemConfigDlg dialog;
    dialog.show();
    dialog.ChooseSource();
    QTreeWidget* tree = dialog.GetTree();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    ASSERT_NE(nullptr, root);
    ASSERT_EQ(1, root->childCount());
    QTreeWidgetItem* audio = root->child(0);
    ASSERT_EQ(2, audio->childCount());
    QTreeWidgetItem* in1 = audio->child(0);
    QTreeWidgetItem* vol = in1->child(0);
    QTreeWidgetItem* in2 = audio->child(1);
    ASSERT_TRUE(vol && in2);
    const QImage leaf = Picture(CPictureSet::ListImage(306, 2));
    const QImage open = Picture(CPictureSet::ListImage(306, 1));
    EXPECT_EQ(leaf, Picture(vol->icon(0)));

    tree->setFocus();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(root).center());
    ASSERT_EQ(root, tree->currentItem());
    QTest::keyClick(tree, Qt::Key_Asterisk);
    ASSERT_TRUE(in1->isExpanded());
    EXPECT_EQ(open, Picture(audio->icon(0)));
    EXPECT_EQ(open, Picture(in1->icon(0)));
    EXPECT_EQ(leaf, Picture(vol->icon(0)));
    EXPECT_EQ(leaf, Picture(in2->icon(0)));

    // Saving where no file can be written is not silent.
    const QString unwritable = dir.filePath(QStringLiteral("fehlt/baum.txt"));
    QSettings().setValue(QStringLiteral("Configuration/KVT File"), unwritable);
    messages.texts.clear();
    auto* save = dialog.findChild<QPushButton*>(QStringLiteral("1212"));
    ASSERT_NE(nullptr, save);
    QTest::mouseClick(save, Qt::LeftButton);
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Die Datei '" + unwritable.toStdString() + "' kann nicht geschrieben werden !\n( Der Ordner ist nicht vorhanden. )",
              messages.texts[0]);
    EXPECT_FALSE(QFile::exists(unwritable));
}

// The file the browser keeps its tree in, as the user may have left it: one
// that may be read but not written is shown (saving it says it is
// read-only); one that exists but may not be read (modes 0200 and 000,
// refused to the administrator too) is named with that reason, not "Datei
// nicht gefunden !", and the empty tree is never saved over it.
TEST_F(ConfigBrowser, AFileThatCannotBeReadIsNamedWithItsReasonAndNeverSavedOver)
{
    const QByteArray held = "/AUDIO ?\r\n/AUDIO/IN1 ?\r\n";
    const char* const notRead = "( Ihr Inhalt konnte nicht gelesen werden und würde ungesehen ersetzt. )";
    const struct {
        const char* name;
        QFile::Permissions mode;
        int nodes;          // below the root "/"
        const char* told;   // at opening: why it cannot be read
        const char* saved;  // why the save button writes nothing
    } rows[] = {
        {"read-only", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther, 1, nullptr,
         "( Die Datei ist schreibgeschützt. )"},
        {"write-only", QFile::WriteOwner, 0, "( Keine Berechtigung zum Lesen. )", notRead},
        {"no permission at all", {}, 0, "( Keine Berechtigung zum Lesen. )", notRead},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QStringLiteral("baum%1.txt").arg(++n));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(held) == held.size());
        file.close();
        ASSERT_TRUE(file.setPermissions(row.mode));
        QSettings().setValue(QStringLiteral("Configuration/KVT File"), path);
        messages.texts.clear();
        messages.answers = {mb::IdNo};  // not from the device: the file
        {
            CSystemConfigDlg dialog;
            dialog.show();
            // Where the file cannot be opened to be written, the browser offers
            // the file dialog: cancelled, the file named stays.
            AnswerFileDialog(&dialog, QString());
            dialog.ChooseSource();
            ASSERT_EQ(1, dialog.GetTree()->topLevelItemCount());
            EXPECT_EQ(row.nodes, dialog.GetTree()->topLevelItem(0)->childCount());
            const std::string named = "Die Datei '" + path.toStdString() + "' ";
            EXPECT_EQ(row.told != nullptr, messages.Contains(named + "kann nicht gelesen werden !\n" + (row.told ? row.told : "")))
                << testing::PrintToString(messages.texts);
            EXPECT_FALSE(messages.Contains("Datei nicht gefunden !"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1212")), Qt::LeftButton);
            EXPECT_TRUE(messages.Contains(named + "kann nicht geschrieben werden !\n" + row.saved))
                << testing::PrintToString(messages.texts);
        }
        ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(held, file.readAll());
    }
}

// The walk of the device's tree sends queries only: a value that holds a
// comma ("Ost Halle, West") is no list of names, and an item that is empty
// or holds a blank is never sent as a path (it would make its line a
// setting): the result file names it. A path is nested under another only
// at a "/": "/PFX/INPUT" beside "/PFX/IN" is its sibling, shown and saved so.
TEST_F(ConfigBrowser, TheWalkSendsOnlyQueriesAndNamesWhatIsNoName)
{
    const struct {
        const char* name;
        std::map<std::string, std::string> device;  // the answer to each query
        std::vector<std::string> saved;             // the file saved afterwards, a line per node
        const char* named;                          // in the result file (null: nothing)
    } rows[] = {
        {"a value with a comma",
         {{"/ ?", "AAA,ZZZ"}, {"/AAA ?", "/AAA  NAME"}, {"/AAA/NAME ?", "/AAA/NAME Ost Halle, West"}, {"/ZZZ ?", "/ZZZ 1"}},
         {"/AAA ?", "/AAA/NAME ?", "/ZZZ ?"},
         "/AAA/NAME Ost Halle, West\r\n; /AAA/NAME: nicht abgefragt, kein Name eines Eintrags: \"Ost Halle\", \" West\"\r\n"},
        {"an empty item and one with a blank",
         {{"/ ?", "AAA,ZZZ"}, {"/AAA ?", "/AAA A1,,B 2"}, {"/AAA/A1 ?", "/AAA/A1 5"}, {"/ZZZ ?", "/ZZZ 1"}},
         {"/AAA ?", "/AAA/A1 ?", "/ZZZ ?"},
         "/AAA A1,,B 2\r\n; /AAA: nicht abgefragt, kein Name eines Eintrags: \"\", \"B 2\"\r\n"},
        {"prefix siblings IN and INPUT",
         {{"/ ?", "PFX,ZZZ"}, {"/PFX ?", "/PFX  IN,INPUT"}, {"/PFX/IN ?", "/PFX/IN 1"}, {"/PFX/INPUT ?", "/PFX/INPUT 2"},
          {"/ZZZ ?", "/ZZZ 1"}},
         {"/PFX ?", "/PFX/IN ?", "/PFX/INPUT ?", "/ZZZ ?"},
         nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QSettings().setValue(QStringLiteral("Configuration/KVT File"), dir.filePath(QStringLiteral("baum.txt")));
        blocktest::RecordingSender sender;
        messages.answers = {mb::IdYes};  // read the device
        CSystemConfigDlg dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        dialog.ChooseSource();
        // The device answers each query as it comes.
        for (size_t answered = 0; dialog.IsReading() && answered < sender.lines.size(); ++answered) {
            const auto answer = row.device.find(sender.lines[answered]);
            ASSERT_NE(row.device.end(), answer) << "sent: " << sender.lines[answered];
            dialog.OnReceiveLine(answer->second);
        }
        EXPECT_FALSE(dialog.IsReading());
        std::vector<std::string> queries {"/ ?"};
        queries.insert(queries.end(), row.saved.begin(), row.saved.end());
        EXPECT_EQ(queries, sender.lines) << "only the tree's queries leave";
        const std::string result = commtest::ReadFile(QStringLiteral("KVTResult.txt"));
        if (row.named)
            EXPECT_NE(std::string::npos, result.find(row.named)) << result;
        else
            EXPECT_EQ(std::string::npos, result.find("nicht abgefragt")) << result;
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1212")), Qt::LeftButton);
        std::string saved;
        for (const std::string& line : row.saved)
            saved += line + "\r\n";
        EXPECT_EQ(saved, commtest::ReadFile(dir.filePath(QStringLiteral("baum.txt"))));
    }
}

// The value cell sends what the user enters, also the value it already shows
// (the device may hold another by now), and Escape sends nothing.
TEST_F(ConfigBrowser, EnterInTheValueCellSendsTheValueEvenWhenItIsTheOneShown)
{
    const QString path = dir.filePath(QStringLiteral("baum.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("/AUDIO ?\r\n/AUDIO/IN1 ?\r\n/AUDIO/IN1/VOL ?\r\n");
    }
    QSettings().setValue(QStringLiteral("Configuration/KVT File"), path);
    blocktest::RecordingSender sender;
    CSystemConfigDlg dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.ChooseSource();
    QTreeWidget* tree = dialog.GetTree();
    tree->expandAll();
    QTreeWidgetItem* vol = tree->topLevelItem(0)->child(0)->child(0)->child(0);
    ASSERT_NE(nullptr, vol);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(vol).center());
    ASSERT_FALSE(sender.lines.empty());
    EXPECT_EQ("/AUDIO/IN1/VOL ?", sender.lines.back());
    dialog.OnReceiveLine("/AUDIO/IN1/VOL 0.0");  // the device's answer
    QTableWidget* list = dialog.GetList();
    ASSERT_EQ(QLatin1String("0.0"), list->item(0, 0)->text());

    const auto enter = [&](const QString& typed, Qt::Key end) {
        sender.lines.clear();
        const QRect cell = list->visualItemRect(list->item(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (!edit)
            return std::vector<std::string>{"no editor"};
        if (!typed.isNull()) {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, typed);
        }
        QTest::keyClick(edit, end);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor goes
        return sender.lines;
    };
    const std::vector<std::string> both{"/AUDIO/IN1/VOL 0.0", "/AUDIO/IN1/VOL ?"};
    EXPECT_EQ(both, enter(QString(), Qt::Key_Return)) << "the shown value entered again";
    EXPECT_EQ(both, enter(QStringLiteral("0.0"), Qt::Key_Return)) << "the shown value typed again";
    const std::vector<std::string> changed{"/AUDIO/IN1/VOL -6.0", "/AUDIO/IN1/VOL ?"};
    EXPECT_EQ(changed, enter(QStringLiteral("-6.0"), Qt::Key_Return)) << "a new value goes once";
    EXPECT_EQ(QLatin1String("-6.0"), list->item(0, 0)->text());
    EXPECT_TRUE(enter(QStringLiteral("3"), Qt::Key_Escape).empty()) << "Escape sends nothing";
    EXPECT_EQ(QLatin1String("-6.0"), list->item(0, 0)->text());
}
