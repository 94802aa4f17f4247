#include "hardware/windows/CAudioInputsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "comm/CCommLink.h"
#include "comm/LinkRefusal.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/NumberText.h"
#include "hardware/windows/CEqResponseCtrl.h"
#include "hardware/windows/SingleDialog.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CLevelSlider.h"
#include "ui/CRefusalWatch.h"
#include "ui/CGridEdit.h"
#include "ui/CScaleCtrl.h"
#include "ui/CSpinArrows.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

namespace {

CAudioInputsDlg* g_pAudioInputsDlg = nullptr;

// The slots reach the dialog through this opener.
struct OpenerRegistrar {
    OpenerRegistrar() { SetAudioInputsDlgOpener(&OpenAudioInputsDlg); }
} g_openerRegistrar;

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CAudioInputsDlg"), [](CQuillomerDoc* doc) -> QWidget* {
    return new CAudioInputsDlg(nullptr, doc, 0);
});

// Control ids of the dialog template.
enum : int {
    kAuxCaption = 1079,
    kAuxSource = 1080,
    kGraph = 1070,
    kBypassAll = 1065,
    kVolumeSlider = 1052,
    kVolumeEdit = 1059,
    kVolumeSpin = 1053,
    kAttenuationEdit = 1006,
    kAttenuationSpin = 1055,
    kRampEdit = 1007,
    kRampSpin = 1056,
};
constexpr int kInputIds[8] = {1003, 1004, 1024, 1025, 1026, 1027, 1028, 1029};
constexpr int kTypeIds[3] = {1039, 1045, 1042};
constexpr int kFIds[3] = {1014, 1015, 1030};
constexpr int kFSpinIds[3] = {1040, 1046, 1043};
constexpr int kQIds[3] = {1034, 1019, 1020};
constexpr int kQSpinIds[3] = {1050, 1049, 1048};
constexpr int kSlopeIds[3] = {1073, 1074, 1075};
constexpr int kVIds[3] = {1017, 1018, 1031};
constexpr int kVSpinIds[3] = {1041, 1047, 1044};
constexpr int kBypassIds[3] = {1062, 1063, 1064};

constexpr int kSliderMax = 87;

// The position of -6 dB on the volume slider.
int SixDbPos()
{
    return static_cast<int>(std::trunc(87.0 * std::log10(13.0) / std::log10(87.0) + 0.5));
}

QString Id(int id) { return QString::number(id); }

// The text of a filter type in the type lists.
const char* TypeText(int type)
{
    switch (type) {
    case IFT_LOSHELV: return "Lo Shelv";
    case IFT_LOCUT: return "Lo Cut";
    case IFT_PEQ: return "PEQ";
    case IFT_HICUT: return "Hi Cut";
    case IFT_HISHELV: return "Hi Shelv";
    default: return "";
    }
}

}  // namespace

// ---------------------------------------------------------------- hooks

CAudioInputsDlg* GetOpenAudioInputsDlg() { return g_pAudioInputsDlg; }

int OpenAudioInputsDlg(CQuillomerDoc* doc, int input)
{
    return single_dlg::Open(g_pAudioInputsDlg, doc, input);
}

void CloseAudioInputsDlg(CQuillomerDoc* doc)
{
    single_dlg::Close(g_pAudioInputsDlg, doc);
}

void RetargetAudioInputsDlg(CQuillomerDoc* doc)
{
    single_dlg::Retarget(g_pAudioInputsDlg, doc);
}

void DeleteAudioInputsDlg()
{
    single_dlg::Delete(g_pAudioInputsDlg);
}

// ---------------------------------------------------------------- volume mapping

int CAudioInputsDlg::VolumeToSlider(double volume)
{
    if (volume < -6.0)
        return static_cast<int>(std::trunc(87.0 * std::log10(7.0 - volume) / std::log10(87.0) + 0.5));
    return static_cast<int>(std::trunc(0.5 - SixDbPos() * (volume - 6.0) / 12.0));
}

double CAudioInputsDlg::SliderToVolume(int pos)
{
    const int p = SixDbPos();
    if (pos > p)
        return 7.0 - std::pow(10.0, std::log10(87.0) * pos / 87.0);
    return 6.0 - 12.0 * pos / p;
}

// ---------------------------------------------------------------- construction

namespace {
// The document is the one the device link serves.
bool OnDevice(const CQuillomerDoc* doc)
{
    const CCommLink* link = GetCommLink();
    return link && link->IsConnected() && link->GetBoundDocument() == doc;
}
}  // namespace

CAudioInputsDlg::CAudioInputsDlg(QWidget* parent, CQuillomerDoc* doc, int input)
    : QDialog(parent), m_doc(doc), m_selected(std::clamp(input, 0, 3))
{
    setModal(false);
    setObjectName(Id(kTemplateId));
    BuildControls();
    g_pAudioInputsDlg = this;
    SetAudioInputsDlg(this);
    SetAudioInputsDlgDocument(doc);
    LoadInput();
    m_refusals = new CRefusalWatch(this, {"/AUDIO/IN1/", "/AUDIO/IN2/", "/AUDIO/IN3/", "/AUDIO/IN4/"},
                                   [this](const LinkRefusal& refusal) { return OnRefused(refusal); });
}

CAudioInputsDlg::~CAudioInputsDlg()
{
    m_closing = true;
    // A question the dialog asked ends with it.
    if (CCommLink* link = GetCommLink())
        link->EndRequestOf(this);
    // Children going away may still lose the focus: nothing may reach this
    // half-destroyed dialog any more.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    single_dlg::Forget(g_pAudioInputsDlg, this, GetAudioInputsDlg(), &SetAudioInputsDlg);
}

QWidget* CAudioInputsDlg::MakeSpin(int id)
{
    auto* box = new CSpinArrows(this);
    box->setObjectName(Id(id));
    for (QToolButton* b : {box->Up(), box->Down()}) {
        const int delta = b == box->Up() ? 1 : -1;
        connect(b, &QToolButton::clicked, this, [this, id, delta] {
            // A held arrow repeats its click; a pause ends the holding.
            if (!m_spinLastClick.isValid() || m_spinLastClick.elapsed() > 500)
                m_spinPressed.start();
            m_spinLastClick.start();
            int step = 1;
            if (id == kRampSpin) {
                // The ramp spin speeds up while it is held.
                const qint64 ms = m_spinPressed.elapsed();
                step = ms > 4000 ? 100 : ms > 2000 ? 50 : ms > 1000 ? 10 : 1;
            }
            SpinStep(id, delta * step);
        });
    }
    m_spins[id].box = box;
    return box;
}

void CAudioInputsDlg::BuildControls()
{
    const auto label = [this](const QString& text) { return new QLabel(text, this); };
    // An edit with its spin arrows (and a unit), as one row of the layout.
    const auto editRow = [this, &label](CGridEdit* edit, int spinId, const QString& unit = QString()) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(edit, 1);
        row->addWidget(MakeSpin(spinId));
        if (!unit.isEmpty()) {
            row->addSpacing(fontMetrics().averageCharWidth());
            row->addWidget(label(unit));
        }
        return row;
    };

    // Left column: inputs, AUX source, volume.
    auto* left = new QVBoxLayout;
    auto* inputBox = new QGroupBox(tr("Input"), this);
    auto* inputs = new QVBoxLayout(inputBox);
    m_inputGroup = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        auto* b = new QRadioButton(QStringLiteral("%1:").arg(i + 1), inputBox);
        b->setObjectName(Id(kInputIds[i]));
        inputs->addWidget(b);
        m_inputGroup->addButton(b, i);
        m_inputButtons[i] = b;
    }
    connect(m_inputGroup, &QButtonGroup::idClicked, this, [this](int i) { OnInputClicked(i); });
    left->addWidget(inputBox);
    auto* aux = new QHBoxLayout;
    m_auxCaption = label(tr("Aux-Quelle"));
    m_auxCaption->setObjectName(Id(kAuxCaption));
    m_auxSource = label(QString());
    m_auxSource->setObjectName(Id(kAuxSource));
    aux->addWidget(m_auxCaption);
    aux->addWidget(m_auxSource, 1);
    left->addLayout(aux);

    auto* volumeBox = new QGroupBox(tr("Volume"), this);
    auto* volume = new QVBoxLayout(volumeBox);
    auto* sliderRow = new QHBoxLayout;
    sliderRow->setSpacing(0);
    m_volumeSlider = new CLevelSlider(volumeBox);  // 0 (+6 dB) at the top
    m_volumeSlider->setObjectName(Id(kVolumeSlider));
    m_volumeSlider->setRange(0, kSliderMax);
    connect(m_volumeSlider, &QSlider::valueChanged, this, [this](int pos) {
        if (!m_updating)
            OnVolumeSlider(pos);
    });
    // Tick marks at a quarter, half, three quarters and all of the way to
    // -6 dB, and at -10, -20 and -40 dB, left of the slider; the scale texts
    // right of it.
    const int p = SixDbPos();
    auto* ticks = new CScaleCtrl(Qt::Vertical, volumeBox);
    std::vector<double> tickAt;
    for (int tick : {p / 4, p / 2, 3 * p / 4, p, VolumeToSlider(-10.0), VolumeToSlider(-20.0), VolumeToSlider(-40.0)})
        tickAt.push_back(static_cast<double>(tick) / kSliderMax);
    ticks->SetTicks(tickAt);
    ticks->SetAlignment(Qt::AlignRight);
    ticks->SetInsetsFor(m_volumeSlider);
    auto* scale = new CScaleCtrl(Qt::Vertical, volumeBox);
    std::vector<CScaleCtrl::Mark> marks;
    for (int db : {6, 3, 0, -3, -6, -20, -40, -60, -80})
        marks.push_back({static_cast<double>(VolumeToSlider(db)) / kSliderMax,
                         db > 0 ? QStringLiteral("+%1").arg(db) : QString::number(db)});
    scale->SetMarks(marks);
    scale->SetInsetsFor(m_volumeSlider);
    sliderRow->addWidget(ticks);
    sliderRow->addWidget(m_volumeSlider);
    sliderRow->addSpacing(fontMetrics().averageCharWidth());
    sliderRow->addWidget(scale);
    sliderRow->addStretch(1);
    volume->addLayout(sliderRow, 1);
    m_volume = new CGridEdit(this);
    m_volume->setObjectName(Id(kVolumeEdit));
    volume->addLayout(editRow(m_volume, kVolumeSpin, QStringLiteral("dB")));
    connect(m_volume, &CGridEdit::FocusLost, this, [this] { OnVolumeEditDone(); });
    left->addWidget(volumeBox, 1);

    // Right column: the graph with its scales, the filters, attenuation and ramp.
    auto* right = new QVBoxLayout;
    auto* graph = new QGridLayout;
    graph->setSpacing(0);
    m_graph = new CEqResponseCtrl(this);
    m_graph->setObjectName(Id(kGraph));
    m_graph->SetResponse(&m_eq);
    m_graph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The graph keeps its designed share of the dialog: 210 x 90 dialog units.
    m_graph->setMinimumSize(DialogUnitsToPixels(this, {210, 90}));
    auto* levels = new CScaleCtrl(Qt::Vertical, this);
    std::vector<CScaleCtrl::Mark> levelMarks;
    for (int i = 0; i < 9; ++i)
        levelMarks.push_back({(i + 1) / 10.0, QString::number(12 - 3 * i)});
    levels->SetMarks(levelMarks);
    levels->SetAlignment(Qt::AlignRight);
    auto* freqs = new CScaleCtrl(Qt::Horizontal, this);
    std::vector<CScaleCtrl::Mark> freqMarks;
    const char* const freqTexts[] = {"20", "50", "100", "200", "500", "1k", "2k", "5k", "10k", "20k"};
    const double freqHz[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
    for (int i = 0; i < 10; ++i)
        freqMarks.push_back({EqResponse::GridX(freqHz[i], 3000) / 3000.0, QString::fromLatin1(freqTexts[i])});
    freqs->SetMarks(freqMarks);
    freqs->SetAlignment(Qt::AlignTop);
    graph->addWidget(levels, 0, 0);
    graph->addWidget(m_graph, 0, 1);
    graph->addWidget(freqs, 1, 1);
    graph->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("-12 ")));
    right->addLayout(graph, 1);

    auto* filters = new QGridLayout;
    filters->addWidget(label(tr("Type")), 0, 0);
    filters->addWidget(label(tr("Frequenz     Hz")), 1, 0);
    filters->addWidget(label(tr("Güte/Steilh. dB")), 2, 0);
    filters->addWidget(label(tr("Verstärkung dB")), 3, 0);
    for (int f = 0; f < 3; ++f) {
        FilterControls& fc = m_filters[f];
        const int column = f + 1;
        filters->setColumnStretch(column, 1);
        fc.type = new QComboBox(this);
        fc.type->setObjectName(Id(kTypeIds[f]));
        // Each filter lists the types the card offers it.
        for (const int32_t type : CAudioInputSlot::GetFilterTypesOffered(f))
            fc.type->addItem(QString::fromLatin1(TypeText(type)), type);
        connect(fc.type, &QComboBox::activated, this, [this, f] { OnTypeChanged(f); });
        filters->addWidget(fc.type, 0, column);

        fc.f = new CGridEdit(this);
        fc.f->setObjectName(Id(kFIds[f]));
        fc.fSpin = kFSpinIds[f];
        filters->addLayout(editRow(fc.f, fc.fSpin), 1, column);
        connect(fc.f, &CGridEdit::FocusLost, this, [this, f] { OnFilterEditDone(f, IPC_F); });

        // Q (PEQ) and the slope list (other types) share one place.
        fc.q = new CGridEdit(this);
        fc.q->setObjectName(Id(kQIds[f]));
        fc.qSpin = kQSpinIds[f];
        QHBoxLayout* qRow = editRow(fc.q, fc.qSpin);
        fc.slope = new QComboBox(this);
        fc.slope->setObjectName(Id(kSlopeIds[f]));
        fc.slope->addItem(QStringLiteral("6"), 6);
        fc.slope->addItem(QStringLiteral("12"), 12);
        qRow->addWidget(fc.slope, 1);
        filters->addLayout(qRow, 2, column);
        connect(fc.q, &CGridEdit::FocusLost, this, [this, f] { OnFilterEditDone(f, IPC_Q); });
        connect(fc.slope, &QComboBox::activated, this, [this, f] { OnSlopeChanged(f); });

        fc.v = new CGridEdit(this);
        fc.v->setObjectName(Id(kVIds[f]));
        fc.vSpin = kVSpinIds[f];
        filters->addLayout(editRow(fc.v, fc.vSpin), 3, column);
        connect(fc.v, &CGridEdit::FocusLost, this, [this, f] { OnFilterEditDone(f, IPC_V); });
        // The cut types hide the gain: its place stays empty.
        for (QWidget* w : {static_cast<QWidget*>(fc.v), m_spins[fc.vSpin].box}) {
            QSizePolicy policy = w->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            w->setSizePolicy(policy);
        }

        fc.bypass = new QCheckBox(tr("Bypass"), this);
        fc.bypass->setObjectName(Id(kBypassIds[f]));
        filters->addWidget(fc.bypass, 4, column);
        connect(fc.bypass, &QCheckBox::clicked, this, [this, f] { OnBypass(f); });
    }
    m_bypassAll = new QCheckBox(tr("Bypass All"), this);
    m_bypassAll->setObjectName(Id(kBypassAll));
    filters->addWidget(m_bypassAll, 4, 0);
    connect(m_bypassAll, &QCheckBox::clicked, this, [this] { OnBypassAll(); });
    right->addLayout(filters);

    // Attenuation and ramp.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label(tr("Absenkung")));
    m_attenuation = new CGridEdit(this);
    m_attenuation->setObjectName(Id(kAttenuationEdit));
    bottom->addLayout(editRow(m_attenuation, kAttenuationSpin, QStringLiteral("dB")), 1);
    connect(m_attenuation, &CGridEdit::FocusLost, this, [this] { OnAttenuationEditDone(); });
    bottom->addStretch(1);
    bottom->addWidget(label(tr("Rampe")));
    m_ramp = new CGridEdit(this);
    m_ramp->setObjectName(Id(kRampEdit));
    bottom->addLayout(editRow(m_ramp, kRampSpin, QStringLiteral("ms")), 1);
    connect(m_ramp, &CGridEdit::FocusLost, this, [this] { OnRampEditDone(); });
    bottom->addStretch(1);
    right->addLayout(bottom);

    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(right, 1);
    // The dialog is not resizable: 322 x 210 dialog units, or what its texts need.
    ApplyDesignedSize(this, DialogUnitsToPixels(this, {322, 210}), false);
}

// ---------------------------------------------------------------- spins

void CAudioInputsDlg::SetSpin(int id, int min, int max, int pos)
{
    Spin& s = m_spins[id];
    s.min = min;
    s.max = max;
    s.pos = std::clamp(pos, min, max);
}

void CAudioInputsDlg::SetSpinPos(int id, int pos)
{
    Spin& s = m_spins[id];
    s.pos = std::clamp(pos, s.min, s.max);
}

int CAudioInputsDlg::GetSpinPos(int spinId) const
{
    const auto it = m_spins.find(spinId);
    return it == m_spins.end() ? 0 : it->second.pos;
}

void CAudioInputsDlg::SpinStep(int spinId, int delta)
{
    const auto it = m_spins.find(spinId);
    if (it == m_spins.end() || m_closing)
        return;
    const Spin s = it->second;
    const int index = std::clamp(s.pos + delta, s.min, s.max);
    for (int f = 0; f < 3; ++f) {
        FilterControls& fc = m_filters[f];
        if (spinId == fc.fSpin || spinId == fc.qSpin || spinId == fc.vSpin) {
            unsigned code = IPC_F;
            if (spinId == fc.fSpin) {
                fc.f->SetValue(EqResponse::FrequencyAt(index));
            } else if (spinId == fc.qSpin) {
                fc.q->SetValue(EqResponse::QAt(index));
                code = IPC_Q;
            } else {
                fc.v->SetValue((index - 24) * 0.5);
                code = IPC_V;
            }
            SetSpinPos(spinId, index);
            ComputeFilter(f);
            Apply(code, f);
            return;
        }
    }
    switch (spinId) {
    case kVolumeSpin: {
        m_updating = true;
        m_volumeSlider->setValue(kSliderMax - index);
        m_updating = false;
        m_volume->SetValue(SliderToVolume(kSliderMax - index));
        SetSpinPos(spinId, index);
        Apply(IPC_VOL, 0);
        break;
    }
    case kAttenuationSpin:
        m_attenuation->SetValue(index);
        m_attenuation->setModified(true);  // the spin types the value
        OnAttenuationEditDone();
        break;
    case kRampSpin:
        m_ramp->SetValue(index);
        m_ramp->setModified(true);
        OnRampEditDone();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- loading

bool CAudioInputsDlg::IsDocumentAlive() const
{
    return m_doc != nullptr && GetAudioInputsDlgDocument() == m_doc;
}

void CAudioInputsDlg::FindSlots()
{
    m_slots = {};
    if (!IsDocumentAlive())
        return;
    for (CBaseDevice* obj : m_doc->GetList(CAT_INPUT_SLOT)) {
        auto* slot = dynamic_cast<CAudioInputSlot*>(obj);
        if (slot == nullptr)
            continue;
        if (slot->GetName() == "Slot1" && !m_slots[0])
            m_slots[0] = slot;
        else if (slot->GetName() == "Slot2" && !m_slots[1])
            m_slots[1] = slot;
    }
}

CAudioInputSlot* CAudioInputsDlg::SlotOfInput(int input) const
{
    if (!IsDocumentAlive())
        return nullptr;
    return input >= 0 && input < 4 ? m_slots[input / 2] : nullptr;
}

bool CAudioInputsDlg::UpdateSlotButtons(int slot)
{
    if (slot < 0 || slot > 1)
        return false;
    bool fitted = false;
    for (int ch = 0; ch < 2; ++ch) {
        QRadioButton* b = m_inputButtons[2 * slot + ch];
        const int32_t kind = m_slots[slot] ? m_slots[slot]->GetChannelKind(ch) : ICK_NONE;
        const char* suffix = " ---";
        switch (kind) {
        case ICK_CONSOLE: suffix = "Cons"; break;
        case ICK_MIC: suffix = "Mic"; break;
        case ICK_LINE: suffix = "Line"; break;
        case ICK_AUX: suffix = "Aux"; break;
        default: break;
        }
        b->setText(b->text().left(2) + QString::fromLatin1(suffix));
        b->setEnabled(kind != ICK_NONE);
        if (kind == ICK_NONE) {
            m_inputGroup->setExclusive(false);
            b->setChecked(false);
            m_inputGroup->setExclusive(true);
        } else {
            fitted = true;
        }
    }
    return fitted;
}

void CAudioInputsDlg::EnableValueControls(bool enable)
{
    m_valuesEnabled = enable;
    for (FilterControls& fc : m_filters) {
        for (QWidget* w : std::initializer_list<QWidget*>{fc.type, fc.f, fc.q, fc.slope, fc.v, fc.bypass})
            w->setEnabled(enable);
        for (int id : {fc.fSpin, fc.qSpin, fc.vSpin})
            m_spins[id].box->setEnabled(enable);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_bypassAll, m_volumeSlider, m_volume, m_attenuation, m_ramp})
        w->setEnabled(enable);
    for (int id : {kVolumeSpin, kAttenuationSpin, kRampSpin})
        m_spins[id].box->setEnabled(enable);
}

int CAudioInputsDlg::FilterType(int filter) const
{
    if (m_typeShown[filter])
        return m_filters[filter].type->currentData().toInt();
    const CAudioInputSlot* slot = SlotOfInput(m_selected);
    return slot ? numtext::ToInt(slot->GetValueText(MakeInputKey(IPC_TYPE, filter), m_selected % 2)) : IFT_PEQ;
}

void CAudioInputsDlg::ShowFilterControls(int filter)
{
    FilterControls& fc = m_filters[filter];
    const int type = FilterType(filter);
    const bool peq = type == IFT_PEQ;
    fc.q->setVisible(peq);
    m_spins[fc.qSpin].box->setVisible(peq);
    fc.slope->setVisible(!peq);
    const bool cut = type == IFT_LOCUT || type == IFT_HICUT;
    fc.v->setVisible(!cut);
    m_spins[fc.vSpin].box->setVisible(!cut);
    // The high shelving filter has a 6 dB slope only.
    if (filter > 0)
        fc.slope->setEnabled(type != IFT_HISHELV && m_valuesEnabled);
}

void CAudioInputsDlg::LoadInput()
{
    m_updating = true;
    std::string title = IsDocumentAlive() ? m_doc->GetTitle() : std::string();
    title = title.substr(0, title.find(' '));
    setWindowTitle(QString::fromStdString(LoadStringId(34139) + " [" + title + "]"));

    FindSlots();
    for (int i = 4; i < 8; ++i)
        m_inputButtons[i]->hide();
    m_fitted[0] = UpdateSlotButtons(0);
    m_fitted[1] = UpdateSlotButtons(1);
    if (!m_fitted[0] && !m_fitted[1]) {
        EnableValueControls(false);
    } else {
        EnableValueControls(true);
        if (!m_fitted[0] && m_selected < 2)
            m_selected = 2;
        if (!m_fitted[1] && m_selected >= 2)
            m_selected = 0;
    }
    m_inputButtons[m_selected]->setChecked(true);

    CAudioInputSlot* slot = SlotOfInput(m_selected);
    const int ch = m_selected % 2;
    if (slot) {
        const auto value = [slot, ch](unsigned code, int filter) {
            return numtext::ToDouble(slot->GetValueText(MakeInputKey(code, filter), ch));
        };
        for (int f = 0; f < 3; ++f) {
            FilterControls& fc = m_filters[f];
            const int type = static_cast<int>(value(IPC_TYPE, f));
            // A type the list does not offer shows no entry: never the one
            // the input shown before had chosen.
            const int at = fc.type->findData(type);
            m_typeShown[f] = at >= 0;
            fc.type->setCurrentIndex(at);
            fc.slope->setCurrentIndex(fc.slope->findData(static_cast<int>(value(IPC_S, f))));
            ShowFilterControls(f);
            const double freq = value(IPC_F, f);
            fc.f->Setup(true, QStringLiteral("%.1f"), 20.0, 20000.0, freq);
            SetSpin(fc.fSpin, 0, 186, EqResponse::FrequencyIndex(freq));
            const double q = value(IPC_Q, f);
            fc.q->Setup(true, QStringLiteral("%.4f"), 0.4, 20.0, q);
            SetSpin(fc.qSpin, 0, 109, EqResponse::QIndex(q));
            const double v = value(IPC_V, f);
            fc.v->Setup(true, QStringLiteral("%.1f"), -12.0, 12.0, v);
            SetSpin(fc.vSpin, 0, 48, static_cast<int>(std::trunc(2.0 * v + 24.0)));
            fc.bypass->setChecked(value(IPC_BYPASS, f) != 0.0);
        }
        const double volume = value(IPC_VOL, 0);
        m_volume->Setup(true, QStringLiteral("%.1f"), -80.0, 6.0, volume, true, -80.0, QStringLiteral("OFF"));
        m_volumeSlider->setValue(VolumeToSlider(volume));
        SetSpin(kVolumeSpin, 0, kSliderMax, kSliderMax - m_volumeSlider->value());
        const double attenuation = value(IPC_ATTENUATION, 0);
        m_attenuation->Setup(false, QStringLiteral("%3d"), -40.0, 0.0, attenuation, true, -40.0,
                             QStringLiteral("OFF"));
        SetSpin(kAttenuationSpin, -40, 0, static_cast<int>(std::trunc(attenuation)));
        const double ramp = value(IPC_RAMP, 0);
        m_ramp->Setup(false, QStringLiteral("%4d"), 0.0, 1000.0, ramp);
        SetSpin(kRampSpin, 0, 1000, static_cast<int>(ramp));
        m_bypassAll->setChecked(m_filters[0].bypass->isChecked() && m_filters[1].bypass->isChecked() &&
                                m_filters[2].bypass->isChecked());
    }
    ShowAuxSource(m_selected);

    for (int f = 0; f < 3; ++f) {
        m_eq.ClearResponse(f);
        if (slot && !m_filters[f].bypass->isChecked())
            ComputeFilter(f);
    }
    RepaintGraph();
    m_updating = false;
}

void CAudioInputsDlg::ShowAuxSource(int input)
{
    CAudioInputSlot* slot = SlotOfInput(input);
    const int ch = input % 2;
    const bool aux = slot && slot->GetChannelKind(ch) == ICK_AUX;
    m_auxCaption->setEnabled(aux);
    m_auxSource->setEnabled(aux);
    m_auxSource->setText(aux ? QStringLiteral("In ") + QString::fromStdString(slot->GetValueText(IPC_AUX, ch))
                             : QString());
}

// ---------------------------------------------------------------- document and input

void CAudioInputsDlg::SetDocument(CQuillomerDoc* doc)
{
    if (doc == m_doc && IsDocumentAlive())
        return;
    StoreInput();
    m_doc = doc;
    SetAudioInputsDlgDocument(doc);
    LoadInput();
}

void CAudioInputsDlg::SelectInput(int input, bool storeFirst)
{
    if (storeFirst)
        StoreInput();
    m_selected = std::clamp(input, 0, 3);
    LoadInput();
}

void CAudioInputsDlg::OnInputClicked(int input)
{
    if (input != m_selected)
        SelectInput(input, true);
}

void CAudioInputsDlg::StoreInput()
{
    // The input shown is the one the controls belong to.
    CAudioInputSlot* slot = SlotOfInput(m_selected);
    const int ch = m_selected % 2;
    if (slot == nullptr)
        return;
    for (FilterControls& fc : m_filters)
        for (CGridEdit* e : {fc.f, fc.q, fc.v})
            e->ReadValue();
    for (CGridEdit* e : {m_volume, m_attenuation, m_ramp})
        e->ReadValue();
    const auto set = [slot, ch](unsigned code, int filter, const std::string& text) {
        slot->SetValueText(MakeInputKey(code, filter), ch, text);
    };
    for (int f = 0; f < 3; ++f)
        if (m_typeShown[f])  // a type the list cannot show is kept as it is
            set(IPC_TYPE, f, std::to_string(m_filters[f].type->currentData().toInt()));
    for (int f = 0; f < 3; ++f)
        set(IPC_S, f, std::to_string(m_filters[f].slope->currentData().toInt()));
    for (int f = 0; f < 3; ++f)
        set(IPC_F, f, numtext::Fixed(m_filters[f].f->GetValue(), 1));
    for (int f = 0; f < 3; ++f)
        set(IPC_Q, f, numtext::Fixed(m_filters[f].q->GetValue(), 4));
    for (int f = 0; f < 3; ++f)
        set(IPC_V, f, numtext::Fixed(m_filters[f].v->GetValue(), 1));
    set(IPC_VOL, 0, numtext::Fixed(m_volume->GetValue(), 1));
    set(IPC_ATTENUATION, 0, numtext::Fixed(m_attenuation->GetValue(), 1));
    set(IPC_RAMP, 0, numtext::Fixed(m_ramp->GetValue(), 1));
    // "Bypass All" also sets the three filters, which the single checks set
    // again right after: where the flag stays as it is, that round trip would
    // only mark an unchanged project modified.
    const std::string all = m_bypassAll->isChecked() ? "1" : "0";
    if (slot->GetValueText(MakeInputKey(IPC_BYPASS_ALL, 0), ch) != all)
        set(IPC_BYPASS_ALL, 0, all);
    for (int f = 0; f < 3; ++f)
        set(IPC_BYPASS, f, m_filters[f].bypass->isChecked() ? "1" : "0");
}

// ---------------------------------------------------------------- changes

void CAudioInputsDlg::ComputeFilter(int filter)
{
    FilterControls& fc = m_filters[filter];
    if (fc.bypass->isChecked()) {
        fc.bypass->setChecked(false);
        m_bypassAll->setChecked(false);
        // The device must not keep bypassing a filter the dialog shows active.
        if (!m_updating)
            Apply(IPC_BYPASS, filter);
    }
    const int type = FilterType(filter);
    const double fourth = type == IFT_PEQ ? fc.q->GetValue() : (fc.slope->currentData().toInt() == 12 ? 12.0 : 6.0);
    m_eq.ComputeResponse(filter, type, fc.f->GetValue(), fourth, fc.v->GetValue());
    RepaintGraph();
}

void CAudioInputsDlg::RepaintGraph() { m_graph->update(); }

bool CAudioInputsDlg::HoldsChoice(unsigned code, int filter, const QComboBox* list) const
{
    const CAudioInputSlot* slot = SlotOfInput(m_selected);
    return slot && slot->GetValueText(MakeInputKey(code, filter), m_selected % 2) ==
                       std::to_string(list->currentData().toInt());
}

void CAudioInputsDlg::OnTypeChanged(int filter)
{
    FilterControls& fc = m_filters[filter];
    // The type shown, chosen again, changes nothing: it neither wakes a
    // bypassed filter nor goes to the device.
    if (m_typeShown[filter] && HoldsChoice(IPC_TYPE, filter, fc.type))
        return;
    m_typeShown[filter] = true;
    ShowFilterControls(filter);
    const bool fixSlope = fc.type->currentData().toInt() == IFT_HISHELV && fc.slope->currentData().toInt() == 12;
    if (fixSlope)
        fc.slope->setCurrentIndex(fc.slope->findData(6));
    ComputeFilter(filter);
    Apply(IPC_TYPE, filter);
    if (fixSlope)
        Apply(IPC_S, filter);
}

void CAudioInputsDlg::OnSlopeChanged(int filter)
{
    if (HoldsChoice(IPC_S, filter, m_filters[filter].slope))
        return;
    ComputeFilter(filter);
    Apply(IPC_S, filter);
}

void CAudioInputsDlg::OnFilterEditDone(int filter, unsigned code)
{
    if (m_closing || m_updating)
        return;
    FilterControls& fc = m_filters[filter];
    CGridEdit* edit = code == IPC_F ? fc.f : code == IPC_Q ? fc.q : fc.v;
    if (!TakeTyped(edit))
        return;
    ComputeFilter(filter);
    int index = 0, spin = 0;
    if (code == IPC_F) {
        index = EqResponse::FrequencyIndex(edit->GetValue());
        spin = fc.fSpin;
    } else if (code == IPC_Q) {
        index = EqResponse::QIndex(edit->GetValue());
        spin = fc.qSpin;
    } else {
        index = static_cast<int>(std::trunc(2.0 * edit->GetValue() + 24.0));
        spin = fc.vSpin;
    }
    if (GetSpinPos(spin) != index)
        SetSpinPos(spin, index);
    Apply(code, filter);
}

bool CAudioInputsDlg::TakeTyped(CGridEdit* edit)
{
    // Only what the user typed is taken: the focus passing through a field
    // changes, marks and sends nothing (nor wakes a bypassed filter).
    if (!edit->isModified()) {
        edit->ShowValue();
        return false;
    }
    const CGridEdit::Reading reading = edit->ReadValue();
    if (CGridEdit::TellsRange(reading))
        ShowMessageId(34024, mb::IconExclamation);
    // The edit shows what is taken and sent; a text it refused leaves the
    // value, and the device, as they were.
    edit->ShowValue();
    return CGridEdit::Takes(reading);
}

void CAudioInputsDlg::OnBypass(int filter)
{
    FilterControls& fc = m_filters[filter];
    if (fc.bypass->isChecked()) {
        m_eq.ClearResponse(filter);
        RepaintGraph();
    } else {
        m_bypassAll->setChecked(false);
        ComputeFilter(filter);
    }
    Apply(IPC_BYPASS, filter);
    m_bypassAll->setChecked(m_filters[0].bypass->isChecked() && m_filters[1].bypass->isChecked() &&
                            m_filters[2].bypass->isChecked());
}

void CAudioInputsDlg::OnBypassAll()
{
    const bool on = m_bypassAll->isChecked();
    for (int f = 0; f < 3; ++f) {
        m_filters[f].bypass->setChecked(on);
        OnBypass(f);
    }
}

void CAudioInputsDlg::OnVolumeSlider(int pos)
{
    m_volume->SetValue(SliderToVolume(pos));
    SetSpinPos(kVolumeSpin, kSliderMax - pos);
    Apply(IPC_VOL, 0);
}

void CAudioInputsDlg::OnVolumeEditDone()
{
    if (m_closing || m_updating)
        return;
    if (!TakeTyped(m_volume))
        return;
    m_updating = true;
    m_volumeSlider->setValue(VolumeToSlider(m_volume->GetValue()));
    m_updating = false;
    SetSpinPos(kVolumeSpin, kSliderMax - m_volumeSlider->value());
    Apply(IPC_VOL, 0);
}

void CAudioInputsDlg::OnAttenuationEditDone()
{
    if (m_closing || m_updating)
        return;
    if (!TakeTyped(m_attenuation))
        return;
    SetSpinPos(kAttenuationSpin, static_cast<int>(std::trunc(m_attenuation->GetValue())));
    Apply(IPC_ATTENUATION, 0);
}

void CAudioInputsDlg::OnRampEditDone()
{
    if (m_closing || m_updating)
        return;
    if (!TakeTyped(m_ramp))
        return;
    SetSpinPos(kRampSpin, static_cast<int>(m_ramp->GetValue()));
    Apply(IPC_RAMP, 0);
}

void CAudioInputsDlg::Apply(unsigned code, int filter)
{
    CAudioInputSlot* slot = SlotOfInput(m_selected);
    if (slot == nullptr || m_closing)
        return;
    const int ch = m_selected % 2;
    const FilterControls& fc = m_filters[std::clamp(filter, 0, 2)];
    std::string text;
    switch (code) {
    case IPC_VOL: text = numtext::Fixed(m_volume->GetValue(), 1); break;
    case IPC_ATTENUATION: text = numtext::Fixed(m_attenuation->GetValue(), 1); break;
    case IPC_RAMP: text = numtext::Fixed(m_ramp->GetValue(), 1); break;
    case IPC_TYPE: text = std::to_string(fc.type->currentData().toInt()); break;
    case IPC_S: text = std::to_string(fc.slope->currentData().toInt()); break;
    case IPC_F: text = numtext::Fixed(fc.f->GetValue(), 1); break;
    case IPC_Q: text = numtext::Fixed(fc.q->GetValue(), 4); break;
    case IPC_V: text = numtext::Fixed(fc.v->GetValue(), 1); break;
    case IPC_BYPASS: text = fc.bypass->isChecked() ? "1" : "0"; break;
    default: return;
    }
    // The slot marks the project when the value differs from its own: the
    // shown value entered again changes nothing.
    const std::string before = slot->GetValueText(MakeInputKey(code, filter), ch);
    slot->SetValueText(MakeInputKey(code, filter), ch, text);
    if (code == IPC_ATTENUATION || code == IPC_RAMP)
        return;
    m_refusals->Sending();
    const std::string line = slot->TransmitParameter(code, static_cast<uint32_t>(ch * 256 + filter), true, false);
    // Until the device says otherwise it holds what the project held.
    if (OnDevice(m_doc) && !line.empty())
        m_held.emplace(line.substr(0, line.find(' ')), before);
}

bool CAudioInputsDlg::KeyOfPath(const std::string& path, CAudioInputSlot** slot, uint32_t* key, int* channel) const
{
    // "/AUDIO/IN3/FILTER1/F": input 3 is channel A of the second card.
    const std::string lead = "/AUDIO/IN";
    if (path.size() < lead.size() + 2 || path.compare(0, lead.size(), lead) != 0 || path[lead.size() + 1] != '/')
        return false;
    const int input = path[lead.size()] - '0';
    if (input < 1 || input > 4)
        return false;
    const auto& table = CAudioInputSlot::GetPathToKeyTable();
    const auto found = table.find(StrFormat("IN%d", (input - 1) % 2 + 1) + path.substr(lead.size() + 1));
    *slot = SlotOfInput(input - 1);
    if (found == table.end() || *slot == nullptr)
        return false;
    const uint32_t code = found->second >> 16;
    const bool whole = code == IPC_VOL || code == IPC_AUX;
    *channel = (input - 1) % 2;
    *key = MakeInputKey(code, whole ? 0 : found->second & 0xFF);
    return true;
}

bool CAudioInputsDlg::OnRefused(const LinkRefusal& refusal)
{
    CAudioInputSlot* slot = nullptr;
    uint32_t key = 0;
    int channel = 0;
    if (m_closing || !KeyOfPath(refusal.path, &slot, &key, &channel))
        return false;
    const auto held = m_held.find(refusal.path);
    if (held != m_held.end()) {
        StoreInput();
        slot->SetValueText(key, channel, held->second);
        SelectInput(m_selected, false);
    }
    if (OnDevice(m_doc))
        GetCommLink()->SendBlock({refusal.path + " ?"}, true, 0, this, 0);
    return true;
}

void CAudioInputsDlg::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    for (const std::string& line : answers) {
        const size_t blank = line.find(' ');
        CAudioInputSlot* slot = nullptr;
        uint32_t key = 0;
        int channel = 0;
        if (m_closing || blank == std::string::npos || IsRefusedValue(line.substr(blank + 1)) ||
            !KeyOfPath(line.substr(0, blank), &slot, &key, &channel))
            continue;
        StoreInput();
        slot->ParseUploadLines(line.substr(1), std::string(), linkstate::Online);
        m_held[line.substr(0, blank)] = slot->GetValueText(key, channel);
        SelectInput(m_selected, false);
    }
    answers.clear();
    // One question at a time: the link is free again.
    if (CCommLink* link = GetCommLink())
        link->EndRequestOf(this);
}

// ---------------------------------------------------------------- closing

void CAudioInputsDlg::OnCancel()
{
    if (m_closing)
        return;
    StoreInput();
    m_closing = true;
    single_dlg::Forget(g_pAudioInputsDlg, this, GetAudioInputsDlg(), &SetAudioInputsDlg);
    hide();
    deleteLater();
}

void CAudioInputsDlg::ApplyTypedEdit()
{
    if (m_closing || m_updating)
        return;
    // Closing takes the focus away only once nothing reaches the dialog any
    // more; the edit's own leaving comes first.
    auto* edit = qobject_cast<CGridEdit*>(focusWidget());
    if (edit && edit->isModified() && isAncestorOf(edit))
        emit edit->FocusLost();
}

void CAudioInputsDlg::reject()
{
    ApplyTypedEdit();
    OnCancel();
}

void CAudioInputsDlg::closeEvent(QCloseEvent* event)
{
    event->accept();
    ApplyTypedEdit();
    OnCancel();
}

void CAudioInputsDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter does nothing here; Esc closes like the close box.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
