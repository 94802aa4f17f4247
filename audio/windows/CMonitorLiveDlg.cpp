#include "audio/windows/CMonitorLiveDlg.h"

#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

#include "audio/windows/AudioLive.h"
#include "comm/CCommLink.h"
#include "model/DocContext.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

namespace {
const char* const kWords[] = {"OFF", "IN", "OUT", "EXT", "REL", "AMP_IN", "AMP_OUT"};
constexpr int kWordCount = 7;
const char* const kQueries[] = {"/MONI/VOL ", "/MONI/SEL ", "/MONI/IDX ", "/MONI/TABSLCT "};

// Only a whole number standing alone is an index or an entry: one typed
// with a decimal mark ("12,5", "3.5,5") or with more after it ("25:61",
// "12abc") is not sent, neither as typed nor as the number it starts with.
bool IsWholeTyped(const std::string& text, bool hex)
{
    if (hex)
        return !text.empty() && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    return ScanTypedWholeAlone(text).has_value();
}

// The text the field showed before the user typed (the device's, which a
// text set by the dialog leaves as the start of the field's undo history),
// over a text that was never sent.
void ShowAgain(QLineEdit* field)
{
    while (field->isUndoAvailable())
        field->undo();
}
}  // namespace

const char* CMonitorLiveDlg::SourceWord(int item)
{
    return item >= 0 && item < kWordCount ? kWords[item] : "";
}

CMonitorLiveDlg::CMonitorLiveDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("516"));
    setWindowTitle(tr("Aktuelle Monitoreinstellungen"));
    auto* top = new QVBoxLayout(this);

    auto* volumeBox = new QGroupBox(tr("Lautstärke"), this);
    auto* volumeRow = new QHBoxLayout(volumeBox);
    m_volume = new QSlider(Qt::Horizontal, volumeBox);
    m_volume->setObjectName(QStringLiteral("1526"));
    m_volume->setSingleStep(1);
    m_volumeText = new QLabel(QStringLiteral("0"), volumeBox);
    m_volumeText->setObjectName(QStringLiteral("1525"));
    m_volumeText->setMinimumWidth(m_volumeText->fontMetrics().horizontalAdvance(QStringLiteral("-000")));
    volumeRow->addWidget(m_volume, 1);
    volumeRow->addWidget(m_volumeText);
    volumeRow->addWidget(new QLabel(QStringLiteral("dB"), volumeBox));
    top->addWidget(volumeBox);

    auto* sourceBox = new QGroupBox(tr("Auswahl"), this);
    auto* sourceGrid = new QGridLayout(sourceBox);
    m_source = new QComboBox(sourceBox);
    m_source->setObjectName(QStringLiteral("1520"));
    const QString items[kWordCount] = {tr("keine Auswahl"), QStringLiteral("IN"),  QStringLiteral("OUT"),
                                       tr("Extern"),        tr("Relais"),          tr("Verstärkereingang"),
                                       tr("Verstärkerausgang")};
    for (int i = 0; i < kWordCount; ++i)
        m_source->addItem(items[i], i);
    m_source->setCurrentIndex(0);
    m_index = new QLineEdit(sourceBox);
    m_index->setObjectName(QStringLiteral("1527"));
    sourceGrid->addWidget(m_source, 0, 0, 1, 2);
    sourceGrid->addWidget(new QLabel(tr("Index :"), sourceBox), 1, 0);
    sourceGrid->addWidget(m_index, 1, 1);
    top->addWidget(sourceBox);

    auto* entryBox = new QGroupBox(tr("Tabelleneintrag"), this);
    auto* entryRow = new QHBoxLayout(entryBox);
    m_entry = new QLineEdit(entryBox);
    m_entry->setObjectName(QStringLiteral("1006"));
    entryRow->addWidget(m_entry);
    top->addWidget(entryBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    top->addWidget(buttons);

    // Older devices reach 0 dB, newer ones +6 dB.
    if (GetAppHost().GetProfileInt("KVT7000", "Device Id", 0) < 10337)
        m_volume->setRange(-78, 0);
    else
        m_volume->setRange(-72, 6);

    connect(m_source, &QComboBox::activated, this, &CMonitorLiveDlg::OnSource);
    connect(m_volume, &QSlider::actionTriggered, this, [this](int) { OnVolume(m_volume->sliderPosition()); });
    connect(m_index, &QLineEdit::editingFinished, this, &CMonitorLiveDlg::OnIndexEdited);
    connect(m_entry, &QLineEdit::editingFinished, this, &CMonitorLiveDlg::OnEntryEdited);
    Refresh();
}

CMonitorLiveDlg::~CMonitorLiveDlg()
{
    // Closing hands the link back online whatever state the exchanges left it
    // in. A link whose line is down stays as it is, and so does one that a
    // transfer, a text file or the firmware loader still holds.
    CCommLink* link = GetCommLink();
    if (!link || !link->IsConnected() || link->IsSendingTextFile() || link->IsExporting())
        return;
    const int state = link->GetLinkState();
    if (state != linkstate::Upload && state != linkstate::Download && state != linkstate::FirmwareLoad)
        link->SetLinkState(linkstate::Online);
}

void CMonitorLiveDlg::Refresh()
{
    CCommLink* link = GetCommLink();
    // While a transfer owns the line its answers are not the monitor's.
    if (!IsDocConnected() || !link || TransferHoldsLink())
        return;
    std::vector<std::string> queries, answers;
    for (const char* q : kQueries)
        queries.push_back(std::string(q) + "?");
    link->SendAndCollect(queries, &answers);
    ApplyAnswers(answers);
}

bool CMonitorLiveDlg::ApplyAnswers(const std::vector<std::string>& answers)
{
    if (answers.size() != 4)
        return false;
    std::string values[4];
    for (int i = 0; i < 4; ++i) {
        values[i] = answers[static_cast<size_t>(i)];
        const std::string prefix = kQueries[i];
        if (values[i].compare(0, prefix.size(), prefix) == 0)
            values[i].erase(0, prefix.size());
        while (!values[i].empty() && (values[i].back() == '\r' || values[i].back() == '\n'))
            values[i].pop_back();
    }
    // What the device did not understand ("? ") is no value: the field keeps
    // what it showed.
    if (const auto volume = ScanWholeNumber(values[0], -1000, 1000); volume && !IsRefusedValue(values[0])) {
        const QSignalBlocker quiet(m_volume);
        m_volume->setValue(static_cast<int>(*volume));
        m_volumeText->setText(QString::fromStdString(values[0]));
    }
    for (int i = 0; i < kWordCount; ++i)
        if (values[1] == kWords[i])
            m_source->setCurrentIndex(i);
    if (!IsRefusedValue(values[2]))
        m_index->setText(QString::fromStdString(values[2]));
    if (!IsRefusedValue(values[3]))
        m_entry->setText(QString::fromStdString(values[3]));
    return true;
}

void CMonitorLiveDlg::SendAndRefresh(const std::string& line)
{
    if (CCommLink* link = GetCommLink())
        link->SendLine(line, nullptr);
    Refresh();
}

void CMonitorLiveDlg::OnSource(int item)
{
    SendAndRefresh(std::string("/MONI/SEL ") + SourceWord(item));
}

void CMonitorLiveDlg::OnVolume(int position)
{
    m_volumeText->setText(QString::number(position));
    audiolive::SendBlock({StrFormat("/MONI/VOL %d", position)}, nullptr, false);
}

void CMonitorLiveDlg::OnIndexEdited()
{
    const std::string text = audiolive::LineValue(m_index->text());
    const int item = m_source->currentIndex();
    // Amplifier sources are chosen by their bus address, written in hexadecimal.
    const bool hex = item == 5 || item == 6;
    unsigned value = 0;
    int number = 0;
    const bool reads = hex ? std::sscanf(text.c_str(), "%x", &value) == 1 : std::sscanf(text.c_str(), "%d", &number) == 1;
    if (reads && IsWholeTyped(text, hex))
        SendAndRefresh("/MONI/IDX " + text);
    else
        ShowAgain(m_index);
}

void CMonitorLiveDlg::OnEntryEdited()
{
    const std::string text = audiolive::LineValue(m_entry->text());
    int number = 0;
    if (std::sscanf(text.c_str(), "%d", &number) == 1 && IsWholeTyped(text, false))
        SendAndRefresh("/MONI/TABSLCT " + text);
    else
        ShowAgain(m_entry);
}
