#include "service/windows/CServiceDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <functional>

#include <cstdio>

#include "comm/CCommLink.h"
#include "hardware/CInternalSlot.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/StringTable.h"
#include "service/windows/ServiceWindowIds.h"
#include "ui/CPictureSet.h"
#include "ui/CTextRuleDelegate.h"
#include "ui/CTransferLoop.h"

namespace {
const char* const kTests[] = {"BOOTLOAD", "RESET",   "WATCHDOG", "EEPROM",   "EEPCLR", "VCC",     "BATTERY",
                              "RTC",      "PILOT",   "UART",     "SPIREAD",  "SPIWRITE", "EXTMONI", "INTMONI",
                              "AMP485",   "KVTNET",  "PAGENET",  "LOGICINP", "LOGICOUT", "SLAVE",   "SINESWEEP"};
enum Column { ColOut = 0, ColIn = 1, ColName = 2 };

// Hands every typed register value to the dialog, also one the cell already
// shows: a write is an action on the device, not a change of the cell. A
// value the line cannot carry as shown is refused with a word on it.
class RegisterDelegate : public CTextRuleDelegate {
public:
    RegisterDelegate(QObject* parent, std::function<void(int row, const QString& text)> written)
        : CTextRuleDelegate(parent), m_written(std::move(written))
    {
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (edit && index.column() == ColOut) {
            if (TakesEditorText(editor, index))
                m_written(index.row(), edit->text());
        } else {
            CTextRuleDelegate::setModelData(editor, model, index);
        }
    }

private:
    std::function<void(int, const QString&)> m_written;
};
}  // namespace

CServiceDlg::CServiceDlg(CInternalSlot* slot, QWidget* parent) : CResizableDialog(299, parent), m_slot(slot)
{
    setWindowTitle(tr("Service Funktionen"));
    auto* grid = new QGridLayout(this);
    auto status = [&](const QString& title, QLabel*& value, int column) {
        auto* box = new QGroupBox(title, this);
        auto* layout = new QGridLayout(box);
        value = new QLabel(QStringLiteral("-"), box);
        value->setMinimumWidth(90);
        layout->addWidget(value, 0, 0);
        grid->addWidget(box, 0, column);
    };
    status(tr("Power On Events"), m_onCount, 0);
    status(tr("Online"), m_onTime, 1);
    status(tr("KVT Softwareversion"), m_version, 2);

    auto* test = new QGroupBox(tr("Funktion"), this);
    auto* testLayout = new QGridLayout(test);
    m_tests = new QComboBox(test);
    m_tests->setObjectName(QStringLiteral("1287"));
    for (const char* item : kTests)
        m_tests->addItem(QString::fromLatin1(item));
    m_tests->setCurrentIndex(-1);
    testLayout->addWidget(m_tests, 0, 0);
    m_start = new QPushButton(CPictureSet::ListImage(311, 0), QString(), test);
    m_start->setObjectName(QStringLiteral("1212"));
    m_start->setToolTip(tr("Test auslösen"));
    testLayout->addWidget(m_start, 0, 1);
    testLayout->setColumnStretch(0, 1);
    grid->addWidget(test, 1, 0, 1, 3);

    m_registers = new QTableWidget(kRegisterRows, 3, this);
    m_registers->setObjectName(QStringLiteral("1288"));
    m_registers->setHorizontalHeaderLabels({QStringLiteral("OUT"), QStringLiteral("IN"),
                                            QString::fromStdString(LoadStringId(servicewinid::StrName))});
    m_registers->verticalHeader()->hide();
    for (int column = 0; column < 3; ++column)
        m_registers->setColumnWidth(column, 80);
    // All eight registers in view at the size the dialog opens with, LOGIC
    // included, in any font size.
    m_registers->setMinimumSize(260, m_registers->horizontalHeader()->sizeHint().height() +
                                         kRegisterRows * m_registers->verticalHeader()->defaultSectionSize() +
                                         2 * m_registers->frameWidth());
    for (int row = 0; row < kRegisterRows; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto* cell = new QTableWidgetItem;
            if (column != ColOut)
                cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
            m_registers->setItem(row, column, cell);
        }
        m_registers->item(row, ColName)->setText(row < 7 ? QStringLiteral("SPI%1").arg(row + 1) : QStringLiteral("LOGIC"));
    }
    grid->addWidget(m_registers, 2, 0, 1, 3);
    m_read = new QPushButton(CPictureSet::ListImage(314, 0), QString(), this);
    m_read->setObjectName(QStringLiteral("1213"));
    m_read->setToolTip(tr("Register neu auslesen"));
    grid->addWidget(m_read, 3, 0, Qt::AlignLeft);
    grid->setRowStretch(2, 1);

    // Enter in the register table or the list of tests starts no test and
    // reads nothing: only a click on a button does.
    m_start->setAutoDefault(false);
    m_read->setAutoDefault(false);
    connect(m_start, &QPushButton::clicked, this, &CServiceDlg::OnStartTest);
    connect(m_read, &QPushButton::clicked, this, &CServiceDlg::OnReadRegisters);
    m_registers->setItemDelegate(
        new RegisterDelegate(m_registers, [this](int row, const QString& text) { WriteRegister(row, text); }));
    connect(m_registers, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* cell) {
        if (!m_filling && cell->column() == ColOut)
            WriteRegister(cell->row(), cell->text());
    });
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CServiceDlg::Poll);

    // Opening: the counters and the version, then every register.
    if (!LineLost()) {
        Send("/SERVICE/ONTIME ?");
        Send("/SERVICE/ONCOUNT ?");
        Send("/SERVICE/VER ?");
        m_timer.start();
        OnReadRegisters();
    }
    if (m_slot)
        m_slot->m_openDialog = this;
}

CServiceDlg::~CServiceDlg()
{
    m_timer.stop();
    if (m_slot && m_slot->m_openDialog == this)
        m_slot->m_openDialog = nullptr;
}

int CServiceDlg::DoModal()
{
    const int result = exec();
    if (m_slot && m_slot->m_openDialog == this)
        m_slot->m_openDialog = nullptr;
    return result;
}

void CServiceDlg::Send(const std::string& line)
{
    ::SendCommand(line, GetActiveDoc(), true);
}

bool CServiceDlg::LineLost()
{
    if (!m_lineUp || !CTransferLoop::LineDown())
        return !m_lineUp;
    // Without the device nothing here can act: the test, the reading and the
    // writing of the registers are greyed, and the counters polled once a
    // second show no value they no longer follow.
    m_lineUp = false;
    m_timer.stop();
    m_tests->setEnabled(false);
    m_start->setEnabled(false);
    m_read->setEnabled(false);
    m_registers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_onTime->setText(QStringLiteral("-"));
    m_onCount->setText(QStringLiteral("-"));
    return true;
}

void CServiceDlg::Poll()
{
    // A transfer owns the line: the counters are asked again once it has ended.
    if (LineLost() || TransferHoldsLink())
        return;
    Send("/SERVICE/ONTIME ?");
    Send("/SERVICE/ONCOUNT ?");
}

void CServiceDlg::OnStartTest()
{
    if (LineLost())
        return;
    Send("/SERVICE/START " + m_tests->currentText().toStdString());
}

void CServiceDlg::OnReadRegisters()
{
    if (LineLost())
        return;
    for (int row = 0; row < kRegisterRows; ++row) {
        const std::string name = m_registers->item(row, ColName)->text().toStdString();
        Send("/SERVICE/" + name + "/OUT ?");
        Send("/SERVICE/" + name + "/IN ?");
    }
}

void CServiceDlg::WriteRegister(int row, const QString& text)
{
    if (row < 0 || row >= kRegisterRows || LineLost())
        return;
    // Only printable characters travel; the cell waits for the device's answer.
    QString clean;
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            clean.append(c);
    const std::string name = m_registers->item(row, ColName)->text().toStdString();
    m_filling = true;
    m_registers->item(row, ColOut)->setText(QString());
    m_filling = false;
    Send("/SERVICE/" + name + "/OUT " + clean.toStdString());
    // The echo of the line written is no answer: the cell shows what the
    // device answers it holds now.
    Send("/SERVICE/" + name + "/OUT ?");
    Send("/SERVICE/" + name + "/IN ?");
}

void CServiceDlg::ParseAnswer(const std::string& line)
{
    const size_t slash = line.find('/');
    const size_t blank = line.find(' ');
    if (slash == std::string::npos || blank == std::string::npos || slash > blank)
        return;
    const std::string key = line.substr(slash, blank - slash);
    const std::string value = line.substr(blank + 1);
    if (value == "?")
        return;
    // "PATH VALUE ?": the device refused a register written; the register
    // holds no value known here.
    const bool refused = IsRefusedValue(value);
    const QString text = refused ? QString() : QString::fromStdString(value);
    auto setCell = [this, &text](int row, const std::string& rest) {
        const int column = rest == "/OUT" ? ColOut : rest == "/IN" ? ColIn : -1;
        if (row < 0 || row >= kRegisterRows || column < 0)
            return;
        m_filling = true;
        m_registers->item(row, column)->setText(text);
        m_filling = false;
    };
    if (refused && key.compare(0, 4, "/SPI") != 0 && key.compare(0, 6, "/LOGIC") != 0)
        return;
    if (key == "/VER") {
        m_version->setText(text);
    } else if (key == "/ONTIME") {
        if (value != m_lastOnTime) {
            m_lastOnTime = value;
            m_onTime->setText(text);
        }
    } else if (key == "/ONCOUNT") {
        int count = 0;
        if (std::sscanf(value.c_str(), "%d", &count) == 1 && count != m_lastOnCount) {
            m_lastOnCount = count;
            m_onCount->setText(text);
        }
    } else if (key.compare(0, 4, "/SPI") == 0) {
        int n = 0;
        if (std::sscanf(key.c_str() + 4, "%d", &n) == 1) {
            const size_t next = key.find('/', 4);
            if (next != std::string::npos)
                setCell(n - 1, key.substr(next));
        }
    } else if (key.compare(0, 6, "/LOGIC") == 0) {
        setCell(kRegisterRows - 1, key.substr(6));
    }
}
