// Every kind the selection dialog knows, opened against the largest project:
// each offers its choices, and the lists owned by the objects' own columns
// (busy condition audio kinds, combine operators, ignorable line faults)
// come in the owner's order with their values.
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"

#include "model/CQuillomerDoc.h"
#include "model/CIDManager.h"
#include "model/DocContext.h"
#include "paging/CRelaisManager.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "support/LargestProject.h"
#include "support/ModelTestHost.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <map>

namespace {
class SelectionLargestProjectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        doc = new CQuillomerDoc;
        MessageLog quiet;
        largest::Build(*doc);
    }
    static void TearDownTestSuite()
    {
        delete doc;
        doc = nullptr;
    }
    void SetUp() override
    {
        QSettings().remove(CResizableDialog::PlacementKey(498));
        old = SetActiveDocHook([] { return doc; });
    }
    void TearDown() override
    {
        SetActiveDocHook(old);
        QSettings().remove(CResizableDialog::PlacementKey(498));
    }
    static QStringList Texts(const CSelectionDlg& dlg)
    {
        QStringList texts;
        for (int r = 0; r < dlg.List()->GetItemCount(); ++r)
            texts << dlg.List()->GetItemText(r, 0);
        return texts;
    }
    static std::vector<quintptr> Values(const CSelectionDlg& dlg)
    {
        std::vector<quintptr> values;
        for (int r = 0; r < dlg.List()->GetItemCount(); ++r)
            values.push_back(dlg.RowValue(r));
        return values;
    }

    static CQuillomerDoc* doc;
    ActiveDocHook old;
};
CQuillomerDoc* SelectionLargestProjectTest::doc = nullptr;
}  // namespace

TEST_F(SelectionLargestProjectTest, EveryRegisteredKindOffersItsChoices)
{
    const QString none = QString::fromStdString(LoadStringId(34421));
    const QList<int> kinds = CSelectionDlg::RegisteredKinds();
    // The kinds of every family are there, the three owned lists among them.
    EXPECT_GE(kinds.size(), 50);
    for (int kind : {34449, 34455, 34600, 34384, 34385})
        EXPECT_TRUE(kinds.contains(kind)) << kind;
    // The largest project holds none of these objects: their lists keep only
    // the none row.
    CIDManager& ids = doc->GetIDManager();
    auto objects = [&](uint32_t type) { return ids.GetCount(type); };
    auto pads = [&](uint32_t kind) {
        DeviceList list;
        ids.GetBaseDeviceListByKind(list, OT_CONTROL_PAD, kind);
        return static_cast<int>(list.size());
    };
    DeviceList secondRelays;
    doc->GetRelaisManager()->GetAllSRelais(secondRelays);
    const std::map<int, int> absent = {
        {32796, pads(32796)}, {32797, pads(32797)}, {34136, pads(34136)}, {32848, pads(32848)},
        {34385, static_cast<int>(secondRelays.size())},
        {34063, objects(OT_CONSOLE)},
        {34592, objects(OT_READY_INPUT)},
        {34130, objects(OT_MEMO_FLAG)},
        {34358, objects(OT_ANALOG_CONDITION)},
        {34359, objects(OT_COMBINE_CONDITION)},
        {34456, objects(OT_BUSY_CONDITION)},
        {34357, 0},  // every spare-amplifier entry unused
    };
    for (const auto& [kind, count] : absent)
        EXPECT_EQ(0, count) << "kind " << kind << ": the project has them now";
    // The ready inputs' own list has no none row: without ready inputs it is
    // rightly empty and says so.
    constexpr int kReadyInputs = 34093;
    for (int kind : kinds) {
        CSelectionDlg dlg;
        dlg.m_nKind = kind;
        dlg.show();
        QApplication::processEvents();
        const QStringList texts = Texts(dlg);
        const bool noted = dlg.findChild<QLabel*>(QStringLiteral("EmptyNote"))->isVisibleTo(&dlg);
        dlg.reject();
        if (kind == kReadyInputs) {
            EXPECT_TRUE(texts.isEmpty());
            EXPECT_TRUE(noted);
            continue;
        }
        EXPECT_FALSE(texts.isEmpty()) << "kind " << kind << " opens empty";
        EXPECT_FALSE(noted) << kind;
        // A list holding nothing but the none row offers no choice.
        const bool noChoice = texts.size() == 1 && texts.front() == none;
        EXPECT_EQ(absent.count(kind) == 1, noChoice)
            << "kind " << kind << " offers " << texts.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(SelectionLargestProjectTest, OwnedChoiceListsComeInTheOwnersOrder)
{
    CSelectionDlg audio;
    audio.m_nKind = 34449;
    audio.show();
    EXPECT_EQ(Texts(audio), (QStringList{"Kein Eintrag", "Alarm", "Gong", "Textwiedergabe", "Durchsage 1",
                                         "Durchsage 2", "Durchsage 3", "Durchsage 4", "Hintergrundprogramm"}));
    EXPECT_EQ(audio.List()->GetColumnCount(), 1);

    CSelectionDlg logic;
    logic.m_nKind = 34455;
    logic.SetSelection(QStringLiteral("XOR"));
    logic.show();
    EXPECT_EQ(Texts(logic), (QStringList{"OFF", "AND", "OR", "XOR"}));
    EXPECT_EQ(Values(logic), (std::vector<quintptr>{34235, 34468, 34469, 34470}));
    logic.accept();
    EXPECT_EQ(logic.m_nResultNumber, 34470);

    // Ignorable faults: several at once, the none row excluding the others.
    CSelectionDlg ignore;
    ignore.m_nKind = 34600;
    ignore.m_bMultiple = true;
    ignore.SetSelection(QStringLiteral("- Tol.,Stromfehler"));
    ignore.show();
    EXPECT_EQ(Texts(ignore),
              (QStringList{"Kein Eintrag", "+ Tol.", "- Tol.", "Erdschluß", "Spannungsfehler", "Stromfehler"}));
    QList<int> chosen;
    ignore.List()->GetSelectedItems(&chosen);
    EXPECT_EQ(chosen, (QList<int>{2, 5}));
    ignore.accept();
    EXPECT_EQ(ignore.m_nResultNumber, 2 | 16);
}
