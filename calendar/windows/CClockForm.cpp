#include "calendar/windows/CClockForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "calendar/CClock.h"
#include "calendar/CalendarIds.h"
#include "calendar/CalendarTime.h"
#include "comm/CCommLink.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "platform/SystemTime.h"
#include "ui/CAnimateCtrl.h"
#include "comm/ILinkAnswerSink.h"
#include "ui/CPictureSet.h"
#include "comm/LinkRefusal.h"
#include "platform/AnswerLine.h"
#include "ui/CRefusalWatch.h"
#include "ui/CTransferLoop.h"
#include "ui/UiIds.h"

namespace {
constexpr int kPollMs = 1000;
constexpr int kReceptionAnimation = 465;
const char* const kPollKeys[] = {"/MAIN/TIME", "/MAIN/DATE", "/DCF/TIME", "/DCF/DATE",
                                 "/DCF/RECEIVE", "/SLAVE/TIME", "/SLAVE/OVERLOAD"};

QLineEdit* MakeEdit(QWidget* parent, int id, bool readOnly)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setReadOnly(readOnly);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    return e;
}
}  // namespace

CClockForm::CClockForm(KeptTexts& kept, QWidget* parent) : QWidget(parent), m_kept(kept)
{
    auto* mainBox = new QGroupBox(tr("QUILLOMER Systemzeit"), this);
    m_mainTime = MakeEdit(mainBox, 1195, true);
    m_mainDate = MakeEdit(mainBox, 1007, true);
    m_setMain = new QPushButton(CPictureSet::ListImage(310, 0), QString(), mainBox);
    m_setMain->setObjectName(QStringLiteral("1267"));
    m_setMain->setToolTip(tr("Stellen"));
    auto* mainLayout = new QGridLayout(mainBox);
    mainLayout->addWidget(m_mainTime, 0, 0);
    mainLayout->addWidget(m_mainDate, 0, 1);
    mainLayout->addWidget(m_setMain, 0, 2);

    auto* dcfBox = new QGroupBox(tr("Letzte DCF 77 Synchronisation"), this);
    m_dcfTime = MakeEdit(dcfBox, 1008, true);
    m_dcfDate = MakeEdit(dcfBox, 1010, true);
    m_dcfStatus = new QLabel(dcfBox);
    m_dcfStatus->setObjectName(QStringLiteral("1197"));
    m_dcfStatus->setToolTip(tr("DCF Status"));
    m_dcfAnimation = new CAnimateCtrl(dcfBox);
    m_dcfAnimation->setObjectName(QStringLiteral("1374"));
    m_dcfAnimation->setMinimumHeight(CPictureSet::FrameSize(kReceptionAnimation).height());
    auto* dcfLayout = new QGridLayout(dcfBox);
    dcfLayout->addWidget(m_dcfTime, 0, 0);
    dcfLayout->addWidget(m_dcfDate, 0, 1);
    dcfLayout->addWidget(m_dcfStatus, 0, 2);
    dcfLayout->addWidget(m_dcfAnimation, 1, 0, 1, 3);

    auto* slaveBox = new QGroupBox(tr("Nebenuhren"), this);
    m_slaveTime = MakeEdit(slaveBox, 1009, false);
    m_setSlave = new QPushButton(CPictureSet::ListImage(312, 0), QString(), slaveBox);
    m_setSlave->setObjectName(QStringLiteral("1268"));
    m_setSlave->setToolTip(tr("Stellen"));
    m_overload = new QLabel(slaveBox);
    m_overload->setObjectName(QStringLiteral("1200"));
    m_overload->setToolTip(tr("Überlast"));
    const auto toggle = [slaveBox](const QString& text, int id) {
        auto* button = new QPushButton(text, slaveBox);
        button->setObjectName(QString::number(id));
        button->setCheckable(true);
        return button;
    };
    m_invert = toggle(tr("Invert"), 1213);
    m_run = toggle(tr("Start"), 1255);
    auto* slaveLayout = new QGridLayout(slaveBox);
    slaveLayout->addWidget(m_slaveTime, 0, 0);
    slaveLayout->addWidget(m_setSlave, 0, 1);
    slaveLayout->addWidget(m_overload, 0, 2);
    slaveLayout->addWidget(m_invert, 1, 0, Qt::AlignLeft);
    slaveLayout->addWidget(m_run, 1, 1, Qt::AlignLeft);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mainBox);
    layout->addWidget(dcfBox);
    layout->addWidget(slaveBox);
    layout->addStretch(1);

    SetIcon(m_dcfStatus, true);
    SetIcon(m_overload, false);
    // Enter in a field must not press the button clicked last (in the window's
    // host or the clock dialog that would set the main clock from what stood
    // there, or switch the slave line): it sets what the field is for.
    for (QPushButton* button : {m_setMain, m_setSlave, m_invert, m_run})
        button->setAutoDefault(false);
    for (QLineEdit* field : {m_mainTime, m_mainDate, m_slaveTime})
        field->installEventFilter(this);
    connect(m_setMain, &QPushButton::clicked, this, [this] { OnSetMainClock(); });
    connect(m_setSlave, &QPushButton::clicked, this, [this] { OnSetSlaveClock(); });
    connect(m_run, &QPushButton::clicked, this, [this] { OnSlaveRun(); });
    connect(m_invert, &QPushButton::clicked, this, [this] { OnSlaveInvert(); });
    m_refusals = new CRefusalWatch(this, {"/CLOCK/SLAVE/RUN", "/CLOCK/SLAVE/INVERT"},
                                   [this](const LinkRefusal& refusal) { return OnSwitchRefused(refusal); });
}

CClockForm::~CClockForm()
{
    if (m_clock && m_clock->GetAnswerSink() == this)
        m_clock->SetAnswerSink(m_previous.data());
    m_kept.Clear();
}

void CClockForm::Attach(CClock* clock)
{
    m_clock = clock;
    if (!clock)
        return;
    if (auto* previous = dynamic_cast<CClockForm*>(clock->GetAnswerSink()); previous != this)
        m_previous = previous;
    clock->SetAnswerSink(this);
    m_invert->setChecked(clock->m_invert == "ON");
    m_run->setChecked(clock->m_run == "ON");
}

void CClockForm::Send(const QString& line)
{
    SendCommand(line.toStdString(), GetActiveDoc(), true);
}

void CClockForm::SetIcon(QLabel* label, bool bad)
{
    // Icon 251 shows a fault (no reception, overload), 245 the good state.
    label->setProperty("iconId", bad ? 251 : 245);
    label->setPixmap(CPictureSet::Icon(bad ? 251 : 245).pixmap(16, 16));
}

void CClockForm::StartPolling()
{
    for (const char* key : {"/CLOCK/MAIN/DATE ?", "/CLOCK/DCF/DATE ?", "/CLOCK/SLAVE/RUN ?", "/CLOCK/SLAVE/INVERT ?"})
        Send(QString::fromLatin1(key));
    m_dcfAnimation->Open(kReceptionAnimation, false);
    m_receptionFlag = 1;
    if (m_timerId == 0)
        m_timerId = startTimer(kPollMs);
}

void CClockForm::PollOnce()
{
    // A transfer owns the line: the clock is asked again once it has ended;
    // a slow device is asked again once it has read what it was sent.
    if (TransferHoldsLink() || !m_pollPace.MayPoll())
        return;
    for (const char* key : kPollKeys)
        Send(QStringLiteral("/CLOCK") + QString::fromLatin1(key) + QStringLiteral(" ?"));
    m_pollPace.Polled();
}

void CClockForm::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timerId)
        PollOnce();
    else
        QWidget::timerEvent(event);
}

bool CClockForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_slaveTime) {
                OnSetSlaveClock();
                return true;
            }
            if ((watched == m_mainTime || watched == m_mainDate) && IsEditingMainClock()) {
                OnSetMainClock();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CClockForm::IsEditingSlaveClock() const
{
    // Typed into and not sent yet, while the field or its button has the focus.
    return m_slaveTime->isModified() && (m_slaveTime->hasFocus() || m_setSlave->hasFocus());
}

bool CClockForm::IsEditingMainClock() const
{
    return !m_mainTime->isReadOnly();
}

void CClockForm::OnSetMainClock()
{
    if (!IsEditingMainClock()) {
        // First click: the fields are the user's until the second click.
        m_mainTimeBefore = m_mainTime->text();
        m_mainDateBefore = m_mainDate->text();
        m_mainTime->setReadOnly(false);
        m_mainDate->setReadOnly(false);
        if (m_timerId) {
            killTimer(m_timerId);
            m_timerId = 0;
        }
        m_setMain->setProperty("bitmapId", 311);
        m_setMain->setIcon(CPictureSet::ListImage(311, 0));
        return;
    }
    m_mainTime->setReadOnly(true);
    m_mainDate->setReadOnly(true);
    if (m_timerId == 0)
        m_timerId = startTimer(kPollMs);
    m_setMain->setProperty("bitmapId", 310);
    m_setMain->setIcon(CPictureSet::ListImage(310, 0));
    const std::optional<QString> time = DeviceTimeText(m_mainTime->text());
    const std::optional<QString> date = DeviceDateText(m_mainDate->text());
    if (!time || !date) {
        // A time or date that does not exist ("25:61:00", "31.02.2026") is
        // refused as a date or time field refuses it: nothing goes to the
        // device, the fields show the clock as before, and the user is told.
        m_mainTime->setText(m_mainTimeBefore);
        m_mainDate->setText(m_mainDateBefore);
        ShowMessageId(date ? uistr::BadTime : uistr::BadDate, mb::Ok);
        return;
    }
    const QPointer<CClockForm> alive(this);
    const bool read = SendSet({"/CLOCK/MAIN/TIME " + time->toStdString(), "/CLOCK/MAIN/DATE " + date->toStdString()},
                              tr("QUILLOMER Systemzeit"), [this] {
                                  m_mainTime->setText(m_mainTimeBefore);
                                  m_mainDate->setText(m_mainDateBefore);
                              });
    if (!alive || !read)
        return;
    // The fields hold what the user typed, not the device's last answers: the
    // next answers show what the device took, even when it kept its old date.
    m_kept.mainTime.clear();
    m_kept.mainDate.clear();
}

void CClockForm::OnSetSlaveClock()
{
    const std::optional<QString> time = DeviceTimeText(m_slaveTime->text());
    m_slaveTime->setModified(false);
    if (!time) {
        // No time ("99:99"): nothing is sent, the field shows the slave
        // clock as before, and the user is told.
        m_slaveTime->setText(m_slaveBefore);
        ShowMessageId(uistr::BadTime, mb::Ok);
        return;
    }
    const QPointer<CClockForm> alive(this);
    const bool read = SendSet({"/CLOCK/SLAVE/TIME " + time->toStdString()}, tr("Nebenuhren"),
                              [this] { m_slaveTime->setText(m_slaveBefore); });
    if (!alive || !read)
        return;
    m_slaveBefore = m_slaveTime->text();
    // The next answer shows what the slave line took.
    m_kept.slaveTime.clear();
}

bool CClockForm::SendSet(const std::vector<std::string>& lines, const QString& name, const std::function<void()>& undo)
{
    CCommLink* link = GetCommLink();
    if (!link || (!link->IsConnected() && !link->ConnectionEnded())) {
        for (const std::string& line : lines)
            Send(QString::fromStdString(line));
        return true;
    }
    // A clock is set only once the device has read the lines: one that
    // stopped reading, refused them or lost its line is told, and the
    // fields do not show a time the device never took.
    struct Quiet : ILinkAnswerSink {
        void OnLinkAnswer(intptr_t, std::vector<std::string>& answers) override { answers.clear(); }
    } sink;
    const uint64_t refusedBefore = link->GetRefusedCount();
    setEnabled(false);
    CTransferLoop loop;
    const QPointer<CClockForm> alive(this);
    const CTransferLoop::Result result = loop.RunBlocks(0, {lines}, &sink, name.toStdString());
    const bool taken = result.stop == CTransferLoop::Stop::None && link->GetRefusedCount() == refusedBefore;
    if (alive) {
        setEnabled(true);
        if (!taken)
            undo();  // before the message: the window never shows the time while it is read
    }
    loop.ReportStop(result);
    loop.ReportRefused(result.stop, result.block);
    return taken;
}

std::optional<QString> CClockForm::DeviceTimeText(const QString& typed)
{
    // A time typed short ("6:3") goes in the device's form (06:03:00).
    int hour = 0, minute = 0, second = 0;
    if (!caltime::ParseUserTime(typed.toStdString(), hour, minute, second))
        return std::nullopt;
    return QString::asprintf("%02d:%02d:%02d", hour, minute, second);
}

std::optional<QString> CClockForm::DeviceDateText(const QString& typed) const
{
    // The field shows the device's form in either language, and is typed so;
    // the other form is told apart by its separator ("29.02.2028" is a day
    // first also to a device that writes "02/29/2028"). Any day that exists
    // goes: the device keeps its date as text, and says when it cannot take it.
    int day = 0, month = 0, year = 0;
    if (!caltime::ParseDeviceDate(typed.trimmed().toStdString(), day, month, year))
        return std::nullopt;
    return QString::fromStdString(caltime::DeviceDate(day, month, year, DeviceDateForm()));
}

caltime::DateForm CClockForm::DeviceDateForm() const
{
    if (m_deviceDateForm)
        return *m_deviceDateForm;
    return CCommLink::DateFormatWord() == "US" ? caltime::DateForm::US : caltime::DateForm::German;
}

void CClockForm::OnSlaveRun()
{
    SendSwitch(false, m_run->isChecked());
}

void CClockForm::OnSlaveInvert()
{
    SendSwitch(true, m_invert->isChecked());
}

void CClockForm::SendSwitch(bool invert, bool on)
{
    // The project keeps what the user set (the device's echo of it is no
    // answer); the next answer that differs from it shows again.
    if (m_clock)
        m_clock->SetSlaveSwitch(invert, on);
    (invert ? m_kept.slaveInvert : m_kept.slaveRun).clear();
    if (m_refusals)
        m_refusals->Sending();
    Send(QStringLiteral("/CLOCK/SLAVE/") + (invert ? QStringLiteral("INVERT ") : QStringLiteral("RUN ")) +
         (on ? QStringLiteral("ON") : QStringLiteral("OFF")));
}

bool CClockForm::OnSwitchRefused(const LinkRefusal& refusal)
{
    // The form that takes the clock's answers speaks for it (the clock
    // dialog while it runs over the clock window).
    if (!m_clock || m_clock->GetAnswerSink() != this)
        return false;
    const bool invert = refusal.path.find("INVERT") != std::string::npos;
    const std::optional<bool> refused = ReadFlagWord(refusal.value);
    if (refused) {
        // A switch the device did not take stands where it stood.
        (invert ? m_invert : m_run)->setChecked(!*refused);
        m_clock->SetSlaveSwitch(invert, !*refused);
    }
    // The device says where it stands.
    (invert ? m_kept.slaveInvert : m_kept.slaveRun).clear();
    Send(QStringLiteral("/CLOCK/SLAVE/") + (invert ? QStringLiteral("INVERT ?") : QStringLiteral("RUN ?")));
    return true;
}

void CClockForm::OnClockAnswer(const std::string& answer)
{
    const QString line = QString::fromStdString(answer).trimmed();
    const qsizetype slash = line.indexOf(QLatin1Char('/'));
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    if (slash < 0 || blank < slash)
        return;
    const QString key = line.mid(slash, blank - slash);
    const QString value = line.mid(blank + 1).trimmed();
    if (value == QLatin1String("?"))
        return;
    struct Field {
        const char* key;
        QString KeptTexts::*kept;
        QLineEdit* CClockForm::*edit;
    };
    static const Field fields[] = {
        {"/MAIN/TIME", &KeptTexts::mainTime, &CClockForm::m_mainTime},
        {"/MAIN/DATE", &KeptTexts::mainDate, &CClockForm::m_mainDate},
        {"/DCF/TIME", &KeptTexts::dcfTime, &CClockForm::m_dcfTime},
        {"/DCF/DATE", &KeptTexts::dcfDate, &CClockForm::m_dcfDate},
        {"/SLAVE/TIME", &KeptTexts::slaveTime, &CClockForm::m_slaveTime},
        {"/DCF/RECEIVE", &KeptTexts::dcfReceive, nullptr},
        {"/SLAVE/OVERLOAD", &KeptTexts::slaveOverload, nullptr},
        {"/SLAVE/RUN", &KeptTexts::slaveRun, nullptr},
        {"/SLAVE/INVERT", &KeptTexts::slaveInvert, nullptr},
    };
    for (const Field& f : fields) {
        if (key != QLatin1String(f.key))
            continue;
        if (f.kept == &KeptTexts::mainDate || f.kept == &KeptTexts::dcfDate) {
            // The device's dates come in the form it uses: a date typed is
            // sent in that form.
            int day = 0, month = 0, year = 0;
            caltime::DateForm form = caltime::DateForm::German;
            if (caltime::ParseDeviceDate(value.right(10).toStdString(), day, month, year, &form))
                m_deviceDateForm = form;
        }
        // Answers still under way when the user began to type do not overwrite his text.
        if ((f.edit == &CClockForm::m_mainTime || f.edit == &CClockForm::m_mainDate) && IsEditingMainClock())
            return;
        if (f.edit == &CClockForm::m_slaveTime && IsEditingSlaveClock())
            return;
        QString& kept = m_kept.*(f.kept);
        if (kept == value)
            return;
        kept = value;
        if (f.edit) {
            (this->*(f.edit))->setText(value);
            if (f.edit == &CClockForm::m_slaveTime)
                m_slaveBefore = value;
        } else if (key == QLatin1String("/DCF/RECEIVE")) {
            const bool on = value == QLatin1String("ON");
            if (!on && m_receptionFlag == 0) {
                m_dcfAnimation->Stop();
                m_dcfAnimation->Seek(0);
                SetIcon(m_dcfStatus, true);
                m_receptionFlag = 1;
            } else if (on) {
                if (m_receptionFlag == 1) {
                    m_dcfAnimation->Seek(0);  // from the first frame, without end
                    m_dcfAnimation->Play();
                    SetIcon(m_dcfStatus, false);
                    m_receptionFlag = 0;
                }
                SetComputerClock();
            }
        } else if (key == QLatin1String("/SLAVE/OVERLOAD")) {
            SetIcon(m_overload, value == QLatin1String("ON"));
        } else if (key == QLatin1String("/SLAVE/RUN")) {
            m_run->setChecked(value == QLatin1String("ON"));
        } else {
            m_invert->setChecked(value == QLatin1String("ON"));
        }
        return;
    }
}

void CClockForm::SetComputerClock()
{
    // Only when the radio time (to the minute) and date match the device's clock.
    if (m_kept.dcfTime.left(5) != m_kept.mainTime.left(5) || m_kept.dcfDate != m_kept.mainDate)
        return;
    LocalTimeValue v;
    int h = 0, m = 0, sec = 0;
    if (!caltime::ParseDeviceTime(m_kept.dcfTime.toStdString(), h, m, sec) ||
        !caltime::ParseDeviceDate(m_kept.dcfDate.right(10).toStdString(), v.day, v.month, v.year) ||
        !caltime::ParseDeviceTime(m_kept.mainTime.toStdString(), v.hour, v.minute, v.second))
        return;
    v.millisecond = 10;
    std::string reason;
    if (!SetLocalSystemTime(v, &reason)) {
        ShowMessage(StrFormat(LoadStringId(IDS_CAL_SET_PC_CLOCK_FAILED).c_str(), reason.c_str()),
                    mb::Ok | mb::IconExclamation);
        return;
    }
    QThread::yieldCurrentThread();
}
