#include "audio/windows/CPilotView.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

#include "audio/CInternalPilottoneGen.h"
#include "audio/windows/AudioLive.h"
#include "comm/CCommLink.h"
#include "comm/LinkRefusal.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CTransferLoop.h"
#include "ui/CLevelSlider.h"
#include "ui/CRefusalWatch.h"
#include "ui/CValueEdit.h"

namespace {
const char* const kPath = "/PILOT/";
// Far beyond any slider's range, but within an int's.
int Whole(float v) { return static_cast<int>(std::lround(std::clamp(v, -1.0e6f, 1.0e6f))); }
}  // namespace

CPilotView::CPilotView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("528"));
    auto* top = new QVBoxLayout(this);

    auto* freqRow = new QHBoxLayout;
    m_on = new QPushButton(tr("Ein"), this);
    m_on->setObjectName(QStringLiteral("1576"));
    m_on->setCheckable(true);
    freqRow->addWidget(m_on);
    m_frequency = new CValueEdit(this);
    m_frequency->setObjectName(QStringLiteral("1577"));
    freqRow->addWidget(m_frequency);
    freqRow->addWidget(new QLabel(QStringLiteral("Hz"), this));
    freqRow->addWidget(new QLabel(QStringLiteral("10 Hz"), this));
    m_frequencySlider = new QSlider(Qt::Horizontal, this);
    m_frequencySlider->setObjectName(QStringLiteral("1578"));
    m_frequencySlider->setRange(10, 19000);
    freqRow->addWidget(m_frequencySlider, 1);
    freqRow->addWidget(new QLabel(QStringLiteral("19000 Hz"), this));
    top->addLayout(freqRow);

    auto* levels = new QGridLayout;
    auto* scale = new QVBoxLayout;
    scale->addWidget(new QLabel(QStringLiteral("- 0 dB"), this));
    scale->addStretch(1);
    scale->addWidget(new QLabel(QStringLiteral("- 150 dB"), this));
    levels->addLayout(scale, 0, 0);
    auto* group = new QButtonGroup(this);
    for (int n = 0; n < 4; ++n) {
        m_meters[n] = new QProgressBar(this);
        m_meters[n]->setObjectName(QString::number(1583 + n));
        m_meters[n]->setOrientation(Qt::Vertical);
        m_meters[n]->setRange(0, 150);
        m_meters[n]->setTextVisible(false);
        m_meters[n]->setMinimumHeight(120);
        levels->addWidget(m_meters[n], 0, n + 1, Qt::AlignHCenter);
        m_outputs[n] = new QPushButton(QString::number(n + 1), this);
        m_outputs[n]->setObjectName(QString::number(1587 + n));
        m_outputs[n]->setCheckable(true);
        group->addButton(m_outputs[n]);
        levels->addWidget(m_outputs[n], 1, n + 1);
        connect(m_outputs[n], &QPushButton::clicked, this, [this, n] { SelectOutput(n); });
    }
    levels->addWidget(new QLabel(QStringLiteral("OUT"), this), 1, 0);
    m_levelSlider = new CLevelSlider(this);  // -150 (0 dB) at the top
    m_levelSlider->setObjectName(QStringLiteral("1591"));
    m_levelSlider->setRange(-150, 0);
    levels->addWidget(m_levelSlider, 0, 5);
    auto* edits = new QGridLayout;
    for (int n = 0; n < 4; ++n) {
        m_levels[n] = new CValueEdit(this);
        m_levels[n]->setObjectName(QString::number(1579 + n));
        m_levels[n]->setReadOnly(true);
        edits->addWidget(new QLabel(QStringLiteral("OUT%1").arg(n + 1), this), n, 0);
        edits->addWidget(m_levels[n], n, 1);
        edits->addWidget(new QLabel(QStringLiteral("dB"), this), n, 2);
        // A field left as it shows the level ("%.1f") changes nothing: only
        // what the user typed is taken.
        connect(m_levels[n], &QLineEdit::editingFinished, this, [this, n] {
            if (m_levels[n]->isModified())
                OnLevelEdited(n);
            else if (m_pilot)
                ShowLevel(n);  // what came while the field was the user's
        });
    }
    levels->addLayout(edits, 0, 6);
    top->addLayout(levels, 1);

    m_refusals = new CRefusalWatch(this, {kPath}, [this](const LinkRefusal& refusal) { return OnRefused(refusal); });
    connect(m_on, &QPushButton::clicked, this, [this](bool on) {
        if (!m_pilot)
            return;
        m_pilot->SetValue(pilotkey::On, on ? 1 : 0);
        SendLive(std::string(kPath) + "GEN " + (on ? "ON" : "OFF"));
    });
    connect(m_frequency, &QLineEdit::editingFinished, this, [this] {
        if (m_frequency->isModified())
            OnFrequencyEdited();
        else if (m_pilot)
            ShowFrequency();  // what came while the field was the user's
    });
    connect(m_frequencySlider, &QSlider::valueChanged, this, &CPilotView::OnFrequencySlider);
    connect(m_levelSlider, &QSlider::valueChanged, this, &CPilotView::OnLevelSlider);
    m_poll.setInterval(1500);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        // Not while a transfer owns the line: the window's own counts the
        // device's echoes, another's or the whole one reads the answers.
        const CFeatureFrm* frame = CFeatureFrm::FrameOf(this);
        if (!TransferHoldsLink() && (!frame || !frame->IsTransferring()) && m_pollPace.MayPoll()) {
            audiolive::SendBlock({std::string(kPath) + "GEN ?"}, this);
            m_pollPace.Polled();
        }
    });
}

CPilotView::~CPilotView()
{
    m_poll.stop();
    audiolive::ReleaseLink(this);
}

void CPilotView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    m_pilot = doc ? dynamic_cast<CInternalPilottoneGen*>(doc->GetIDManager().GetBaseDevice(1, OT_INTERNAL_PILOTTONE_GEN))
                  : nullptr;
    if (!m_pilot)
        return;
    m_current = -1;
    ShowFrequency();
    m_on->setChecked(m_pilot->GetValue(pilotkey::On) != 0);
    m_setting = true;
    m_levelSlider->setValue(0);
    m_setting = false;
    for (int n = 0; n < 4; ++n)
        ShowLevel(n);
    NoteHeld();
    if (IsDocConnected())
        m_poll.start();
}

void CPilotView::NoteHeld()
{
    m_heldFrequency = m_pilot->GetFloatValue(pilotkey::Frequency);
    for (int n = 0; n < 4; ++n)
        m_heldLevels[n] = m_pilot->GetFloatValue(pilotkey::LevelKey(n));
}

void CPilotView::SendLive(const std::string& line)
{
    if (!IsDocConnected())
        return;
    m_refusals->Sending();
    audiolive::SendBlock({line}, this, false);
}

bool CPilotView::OnRefused(const LinkRefusal& refusal)
{
    if (!m_pilot)
        return false;
    const std::string key = refusal.path.substr(std::min(refusal.path.size(), std::strlen(kPath)));
    if (key == "GEN") {
        if (const std::optional<bool> on = ReadFlagWord(refusal.value)) {
            m_pilot->SetValue(pilotkey::On, *on ? 0 : 1);
            m_on->setChecked(!*on);
        }
    } else if (key == "FREQU") {
        // A field the user is typing into again stays his.
        m_pilot->SetFloatValue(pilotkey::Frequency, m_heldFrequency);
        if (!m_frequency->hasFocus())
            ShowFrequency();
    } else if (key.size() == 4 && key.compare(0, 3, "VOL") == 0 && key[3] >= '1' && key[3] <= '4') {
        const int n = key[3] - '1';
        m_pilot->SetFloatValue(pilotkey::LevelKey(n), m_heldLevels[n]);
        if (!m_levels[n]->hasFocus())
            ShowLevel(n);
        if (n == m_current) {
            m_setting = true;
            m_levelSlider->setValue(-150 - Whole(m_heldLevels[n]));
            m_setting = false;
        }
    }
    audiolive::SendBlock({std::string(kPath) + key + " ?"}, this);
    return true;
}

void CPilotView::ShowFrequency()
{
    const float f = m_pilot->GetFloatValue(pilotkey::Frequency);
    m_frequency->SetFloat(f, 1, "%.1f");
    m_setting = true;
    m_frequencySlider->setValue(Whole(f));
    m_setting = false;
}

void CPilotView::ShowLevel(int n)
{
    const float level = m_pilot->GetFloatValue(pilotkey::LevelKey(n));
    m_levels[n]->SetFloat(level, 1, "%.1f");
    m_meters[n]->setValue(Whole(level) + 150);
}

void CPilotView::OnFrequencyEdited()
{
    if (!m_pilot)
        return;
    // No number ("3.5,5" is none): the frequency held shows again, nothing is sent.
    if (!m_frequency->ReadsAsFloat()) {
        ShowFrequency();
        return;
    }
    m_pilot->SetFloatValue(pilotkey::Frequency, m_frequency->GetFloat(1));
    ShowFrequency();
    SendLive(std::string(kPath) + "FREQU " + audiolive::LineValue(m_frequency->text()));
}

void CPilotView::OnFrequencySlider(int position)
{
    if (m_setting || !m_pilot)
        return;
    m_pilot->SetFloatValue(pilotkey::Frequency, static_cast<float>(position));
    m_frequency->SetFloat(m_pilot->GetFloatValue(pilotkey::Frequency), 1, "%.1f");
    SendLive(std::string(kPath) + "FREQU " + audiolive::LineValue(m_frequency->text()));
}

void CPilotView::SelectOutput(int n)
{
    if (n < 0 || n > 3)
        return;
    if (m_current >= 0)
        m_levels[m_current]->setReadOnly(true);
    m_levels[n]->setReadOnly(false);
    m_current = n;
    m_outputs[n]->setChecked(true);
    m_setting = true;
    m_levelSlider->setValue(-150 - Whole(m_levels[n]->GetFloat(1)));
    m_setting = false;
}

void CPilotView::OnLevelSlider(int position)
{
    if (m_setting || !m_pilot || m_current < 0)
        return;
    m_pilot->SetFloatValue(pilotkey::LevelKey(m_current), static_cast<float>(-150 - position));
    ShowLevel(m_current);
    SendLive(StrFormat("%sVOL%d ", kPath, m_current + 1) + audiolive::LineValue(m_levels[m_current]->text()));
}

void CPilotView::OnLevelEdited(int n)
{
    if (!m_pilot || m_levels[n]->isReadOnly())
        return;
    if (!m_levels[n]->ReadsAsFloat()) {
        ShowLevel(n);
        return;
    }
    m_pilot->SetFloatValue(pilotkey::LevelKey(n), m_levels[n]->GetFloat(1));
    ShowLevel(n);
    m_setting = true;
    m_levelSlider->setValue(-150 - Whole(m_pilot->GetFloatValue(pilotkey::LevelKey(n))));
    m_setting = false;
    SendLive(StrFormat("%sVOL%d ", kPath, n + 1) + audiolive::LineValue(m_levels[n]->text()));
}

void CPilotView::Transfer(bool upload)
{
    if (!m_pilot)
        return;
    std::vector<std::string> lines;
    if (upload) {
        lines.push_back(std::string(kPath) + "FREQU ?");
        for (int n = 1; n <= 4; ++n)
            lines.push_back(StrFormat("%sVOL%d ?", kPath, n));
    } else {
        lines.push_back(StrFormat("%sFREQU %f", kPath, static_cast<double>(m_pilot->GetFloatValue(pilotkey::Frequency))));
        for (int n = 0; n < 4; ++n)
            lines.push_back(StrFormat("%sVOL%d %f", kPath, n + 1,
                                      static_cast<double>(m_pilot->GetFloatValue(pilotkey::LevelKey(n)))));
    }
    // The frame runs it, so that a device that stops answering or reading
    // part of the way is named.
    if (CFeatureFrm* frame = CFeatureFrm::FrameOf(this)) {
        m_uploading = upload;
        frame->TransferBlocks(upload ? 1 : 0, {lines}, this, upload);
        m_uploading = false;
    }
}

void CPilotView::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    using Pilot = CInternalPilottoneGen;
    if (m_uploading && m_pilot) {
        // The window's upload reads as the whole upload does.
        CTransferLoop::ReadUploadAnswers(m_pilot, answers);
        ShowFrequency();
        for (int n = 0; n < 4; ++n)
            ShowLevel(n);
        NoteHeld();
        return;
    }
    for (const std::string& line : answers) {
        std::string key, value;
        if (!m_pilot || !audiolive::SplitAnswer(line, kPath, &key, &value))
            continue;
        // Only a number standing alone within the generator's range is taken:
        // "-12,5" is not -12, and 30000 Hz or +3.5 dB is not the generator's
        // highest value. What cannot be read leaves the project as it was.
        const std::optional<float> number = ScanWholeFloat(value);
        const auto within = [&number](float low, float high) { return number && *number >= low && *number <= high; };
        if (key == "GEN") {
            // A word other than ON or OFF is no state of the generator.
            const std::optional<bool> on = ReadFlagWord(value);
            if (!on)
                continue;
            m_pilot->SetValue(pilotkey::On, *on ? 1 : 0);
            m_on->setChecked(*on);
        } else if (key == "FREQU" && within(Pilot::kMinFrequency, Pilot::kMaxFrequency) &&
                   !m_frequencySlider->isSliderDown()) {
            m_heldFrequency = *number;
            m_pilot->SetFloatValue(pilotkey::Frequency, *number);
            // A field the user is typing into stays his.
            if (!m_frequency->hasFocus())
                ShowFrequency();
        } else if (key.size() == 4 && key.compare(0, 3, "VOL") == 0 && key[3] >= '1' && key[3] <= '4' &&
                   within(Pilot::kMinLevel, Pilot::kMaxLevel) && !m_levelSlider->isSliderDown()) {
            const int n = key[3] - '1';
            m_heldLevels[n] = *number;
            m_pilot->SetFloatValue(pilotkey::LevelKey(n), *number);
            if (!m_levels[n]->hasFocus())
                ShowLevel(n);
        }
    }
    answers.clear();
}
