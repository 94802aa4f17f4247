#include "audio/windows/CRecorderView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <cstring>
#include <optional>

#include "audio/CInternalMessageRec.h"
#include "audio/windows/AudioLive.h"
#include "audio/windows/CRecorderFrm.h"
#include "comm/CCommLink.h"
#include "comm/LinkRefusal.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CDropDownComboBox.h"
#include "ui/CPictureSet.h"
#include "ui/CRefusalWatch.h"
#include "ui/CValueEdit.h"

namespace {
const char* const kPath = "/RECORDER/";
std::string P(const char* rest) { return std::string(kPath) + rest; }
}  // namespace

CRecorderView::CRecorderView(CRecorderFrm* frame) : QWidget(frame), m_frame(frame)
{
    setObjectName(QStringLiteral("530"));
    auto* grid = new QGridLayout(this);
    auto combo = [this](int id, bool editable) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::number(id));
        c->setEditable(editable);
        return c;
    };
    m_input = combo(1561, false);
    m_input->addItems({QStringLiteral("IN1"), QStringLiteral("IN2"), QStringLiteral("IN3"), QStringLiteral("IN4")});
    m_output = combo(1040, false);
    m_output->addItem(tr("kein Ausgang"));
    m_output->addItems({QStringLiteral("OUT1"), QStringLiteral("OUT2"), QStringLiteral("OUT3"), QStringLiteral("OUT4")});
    m_message = new CDropDownComboBox(this);
    m_message->setObjectName(QStringLiteral("1041"));
    m_message->setEditable(true);
    m_message->setInsertPolicy(QComboBox::NoInsert);
    // The edit renames the slot shown, and its list item follows each key: a
    // completer would take that item as a completion and select the rest of
    // the name behind the cursor, so the next key would replace it.
    m_message->setCompleter(nullptr);
    m_quality = combo(1563, false);
    m_quality->addItems({QString::fromUtf8(CInternalMessageRec::kQualityLinear),
                         QString::fromUtf8(CInternalMessageRec::kQualityMuLaw)});
    m_maxTime = new CValueEdit(this);
    m_maxTime->setObjectName(QStringLiteral("1564"));
    int row = 0;
    grid->addWidget(new QLabel(tr("Aufnahmequelle"), this), row, 0);
    grid->addWidget(m_input, row++, 1);
    grid->addWidget(new QLabel(tr("Wiedergabe über"), this), row, 0);
    grid->addWidget(m_output, row++, 1);
    grid->addWidget(new QLabel(tr("Textaufnahme"), this), row, 0);
    grid->addWidget(m_message, row, 1);
    m_info = new QPushButton(this);
    m_info->setObjectName(QStringLiteral("1562"));
    m_info->setIcon(CPictureSet::Icon(533));
    grid->addWidget(m_info, row++, 2);
    grid->addWidget(new QLabel(tr("Qualität"), this), row, 0);
    grid->addWidget(m_quality, row++, 1);
    grid->addWidget(new QLabel(tr("Aufnahmezeit"), this), row, 0);
    grid->addWidget(m_maxTime, row, 1);
    grid->addWidget(new QLabel(tr("s  ( 0.0...360.4 s,  0.0 bedeutet kein Zeitlimit)"), this), row++, 2);

    auto* buttons = new QHBoxLayout;
    auto action = [&](QPushButton*& b, int id, int icon, const QString& text) {
        b = new QPushButton(CPictureSet::Icon(icon), text, this);
        b->setObjectName(QString::number(id));
        buttons->addWidget(b);
    };
    action(m_play, 1565, 534, tr("Wiedergabe"));
    action(m_stop, 1566, 536, tr("Stop"));
    action(m_record, 1560, 535, tr("Aufnahme"));
    action(m_erase, 1567, 541, tr("Löschen"));
    action(m_format, 1568, 542, tr("Formatieren"));
    grid->addLayout(buttons, row++, 0, 1, 3);
    auto* chips = new QGroupBox(tr("FLASH Bausteine"), this);
    auto* chipRow = new QHBoxLayout(chips);
    const int chipIds[4] = {1656, 1216, 1214, 1215};
    for (int i = 0; i < 4; ++i) {
        m_chips[i] = new QPushButton(QString::number(i + 1), chips);
        m_chips[i]->setObjectName(QString::number(chipIds[i]));
        m_chips[i]->setCheckable(true);
        m_chips[i]->setEnabled(false);
        chipRow->addWidget(m_chips[i]);
    }
    grid->addWidget(chips, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    connect(m_input, &QComboBox::activated, this, [this](int item) {
        if (!m_recorder)
            return;
        Choose(ChosenInput);
        m_recorder->SetInt(recorderkey::Input, item + 1);
        Send({StrFormat("%sINPUT %d", kPath, item + 1)});
    });
    connect(m_output, &QComboBox::activated, this, [this](int item) {
        if (!m_recorder)
            return;
        Choose(ChosenOutput);
        m_recorder->SetInt(recorderkey::Output, item);
        Send({item == 0 ? P("OUTPUT NONE") : StrFormat("%sOUTPUT %d", kPath, item)});
    });
    connect(m_message, &QComboBox::activated, this, [this](int item) {
        if (!m_recorder)
            return;
        Choose(ChosenFile);
        m_recorder->SetInt(recorderkey::MessageNumber, item + 1);
        Send({StrFormat("%sFILE %d", kPath, item + 1), P("INFO ?")});
    });
    connect(m_message, &QComboBox::editTextChanged, this, &CRecorderView::OnMessageText);
    connect(m_message->lineEdit(), &QLineEdit::editingFinished, this, &CRecorderView::SettleName);
    connect(m_message, &CDropDownComboBox::droppingDown, this, &CRecorderView::FillMessages);
    connect(m_quality, &QComboBox::activated, this, [this](int item) {
        if (!m_recorder)
            return;
        const QString text = m_quality->itemText(item);
        Choose(ChosenQuality);
        m_recorder->SetText(recorderkey::Quality, text.toStdString());
        Send({P("QUALITY ") + text.toStdString()});
    });
    connect(m_maxTime, &QLineEdit::editingFinished, this, [this] {
        // A field left as it shows the time ("%3.1f") changes nothing; it
        // shows what came while it was the user's.
        if (!m_recorder)
            return;
        if (!m_maxTime->isModified()) {
            m_maxTime->SetFloat(m_recorder->GetFloat(recorderkey::MaxTime), 1, "%3.1f");
            return;
        }
        if (!m_maxTime->ReadsAsFloat()) {
            // No number: the time held shows again, nothing is sent.
            m_maxTime->ShowAgain();
            return;
        }
        Choose(ChosenMaxTime);
        m_recorder->SetFloat(recorderkey::MaxTime, m_maxTime->GetFloat(1));
        const float stored = m_recorder->GetFloat(recorderkey::MaxTime);
        m_maxTime->SetFloat(stored, 1, "%3.1f");
        Send({StrFormat("%sMAXTIME %.1f", kPath, static_cast<double>(stored))});
    });
    connect(m_info, &QPushButton::clicked, this, [this] { Send({P("INFO ?")}); });
    connect(m_play, &QPushButton::clicked, this, [this] { Send({P("FUNCTION PLAY")}); });
    connect(m_record, &QPushButton::clicked, this, [this] { Send({P("FUNCTION EASYREC")}); });
    connect(m_stop, &QPushButton::clicked, this, [this] { Send({P("FUNCTION STOP")}); });
    connect(m_erase, &QPushButton::clicked, this, [this] { Send({P("FUNCTION ERASE")}); });
    connect(m_format, &QPushButton::clicked, this, &CRecorderView::OnFormat);
    m_refusals = new CRefusalWatch(this, {kPath}, [this](const LinkRefusal& refusal) { return OnRefused(refusal); });
    m_poll.setInterval(1000);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        // A transfer owns the line: the recorder is asked again once it has
        // ended; a slow device once it has read what it was sent.
        if (!TransferHoldsLink() && m_pollPace.MayPoll()) {
            Send({P("TIME ?"), P("FUNCTION ?"), P("FREE ?")});
            m_pollPace.Polled();
        }
    });
}

CRecorderView::~CRecorderView()
{
    m_poll.stop();
    audiolive::ReleaseLink(this);
}

void CRecorderView::Send(const std::vector<std::string>& lines)
{
    if (!IsDocConnected())
        return;
    for (const std::string& line : lines)
        if (line.size() < 2 || line.compare(line.size() - 2, 2, " ?") != 0)
            m_refusals->Sending();
    audiolive::SendBlock(lines, this);
}

void CRecorderView::NoteHeld()
{
    m_held = {m_recorder->GetInt(recorderkey::Input), m_recorder->GetInt(recorderkey::Output),
              m_recorder->GetInt(recorderkey::MessageNumber), m_recorder->GetValue(recorderkey::Quality),
              m_recorder->GetFloat(recorderkey::MaxTime)};
}

bool CRecorderView::OnRefused(const LinkRefusal& refusal)
{
    if (!m_recorder)
        return false;
    const std::string key = refusal.path.substr(std::min(refusal.path.size(), std::strlen(kPath)));
    // What the user chose did not reach the device: the device's answer
    // counts again.
    const auto back = [&](Chosen which) {
        m_chosen &= ~static_cast<unsigned>(which);
        Send({P(key.c_str()) + " ?"});
    };
    if (key == "INPUT") {
        m_recorder->SetInt(recorderkey::Input, m_held.input);
        m_input->setCurrentIndex(m_held.input - 1);
        back(ChosenInput);
    } else if (key == "OUTPUT") {
        m_recorder->SetInt(recorderkey::Output, m_held.output);
        m_output->setCurrentIndex(m_held.output);
        back(ChosenOutput);
    } else if (key == "FILE") {
        m_recorder->SetInt(recorderkey::MessageNumber, m_held.file);
        m_filling = true;
        m_message->setCurrentIndex(m_held.file - 1);
        m_filling = false;
        back(ChosenFile);
    } else if (key == "QUALITY") {
        m_recorder->SetText(recorderkey::Quality, m_held.quality);
        SelectQuality();
        back(ChosenQuality);
    } else if (key == "MAXTIME") {
        m_recorder->SetFloat(recorderkey::MaxTime, m_held.maxTime);
        if (!m_maxTime->hasFocus())
            m_maxTime->SetFloat(m_recorder->GetFloat(recorderkey::MaxTime), 1, "%3.1f");
        back(ChosenMaxTime);
    }
    // A function or a formatting the device did not take is only told: the
    // state the window shows is the device's answer to the poll.
    return true;
}

void CRecorderView::OnInitialUpdate()
{
    const bool connected = IsDocConnected() != 0;
    for (QPushButton* b : {m_info, m_play, m_stop, m_record, m_erase, m_format})
        b->setEnabled(connected);
    CQuillomerDoc* doc = GetActiveDoc();
    m_recorder = doc ? dynamic_cast<CInternalMessageRec*>(doc->GetIDManager().GetBaseDevice(1, OT_INTERNAL_MESSAGE_REC))
                     : nullptr;
    if (!m_recorder)
        return;
    m_input->setCurrentIndex(m_recorder->GetInt(recorderkey::Input) - 1);
    m_output->setCurrentIndex(m_recorder->GetInt(recorderkey::Output));
    SelectQuality();
    m_maxTime->SetFloat(m_recorder->GetFloat(recorderkey::MaxTime), 1, "%3.1f");
    FillMessages();
    NoteHeld();
    if (connected) {
        std::vector<std::string> lines;
        for (const char* key : {"INPUT ?", "OUTPUT ?", "FILE ?", "QUALITY ?", "MAXTIME ?", "INFO ?", "FORMAT ?"})
            lines.push_back(P(key));
        Send(lines);
        m_poll.start();
    }
}

void CRecorderView::OnLineLost()
{
    m_poll.stop();
    for (QPushButton* chip : m_chips) {
        chip->setChecked(false);
        chip->setEnabled(false);
    }
}

void CRecorderView::FillMessages()
{
    if (!m_recorder)
        return;
    std::vector<std::string> names;
    m_recorder->GetMessageNames(1, &names);
    m_filling = true;
    m_message->clear();
    for (const std::string& name : names)
        m_message->addItem(QString::fromStdString(name));
    m_message->setCurrentIndex(m_recorder->GetInt(recorderkey::MessageNumber) - 1);
    m_filling = false;
}

void CRecorderView::OnMessageText(const QString& text)
{
    // The slot shown in the list is the one being named; choosing another
    // slot shows its own name, which then changes nothing.
    const int slot = m_message->currentIndex();
    if (m_filling || !m_recorder || slot < 0 || slot >= CInternalMessageRec::kMessageCount)
        return;
    if (slot != m_nameSlot) {
        SettleName();
        m_nameSlot = slot;
        m_nameBefore = m_recorder->GetValue(recorderkey::MessageNumber | (static_cast<uint32_t>(slot) << 16));
    }
    m_recorder->SetText(recorderkey::MessageName | (static_cast<uint32_t>(slot) << 16), text.toStdString());
    // The list item follows quietly: the combo box would otherwise put the
    // item's text back into the edit, with the cursor at its end, after each
    // key. The list itself is refilled when it drops down.
    const QSignalBlocker quiet(m_message->model());
    m_message->setItemText(slot, text);
}

void CRecorderView::SettleName()
{
    const int slot = m_nameSlot;
    m_nameSlot = -1;  // settled once, also when the message below takes the focus
    if (!m_recorder || slot < 0 || slot >= CInternalMessageRec::kMessageCount)
        return;
    const uint32_t index = static_cast<uint32_t>(slot) << 16;
    const std::string refusal = CBaseDevice::NameRefusal(m_recorder->GetValue(recorderkey::MessageNumber | index));
    if (refusal.empty())
        return;
    m_recorder->SetText(recorderkey::MessageName | index, m_nameBefore);
    {
        const QSignalBlocker quiet(m_message->model());
        m_message->setItemText(slot, QString::fromStdString(m_nameBefore));
    }
    if (m_message->currentIndex() == slot) {
        m_filling = true;
        m_message->setEditText(QString::fromStdString(m_nameBefore));
        m_filling = false;
    }
    ShowMessage(refusal, mb::Ok | mb::IconStop);
}

void CRecorderView::SelectQuality()
{
    const QString quality = QString::fromStdString(m_recorder->GetValue(recorderkey::Quality));
    for (int i = 0; i < m_quality->count(); ++i)
        if (!quality.isEmpty() && m_quality->itemText(i).startsWith(quality))
            m_quality->setCurrentIndex(i);
}

void CRecorderView::OnFormat()
{
    uint8_t set[1] = {0};
    bool any = false;
    for (unsigned i = 0; i < 4; ++i) {
        if (m_chips[i]->isEnabled() && m_chips[i]->isChecked()) {
            SetBit(set, i, true);
            any = true;
        }
    }
    if (any)
        Send({P("FORMAT ") + RangesToString(set, 4)});
}

namespace {
// Only a whole number standing alone, within what the recorder has, is a
// number from the device: "3x" or "1e40" is not taken as 3 or 1, nor an input
// 7 or a message 30, which the project would keep and no list can show.
bool ReadWhole(const std::string& value, long min, long max, int* number)
{
    const std::optional<long> v = ScanWholeNumber(value, min, max);
    if (v)
        *number = static_cast<int>(*v);
    return v.has_value();
}
}  // namespace

void CRecorderView::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    for (const std::string& line : answers) {
        std::string key, value;
        if (!m_recorder || !audiolive::SplitAnswer(line, kPath, &key, &value))
            continue;
        int number = 0;
        // What the device holds is noted also where the user's choice stands
        // against it: a refusal of his choice brings it back.
        if (key == "INPUT") {
            if (!ReadWhole(value, 1, 4, &number))
                continue;
            m_held.input = number;
            if (WasChosen(ChosenInput))
                continue;
            m_recorder->SetInt(recorderkey::Input, number);
            m_input->setCurrentIndex(m_recorder->GetInt(recorderkey::Input) - 1);
        } else if (key == "OUTPUT") {
            if (value == "NONE")
                value = "0";
            if (!ReadWhole(value, 0, 4, &number))
                continue;
            m_held.output = number;
            if (WasChosen(ChosenOutput))
                continue;
            m_recorder->SetInt(recorderkey::Output, number);
            m_output->setCurrentIndex(m_recorder->GetInt(recorderkey::Output));
        } else if (key == "FILE") {
            if (value == "OFF")
                value = "0";
            if (!ReadWhole(value, 0, CInternalMessageRec::kMessageCount, &number))
                continue;
            m_held.file = number;
            if (WasChosen(ChosenFile))
                continue;
            m_recorder->SetInt(recorderkey::MessageNumber, number);
            m_filling = true;
            m_message->setCurrentIndex(m_recorder->GetInt(recorderkey::MessageNumber) - 1);
            m_filling = false;
        } else if (key == "QUALITY") {
            if (value == CInternalMessageRec::kQualityLinear || value == CInternalMessageRec::kQualityMuLaw)
                m_held.quality = value;
            if (WasChosen(ChosenQuality))
                continue;
            m_recorder->SetText(recorderkey::Quality, value);
            SelectQuality();
        } else if (key == "MAXTIME") {
            const std::optional<float> f = ScanWholeFloat(value);
            if (!f)
                continue;
            m_held.maxTime = *f;
            if (WasChosen(ChosenMaxTime))
                continue;
            m_recorder->SetFloat(recorderkey::MaxTime, *f);
            // A time the user is typing stays his.
            if (!m_maxTime->hasFocus())
                m_maxTime->SetFloat(m_recorder->GetFloat(recorderkey::MaxTime), 1, "%3.1f");
        } else if (key == "INFO" || key == "FUNCTION" || key == "FREE") {
            m_frame->SetPaneText(key == "INFO" ? 0 : key == "FUNCTION" ? 1 : 3, QString::fromStdString(value));
        } else if (key == "TIME") {
            m_frame->SetPaneText(2, QString::fromStdString(value + " s"));
        } else if (key == "FORMAT") {
            uint8_t set[1] = {0};
            if (ParseRanges(set, 8, value)) {
                for (unsigned i = 0; i < 4; ++i) {
                    const bool on = TestBit(set, i);
                    m_chips[i]->setEnabled(on);
                    m_chips[i]->setChecked(on);
                }
            }
        }
    }
    answers.clear();
}
