#include "hardware/windows/CAudioOutputsDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "hardware/CAudioOutputSlot.h"
#include "hardware/NumberText.h"
#include "hardware/windows/SingleDialog.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "ui/CLevelSlider.h"
#include "ui/CGridEdit.h"
#include "ui/CScaleCtrl.h"
#include "ui/CSpinArrows.h"
#include "ui/DialogLayout.h"
#include "ui/CWindowRegistry.h"

namespace {

CAudioOutputsDlg* g_pAudioOutputsDlg = nullptr;
// Set while the controls are filled from the cards: no line goes out then.
bool g_filling = false;

// The cards reach the dialog through this opener.
struct OpenerRegistrar {
    OpenerRegistrar() { SetAudioOutputsDlgOpener(&OpenAudioOutputsDlg); }
} g_openerRegistrar;

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(
    QStringLiteral("CAudioOutputsDlg"), [](CQuillomerDoc* doc) -> QWidget* { return new CAudioOutputsDlg(nullptr, doc); });

// Control ids of the dialog template, outputs 1..4.
constexpr int kUnitCombo = 1039;
constexpr int kSliderIds[4] = {1056, 1058, 1095, 1054};
constexpr int kVolumeIds[4] = {1061, 1062, 1094, 1060};
constexpr int kVolumeSpinIds[4] = {1057, 1063, 1096, 1055};
constexpr int kDelayIds[4] = {1080, 1082, 1076, 1078};
constexpr int kDelaySpinIds[4] = {1081, 1083, 1077, 1079};

// Delay units: the shown value is seconds × (20.0 × coefficient + base), the
// distance sound travels at 20 °C for metres and feet.
struct DelayUnit {
    const char* text;
    double base;
    double coefficient;
    int spinRange;
};
constexpr DelayUnit kUnits[3] = {
    {"ms", 1000.0, 0.0, 50},
    {"meter", 331.45, 0.6, 100},
    {"feet", 1087.4, 1.97, 200},
};

QString Id(int id) { return QString::number(id); }

// "%2.1f" and friends without the leading blanks, as the cards read them.
std::string Text(double value, int precision)
{
    std::string s = numtext::Fixed(value, precision);
    const size_t p = s.find_first_not_of(' ');
    return p == std::string::npos ? std::string() : s.substr(p);
}

}  // namespace

// ---------------------------------------------------------------- hooks

CAudioOutputsDlg* GetOpenAudioOutputsDlg() { return g_pAudioOutputsDlg; }

int OpenAudioOutputsDlg(CQuillomerDoc* doc)
{
    return single_dlg::Open(g_pAudioOutputsDlg, doc);
}

void CloseAudioOutputsDlg(CQuillomerDoc* doc)
{
    single_dlg::Close(g_pAudioOutputsDlg, doc);
}

void RetargetAudioOutputsDlg(CQuillomerDoc* doc)
{
    single_dlg::Retarget(g_pAudioOutputsDlg, doc);
}

void DeleteAudioOutputsDlg()
{
    single_dlg::Delete(g_pAudioOutputsDlg);
}

// ---------------------------------------------------------------- volume scale

int CAudioOutputsDlg::Knee()
{
    return static_cast<int>(std::trunc(std::log10(6.0 - (-6.0) + 1.0) / std::log10(87.0) * 87.0 + 0.5));
}

double CAudioOutputsDlg::SliderToVolume(int position)
{
    const int k = Knee();
    if (position <= k)
        return 6.0 - position * 12.0 / k;
    return 7.0 - std::pow(87.0, position / 87.0);
}

int CAudioOutputsDlg::VolumeToSlider(double volume)
{
    if (volume < -6.0)
        return static_cast<int>(std::trunc(std::log10(7.0 - volume) * 87.0 / std::log10(87.0) + 0.5));
    return static_cast<int>(std::trunc(0.5 + Knee() * (6.0 - volume) / 12.0));
}

bool CAudioOutputsDlg::IsFilling() { return g_filling; }

// ---------------------------------------------------------------- construction

CAudioOutputsDlg::CAudioOutputsDlg(QWidget* parent, CQuillomerDoc* doc) : QDialog(parent), m_doc(doc)
{
    setModal(false);
    setObjectName(Id(kTemplateId));
    m_knee = Knee();
    const int k = m_knee;
    m_ticks = {k / 4, k / 2, 3 * k / 4, k, VolumeToSlider(-20.0), VolumeToSlider(-40.0), VolumeToSlider(-60.0)};
    BuildControls();
    g_pAudioOutputsDlg = this;
    SetAudioOutputsDlg(this);
    SetAudioOutputsDlgDocument(doc);
    LoadAll();
}

CAudioOutputsDlg::~CAudioOutputsDlg()
{
    m_closing = true;
    // Children going away may still lose the focus: nothing may reach this
    // half-destroyed dialog any more.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    single_dlg::Forget(g_pAudioOutputsDlg, this, GetAudioOutputsDlg(), &SetAudioOutputsDlg);
}

QWidget* CAudioOutputsDlg::MakeSpin(int id, bool delay)
{
    auto* box = new CSpinArrows(this);
    box->setObjectName(Id(id));
    for (QToolButton* b : {box->Up(), box->Down()}) {
        const int sign = b == box->Up() ? 1 : -1;
        connect(b, &QToolButton::clicked, this, [this, id, sign, delay] {
            int index = 0;
            for (int i = 0; i < 4; ++i)
                if (id == m_outputs[i].volumeSpin || id == m_outputs[i].delaySpin)
                    index = i;
            if (!delay) {
                OnVolumeSpin(index, sign);
                return;
            }
            // A held delay arrow speeds up: steps of 3 after 2 s, of 5 after 6 s.
            if (!m_spinLastClick.isValid() || m_spinLastClick.elapsed() > 500)
                m_spinPressed.start();
            m_spinLastClick.start();
            const qint64 ms = m_spinPressed.elapsed();
            const int step = ms >= 6000 ? 5 : ms >= 2000 ? 3 : 1;
            OnDelaySpin(index, sign * step);
        });
    }
    m_spins[id].box = box;
    return box;
}

void CAudioOutputsDlg::BuildControls()
{
    // An edit with its spin arrows (and a unit), as one layout row.
    const auto editRow = [this](CGridEdit* edit, int spinId, bool delay, const QString& unit = QString()) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(edit, 1);
        row->addWidget(MakeSpin(spinId, delay));
        if (!unit.isEmpty()) {
            row->addSpacing(fontMetrics().averageCharWidth());
            row->addWidget(new QLabel(unit, this));
        }
        return row;
    };

    auto* root = new QVBoxLayout(this);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(new QLabel(tr("Delay-Einheit"), this));
    m_unit = new QComboBox(this);
    m_unit->setObjectName(Id(kUnitCombo));
    for (const DelayUnit& u : kUnits)
        m_unit->addItem(QString::fromLatin1(u.text));
    connect(m_unit, &QComboBox::activated, this, [this] { OnUnitChange(); });
    unitRow->addWidget(m_unit);
    unitRow->addStretch(1);
    root->addLayout(unitRow);

    auto* volumeBox = new QGroupBox(tr("Volume"), this);
    auto* volumes = new QGridLayout(volumeBox);
    auto* delayBox = new QGroupBox(tr("Delay"), this);
    auto* delays = new QGridLayout(delayBox);
    root->addWidget(volumeBox, 1);
    root->addWidget(delayBox);

    // Column 0: the scale texts beside the first slider; then one column per output.
    const char* const scale[] = {"+6", "+3", "0", "-3", "-6", "-20", "-40", "-60", "-80"};
    const int scalePos[] = {0, m_ticks[0], m_ticks[1], m_ticks[2], m_ticks[3], m_ticks[4], m_ticks[5], m_ticks[6],
                            kSliderMax};
    std::vector<double> tickAt;
    for (int tick : m_ticks)
        tickAt.push_back(static_cast<double>(tick) / kSliderMax);
    for (int i = 0; i < 4; ++i) {
        OutputControls& oc = m_outputs[i];
        const int column = i + 1;
        volumes->setColumnStretch(column, 1);
        delays->setColumnStretch(column, 1);
        auto* caption = new QLabel(QStringLiteral("OUT%1").arg(i + 1), volumeBox);
        caption->setAlignment(Qt::AlignCenter);
        volumes->addWidget(caption, 0, column);

        oc.slider = new CLevelSlider(volumeBox);  // 0 (+6 dB) at the top
        oc.slider->setObjectName(Id(kSliderIds[i]));
        oc.slider->setRange(0, kSliderMax);
        connect(oc.slider, &QSlider::valueChanged, this, [this, i](int pos) {
            if (!g_filling && !m_closing)
                OnVolumeSlider(i, pos);
        });
        // Ticks left of each slider; the first one also carries the scale texts.
        CScaleCtrl* ticks = nullptr;
        QHBoxLayout* sliderRow = CScaleCtrl::TickedSliderRow(oc.slider, tickAt, volumeBox, &ticks);
        if (i == 0) {
            std::vector<CScaleCtrl::Mark> marks;
            for (int s = 0; s < 9; ++s)
                marks.push_back({static_cast<double>(scalePos[s]) / kSliderMax, QString::fromLatin1(scale[s])});
            ticks->SetMarks(marks);
        }
        volumes->addLayout(sliderRow, 1, column);

        oc.volume = new CGridEdit(this);
        oc.volume->setObjectName(Id(kVolumeIds[i]));
        oc.volumeSpin = kVolumeSpinIds[i];
        volumes->addLayout(editRow(oc.volume, oc.volumeSpin, false, QStringLiteral("dB")), 2, column);
        connect(oc.volume, &CGridEdit::FocusLost, this, [this, i] {
            if (!g_filling && !m_closing)
                OnVolumeEdited(i);
        });

        oc.delay = new CGridEdit(this);
        oc.delay->setObjectName(Id(kDelayIds[i]));
        oc.delaySpin = kDelaySpinIds[i];
        delays->addLayout(editRow(oc.delay, oc.delaySpin, true), 0, column);
        connect(oc.delay, &CGridEdit::FocusLost, this, [this, i] {
            if (!g_filling && !m_closing)
                OnDelayEdited(i);
        });
    }
    volumes->setRowStretch(1, 1);
    // The sliders keep their designed share of the dialog's height.
    volumes->setRowMinimumHeight(1, DialogUnitsToPixels(this, {0, 100}).height());
    // The dialog is not resizable: its designed size, or what its texts need.
    ApplyDesignedSize(this, DialogUnitsToPixels(this, {258, 210}), false);
}

// ---------------------------------------------------------------- spins

int CAudioOutputsDlg::GetSpinPos(int spinId) const
{
    const auto it = m_spins.find(spinId);
    return it == m_spins.end() ? 0 : it->second.pos;
}

// ---------------------------------------------------------------- document and cards

bool CAudioOutputsDlg::IsDocumentAlive() const
{
    return m_doc != nullptr && GetAudioOutputsDlgDocument() == m_doc;
}

void CAudioOutputsDlg::FindCards()
{
    m_cards = {};
    if (!IsDocumentAlive())
        return;
    for (CBaseDevice* obj : m_doc->GetList(CAT_OUTPUT_SLOT)) {
        auto* card = dynamic_cast<CAudioOutputSlot*>(obj);
        if (card == nullptr)
            continue;
        // The slot is the card's kind; its name is the user's.
        if (card->GetKindId() == outputcard::Slot3 && !m_cards[0])
            m_cards[0] = card;
        else if (card->GetKindId() == outputcard::Slot4 && !m_cards[1])
            m_cards[1] = card;
    }
}

CAudioOutputSlot* CAudioOutputsDlg::GetCard(int index) const
{
    if (!IsDocumentAlive() || index < 0 || index > 3)
        return nullptr;
    return m_cards[index / 2];
}

void CAudioOutputsDlg::SetDocument(CQuillomerDoc* doc)
{
    if (doc == m_doc && IsDocumentAlive())
        return;
    StoreAll();
    m_doc = doc;
    SetAudioOutputsDlgDocument(doc);
    LoadAll();
}

void CAudioOutputsDlg::Refresh(int index)
{
    if (m_closing)
        return;
    if (index < 0 || index > 3) {
        LoadAll();
        return;
    }
    LoadOutput(index, true);
}

void CAudioOutputsDlg::SetUnit(int unit)
{
    m_unitIndex = std::clamp(unit, 0, 2);
    const DelayUnit& u = kUnits[m_unitIndex];
    m_factor = 20.0 * u.coefficient + u.base;
    m_step = u.base * 0.00002;
    m_delayMin = 0.0;
    m_delayMax = std::trunc(m_factor * CAudioOutputSlot::MaxDelaySeconds(IsDocumentAlive() ? m_doc : nullptr) * 1000.0) * 0.001;
    const QSignalBlocker block(m_unit);
    m_unit->setCurrentIndex(m_unitIndex);
}

void CAudioOutputsDlg::LoadAll()
{
    const std::string title = IsDocumentAlive() ? m_doc->GetTitle() : std::string();
    setWindowTitle(QString::fromStdString(LoadStringId(34140) + " [" + title + "]"));
    FindCards();
    int unit = IsDocumentAlive() ? CAudioOutputSlot::GetDelayUnit(m_doc) : 0;
    if (m_cards[0])
        unit = numtext::ToInt(m_cards[0]->GetValueText(OPC_UNIT, 0));
    SetUnit(unit);
    m_unit->setEnabled(IsDocumentAlive());
    for (int i = 0; i < 4; ++i)
        LoadOutput(i, true);
}

void CAudioOutputsDlg::EnableOutput(int index, bool enable)
{
    OutputControls& oc = m_outputs[index];
    oc.slider->setEnabled(enable);
    oc.volume->setEnabled(enable);
    oc.delay->setEnabled(enable);
    m_spins[oc.volumeSpin].box->setEnabled(enable);
    m_spins[oc.delaySpin].box->setEnabled(enable);
}

void CAudioOutputsDlg::SetSliderQuietly(int index, int position)
{
    const QSignalBlocker block(m_outputs[index].slider);
    m_outputs[index].slider->setValue(position);
}

void CAudioOutputsDlg::LoadOutput(int index, bool full)
{
    if (index < 0 || index > 3)
        return;
    const bool wasFilling = g_filling;
    g_filling = true;
    OutputControls& oc = m_outputs[index];
    CAudioOutputSlot* card = GetCard(index);
    const int ch = index % 2;
    EnableOutput(index, true);

    if (full) {
        const double volume = card ? numtext::ToDouble(card->GetValueText(OPC_VOL, ch)) : -80.0;
        oc.slider->setRange(0, kSliderMax);
        oc.volume->Setup(true, QStringLiteral("%.1f"), -80.0, 6.0, volume, true, -80.0, QStringLiteral("OFF"));
        m_spins[oc.volumeSpin].min = 0;
        m_spins[oc.volumeSpin].max = kSliderMax;
        // Positions the slider and the spin from the edit and writes the
        // value back into the card (nothing is sent while filling).
        OnVolumeEdited(index);
    }

    const double ms = card ? numtext::ToDouble(card->GetValueText(OPC_DELAY, ch)) : 0.0;
    oc.delay->Setup(true, QStringLiteral("%.2f"), m_delayMin, m_delayMax, ms * m_factor * 0.001);
    if (oc.delay->GetValue() < m_delayMin)
        oc.delay->SetValue(m_delayMin);
    Spin& spin = m_spins[oc.delaySpin];
    spin.min = -kUnits[m_unitIndex].spinRange;
    spin.max = kUnits[m_unitIndex].spinRange;
    spin.pos = 0;

    if (card == nullptr || !card->IsFitted())
        EnableOutput(index, false);
    g_filling = wasFilling;
}

// ---------------------------------------------------------------- storing

void CAudioOutputsDlg::StoreAll()
{
    if (m_closing)
        return;
    for (int i = 0; i < 4; ++i) {
        CAudioOutputSlot* card = GetCard(i);
        if (card == nullptr)
            continue;
        OutputControls& oc = m_outputs[i];
        // Only typed text is read again: a shown value keeps its full
        // precision (switching the unit must not round the delays).
        for (CGridEdit* edit : {oc.volume, oc.delay})
            if (edit->isModified())
                edit->ReadValue();
        const int ch = i % 2;
        card->SetValue(OPC_VOL, ch, Text(oc.volume->GetValue(), 1));
        card->SetValue(OPC_DELAY, ch, Text(oc.delay->GetValue() * 1000.0 / m_factor, 3));
    }
    CAudioOutputSlot* card = GetCard(0) ? GetCard(0) : GetCard(2);
    if (card)
        card->SetValue(OPC_UNIT, 0, std::to_string(m_unit->currentIndex()));
}

void CAudioOutputsDlg::ApplyValue(unsigned code, int index)
{
    CAudioOutputSlot* card = GetCard(index);
    if (card == nullptr || m_closing)
        return;
    const int ch = index % 2;
    const OutputControls& oc = m_outputs[index];
    std::string text;
    if (code == OPC_VOL)
        text = Text(oc.volume->GetValue(), 1);
    else if (code == OPC_DELAY)
        text = Text(oc.delay->GetValue() * 1000.0 / m_factor, 3);
    else
        return;
    // The card marks the project when the value differs from its own: the
    // shown value entered again, or the dialog's first load, changes nothing.
    card->SetValue(code, ch, text);
    if (!g_filling)
        card->BuildLine(code, ch, true, false);
}

// ---------------------------------------------------------------- handlers

void CAudioOutputsDlg::OnVolumeSlider(int index, int position)
{
    if (index < 0 || index > 3)
        return;
    const int pos = std::clamp(position, 0, kSliderMax);
    m_outputs[index].volume->SetValue(SliderToVolume(pos));
    m_spins[m_outputs[index].volumeSpin].pos = kSliderMax - pos;
    ApplyValue(OPC_VOL, index);
}

void CAudioOutputsDlg::OnVolumeSpin(int index, int delta)
{
    if (index < 0 || index > 3 || m_closing)
        return;
    OutputControls& oc = m_outputs[index];
    Spin& spin = m_spins[oc.volumeSpin];
    spin.pos = std::clamp(spin.pos + delta, 0, kSliderMax);
    const double value = SliderToVolume(kSliderMax - spin.pos);
    if (value != oc.volume->GetValue()) {
        oc.volume->SetValue(value);
        SetSliderQuietly(index, kSliderMax - spin.pos);
        ApplyValue(OPC_VOL, index);
    }
}

void CAudioOutputsDlg::OnVolumeEdited(int index)
{
    if (index < 0 || index > 3)
        return;
    OutputControls& oc = m_outputs[index];
    // A text that is no number leaves the volume, and the device, as they were.
    const bool taken = CGridEdit::Takes(oc.volume->ReadValue());
    oc.volume->ShowValue();
    if (!taken)
        return;
    const int pos = VolumeToSlider(oc.volume->GetValue());
    SetSliderQuietly(index, pos);
    m_spins[oc.volumeSpin].pos = kSliderMax - pos;
    ApplyValue(OPC_VOL, index);
}

void CAudioOutputsDlg::OnDelaySpin(int index, int delta)
{
    if (index < 0 || index > 3 || m_closing)
        return;
    OutputControls& oc = m_outputs[index];
    // The spin itself stays at 0: each click is a step from the shown value.
    const int n = m_spins[oc.delaySpin].pos + delta;
    const double current = oc.delay->GetValue();
    double value = 0.0;
    if (n == 1)
        value = current + m_step;
    else if (n == -1)
        value = current - m_step;
    else
        value = std::trunc(n + current);
    value = std::clamp(value, m_delayMin, m_delayMax);
    if (value != current) {
        oc.delay->SetValue(value);
        ApplyValue(OPC_DELAY, index);
    }
}

void CAudioOutputsDlg::OnDelayEdited(int index)
{
    if (index < 0 || index > 3)
        return;
    OutputControls& oc = m_outputs[index];
    if (oc.delay->isModified() && !CGridEdit::Takes(oc.delay->ReadValue())) {
        oc.delay->ShowValue();
        return;
    }
    // The edit lets a typed minimum pass with a hair's breadth below it; a
    // negative delay typed is the shortest one, never "-0.00".
    if (oc.delay->GetValue() < m_delayMin)
        oc.delay->SetValue(m_delayMin);
    oc.delay->ShowValue();
    ApplyValue(OPC_DELAY, index);
}

void CAudioOutputsDlg::OnUnitChange()
{
    if (m_closing)
        return;
    // The delays are stored with the unit they were shown in; the cards then
    // carry the new unit, from which everything is shown again.
    StoreAll();
    LoadAll();
}

// ---------------------------------------------------------------- closing

void CAudioOutputsDlg::OnCancel()
{
    if (m_closing)
        return;
    StoreAll();
    m_closing = true;
    single_dlg::Forget(g_pAudioOutputsDlg, this, GetAudioOutputsDlg(), &SetAudioOutputsDlg);
    hide();
    deleteLater();
}

void CAudioOutputsDlg::reject() { OnCancel(); }

void CAudioOutputsDlg::closeEvent(QCloseEvent* event)
{
    event->accept();
    OnCancel();
}

void CAudioOutputsDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter does nothing here; Esc closes like the close box.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
