#include "logic/windows/CReadyInpOptionsView.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "logic/CGlobalReadyInput.h"
#include "logic/windows/CLogicListView.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"
#include "service/windows/CFaultTextDlg.h"
#include "ui/CListCtrl.h"
#include "ui/UiIds.h"

namespace {
constexpr int kFaultTextImage = 28;  // of the object lists' row pictures

CGlobalReadyInput* Settings()
{
    return dynamic_cast<CGlobalReadyInput*>(CLogicListView::FindBlock(OT_GLOBAL_READY_INPUT));
}

// Leaving the field commits it, as Enter does. Escape takes back what was
// typed and leaves the window open; with nothing typed it is the window's.
class MaskTimeField : public QLineEdit {
public:
    MaskTimeField(CReadyInpOptionsView* owner) : QLineEdit(owner), m_owner(owner) {}

protected:
    void focusOutEvent(QFocusEvent* event) override
    {
        m_owner->CommitMaskTime();
        QLineEdit::focusOutEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_owner->RevertMaskTime()) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    CReadyInpOptionsView* m_owner;
};
}  // namespace

CReadyInpOptionsView::CReadyInpOptionsView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("514"));
    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(tr("Verzögerungszeit für\nmaskierte Signale"), this);
    label->setObjectName(QStringLiteral("1483"));
    m_maskTime = new MaskTimeField(this);
    m_maskTime->setObjectName(QStringLiteral("1195"));
    connect(m_maskTime, &QLineEdit::returnPressed, this, &CReadyInpOptionsView::CommitMaskTime);
    auto* unit = new QLabel(tr("s"), this);
    unit->setObjectName(QStringLiteral("1484"));
    m_texts = new CListCtrl(this);
    m_texts->setObjectName(QStringLiteral("1519"));
    // The user texts show the fault-text picture on the object lists' rows.
    m_texts->SetObjectListLook();
    m_texts->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_maskTime, 0, 1);
    grid->addWidget(unit, 0, 2);
    grid->addWidget(m_texts, 1, 0, 1, 3);
    grid->setRowStretch(1, 1);
    auto* faultTexts = new QPushButton(tr("Fehlertexte"), this);
    faultTexts->setObjectName(QStringLiteral("1171"));
    grid->addWidget(faultTexts, 2, 0, 1, 3, Qt::AlignLeft);
    connect(faultTexts, &QPushButton::clicked, this, &CReadyInpOptionsView::OnFaultTexts);
    connect(m_texts, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        CGlobalReadyInput* settings = Settings();
        const int index = m_texts->RowOf(item);
        if (!settings || column != 0 || index < 0)
            return;
        const std::string text = item->text(0).toStdString();
        const int key = CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, index);
        if (text == settings->GetValue(key))
            return;
        settings->SetValue(key, text);
        QMetaObject::invokeMethod(this, &CReadyInpOptionsView::TextsChanged, Qt::QueuedConnection);
    });
}

void CReadyInpOptionsView::OnFaultTexts()
{
    CFaultTextDlg dlg(this);
    dlg.exec();
    // The dialog may have renamed the user texts or changed the delay.
    FillOptions();
    emit TextsChanged();
}

void CReadyInpOptionsView::FillOptions()
{
    const QSignalBlocker block(m_texts);
    m_texts->DeleteAllItems();
    m_texts->setColumnCount(0);
    m_texts->InsertColumn(0, tr("Benutzerdef. Texte"), CListCtrl::LVCFMT_LEFT, 135);
    m_texts->InsertColumn(1, QString::fromStdString(LoadStringId(uistr::Id)), CListCtrl::LVCFMT_LEFT, 35);
    CGlobalReadyInput* settings = Settings();
    if (!settings)
        return;
    for (int i = 0; i < CGlobalReadyInput::GetValueCount(CGlobalReadyInput::UserTexts); ++i) {
        const int row = m_texts->InsertItem(i, QString::fromStdString(settings->GetValue(
                                                  CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, i))),
                                            kFaultTextImage);
        m_texts->SetItemText(row, 1, QString::number(i + 1));
        m_texts->SetItemData(row, reinterpret_cast<quintptr>(settings));
        m_texts->Row(row)->setFlags(m_texts->Row(row)->flags() | Qt::ItemIsEditable);
    }
    m_texts->SetItemState(0, true, true);
    m_maskTime->setText(QString::fromStdString(settings->GetValue(CGlobalReadyInput::MaskTime)));
}

void CReadyInpOptionsView::CommitMaskTime()
{
    CGlobalReadyInput* settings = Settings();
    if (!settings)
        return;
    // The number the text starts with ("12,5" as a German user types it is
    // 12.5), limited to the mask time's range; a text without one changes
    // nothing. The shown text left as it was is no new value: the stored
    // time may have more digits than the field shows.
    const std::string shown = settings->GetValue(CGlobalReadyInput::MaskTime);
    if (m_maskTime->text().toStdString() != shown)
        settings->SetValue(CGlobalReadyInput::MaskTime, TypedDecimalText(m_maskTime->text().toStdString()));
    m_maskTime->setText(QString::fromStdString(settings->GetValue(CGlobalReadyInput::MaskTime)));
}

bool CReadyInpOptionsView::RevertMaskTime()
{
    CGlobalReadyInput* settings = Settings();
    const QString stored = settings ? QString::fromStdString(settings->GetValue(CGlobalReadyInput::MaskTime)) : QString();
    if (!settings || m_maskTime->text() == stored)
        return false;
    m_maskTime->setText(stored);
    m_maskTime->selectAll();
    return true;
}
