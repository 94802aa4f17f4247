#include "audio/windows/CBackgroundPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>
#include <cmath>

#include "audio/CMiscAudio.h"
#include "audio/windows/AudioLive.h"
#include "audio/windows/CSignalListDlg.h"
#include "comm/CCommLink.h"
#include "comm/LinkRefusal.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "ui/CLevelSlider.h"
#include "ui/CRefusalWatch.h"
#include "ui/CScaleCtrl.h"
#include "ui/CWholeSpinBox.h"

namespace {
struct LevelControls {
    const char* title;
    int slider, value, spin;
};
const LevelControls kLevels[4] = {
    {QT_TRANSLATE_NOOP("CBackgroundPage", "Alarm"), 1342, 1346, 1350},
    {QT_TRANSLATE_NOOP("CBackgroundPage", "Gong"), 1052, 1347, 1351},
    {QT_TRANSLATE_NOOP("CBackgroundPage", "Text"), 1344, 1348, 1352},
    {QT_TRANSLATE_NOOP("CBackgroundPage", "Panik"), 1345, 1349, 1353},
};
std::string KeywordOf(uint32_t key)
{
    const auto& words = CMiscAudio::KeywordOfKey();
    const auto found = words.find(key);
    return found == words.end() ? std::string() : found->second;
}
// Alarm, chime and message levels stop at 0 dB; the panic level reaches +6 dB.
int TopPosition(int channel) { return channel == 3 ? 0 : 25; }
float HighestDb(int channel) { return channel == 3 ? CMiscAudio::kMaxLevel : 0.0f; }
}  // namespace

int CBackgroundPage::Knee()
{
    return static_cast<int>(std::log10(13.0) / std::log10(87.0) * 87.0 + 0.5);
}

float CBackgroundPage::DbOfPosition(int p)
{
    const int n = Knee();
    if (p <= n)
        return static_cast<float>(6.0 - 12.0 * p / n);
    return static_cast<float>(7.0 - std::pow(87.0, p / 87.0));
}

int CBackgroundPage::PositionOfDb(float db)
{
    if (db >= -6.0f)
        return static_cast<int>(0.5 - (db - 6.0) * Knee() / 12.0);
    return static_cast<int>(std::log10(7.0 - db) * 87.0 / std::log10(87.0) + 0.5);
}

std::vector<int> CBackgroundPage::TickPositions()
{
    const int n = Knee();
    return {n / 4, n / 2, 3 * n / 4, n, 26, 46, 66, 86};
}

QString CBackgroundPage::LevelText(float db)
{
    return db <= CMiscAudio::kMinLevel ? QStringLiteral("OFF") : QString::asprintf("%.1f", static_cast<double>(db));
}

CBackgroundPage::CBackgroundPage(QWidget* parent) : CPropertyPage(tr("Allgemein"), parent)
{
    setObjectName(QStringLiteral("347"));
    auto* grid = new QGridLayout(this);
    for (int c = 0; c < 4; ++c) {
        grid->addWidget(new QLabel(tr(kLevels[c].title), this), 0, c, Qt::AlignHCenter);
        m_sliders[c] = new CLevelSlider(this);  // position 0 (+6 dB) at the top
        m_sliders[c]->setObjectName(QString::number(kLevels[c].slider));
        m_sliders[c]->setRange(TopPosition(c), kBottom);
        m_sliders[c]->setMinimumHeight(120);
        // Ticks where the scale has them; the slider's own would be evenly spaced.
        std::vector<double> tickAt;
        for (int p : TickPositions())
            if (p >= TopPosition(c))
                tickAt.push_back(static_cast<double>(p - TopPosition(c)) / (kBottom - TopPosition(c)));
        QHBoxLayout* sliderRow = CScaleCtrl::TickedSliderRow(m_sliders[c], tickAt, this);
        grid->addLayout(sliderRow, 1, c);
        m_values[c] = new QLineEdit(this);
        m_values[c]->setObjectName(QString::number(kLevels[c].value));
        grid->addWidget(m_values[c], 2, c);
        m_spins[c] = new CWholeSpinBox(this);
        m_spins[c]->setObjectName(QString::number(kLevels[c].spin));
        // The limited levels' spin stops one short of the slider's top.
        m_spins[c]->setRange(0, c == 3 ? kBottom : 61);
        grid->addWidget(m_spins[c], 3, c);
        connect(m_sliders[c], &QSlider::valueChanged, this, [this, c](int p) {
            if (!m_showing)
                SetLevel(c, DbOfPosition(p));
        });
        connect(m_spins[c], &QSpinBox::valueChanged, this, [this, c](int v) {
            if (m_showing)
                return;
            const float db = DbOfPosition(kBottom - v);
            if (db != LevelOf(c))  // a step that changes nothing does nothing
                SetLevel(c, db);
        });
        connect(m_values[c], &QLineEdit::editingFinished, this, [this, c] {
            // A field left as it shows the level ("%.1f") changes nothing;
            // it shows what came while it was the user's.
            if (!m_values[c]->isModified()) {
                ShowLevel(c, LevelOf(c));
                return;
            }
            const QString text = m_values[c]->text().trimmed();
            float db = CMiscAudio::kMinLevel;
            if (text.compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0)
                db = ScanTypedFloat(text.toStdString()).value_or(LevelOf(c));
            SetLevel(c, db);
        });
    }
    const char* inputTitles[3] = {QT_TR_NOOP("Externe Alarmquelle"), QT_TR_NOOP("Externe Textquelle"),
                                  QT_TR_NOOP("Hintergrundprogramm")};
    const int inputIds[3] = {1040, 1041, 1340};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(tr(inputTitles[i]), this), 4 + i, 0, 1, 2);
        m_inputs[i] = new QComboBox(this);
        m_inputs[i]->setObjectName(QString::number(inputIds[i]));
        for (int n = 1; n <= 4; ++n)
            m_inputs[i]->addItem(QStringLiteral("IN%1").arg(n));
        grid->addWidget(m_inputs[i], 4 + i, 2, 1, 2);
        connect(m_inputs[i], &QComboBox::activated, this, [this] { SetModified(true); });
    }
    grid->addWidget(new QLabel(tr("Dämpfung des Hintergrundprogramms"), this), 7, 0, 1, 2);
    m_attenuation = new QLineEdit(this);
    m_attenuation->setObjectName(QStringLiteral("1341"));
    grid->addWidget(m_attenuation, 7, 2);
    m_attenuationSpin = new CWholeSpinBox(this);
    m_attenuationSpin->setObjectName(QStringLiteral("111"));
    m_attenuationSpin->setRange(CMiscAudio::kBackAttOff, 0);
    grid->addWidget(m_attenuationSpin, 7, 3);
    connect(m_attenuationSpin, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_showing)
            SetAttenuation(v);
    });
    // The paths follow the common settings object (its keywords), once there is one.
    m_refusals = new CRefusalWatch(this, {}, [this](const LinkRefusal& refusal) { return OnRefused(refusal); });
    connect(m_attenuation, &QLineEdit::editingFinished, this, [this] {
        const QString text = m_attenuation->text().trimmed();
        long long value = CMiscAudio::kBackAttOff;
        if (text.compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0) {
            // No whole number ("-12,7" is none either): the value it holds.
            const TypedWhole typed = ScanTypedWhole(text.toStdString());
            value = typed.kind == TypedWhole::Whole ? typed.value
                    : m_audio                       ? m_audio->GetInt(miscaudiokey::BackAtt)
                                                    : CMiscAudio::kBackAttOff;
        }
        SetAttenuation(static_cast<int>(std::clamp<long long>(value, CMiscAudio::kBackAttOff, 0LL)));
    });
}

CBackgroundPage::~CBackgroundPage()
{
    audiolive::ReleaseLink(this);
}

bool CBackgroundPage::OnInitDialog()
{
    CQuillomerDoc* doc = GetActiveDoc();
    m_audio = doc ? dynamic_cast<CMiscAudio*>(doc->GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO)) : nullptr;
    if (!m_audio)
        return true;
    std::vector<std::string> watched;
    for (uint32_t key = 0; key <= miscaudiokey::BackAtt; ++key) {
        m_held[key] = m_audio->DeviceValueText(key);
        watched.push_back("/AUDIO/" + KeywordOf(key));
    }
    m_refusals->SetPrefixes(watched);
    return true;
}

bool CBackgroundPage::OnRefused(const LinkRefusal& refusal)
{
    if (!m_audio)
        return false;
    for (uint32_t key = 0; key <= miscaudiokey::BackAtt; ++key) {
        const std::string path = "/AUDIO/" + KeywordOf(key);
        if (!refusal.SamePath(path) || refusal.path.size() != path.size())
            continue;
        // The device's own words read as an answer of the device would.
        m_audio->ParseUploadLines(path.substr(1) + " " + m_held[key], std::string(), linkstate::Online);
        // A field the user is typing into again stays his.
        if (key == miscaudiokey::BackAtt) {
            if (!m_attenuation->hasFocus())
                ShowAttenuation();
        } else if (!m_values[key]->hasFocus()) {
            ShowLevel(static_cast<int>(key), LevelOf(static_cast<int>(key)));
        }
        audiolive::SendBlock({path + " ?"}, this);
        return true;
    }
    return false;
}

void CBackgroundPage::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    for (const std::string& line : answers) {
        std::string key, value;
        if (!m_audio || !audiolive::SplitAnswer(line, "/AUDIO/", &key, &value))
            continue;
        for (uint32_t k = 0; k <= miscaudiokey::BackAtt; ++k) {
            if (key != KeywordOf(k))
                continue;
            m_audio->ParseUploadLines("AUDIO/" + key + " " + value, std::string(), linkstate::Online);
            m_held[k] = m_audio->DeviceValueText(k);
            // A field the user is typing into stays his.
            if (k == miscaudiokey::BackAtt) {
                if (!m_attenuation->hasFocus())
                    ShowAttenuation();
            } else if (!m_values[k]->hasFocus()) {
                ShowLevel(static_cast<int>(k), LevelOf(static_cast<int>(k)));
            }
        }
    }
    answers.clear();
    // The page asks one question at a time: the link is free again.
    audiolive::ReleaseLink(this);
}

float CBackgroundPage::LevelOf(int channel) const
{
    return m_audio ? m_audio->GetLevel(static_cast<uint32_t>(channel)) : CMiscAudio::kMinLevel;
}

void CBackgroundPage::ShowLevel(int channel, float db)
{
    m_showing = true;
    m_values[channel]->setText(LevelText(db));
    const int p = std::max(PositionOfDb(db), TopPosition(channel));
    m_sliders[channel]->setValue(p);
    m_spins[channel]->setValue(kBottom - p);
    m_showing = false;
}

void CBackgroundPage::SetLevel(int channel, float db)
{
    if (db < CMiscAudio::kMinLevel)
        db = CMiscAudio::kMinLevel;
    if (db > HighestDb(channel))
        db = HighestDb(channel);
    // A field left (or Enter pressed) with the level it shows changes
    // nothing: it is shown again, neither marked nor sent.
    if (StrFormat("%f", static_cast<double>(db)) == StrFormat("%f", static_cast<double>(LevelOf(channel)))) {
        ShowLevel(channel, LevelOf(channel));
        return;
    }
    if (m_audio)
        m_audio->SetValue(static_cast<uint32_t>(channel), StrFormat("%f", static_cast<double>(db)));
    ShowLevel(channel, LevelOf(channel));
    SetModified(true);
    ApplyKey(static_cast<uint32_t>(channel));
}

void CBackgroundPage::SetAttenuation(int value)
{
    value = std::clamp(value, static_cast<int>(CMiscAudio::kBackAttOff), 0);
    const bool changed = !m_audio || m_audio->GetInt(miscaudiokey::BackAtt) != value;
    if (m_audio)
        m_audio->SetValue(miscaudiokey::BackAtt, StrFormat("%d", value));
    ShowAttenuation();
    if (!changed)
        return;
    SetModified(true);
    ApplyKey(miscaudiokey::BackAtt);
}

void CBackgroundPage::ShowAttenuation()
{
    const int att = m_audio ? m_audio->GetInt(miscaudiokey::BackAtt) : CMiscAudio::kBackAttOff;
    m_showing = true;
    m_attenuation->setText(att == CMiscAudio::kBackAttOff ? QStringLiteral("OFF") : QString::number(att));
    m_attenuationSpin->setValue(att);
    m_showing = false;
}

void CBackgroundPage::ApplyKey(uint32_t key)
{
    if (!m_audio || !IsDocConnected())
        return;
    m_refusals->Sending();
    m_audio->SendAudioLine(key, true, false);
}

bool CBackgroundPage::OnSetActive()
{
    EnsureInitialised();
    // The common settings belong to no signal: the list rests meanwhile.
    if (CSignalListDlg* list = CSignalListDlg::Current())
        m_listRow = list->EnableList(false, -1);
    if (m_audio) {
        for (int c = 0; c < 4; ++c)
            ShowLevel(c, LevelOf(c));
        for (int i = 0; i < 3; ++i)
            m_inputs[i]->setCurrentIndex(m_audio->GetInt(miscaudiokey::ExtAlarmInp + static_cast<uint32_t>(i)));
        ShowAttenuation();
    }
    return CPropertyPage::OnSetActive();
}

bool CBackgroundPage::OnKillActive()
{
    if (CSignalListDlg* list = CSignalListDlg::Current())
        list->EnableList(true, m_listRow);
    return CPropertyPage::OnKillActive();
}

bool CBackgroundPage::OnApply()
{
    if (m_audio) {
        for (int i = 0; i < 3; ++i)
            m_audio->SetValue(miscaudiokey::ExtAlarmInp + static_cast<uint32_t>(i),
                              StrFormat("%d", m_inputs[i]->currentIndex()));
        m_audio->SetValue(miscaudiokey::BackAtt, StrFormat("%d", m_attenuationSpin->value()));
        // A level is taken from its field only when the user typed it: the
        // field shows it rounded ("%.1f"), and taking that would change a
        // level nobody touched. (The object marks the project on a change.)
        for (int c = 0; c < 4; ++c) {
            if (!m_values[c]->isModified())
                continue;
            const QString text = m_values[c]->text();
            float db = CMiscAudio::kMinLevel;
            if (text != QLatin1String("OFF"))
                db = ScanTypedFloat(text.toStdString()).value_or(db);
            m_audio->SetValue(static_cast<uint32_t>(c), StrFormat("%f", static_cast<double>(db)));
        }
    }
    return CPropertyPage::OnApply();
}
