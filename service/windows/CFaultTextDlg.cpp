#include "service/windows/CFaultTextDlg.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>

#include <cmath>
#include <cstdio>

#include "comm/CCommLink.h"
#include "logic/CGlobalReadyInput.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CInputHold.h"
#include "ui/CPictureSet.h"
#include "ui/CTextGuard.h"
#include "ui/CTextRuleDelegate.h"
#include "ui/CTransferLoop.h"
#include "ui/TypedValue.h"

namespace {
constexpr int kImageBitmap = 464;  // every row's picture: a fault text

constexpr uint32_t kTextTooLong = 34296;  // "Text ist zu lang!"
}  // namespace

CFaultTextDlg::CFaultTextDlg(QWidget* parent) : CResizableDialog(459, parent)
{
    setWindowTitle(tr("Fehlertexte"));
    CQuillomerDoc* doc = GetActiveDoc();
    m_readyInput =
        doc ? dynamic_cast<CGlobalReadyInput*>(doc->GetIDManager().GetBaseDevice(1, OT_GLOBAL_READY_INPUT)) : nullptr;
    auto* grid = new QGridLayout(this);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QString::number(kToolBarId));
    for (unsigned id : {kUpload, kDownload}) {
        const QString text = QString::fromStdString(LoadStringId(id));
        QAction* action = bar->addAction(text.section(QLatin1Char('\n'), 0, 0));
        action->setObjectName(QString::number(id));
        action->setToolTip(text.section(QLatin1Char('\n'), 1, 1).left(80));
        action->setEnabled(IsDocConnected() != 0);
        connect(action, &QAction::triggered, this, [this, id] { Transfer(id == kUpload); });
    }
    CPictureSet::ApplyToolBar(bar, kToolBarId);
    grid->addWidget(bar, 0, 0, 1, 3);
    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    m_list = new QTableWidget(0, 2, group);
    m_list->setObjectName(QStringLiteral("1299"));
    m_list->setHorizontalHeaderLabels({tr("Nr"), tr("Text")});
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setItemDelegate(new CTextRuleDelegate(m_list));
    m_list->setMinimumSize(260, 240);
    groupLayout->addWidget(m_list);
    grid->addWidget(group, 1, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Verzögerungszeit für\n'masked fault' Signale"), this), 2, 0);
    m_delay = new QLineEdit(QStringLiteral("0.0"), this);
    m_delay->setObjectName(QStringLiteral("1195"));
    CTextGuard::LeaveFree(m_delay);  // a number, checked when taken
    grid->addWidget(m_delay, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("s"), this), 2, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Schließen"));
    grid->addWidget(buttons, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFaultTextDlg::accept);

    if (m_readyInput) {
        m_filling = true;
        m_list->setRowCount(CGlobalReadyInput::kTextCount);
        for (int row = 0; row < CGlobalReadyInput::kTextCount; ++row) {
            auto* number = new QTableWidgetItem(QString::number(row + 1));
            number->setFlags(number->flags() & ~Qt::ItemIsEditable);
            number->setIcon(CPictureSet::ListImage(kImageBitmap, 0));
            m_list->setItem(row, 0, number);
            auto* text = new QTableWidgetItem;
            if (row >= CGlobalReadyInput::kUserTextCount)
                text->setFlags(text->flags() & ~Qt::ItemIsEditable);
            m_list->setItem(row, 1, text);
        }
        m_filling = false;
        LoadTexts();
    }
    connect(m_list, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* cell) {
        if (!m_filling && cell->column() == 1)
            OnEndLabelEdit(cell->row(), cell->text());
    });
}

QAction* CFaultTextDlg::GetAction(unsigned id) const
{
    return findChild<QAction*>(QString::number(id));
}

bool CFaultTextDlg::OnEndLabelEdit(int row, const QString& text)
{
    if (!m_readyInput || row < 0 || row >= CGlobalReadyInput::kUserTextCount)
        return false;
    QString clean;
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            clean.append(c);
    m_filling = true;
    if (clean.size() > kMaxTextLength) {
        ShowMessageId(kTextTooLong);
        m_list->item(row, 1)->setText(QString::fromStdString(
            m_readyInput->GetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, row))));
        m_filling = false;
        return false;
    }
    m_list->item(row, 1)->setText(clean);
    m_filling = false;
    StoreTexts();
    return true;
}

bool CFaultTextDlg::StoreTexts()
{
    if (!m_readyInput)
        return true;
    for (int row = 0; row < CGlobalReadyInput::kUserTextCount; ++row)
        m_readyInput->SetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, row),
                               m_list->item(row, 1)->text().toStdString());
    // The whole text is the number, its decimal mark a point or a comma.
    bool ok = false;
    const double delay =
        QString::fromStdString(TypedDecimalText(m_delay->text().trimmed().toStdString())).toDouble(&ok);
    if (!ok || !std::isfinite(delay) || delay < 0.0 || delay > 25.0) {
        ShowMessage(tr("Bitte geben Sie eine Zahl zwischen 0.0 und 25.0 ein.").toStdString());
        m_delay->setFocus();
        return false;
    }
    m_readyInput->SetFloatValue(CGlobalReadyInput::MaskTime, static_cast<float>(delay));
    return true;
}

void CFaultTextDlg::LoadTexts()
{
    if (!m_readyInput)
        return;
    m_filling = true;
    for (int row = 0; row < CGlobalReadyInput::kTextCount && row < m_list->rowCount(); ++row)
        m_list->item(row, 1)->setText(QString::fromStdString(
            m_readyInput->GetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, row))));
    m_filling = false;
    m_delay->setText(QString::fromStdString(m_readyInput->GetValue(CGlobalReadyInput::MaskTime)).trimmed());
}

void CFaultTextDlg::Transfer(bool upload)
{
    // One transfer at a time: a second click or a double-click starts nothing.
    if (m_transferring || !m_readyInput || !GetCommLink())
        return;
    // A text typed into the list and not yet left goes with the download.
    TakeTypedValue(this);
    // Its buttons stay as the dialog opened: once the line is lost they say so
    // instead of sending the texts to no one.
    if (CTransferLoop::LineDown()) {
        ShowMessageId(CFeatureFrm::kOnlineOnly, mb::Ok);
        return;
    }
    if (!upload && !StoreTexts())
        return;
    m_transferring = true;
    CInputHold hold;
    hold.Hold({findChild<QToolBar*>(QString::number(kToolBarId)), m_list, m_delay, findChild<QDialogButtonBox*>()}, this);
    CTransferLoop loop;
    const QPointer<CFaultTextDlg> alive(this);
    // Known to the user by the button that started it, not by the block's name.
    const std::string name = CFeatureFrm::CommandText(upload ? kUpload : kDownload).toStdString();
    // An upload names what the project cannot hold in the difference file,
    // as the ready-input window's own upload of the same block does.
    const CTransferLoop::Result result = loop.Run(m_readyInput, upload ? 1 : 0, -1, upload, {}, {}, name);
    if (!alive)
        return;
    hold.Release();
    m_transferring = false;
    if (upload)
        LoadTexts();
    loop.ReportStop(result);
    loop.ReportRefused(result.stop, result.block);
}

void CFaultTextDlg::accept()
{
    if (m_transferring)
        return;
    if (StoreTexts())
        CResizableDialog::accept();
}

void CFaultTextDlg::reject()
{
    // Escape or the window's close button while the texts travel: the
    // dialog stays until the transfer has ended.
    if (!m_transferring)
        CResizableDialog::reject();
}
