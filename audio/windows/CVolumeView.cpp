#include "audio/windows/CVolumeView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio/CMiscAudio.h"
#include "audio/windows/AudioLive.h"
#include "comm/LinkRefusal.h"
#include "hardware/CAudioInputSlot.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/FiniteNumber.h"
#include "ui/CLevelSlider.h"
#include "ui/CRefusalWatch.h"
#include "ui/CScaleCtrl.h"
#include "ui/CValueEdit.h"

namespace {
struct ChannelInfo {
    int field;
    int slider;
    const char* title;
    const char* key;  // after "/AUDIO/"
};
const ChannelInfo kChannels[CVolumeView::kChannelCount] = {
    {1674, 1703, "IN1", "IN1/VOL"},          {1006, 1053, "IN2", "IN2/VOL"},
    {1007, 1054, "IN3", "IN3/VOL"},          {1008, 1056, "IN4", "IN4/VOL"},
    {1013, 1057, QT_TRANSLATE_NOOP("CVolumeView", "Gong"), "CHIME_VOL"},
    {1015, 1058, QT_TRANSLATE_NOOP("CVolumeView", "Texte"), "MESSAGE_VOL"},
};
const char* const kPath = "/AUDIO/";

bool IsInput(int channel) { return channel < CVolumeView::Chime; }

CAudioInputSlot* InputCard(CQuillomerDoc* doc, int channel)
{
    return doc ? dynamic_cast<CAudioInputSlot*>(doc->GetIDManager().GetBaseDevice(channel < 2 ? 1 : 2, OT_AUDIO_INPUT_SLOT))
               : nullptr;
}

CMiscAudio* Levels(CQuillomerDoc* doc)
{
    return doc ? dynamic_cast<CMiscAudio*>(doc->GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO)) : nullptr;
}

uint32_t LevelKey(int channel) { return channel == CVolumeView::Chime ? miscaudiokey::ChimeVol : miscaudiokey::MessageVol; }
}  // namespace

CVolumeView::CVolumeView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("539"));
    auto* grid = new QGridLayout(this);
    for (int c = 0; c < kChannelCount; ++c) {
        const ChannelInfo& info = kChannels[c];
        grid->addWidget(new QLabel(IsInput(c) ? QString::fromLatin1(info.title) : tr(info.title), this), 0, c,
                        Qt::AlignHCenter);
        grid->addWidget(new QLabel(IsInput(c) ? QStringLiteral("0 dB") : QStringLiteral("6 dB"), this), 1, c,
                        Qt::AlignHCenter);
        auto* slider = new CLevelSlider(this);  // the lowest position (the loudest level) at the top
        slider->setObjectName(QString::number(info.slider));
        slider->setRange(-150, IsInput(c) ? 0 : 6);
        slider->setPageStep(10);
        slider->setMinimumHeight(150);
        // The slider's own ticks would count from its lowest position, which
        // is no round level on the chime and message sliders.
        std::vector<double> tickAt;
        for (int p : TickPositions(c))
            tickAt.push_back(static_cast<double>(p - slider->minimum()) / (slider->maximum() - slider->minimum()));
        QHBoxLayout* sliderRow = CScaleCtrl::TickedSliderRow(slider, tickAt, this);
        grid->addLayout(sliderRow, 2, c);
        grid->addWidget(new QLabel(QStringLiteral("-150 dB"), this), 3, c, Qt::AlignHCenter);
        auto* field = new CValueEdit(this);
        field->setObjectName(QString::number(info.field));
        field->SetFloat(0.0f, 1, "%4.1f");
        grid->addWidget(field, 4, c);
        m_sliders[c] = slider;
        m_fields[c] = field;
        // A field left as it shows the level ("%4.1f") changes, marks and
        // sends nothing: only what the user typed is taken.
        connect(field, &QLineEdit::editingFinished, this, [this, c] {
            if (m_fields[c]->isModified())
                Commit(c);
            else if (CQuillomerDoc* doc = GetActiveDoc())
                ShowDesign(doc, c);  // what came while the field was the user's
        });
        connect(slider, &QSlider::sliderReleased, this, [this, c] { Commit(c); });
        connect(slider, &QSlider::actionTriggered, this, [this, c](int action) { OnSliderAction(c, action); });
    }
    grid->setRowStretch(2, 1);
    std::vector<std::string> watched;
    for (const ChannelInfo& info : kChannels)
        watched.push_back(std::string(kPath) + info.key);
    m_refusals = new CRefusalWatch(this, watched, [this](const LinkRefusal& refusal) { return OnRefused(refusal); });
}

bool CVolumeView::OnRefused(const LinkRefusal& refusal)
{
    for (int c = 0; c < kChannelCount; ++c) {
        const std::string path = std::string(kPath) + kChannels[c].key;
        if (!refusal.SamePath(path) || refusal.path.size() != path.size())
            continue;
        if (!m_held[c].empty()) {
            WriteLevel(GetActiveDoc(), c, m_held[c]);
            // A field the user is typing into again stays his.
            if (!m_fields[c]->hasFocus()) {
                m_fields[c]->setText(QString::fromStdString(m_held[c]));
                ShowSliderOf(c);
            }
        }
        audiolive::SendBlock({path + " ?"}, this);
        return true;
    }
    return false;
}

CVolumeView::~CVolumeView() { audiolive::ReleaseLink(this); }

float CVolumeView::LevelOfPosition(int channel, int position)
{
    return static_cast<float>((IsInput(channel) ? -150 : -144) - position);
}

int CVolumeView::PositionOfLevel(int channel, float level)
{
    // A level far beyond the slider still stops at its end.
    const float held = std::isnan(level) ? 0.0f : std::clamp(level, -1000.0f, 1000.0f);
    return (IsInput(channel) ? -150 : -144) - static_cast<int>(held);
}

std::vector<int> CVolumeView::TickPositions(int channel)
{
    std::vector<int> out;
    for (int db = 0; db >= -140; db -= 10)
        out.push_back(PositionOfLevel(channel, static_cast<float>(db)));
    return out;
}

float CVolumeView::SliderMinimum(int channel)
{
    const std::string text =
        GetAppHost().GetProfileString("Settings", channel == Chime ? "MinChimeVol" : "MinMessageVol", "-40.0");
    const float value = ScanFiniteFloat(text).value_or(-40.0f);
    return value < -150.0f || value > 6.0f ? -40.0f : value;
}

void CVolumeView::SetSlider(int channel, float level)
{
    m_setting = true;
    m_sliders[channel]->setValue(PositionOfLevel(channel, level));
    m_setting = false;
}

void CVolumeView::ShowSliderOf(int channel)
{
    // The field shows the project's or the device's text, whose numbers have
    // a decimal point only: what the user types is read in Commit.
    const std::optional<float> level = ScanFiniteFloat(m_fields[channel]->text().toStdString());
    SetSlider(channel, level ? *level : m_fields[channel]->GetFloat(0));
}

void CVolumeView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    for (int c = 0; c < kChannelCount; ++c) {
        ShowDesign(doc, c);
        m_held[c] = audiolive::LineValue(m_fields[c]->text());
    }
    if (IsDocConnected()) {
        doc->SetModifiedFlag();
        std::vector<std::string> lines;
        for (int c : {Chime, Messages, In1, In2, In3, In4})
            lines.push_back(std::string(kPath) + kChannels[c].key + " ?");
        audiolive::SendBlock(lines, this);
    }
}

void CVolumeView::ShowDesign(CQuillomerDoc* doc, int c)
{
    std::string text;
    if (IsInput(c)) {
        if (CAudioInputSlot* card = InputCard(doc, c))
            text = card->GetValueText(0, c % 2);
    } else if (CMiscAudio* levels = Levels(doc)) {
        text = levels->GetValue(LevelKey(c));
    }
    if (!text.empty())
        m_fields[c]->setText(QString::fromStdString(text));
    ShowSliderOf(c);
}

void CVolumeView::Commit(int channel)
{
    CValueEdit* field = m_fields[channel];
    if (!field->ReadsAsFloat()) {
        // No level ("-3.5,5" is none): the one held shows again, nothing is sent.
        if (CQuillomerDoc* doc = GetActiveDoc())
            ShowDesign(doc, channel);
        return;
    }
    const float read = field->GetFloat(1);
    const float high = IsInput(channel) ? 6.0f : 0.0f;
    const float clamped = read < -150.0f ? -150.0f : read > high ? high : read;
    field->SetFloat(clamped, 1, "%.1f");
    SetSlider(channel, read);
    CQuillomerDoc* doc = GetActiveDoc();
    if (doc)
        doc->SetModifiedFlag();
    if (IsDocConnected()) {
        m_refusals->Sending();
        audiolive::SendLine(std::string(kPath) + kChannels[channel].key + " " + audiolive::LineValue(field->text()));
    }
    WriteDesign();
}

void CVolumeView::OnSliderAction(int channel, int action)
{
    if (m_setting || action == QAbstractSlider::SliderNoAction)
        return;
    float level = LevelOfPosition(channel, m_sliders[channel]->sliderPosition());
    if (!IsInput(channel)) {
        const float minimum = SliderMinimum(channel);
        if (level < minimum)
            level = minimum;
    }
    m_fields[channel]->SetFloat(level, 1, "%4.1f");
    // A handle the user holds is committed when it is let go; every other
    // move (a key, a click beside the handle, the mouse wheel) is complete
    // and committed now, once the slider has taken its new value.
    if (!m_sliders[channel]->isSliderDown())
        QMetaObject::invokeMethod(this, [this, channel] { Commit(channel); }, Qt::QueuedConnection);
}

void CVolumeView::WriteDesign()
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    for (int c = 0; c < kChannelCount; ++c)
        WriteLevel(doc, c, audiolive::LineValue(m_fields[c]->text()));
}

void CVolumeView::WriteLevel(CQuillomerDoc* doc, int c, const std::string& text)
{
    if (!doc)
        return;
    if (IsInput(c)) {
        if (CAudioInputSlot* card = InputCard(doc, c))
            card->SetValueText(0, c % 2, text);
    } else if (CMiscAudio* levels = Levels(doc)) {
        levels->SetValue(LevelKey(c), text);
    }
}

void CVolumeView::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    for (const std::string& line : answers) {
        std::string key, value;
        if (!audiolive::SplitAnswer(line, kPath, &key, &value))
            continue;
        // Only a finite number standing alone, on the sliders' scale, is a
        // level: a word, "1e40", "-12,5" or a "99" is not shown, and not
        // kept, where the design would take it as another level.
        const std::optional<float> level = ScanWholeFloat(value);
        if (!level || *level < -150.0f || *level > 6.0f)
            continue;
        for (int c = 0; c < kChannelCount; ++c) {
            if (key != kChannels[c].key)
                continue;
            m_held[c] = value;
            WriteLevel(GetActiveDoc(), c, value);
            // A field the user is typing into stays his.
            if (m_fields[c]->hasFocus())
                continue;
            m_fields[c]->setText(QString::fromStdString(value));
            ShowSliderOf(c);
        }
    }
    answers.clear();
}
