// The English words a user meets while adding an amplifier, its relay
// topology and a console: one word for one thing in the menus, the new
// objects' names and the topology dialog (saved as topology-dialog-en.png
// next to the test program for a look by eye).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QTimer>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "MenuTestSupport.h"
#include "ShellProgramTest.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/HardwareIds.h"
#include "model/CQuillomerDoc.h"
#include "paging/windows/CRelaisTopologyDlg.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/CShellAppHost.h"
#include "ui/CResizableComboBox.h"

namespace {

using menutest::Describe;
using menutest::FindAction;
using menutest::MenuPick;

class EnglishWords : public ShellProgramTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartProgram("English")); }
};

}  // namespace

TEST_F(EnglishWords, AmplifierTopologyAndConsoleAreAddedInOneWording)
{
    // An amplifier at the output card: "Add Amplifier"; the new one is one amplifier.
    auto* slot3 = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT, "Slot3");
    ASSERT_NE(slot3, nullptr);
    MenuPick pick;
    pick.choose = ampmodel::Hbe6657;
    const CPoint out2 = slot3->m_outputPoints.at(1);
    RightClickAt(CPoint(out2.x - 6, out2.y));
    EXPECT_TRUE(pick.Shows("Add Amplifier >"));
    auto* amp = Find<CAmplifier>(CAT_AMPLIFIER);
    ASSERT_NE(amp, nullptr);
    EXPECT_EQ(amp->GetName(), "Amplifier 1");

    // Its "1 in N" topology: the menu and the dialog's scheme use the same words,
    // the dialog counts lines like the rest of the program.
    QStringList labels;
    QString scheme;
    // The dialog opens once the chosen command runs; it is read and closed there.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dlg = qobject_cast<CRelaisTopologyDlg*>(QApplication::activeModalWidget())) {
            for (QLabel* label : dlg->findChildren<QLabel*>())
                if (label->isVisible())
                    labels << label->text();
            scheme = dlg->SchemeCombo()->currentText();
            dlg->grab().save(QStringLiteral("topology-dialog-en.png"));
            dlg->reject();
        }
    });
    poll.start(10);
    pick.choose = ampcmd::OneInN;
    const CRect r = amp->GetRect();
    RightClickAt(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_EQ(pick.entries, (std::vector<std::string>{"Relay Topology >", "  Direct", "  1 in N", "  Programme/Call",
                                                      "---", "Delete", "---", "Properties ..."}));
    poll.stop();
    EXPECT_EQ(scheme, QString("1 in N"));
    labels.sort();
    EXPECT_EQ(labels, (QStringList{"First relay", "Input 1", "Number of lines", "Relay topology"}));

    // A console at an input card's console input: "Add Console", as "Add Amplifier".
    auto* in = Find<CAudioInputSlot>(CAT_INPUT_SLOT);
    ASSERT_NE(in, nullptr);
    in->OnCommand(inputcard::ConsoleMicLine);
    pick.choose = 0;
    RightClickAt(CPoint(in->GetRect().left + 4, in->m_inputPoints.at(0).y));
    EXPECT_TRUE(pick.Shows("Add &Console >")) << ::testing::PrintToString(pick.entries);
}

namespace {
// Every German text of the English resources with its English text.
std::vector<std::pair<QString, QString>> EnglishPairs()
{
    std::vector<std::pair<QString, QString>> pairs;
    QFile f(QStringLiteral(QL_SOURCE_DIR_VALUE "/translations/QLRESENU.ts"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == QLatin1String("translation") &&
                 xml.attributes().value(QLatin1String("type")) != QLatin1String("vanished"))
            pairs.emplace_back(source, xml.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return pairs;
}
}  // namespace

// One spelling and one word for one thing across the English texts: a
// (background, day, week) programme is never a "program", a calendar event
// never an "appointment", a collective call is written like the mandatory and
// control relays beside it; the line test, its line data, analog things,
// ground faults and line measurement faults are each named one way.
TEST(EnglishWording, OneSpellingAndOneWordForOneThing)
{
    const auto pairs = EnglishPairs();
    ASSERT_LT(1000u, pairs.size());
    // German word -> the English word it always has, and the ones it never has.
    struct Word {
        const char* german;
        const char* english;
        std::vector<const char*> never;
    };
    const Word words[] = {
        {"Linientest", "line test", {"zone test", "zonetest"}},
        {"Liniendaten", "line data", {"zone data"}},
        {"Erdschlu", "ground fault", {"earth"}},
        {"Linienmeßfehler", "line measurement fault", {"measuring"}},
        {"Linienmessfehler", "line measurement fault", {"measuring"}},
        {"nalog", "analog", {"analogue"}},
    };
    std::map<std::string, int> met;
    for (const auto& [german, english] : pairs)
        for (const Word& w : words)
            if (german.contains(QString::fromUtf8(w.german), Qt::CaseInsensitive)) {
                ++met[w.german];
                EXPECT_TRUE(english.contains(QString::fromUtf8(w.english), Qt::CaseInsensitive))
                    << german.toStdString() << " -> " << english.toStdString();
                for (const char* other : w.never)
                    EXPECT_FALSE(english.contains(QString::fromUtf8(other), Qt::CaseInsensitive))
                        << german.toStdString() << " -> " << english.toStdString();
            }
    for (const Word& w : words)
        EXPECT_LT(0, met[w.german]) << w.german;
    for (const auto& [german, english] : pairs)
        EXPECT_FALSE(english.contains(QLatin1String("nalogue")) || english.contains(QLatin1String("arth fault")))
            << german.toStdString() << " -> " << english.toStdString();
    static const QRegularExpression programme(QStringLiteral("rogramm(?!ier|start)"));
    static const QRegularExpression program(QStringLiteral("\\bprogram\\b"), QRegularExpression::CaseInsensitiveOption);
    int programmes = 0;
    for (const auto& [german, english] : pairs) {
        if (german.contains(programme)) {
            ++programmes;
            EXPECT_FALSE(english.contains(program)) << german.toStdString() << " -> " << english.toStdString();
        }
        EXPECT_FALSE(english.contains(QLatin1String("ppointment"))) << german.toStdString() << " -> "
                                                                     << english.toStdString();
        if (german == QLatin1String("Sammelruf"))
            EXPECT_EQ(english.toStdString(), "Collective call");
        if (german == QLatin1String("bzw. enden soll :"))
            EXPECT_EQ(english.toStdString(), "or is to end:");
    }
    EXPECT_LT(20, programmes);
    // A message reads whole in English: no line of its German text is left out.
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n]+\\s*"));
    for (const auto& [german, english] : pairs)
        EXPECT_LE(german.trimmed().split(breaks).size(), english.trimmed().split(breaks).size())
            << german.toStdString() << " -> " << english.toStdString();
}
