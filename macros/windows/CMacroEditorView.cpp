#include "macros/windows/CMacroEditorView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>

#include "audio/CInternalMessageRec.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "ui/CEllipsisStatic.h"
#include "ui/CLineGroupSelectDlg.h"
#include "ui/CPictureSet.h"
#include "ui/CTextGuard.h"
#include "ui/DialogLayout.h"

namespace {
CMacroEditorView::DialogRunner& Runner()
{
    static CMacroEditorView::DialogRunner runner;
    return runner;
}

constexpr int kZonesText = 1524;
constexpr int kZonesButton = 1225;
constexpr int kPairOn = 1330;
constexpr int kPairOff = 1331;

// A framed one-line text keeps one line's height in a taller window.
void KeepOneLine(QLabel* text)
{
    text->setSizePolicy(text->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
}

// Whether a control of the grid takes the room a taller window gives (a list)
// (or a row that is already given the room).
bool GrowsTaller(const QGridLayout* grid)
{
    for (int i = 0; i < grid->count(); ++i)
        if (grid->itemAt(i)->expandingDirections() & Qt::Vertical)
            return true;
    for (int row = 0; row < grid->rowCount(); ++row)
        if (grid->rowStretch(row) > 0)
            return true;
    return false;
}
}  // namespace

CMacroEditorView::DialogRunner CMacroEditorView::SetDialogRunner(DialogRunner runner)
{
    DialogRunner old = std::move(Runner());
    Runner() = std::move(runner);
    return old;
}

int CMacroEditorView::RunDialog(QDialog& dialog)
{
    if (Runner())
        return Runner()(dialog);
    return dialog.exec();
}

QString CMacroEditorView::Tr(const char* german)
{
    return QCoreApplication::translate("CMacroEditorView", german);
}

CMacroEditorView::CMacroEditorView(QWidget* parent, const char* description) : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    if (!description || !*description)
        return;
    auto* function = new QGroupBox(Tr("Funktion"), this);
    auto* functionLayout = new QVBoxLayout(function);
    auto* text = new QLabel(Tr(description), function);
    text->setWordWrap(true);
    KeepWrappedTextWhole(text, 60);
    functionLayout->addWidget(text);
    outer->addWidget(function);
    auto* parameters = new QGroupBox(Tr("Parameter"), this);
    m_grid = new QGridLayout(parameters);
    m_grid->setColumnStretch(1, 1);
    outer->addWidget(parameters, 1);
    // The designed form: 300 x 170 dialog units.
    setMinimumSize(DialogUnitsToPixels(this, QSize(300, 170)));
}

void CMacroEditorView::InitialUpdate()
{
    m_bound = false;
    const CMacro* macro = Macro();
    m_number = macro ? macro->GetNumber() : 0;
    m_type = macro ? macro->GetKindId() : 0;
    m_bound = true;
    m_filling = true;
    OnInitialUpdate();
    m_filling = false;
    // The controls stay together at the top of the parameter box, as the
    // form was designed, unless one of them is to grow.
    if (m_grid && !GrowsTaller(m_grid))
        m_grid->setRowStretch(m_grid->rowCount(), 1);
    // Every control keeps the room its text asks for, at any font.
    setMinimumSize(minimumSize().expandedTo(sizeHint()));
}

CMacroDlgFrm* CMacroEditorView::Frame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* f = qobject_cast<CMacroDlgFrm*>(w))
            return f;
    return nullptr;
}

CMacro* CMacroEditorView::Macro() const
{
    CMacroDlgFrm* frame = Frame();
    CMacro* macro = frame ? frame->GetCurrentMacro() : nullptr;
    // The view was filled for one macro of one type; an upload's answers may
    // have deleted it, or changed its type, while the window took input.
    if (macro && m_bound && (macro->GetNumber() != m_number || macro->GetKindId() != m_type))
        return nullptr;
    return macro;
}

CMacro* CMacroEditorView::CounterpartOf(const CMacro* macro)
{
    if (!macro || !macro->GetDocument())
        return nullptr;
    const int32_t number = macro->GetParam(31);
    CIDManager& ids = macro->GetDocument()->GetIDManager();
    if (number <= 0 || !ids.IsValidID(number, OT_MACRO))
        return nullptr;
    auto* other = dynamic_cast<CMacro*>(ids.GetBaseDevice(number, OT_MACRO));
    return other != macro ? other : nullptr;
}

CMacro* CMacroEditorView::Counterpart() const
{
    return CounterpartOf(Macro());
}

void CMacroEditorView::ForBoth(const std::function<void(CMacro&)>& write) const
{
    CMacro* macro = Macro();
    if (!macro)
        return;
    CMacro* other = CounterpartOf(macro);
    // The value a macro already holds, chosen or typed again, is no change.
    const CBaseDevice::ChangeGuard ownGuard(macro);
    const CBaseDevice::ChangeGuard otherGuard(other);
    write(*macro);
    if (other)
        write(*other);
}

CQuillomerDoc* CMacroEditorView::Document() const
{
    if (CMacro* macro = Macro(); macro && macro->GetDocument())
        return macro->GetDocument();
    return GetActiveDoc();
}

void CMacroEditorView::Modified() const
{
    if (CMacro* macro = Macro())
        macro->SetDocModified();
}

std::optional<int> CMacroEditorView::ReadInt(const QString& text)
{
    const TypedWhole typed = ScanTypedWhole(text.toStdString());
    if (typed.kind != TypedWhole::Whole)
        return std::nullopt;
    // A number beyond the 32-bit range is held at its end, never wrapped
    // round: the caller's limit then applies to it.
    return static_cast<int>(
        std::clamp<long long>(typed.value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::optional<float> CMacroEditorView::ReadFloat(const QString& text)
{
    return ScanTypedFloat(text.toStdString());
}

std::string CMacroEditorView::ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

// ---------------------------------------------------------------- controls

QComboBox* CMacroEditorView::AddCombo(int id, const char* label)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::number(id));
    if (label)
        m_grid->addWidget(new QLabel(Tr(label), this), m_row, 0);
    m_grid->addWidget(combo, m_row++, 1);
    return combo;
}

QLineEdit* CMacroEditorView::AddEdit(int id, const char* label, const char* unit)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    if (label)
        m_grid->addWidget(new QLabel(Tr(label), this), m_row, 0);
    m_grid->addWidget(edit, m_row, 1);
    if (unit)
        m_grid->addWidget(new QLabel(Tr(unit), this), m_row, 2);
    ++m_row;
    return edit;
}

QCheckBox* CMacroEditorView::AddCheck(int id, const char* text)
{
    auto* box = new QCheckBox(Tr(text), this);
    box->setObjectName(QString::number(id));
    m_grid->addWidget(box, m_row++, 1, 1, 2);
    return box;
}

QPushButton* CMacroEditorView::AddToggle(int id, const char* text)
{
    auto* button = new QPushButton(Tr(text), this);
    button->setObjectName(QString::number(id));
    button->setCheckable(true);
    m_grid->addWidget(button, m_row++, 1, 1, 2, Qt::AlignLeft);
    return button;
}

QRadioButton* CMacroEditorView::AddRadio(int id, const char* text)
{
    auto* button = new QRadioButton(Tr(text), this);
    button->setObjectName(QString::number(id));
    m_grid->addWidget(button, m_row++, 1, 1, 2);
    return button;
}

QLabel* CMacroEditorView::AddStatic(int id, const char* label)
{
    auto* text = new QLabel(this);
    text->setObjectName(QString::number(id));
    text->setFrameShape(QFrame::StyledPanel);
    KeepOneLine(text);
    if (label)
        m_grid->addWidget(new QLabel(Tr(label), this), m_row, 0);
    m_grid->addWidget(text, m_row++, 1, 1, 2);
    return text;
}

QLabel* CMacroEditorView::AddText(const char* text)
{
    auto* label = new QLabel(Tr(text), this);
    m_grid->addWidget(label, m_row++, 0, 1, 3);
    return label;
}

CEllipsisStatic* CMacroEditorView::AddZones(const char* label)
{
    auto* text = new CEllipsisStatic(this, kZonesText);
    text->setObjectName(QString::number(kZonesText));
    text->setFrameShape(QFrame::StyledPanel);
    KeepOneLine(text);
    auto* button = new QPushButton(CPictureSet::Icon(447), QString(), this);
    button->setObjectName(QString::number(kZonesButton));
    m_grid->addWidget(new QLabel(Tr(label), this), m_row, 0);
    m_grid->addWidget(text, m_row, 1);
    m_grid->addWidget(button, m_row++, 2);
    connect(button, &QPushButton::clicked, this, [this] { EditZones(); });
    return text;
}

void CMacroEditorView::AddPair(const char* onLabel, const char* offLabel)
{
    AddStatic(kPairOn, onLabel);
    AddStatic(kPairOff, offLabel);
}

// ---------------------------------------------------------------- lists

void CMacroEditorView::FillObjects(QComboBox* combo, uint32_t type) const
{
    combo->addItem(QStringLiteral("OFF"), 0);
    CQuillomerDoc* doc = Document();
    if (!doc)
        return;
    DeviceList list;
    doc->GetIDManager().GetBaseDeviceList(list, type);
    for (CBaseDevice* obj : list)
        combo->addItem(QString::fromStdString(obj->GetName()), obj->GetNumber());
    combo->setCurrentIndex(0);
}

void CMacroEditorView::FillPriority(QComboBox* combo, bool withOff)
{
    if (withOff)
        combo->addItem(QStringLiteral("OFF"), 0);
    for (int i = 1; i <= 10; ++i)
        combo->addItem(QString::number(i), i * 10);
    combo->setCurrentIndex(0);
}

void CMacroEditorView::SelectData(QComboBox* combo, int value)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toInt() == value) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

void CMacroEditorView::SelectPriority(QComboBox* combo, int priority)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toInt() / 10 == priority / 10) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

int CMacroEditorView::SelectedData(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? 0 : combo->currentData().toInt();
}

void CMacroEditorView::OnSelect(QComboBox* combo, const std::function<void(int value)>& handler)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, handler](int) {
        if (CMacro* macro = Macro(); macro && !m_filling) {
            const CBaseDevice::ChangeGuard ownGuard(macro);
            const CBaseDevice::ChangeGuard otherGuard(CounterpartOf(macro));
            handler(SelectedData(combo));
        }
    });
}

void CMacroEditorView::OnCommit(QLineEdit* edit, const std::function<void()>& handler)
{
    // An edit left as it shows the macro's value (a time "%.1f", a value
    // "%f") commits nothing: reading that text back would change a value
    // nobody touched. What the user typed is taken once.
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, handler] {
        if (!edit->isModified())
            return;
        if (CMacro* macro = Macro(); macro && !m_filling) {
            const CBaseDevice::ChangeGuard ownGuard(macro);
            const CBaseDevice::ChangeGuard otherGuard(CounterpartOf(macro));
            handler();
        }
        edit->setModified(false);
    });
}

void CMacroEditorView::TextParamEdit(QLineEdit* edit, int param)
{
    CTextGuard::Guard(edit);
    connect(edit, &QLineEdit::textChanged, this, [this, param](const QString& text) {
        if (CMacro* macro = Macro(); macro && !m_filling && CTextGuard::Takes(text))
            macro->SetParamText(param, text.toStdString());
    });
}

void CMacroEditorView::TypedNumberEdit(QLineEdit* edit, int param, bool whole, bool both)
{
    struct Held {
        bool typing = false;
        QString text;  // the parameter's text before the typing began
        // Of a project that had nothing to save when the typing began: what
        // it stores of the macro and of its counterpart then. The keys write
        // as they come, so a text that ends as no value marks the project on
        // the way; once the value before is back, it has nothing to save again.
        bool clean = false;
        std::vector<uint8_t> own, other;
    };
    const auto held = std::make_shared<Held>();
    // Writes what the text reads as; false when it reads as nothing.
    const auto write = [this, param, whole, both](const QString& text) {
        CMacro* macro = Macro();
        const std::optional<int> n = whole ? ReadInt(text) : std::nullopt;
        const std::optional<float> f = whole ? std::nullopt : ReadFloat(text);
        if (!n && !f)
            return false;
        if (!macro)
            return true;
        const auto set = [&](CMacro& m) {
            if (n)
                m.SetParam(param, *n);
            else
                m.SetParamFloat(param, *f);
        };
        if (both)
            ForBoth(set);
        else
            set(*macro);
        return true;
    };
    connect(edit, &QLineEdit::textEdited, this, [this, held, write, param](const QString& text) {
        CMacro* macro = Macro();
        if (!macro || m_filling)
            return;
        if (!held->typing) {
            held->typing = true;
            held->text = QString::fromStdString(macro->GetParamText(param));
            const CQuillomerDoc* doc = macro->GetDocument();
            held->clean = doc && !doc->IsModified();
            if (held->clean) {
                try {
                    held->own = macro->StoredForm();
                    CMacro* other = CounterpartOf(macro);
                    held->other = other ? other->StoredForm() : std::vector<uint8_t>();
                } catch (...) {
                    held->clean = false;  // unknown: the marks stay as the keys left them
                }
            }
        }
        write(text);
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, held, write, param] {
        const bool typing = held->typing;
        held->typing = false;
        CMacro* macro = Macro();
        if (!macro || m_filling)
            return;
        if (typing && !write(edit->text()))
            write(held->text);
        if (typing && held->clean) {
            try {
                CMacro* other = CounterpartOf(macro);
                if (macro->StoredForm() == held->own &&
                    (other ? other->StoredForm() : std::vector<uint8_t>()) == held->other)
                    macro->GetDocument()->SetModifiedFlag(false);
            } catch (...) {
            }
        }
        edit->setText(QString::fromStdString(macro->GetParamText(param)));
    });
}

// ---------------------------------------------------------------- shared parts

void CMacroEditorView::ShowPair() const
{
    CMacro* macro = Macro();
    auto* on = findChild<QLabel*>(QString::number(kPairOn));
    auto* off = findChild<QLabel*>(QString::number(kPairOff));
    if (!macro || !on || !off)
        return;
    const QString own = QString::fromStdString(macro->GetName());
    const QString other = QString::fromStdString(macro->GetParamText(31));
    on->setText(macro->GetParam(3) != 0 ? own : other);
    off->setText(macro->GetParam(3) != 0 ? other : own);
}

void CMacroEditorView::ShowZones() const
{
    CMacro* macro = Macro();
    if (auto* text = findChild<CEllipsisStatic*>(QString::number(kZonesText)); text && macro)
        text->SetText(QString::fromStdString(macro->GetParamText(63)));
}

void CMacroEditorView::EditZones()
{
    CMacro* macro = Macro();
    if (!macro)
        return;
    DeviceList linked;
    macro->CollectPartnersOfType(linked, OT_ZONE);
    macro->CollectPartnersOfType(linked, OT_GROUP);
    QList<CBaseDevice*> objects(linked.begin(), linked.end());
    CLineGroupSelectDlg dlg(&objects);
    if (RunDialog(dlg) != QDialog::Accepted)
        return;
    // The dialog let the device's answers in: find the macro again.
    macro = Macro();
    if (!macro)
        return;
    const DeviceList chosen(objects.begin(), objects.end());
    macro->SetZones(chosen);
    ShowZones();
    if (CMacro* other = CounterpartOf(macro))
        other->SetZones(chosen);
}

void CMacroEditorView::RefreshWindow()
{
    if (CMacroDlgFrm* frame = Frame())
        frame->RefreshCurrentMacro();
}

void CMacroEditorView::ApplyAddSubMode(int mode)
{
    // A second click on the way of switching already chosen changes nothing:
    // the renames would take "ADD" or "SUB" out of a name once more.
    if (const CMacro* macro = Macro(); !macro || (macro->GetParam(18) != 0 ? 1 : 0) == mode)
        return;
    ForBoth([mode](CMacro& m) {
        m.SetParam(18, mode);
        const bool on = m.GetParam(3) != 0;
        std::string name = m.GetName();
        name = mode == 1 && on ? ReplaceAll(name, "ON", "ADD") : ReplaceAll(name, "ADD", "ON");
        name = mode == 1 && !on ? ReplaceAll(name, "OFF", "SUB") : ReplaceAll(name, "SUB", "OFF");
        m.SetNameUnique(name, true);
    });
    RefreshWindow();
}

void CMacroEditorView::FillInputs(QComboBox* combo)
{
    combo->addItem(QStringLiteral("OFF"));
    for (int i = 1; i <= CMacro::kInputs; ++i)
        combo->addItem(QStringLiteral("IN%1").arg(i));
}

void CMacroEditorView::FillRecorderSlots(QComboBox* combo) const
{
    combo->addItem(QStringLiteral("OFF"), 0);
    CQuillomerDoc* doc = Document();
    CIDManager* ids = doc ? &doc->GetIDManager() : nullptr;
    // A project without the built-in recorder offers only "OFF".
    if (ids && ids->IsValidID(1, OT_INTERNAL_MESSAGE_REC)) {
        if (auto* rec = dynamic_cast<CInternalMessageRec*>(ids->GetBaseDevice(1, OT_INTERNAL_MESSAGE_REC))) {
            std::vector<std::string> names;
            rec->GetMessageNames(1, &names);
            for (const std::string& n : names)
                combo->addItem(QString::fromStdString(n), combo->count());
        }
    }
    combo->setCurrentIndex(0);
}

void CMacroEditorView::FillConsoles(QComboBox* combo) const
{
    combo->addItem(QString::fromStdString(LoadStringId(IDS_MACRO_ALL_CONSOLES)), 0);
    CQuillomerDoc* doc = Document();
    if (doc) {
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceList(list, OT_CONSOLE);
        for (CBaseDevice* obj : list)
            combo->addItem(QString::fromStdString(obj->GetName()), obj->GetNumber());
    }
    combo->setCurrentIndex(0);
}
