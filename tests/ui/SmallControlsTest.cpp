// Small controls: value edit, grid edit rounding/range/special value and
// keys, all-keys edit, ellipsis static, tool tips, hyperlink.
#include "ui/CAllKeysEdit.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CGridEdit.h"
#include "ui/CHyperLink.h"
#include "ui/CScaleCtrl.h"
#include "ui/CToolTipCtrlEx.h"
#include "ui/CValueEdit.h"
#include "ui/NumberFormat.h"

#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

TEST(ValueEdit, SetOnlyWhenChangedOrForced)
{
    CValueEdit edit;
    edit.SetLong(5, 0, "%ld");
    EXPECT_EQ(edit.text(), "5");
    edit.setText("12");  // the user is typing
    edit.SetLong(5, 0, "%ld");
    EXPECT_EQ(edit.text(), "12");
    edit.SetLong(5, 1, "%ld");
    EXPECT_EQ(edit.text(), "5");
    // Each kind of value is kept separately.
    edit.SetFloat(2.5f, 0, "%.2f");
    EXPECT_EQ(edit.text(), "2.50");
    EXPECT_EQ(edit.GetLong(0), 5);
    edit.SetInt(0, 0, "%d");  // equal to the stored int (0): untouched
    EXPECT_EQ(edit.text(), "2.50");
}

TEST(ValueEdit, ReadingTakesTextOverUnreadableKeepsValue)
{
    CValueEdit edit;
    edit.SetInt(7, 1, "%d");
    edit.setText("42");
    EXPECT_EQ(edit.GetInt(0), 7);
    EXPECT_EQ(edit.GetInt(1), 42);
    edit.setText("abc");
    EXPECT_EQ(edit.GetInt(1), 42);
    edit.setText("-1.25");
    EXPECT_FLOAT_EQ(edit.GetFloat(1), -1.25f);
    edit.setText("x");
    EXPECT_FLOAT_EQ(edit.GetFloat(1), -1.25f);
    // Typed on the keyboard: what is no finite float keeps the value too, and
    // is no whole number either (a priority typed as 1e40 does not become 1).
    // In either language; a decimal's mark may be a comma where the same
    // text from the device (the strict reader) has a point only, and a
    // thousands separator makes no number.
    const QLocale language;
    for (const QLocale::Language shown : {QLocale::German, QLocale::English}) {
        QLocale::setDefault(QLocale(shown));
        // A decimal is no whole number either: "12,5" is neither 12 nor 125,
        // nor is "1.000" a thousand.
        const struct {
            const char* typed;
            float decimal;
            int whole;
        } rows[] = {{"nan", -1.25f, 42},   {"inf", -1.25f, 42},  {"-inf", -1.25f, 42}, {"1e40", -1.25f, 42},
                    {"-1e39", -1.25f, 42}, {"", -1.25f, 42},     {"x", -1.25f, 42},    {"-1.25", -1.25f, 42},
                    {"12,5", 12.5f, 42},   {"1.000", 1.0f, 42},  {"3.5,5", -1.25f, 42}, {"-7 dB", -7.0f, -7},
                    {"25:61", -1.25f, 42}, {"12/5", -1.25f, 42}, {"7:", 7.0f, 7},
                    // A whole number is written in decimal digits: exponent and
                    // hexadecimal notation are none (the decimal takes no
                    // hexadecimal either); letters after the digits are no
                    // part of the number.
                    {"1e2", 100.0f, 42},   {"0x10", -1.25f, 42}, {"2e1x", 20.0f, 42}, {"1e4", 10000.0f, 42},
                    {"1e", 1.0f, 42},      {"-0X1f", -1.25f, 42}, {"7x", 7.0f, 7}};
        for (const auto& row : rows) {
            edit.SetInt(42, 1, "%d");
            edit.SetLong(42, 1, "%ld");
            edit.SetFloat(-1.25f, 1, "%.2f");
            QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&edit, Qt::Key_Backspace);
            QTest::keyClicks(&edit, QString::fromLatin1(row.typed));
            EXPECT_EQ(edit.ReadsAsFloat(), row.decimal != -1.25f || row.typed == std::string("-1.25")) << row.typed;
            EXPECT_EQ(edit.ReadsAsWhole(), row.whole != 42) << row.typed;
            EXPECT_FLOAT_EQ(edit.GetFloat(1), row.decimal) << row.typed;
            EXPECT_EQ(edit.GetInt(1), row.whole) << row.typed;
            EXPECT_EQ(edit.GetLong(1), row.whole) << row.typed;
        }
        for (const auto& [typed, decimal, device] :
             {std::tuple{"12,5", 12.5f, 12.0f}, std::tuple{"12.5", 12.5f, 12.5f}, std::tuple{"1.000,5", 12.5f, 1.0f},
              std::tuple{"-0,75 dB", -0.75f, 0.0f}, std::tuple{"x,5", -0.75f, -1.0f}, std::tuple{"-0,0", 0.0f, -0.0f}}) {
            QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(&edit, QString::fromLatin1(typed));
            EXPECT_FLOAT_EQ(edit.GetFloat(1), decimal) << typed;
            EXPECT_EQ(std::signbit(decimal), std::signbit(edit.GetFloat(1))) << typed << ": a zero with a sign";
            EXPECT_FLOAT_EQ(ScanFiniteFloat(typed).value_or(-1.0f), device) << typed;
        }
    }
    QLocale::setDefault(language);
    edit.setText("123456");
    EXPECT_EQ(edit.GetLong(1), 123456);
}

TEST(ValueEdit, NumbersBeyondThirtyTwoBitsAreHeldAtTheLimits)
{
    // Never wrapped round: the owner clamps the limit to its own range.
    CValueEdit edit;
    for (const char* text : {"4294967296", "4294967297", "99999999999999999999999"}) {
        edit.setText(QString::fromLatin1(text));
        EXPECT_EQ(edit.GetInt(1), std::numeric_limits<int>::max()) << text;
        EXPECT_EQ(edit.GetLong(1), std::numeric_limits<int32_t>::max()) << text;
    }
    edit.setText("-4294967296");
    EXPECT_EQ(edit.GetInt(1), std::numeric_limits<int>::min());
    EXPECT_EQ(edit.GetLong(1), std::numeric_limits<int32_t>::min());
    edit.setText(" 17 Hz");
    EXPECT_EQ(edit.GetInt(1), 17);
}

TEST(ValueEdit, EnterMovesFocusToParent)
{
    QDialog dlg;
    dlg.setFocusPolicy(Qt::StrongFocus);
    auto* edit = new CValueEdit(&dlg);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(edit->hasFocus());
    EXPECT_TRUE(dlg.isVisible());
}

TEST(GridEdit, WholeNumberRangeCorrection)
{
    using R = CGridEdit::Reading;
    CGridEdit edit;
    edit.Setup(false, "%d", 0, 100, 50);
    EXPECT_EQ(edit.text(), "50");
    edit.setText("150");
    EXPECT_EQ(edit.ReadValue(), R::Corrected);
    EXPECT_EQ(edit.text(), "100");
    EXPECT_EQ(edit.GetValue(), 100.0);
    edit.setText("-5");
    EXPECT_EQ(edit.ReadValue(), R::Corrected);
    EXPECT_EQ(edit.text(), "0");
    EXPECT_EQ(edit.GetValue(), 0.0);
    edit.setText("77");
    EXPECT_EQ(edit.ReadValue(), R::Taken);
    EXPECT_EQ(edit.GetValue(), 77.0);
    // A text that is no whole number is refused, never read as another
    // number (not 0, not its digits run together, not cut at the mark): the
    // value stays and shows again.
    for (const auto& [typed, reading] :
         {std::pair{"", R::NoNumber}, std::pair{"abc", R::NoNumber}, std::pair{"-", R::NoNumber},
          std::pair{"1e40", R::NoNumber}, std::pair{"3.5,5", R::NoNumber}, std::pair{"12,5", R::NotWhole},
          std::pair{"-12,7", R::NotWhole}, std::pair{"12.0", R::NotWhole}, std::pair{"1.000", R::NotWhole},
          std::pair{"1e2", R::NotWhole}, std::pair{"0x10", R::NotWhole}, std::pair{"1e4", R::NotWhole}}) {
        edit.setText(QString::fromLatin1(typed));
        EXPECT_EQ(edit.ReadValue(), reading) << typed;
        EXPECT_EQ(edit.GetValue(), 77.0) << typed;
        EXPECT_EQ(edit.text(), "77") << typed;
    }
    EXPECT_TRUE(CGridEdit::TellsRange(R::NotWhole));
    EXPECT_FALSE(CGridEdit::TellsRange(R::NoNumber));
    EXPECT_FALSE(CGridEdit::Takes(R::NotWhole));
    EXPECT_FALSE(CGridEdit::Takes(R::NoNumber));
    // Setup clamps the start value.
    CGridEdit third;
    third.Setup(false, "%d", 0, 100, 300);
    EXPECT_EQ(third.text(), "100");
}

TEST(GridEdit, CorrectedTextPutsCaretAfterSixthCharacter)
{
    CGridEdit edit;
    edit.Setup(false, "%d", 0, 12345678, 1);
    edit.setText("99999999");
    EXPECT_EQ(edit.ReadValue(), CGridEdit::Reading::Corrected);
    EXPECT_EQ(edit.text(), "12345678");
    EXPECT_EQ(edit.cursorPosition(), 6);
}

TEST(GridEdit, SetValueRoundsHalfAwayFromZero)
{
    CGridEdit edit;
    edit.Setup(false, "%d", -100, 100, 0);
    edit.SetValue(2.5);
    EXPECT_EQ(edit.text(), "3");
    EXPECT_EQ(edit.GetValue(), 3.0);
    edit.SetValue(-2.5);
    EXPECT_EQ(edit.text(), "-3");
    // The range is not applied by SetValue.
    edit.SetValue(500);
    EXPECT_EQ(edit.text(), "500");
}

TEST(GridEdit, SpecialValueShownAndKept)
{
    CGridEdit edit;
    edit.Setup(false, "%d", 0, 100, 0, true, 0, "Aus");
    EXPECT_EQ(edit.text(), "Aus");
    edit.SetValue(12);
    EXPECT_EQ(edit.text(), "12");
    edit.setText("Aus");
    EXPECT_EQ(edit.ReadValue(), CGridEdit::Reading::Taken);
    EXPECT_EQ(edit.GetValue(), 12.0);
    // Float mode compares whole parts.
    CGridEdit f;
    f.Setup(true, "%.1f", -10, 10, 0.4, true, 0.9, "Aus");
    EXPECT_EQ(f.text(), "Aus");
    f.SetValue(1.5);
    EXPECT_EQ(f.text(), "1.5");
}

TEST(GridEdit, FloatModeMinimumTolerance)
{
    CGridEdit edit;
    edit.Setup(true, "%.6f", 0.5, 2.0, 1.0);
    edit.setText("0.499995");
    EXPECT_EQ(edit.ReadValue(), CGridEdit::Reading::Taken);
    EXPECT_EQ(edit.text(), "0.499995");
    edit.setText("0.3");
    EXPECT_EQ(edit.ReadValue(), CGridEdit::Reading::Corrected);
    EXPECT_NEAR(edit.GetValue(), 0.49999, 1e-6);
    edit.setText("3");
    EXPECT_EQ(edit.ReadValue(), CGridEdit::Reading::Corrected);
    EXPECT_EQ(edit.GetValue(), 2.0);
    EXPECT_EQ(edit.text(), "2.000000");
    // No finite number (pasted: the keys take no letters), and a number with
    // a thousands separator or a second decimal mark: no number, refused,
    // the value kept and shown again.
    for (const char* text : {"nan", "inf", "1e40", "1.000,5", "1,000.5", "1.5,5", "", "0x1"}) {
        edit.setText(QString::fromLatin1(text));
        EXPECT_EQ(edit.ReadValue(), CGridEdit::Reading::NoNumber) << text;
        EXPECT_EQ(edit.GetValue(), 2.0) << text;
        EXPECT_EQ(edit.text(), "2.000000") << text;
    }
}

TEST(GridEdit, KeysAcceptedAndSwallowed)
{
    CGridEdit edit;
    edit.Setup(false, "%d", -100, 100, 0);
    edit.setText("");
    QTest::keyClicks(&edit, "-1a2.x3");
    EXPECT_EQ(edit.text(), "-12.3");
    QTest::keyClick(&edit, Qt::Key_Minus);  // not at the start of an empty field
    EXPECT_EQ(edit.text(), "-12.3");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Minus);  // selection from the first character
    EXPECT_EQ(edit.text(), "-");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "");

    CGridEdit f;
    f.Setup(true, "%.2f", -100, 100, 0);
    f.setText("");
    QTest::keyClicks(&f, "1.5");
    EXPECT_EQ(f.text(), "1.5");
    // A comma is a decimal mark as the point is, in whole-number edits too:
    // there "2,5" stays what it is, to be refused, rather than becoming 25.
    f.setText("");
    QTest::keyClicks(&f, "-2,5");
    EXPECT_EQ(f.ReadValue(), CGridEdit::Reading::Taken);
    EXPECT_EQ(f.GetValue(), -2.5);
    edit.setText("");
    QTest::keyClicks(&edit, "2,5");
    EXPECT_EQ(edit.text(), "2,5");
    // The shortcuts every edit has: Ctrl+A selects the whole text.
    edit.deselect();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.selectedText(), "2,5");
}

TEST(GridEdit, EnterReportsFocusLossWithEnterFlag)
{
    QDialog dlg;
    auto* edit = new CGridEdit(&dlg);
    edit->Setup(false, "%d", 0, 100, 5);
    auto* ok = new QPushButton("OK", &dlg);
    ok->setDefault(true);
    int accepted = 0;
    QObject::connect(&dlg, &QDialog::accepted, [&] { ++accepted; });
    std::vector<bool> flags;
    QObject::connect(edit, &CGridEdit::FocusLost, [&] {
        flags.push_back(edit->IsEnterPressed());
        edit->ReadValue();
    });
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    edit->setFocus();
    edit->setText("500");
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_TRUE(flags[0]);
    EXPECT_FALSE(edit->IsEnterPressed());
    EXPECT_EQ(edit->text(), "100");
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(accepted, 0);
    ok->setFocus();
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_FALSE(flags[1]);
}

TEST(NumberFormat, MismatchedFormatsAreSafe)
{
    EXPECT_EQ(NumberFormat::FormatInteger("%ld dB", 12), "12 dB");
    EXPECT_EQ(NumberFormat::FormatInteger("%.1f", 3), "3.0");
    EXPECT_EQ(NumberFormat::FormatDouble("%d %%", 3.7), "3 %");
    EXPECT_EQ(NumberFormat::FormatDouble("%s", 1.5), "1.5");
    long long v = 0;
    EXPECT_TRUE(NumberFormat::ScanInteger("%3d", "1500", &v));
    EXPECT_EQ(v, 1500);
    EXPECT_TRUE(NumberFormat::ScanInteger("%x", "ff", &v));
    EXPECT_EQ(v, 255);
    EXPECT_FALSE(NumberFormat::ScanInteger("%d", "zz", &v));
}

TEST(AllKeysEdit, KeepsDialogKeys)
{
    QDialog dlg;
    auto* edit = new CAllKeysEdit(&dlg);
    auto* next = new QPushButton("n", &dlg);
    next->setDefault(true);
    int accepted = 0, rejected = 0;
    QObject::connect(&dlg, &QDialog::accepted, [&] { ++accepted; });
    QObject::connect(&dlg, &QDialog::rejected, [&] { ++rejected; });
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(accepted, 0);
    EXPECT_EQ(rejected, 0);
    EXPECT_TRUE(dlg.isVisible());
}

TEST(EllipsisStatic, ShortensAndShowsWholeInToolTip)
{
    QWidget parent;
    parent.resize(300, 100);
    auto* label = new CEllipsisStatic(&parent, 1005);
    label->setGeometry(10, 10, 80, 20);
    label->setContentsMargins(0, 0, 0, 0);
    label->SetText("kurz");
    EXPECT_EQ(label->text(), "kurz");
    EXPECT_FALSE(label->IsShortened());
    EXPECT_FALSE(label->ToolTip().HasTool(&parent, 1005));

    const QString longText = "Dies ist ein sehr langer Text, der nicht passt";
    label->SetText(longText);
    EXPECT_TRUE(label->IsShortened());
    EXPECT_TRUE(label->text().endsWith("..."));
    const QString prefix = label->text().chopped(3);
    EXPECT_TRUE(longText.startsWith(prefix));
    EXPECT_GE(prefix.size(), 1);
    const QFontMetrics fm(label->font());
    EXPECT_LE(fm.horizontalAdvance(label->text()), 80);
    // One more character would not fit.
    EXPECT_GT(fm.horizontalAdvance(longText.left(prefix.size() + 1) + "..."), 80);
    EXPECT_EQ(label->ToolTip().GetToolText(&parent, 1005), longText);
    EXPECT_EQ(label->ToolTip().GetToolRect(&parent, 1005), QRect(10, 10, 80, 20));
    EXPECT_EQ(label->ToolTip().ToolTextAt(&parent, QPoint(20, 15)), longText);

    // Fits again: the tool goes.
    label->SetText("kurz");
    EXPECT_FALSE(label->ToolTip().HasTool(&parent, 1005));

    // Not even one character and "..." fit: still shown.
    label->setGeometry(10, 10, 2, 20);
    label->SetText("Wort");
    EXPECT_EQ(label->text(), "W...");
}

// A text set before the window is laid out is shortened to the width the
// control then gets, and again at each later width.
TEST(EllipsisStatic, FollowsTheWidthItIsGiven)
{
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* label = new CEllipsisStatic(&window, 1570);
    layout->addWidget(label, 1);
    layout->addWidget(new QPushButton("...", &window));
    const QString name = "Evakuierung Gebäude Nord";
    label->SetText(name);  // still at the size of a control not laid out
    window.resize(500, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    EXPECT_EQ(label->text(), name);
    EXPECT_FALSE(label->IsShortened());
    EXPECT_FALSE(label->ToolTip().HasTool(&window, 1570));

    window.resize(label->fontMetrics().horizontalAdvance(name) / 2 + 60, 60);
    QApplication::processEvents();
    EXPECT_TRUE(label->IsShortened());
    EXPECT_TRUE(label->text().endsWith("..."));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_EQ(label->ToolTip().GetToolText(&window, 1570), name);
    EXPECT_EQ(label->ToolTip().GetToolRect(&window, 1570), label->geometry());

    window.resize(500, 60);
    QApplication::processEvents();
    EXPECT_EQ(label->text(), name);
    EXPECT_FALSE(label->ToolTip().HasTool(&window, 1570));
}

TEST(ToolTipCtrlEx, WindowAndRectToolsAndOffset)
{
    QWidget owner;
    owner.resize(200, 200);
    auto* child = new QWidget(&owner);
    child->setGeometry(0, 0, 50, 50);
    CToolTipCtrlEx tips;
    EXPECT_TRUE(tips.AddWindowTool(child, "Fenster"));
    EXPECT_TRUE(tips.AddRectTool(&owner, "Rechteck", QRect(100, 100, 20, 20), 7));
    EXPECT_EQ(tips.GetToolCount(), 2);
    EXPECT_EQ(tips.ToolTextAt(child, QPoint(5, 5)), "Fenster");
    EXPECT_EQ(tips.ToolTextAt(&owner, QPoint(105, 105)), "Rechteck");
    EXPECT_EQ(tips.OffsetToolRects(&owner, 10, -5), 2);
    EXPECT_EQ(tips.GetToolRect(&owner, 7), QRect(110, 95, 20, 20));
    EXPECT_EQ(tips.ToolTextAt(&owner, QPoint(105, 105)), "");
    delete child;
    EXPECT_EQ(tips.GetToolCount(), 1);
}

namespace {
struct MessageRecorder {
    std::vector<std::pair<std::string, uint32_t>> messages;
    MessageHandler old;
    MessageRecorder()
    {
        old = SetMessageHandler([this](const std::string& t, uint32_t type) {
            messages.emplace_back(t, type);
            return mb::IdOk;
        });
    }
    ~MessageRecorder() { SetMessageHandler(old); }
};
}  // namespace

TEST(HyperLink, FailedOpenShowsErrorText)
{
    MessageRecorder rec;
    auto old = CHyperLink::SetOpener([](const QString&) { return 26; });
    CHyperLink link("Homepage", "http://example.invalid/");
    link.OnClicked();
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].first, "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(rec.messages[0].second & 0xF0, static_cast<uint32_t>(mb::IconExclamation));
    EXPECT_FALSE(link.GetVisited());
    EXPECT_EQ(CHyperLink::OpenErrorText(99), "Unknown Error (99) occurred.");
    CHyperLink::SetOpener(old);
}

TEST(HyperLink, SuccessfulOpenMarksVisitedAndColours)
{
    MessageRecorder rec;
    QString opened;
    auto old = CHyperLink::SetOpener([&](const QString& t) {
        opened = t;
        return 42;
    });
    CHyperLink link("mailto:info@example.invalid", "");
    link.Attach();
    EXPECT_EQ(link.GetTarget(), "mailto:info@example.invalid");
    EXPECT_EQ(link.toolTip(), "mailto:info@example.invalid");
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.CurrentColour(), CHyperLink::kLinkColour);
    link.OnClicked();
    EXPECT_EQ(opened, "mailto:info@example.invalid");
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_TRUE(link.GetVisited());
    EXPECT_EQ(link.CurrentColour(), CHyperLink::kVisitedColour);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), CHyperLink::kVisitedColour);
    link.SetUnderline(false);
    EXPECT_FALSE(link.font().underline());
    CHyperLink::SetOpener(old);
}

TEST(HyperLink, FitsToTextKeepingItsAnchor)
{
    QWidget parent;
    auto* right = new CHyperLink("Link", "http://x.invalid", &parent);
    right->setAlignment(Qt::AlignRight | Qt::AlignTop);
    right->setGeometry(100, 10, 300, 40);
    right->Attach();
    EXPECT_EQ(right->geometry().right(), 399);
    EXPECT_EQ(right->geometry().top(), 10);
    EXPECT_LT(right->width(), 300);

    auto* centred = new CHyperLink("Link", "http://x.invalid", &parent);
    centred->setAlignment(Qt::AlignCenter);
    centred->setGeometry(100, 10, 300, 40);
    centred->Attach();
    EXPECT_NEAR(centred->geometry().center().x(), QRect(100, 10, 300, 40).center().x(), 1);
    EXPECT_NEAR(centred->geometry().center().y(), QRect(100, 10, 300, 40).center().y(), 1);

    auto* left = new CHyperLink("Link", "http://x.invalid", &parent);
    left->setGeometry(100, 10, 300, 40);
    left->Attach();
    EXPECT_EQ(left->geometry().topLeft(), QPoint(100, 10));
}

TEST(ScaleCtrl, CrowdedTextsMoveApartAndStayInside)
{
    CScaleCtrl scale(Qt::Vertical);
    scale.SetInsets(5, 5);
    // A logarithmic volume scale: the last three marks lie close together.
    scale.SetMarks({{0.0, "+6"}, {0.5, "-6"}, {75 / 87.0, "-40"}, {85 / 87.0, "-60"}, {1.0, "-80"}});
    const int line = scale.fontMetrics().height();
    const int length = 200;
    const std::vector<int> centres = scale.TextCentres(length);
    ASSERT_EQ(centres.size(), 5u);
    // Uncrowded texts sit at their marks.
    EXPECT_EQ(centres[1], scale.PositionOf(0.5, length));
    for (size_t i = 1; i < centres.size(); ++i)
        EXPECT_GE(centres[i] - centres[i - 1], line) << i;
    EXPECT_GE(centres.front() - line / 2, 0);
    EXPECT_LE(centres.back() + (line + 1) / 2, length);
    // The scale asks for room for all its texts.
    EXPECT_GE(scale.minimumSizeHint().height(), 5 * line);

    // At 144 DPI each tick is one screen pixel thick.
    scale.SetTicks({0.0, 0.25, 0.5, 0.75, 1.0});
    scale.SetAlignment(Qt::AlignLeft);  // the ticks in the first column
    scale.resize(40, length);
    QImage image(QSize(60, 300), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDevicePixelRatio(1.5);
    scale.render(&image, {}, {}, QWidget::DrawChildren);
    const QRgb ink = scale.palette().color(QPalette::WindowText).rgb();
    int ticks = 0;
    for (int y = 0; y + 1 < image.height(); ++y) {
        ticks += image.pixel(1, y) == ink;
        EXPECT_FALSE(image.pixel(1, y) == ink && image.pixel(1, y + 1) == ink) << y;
    }
    EXPECT_EQ(5, ticks);
}
