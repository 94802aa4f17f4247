#include "paging/windows/CKeyPropDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "audio/CAudioSignal.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CDelaySpinBox.h"
#include "paging/windows/CKeyMacroDlg.h"
#include "paging/windows/CKeyView.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CPictureSet.h"
#include "ui/CWholeSpinBox.h"
#include "ui/DialogLayout.h"

namespace {
// The function and target lists' pictures (bitmap 274): a function at its
// code + 4, groups and zones plain and marked as chosen already.
constexpr int kImageBitmap = 274;
constexpr int kImageFunction = 4;
constexpr int kImageCurrentChoice = 20;
constexpr int kImageGroup = 21, kImageZone = 22, kImageGroupMarked = 23, kImageZoneMarked = 24;
// The signal list's pictures (bitmap 351): alarm, chime, message, macro.
constexpr int kSignalBitmap = 351;

int SignalImage(uint32_t type)
{
    switch (type) {
    case OT_ALARM_SIGNAL: return 1;
    case OT_CHIME_SIGNAL: return 2;
    case OT_MESSAGE_SIGNAL: return 3;
    default: return 4;
    }
}

struct FunctionEntry {
    int bit;  // -1: always listed
    uint32_t labelId;
    int32_t function;
};
const FunctionEntry kFunctions[] = {
    {0, IDS_KEY_SELECT, CKF_SEL},     {1, IDS_KEY_TEXT, CKF_TEXT},       {2, IDS_KEY_ALARM, CKF_ALARM},
    {3, IDS_KEY_CHIME, CKF_CHIME},    {4, IDS_KEY_TALK, CKF_TALK},       {5, IDS_KEY_PTT, CKF_TALKEXT},
    {6, IDS_KEY_ON, CKF_ON},          {7, IDS_KEY_STOP, CKF_STOP},       {8, IDS_KEY_PROGRAM, CKF_PROGRAM},
    {9, IDS_KEY_CLEAR, CKF_CLEAR},    {10, IDS_KEY_AUX, CKF_AUX},        {11, IDS_KEY_MACRO, CKF_MACRO},
    {-1, IDS_KEY_DISABLED, CKF_DISABLED},
};
constexpr int kRowData = Qt::UserRole;

QString Label(uint32_t id)
{
    const std::string text = LoadStringId(id);
    return QString::fromStdString(text.substr(0, text.find('@')));
}

int32_t ListFunction(int32_t f) { return f > CKF_MACRO ? CKF_MACRO : f; }
bool IsMacro(int32_t f) { return f >= CKF_MACRO; }
bool HasTargets(int32_t f) { return f == CKF_AUX || (f >= CKF_SEL && f <= CKF_TALKEXT); }
bool HasCurrentChoice(int32_t f) { return f == CKF_AUX || (f >= CKF_ALARM && f <= CKF_TALKEXT); }

CBaseDevice* Object(CQuillomerDoc* doc, int32_t number, uint32_t type)
{
    if (!doc || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

int SignalPriority(CQuillomerDoc* doc, int32_t number, uint32_t type)
{
    auto* signal = dynamic_cast<CAudioSignal*>(Object(doc, number, type));
    return signal ? std::atoi(signal->GetValue(signalkey::Priority).c_str()) : -1;
}

QSpinBox* Spin(QWidget* parent, int id, int min, int max)
{
    auto* s = new CWholeSpinBox(parent);
    s->setObjectName(QString::number(id));
    s->setRange(min, max);
    return s;
}
}  // namespace

CKeyPropDlg::CKeyPropDlg(CKeyView* view, CConsKey* key) : QDialog(view), m_view(view)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(tr("Tasteneigenschaften"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* functionGroup = new QGroupBox(tr("Tastenfunktion"), this);
    m_functions = new QListWidget(functionGroup);
    m_functions->setObjectName(QStringLiteral("1405"));
    QPalette pal = m_functions->palette();
    pal.setColor(QPalette::Text, QColor(0, 0, 128));
    m_functions->setPalette(pal);
    (new QVBoxLayout(functionGroup))->addWidget(m_functions);

    m_targetLabel = new QLabel(tr("Ziele"), this);
    m_targetLabel->setObjectName(QStringLiteral("1276"));
    m_targets = new QListWidget(this);
    m_targets->setObjectName(QStringLiteral("1403"));
    pal = m_targets->palette();
    pal.setColor(QPalette::Text, QColor(64, 64, 64));
    m_targets->setPalette(pal);
    m_signalLabel = new QLabel(this);
    m_signals = new QListWidget(this);
    m_signals->setObjectName(QStringLiteral("1404"));

    m_delayLabel = new QLabel(tr("Einschaltverzögerung in Sek. :"), this);
    m_delayLabel->setObjectName(QStringLiteral("1386"));
    // The field shows and takes seconds; its value is the step count.
    m_delay = new CDelaySpinBox(this);
    m_delay->setObjectName(QStringLiteral("1377"));
    m_stopLabel = new QLabel(tr("Gestoppt werden:"), this);
    m_stopLabel->setObjectName(QStringLiteral("1387"));
    m_stop = new QComboBox(this);
    m_stop->setObjectName(QStringLiteral("1388"));
    m_stop->addItems({tr("Alle selbstausgelösten Aktionen"), tr("Systemweite Aktionen mit kleinerer Priorität"),
                      tr("Alle systemweiten Aktionen")});
    m_priorityLabel = new QLabel(tr("Priorität:"), this);
    m_priorityLabel->setObjectName(QStringLiteral("1389"));
    m_priority = Spin(this, 1076, 1, 10);
    m_protect = new QCheckBox(tr("Im Protect-Modus aktiv"), this);
    m_protect->setObjectName(QStringLiteral("1390"));
    m_preChime = new QCheckBox(tr("Vorgong bei Durchsage"), this);
    m_preChime->setObjectName(QStringLiteral("1383"));
    m_macroButton = new QPushButton(tr("Makro Aktivierung..."), this);
    m_macroButton->setObjectName(QStringLiteral("1358"));

    auto* lists = new QVBoxLayout;
    lists->addWidget(m_targetLabel);
    lists->addWidget(m_targets, 2);
    lists->addWidget(m_signalLabel);
    lists->addWidget(m_signals, 1);
    auto* values = new QGridLayout;
    values->addWidget(m_delayLabel, 0, 0);
    values->addWidget(m_delay, 0, 1);
    values->addWidget(m_stopLabel, 1, 0);
    values->addWidget(m_stop, 1, 1, 1, 2);
    values->addWidget(m_priorityLabel, 2, 0);
    values->addWidget(m_priority, 2, 1);
    values->addWidget(m_protect, 3, 0, 1, 3);
    values->addWidget(m_preChime, 4, 0, 1, 3);
    values->addWidget(m_macroButton, 5, 0, 1, 2);
    values->setRowStretch(6, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(functionGroup, 2);
    layout->addLayout(lists, 3);
    layout->addLayout(values, 2);
    // The function list keeps the room of its longest function, all of them
    // listed: a value control that needs more room takes it from beside the
    // list, never the ends of the functions' names.
    m_showAll = true;
    FillFunctions(0xFFFFFFFFu);
    m_showAll = false;
    m_functions->setMinimumWidth(m_functions->sizeHintForColumn(0) + 2 * m_functions->frameWidth() +
                                 m_functions->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_functions));
    m_functions->clear();
    ApplyDesignedSize(this, DialogUnitsToPixels(this, {330, 170}));

    connect(m_functions, &QListWidget::currentRowChanged, this, &CKeyPropDlg::OnFunctionRow);
    connect(m_targets, &QListWidget::currentRowChanged, this, &CKeyPropDlg::OnTargetRow);
    connect(m_signals, &QListWidget::currentRowChanged, this, &CKeyPropDlg::OnSignalRow);
    // Each list keeps one entry selected: a Ctrl+click that takes the
    // selection from the selected entry, leaving none, selects it again.
    for (QListWidget* list : {m_functions, m_targets, m_signals})
        connect(list, &QListWidget::itemSelectionChanged, this, [list] {
            QListWidgetItem* current = list->currentItem();
            if (list->hasFocus() && current && list->selectedItems().isEmpty())
                current->setSelected(true);
        });
    connect(m_delay, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_filling || !m_key)
            return;
        m_key->Working().a = std::clamp(v, 0, 255);
        m_view->UpdateKey(0);
    });
    connect(m_priority, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_filling || !m_key || v == 0)
            return;
        m_key->Working().c = v * 10;
        m_view->UpdateKey(0);
    });
    connect(m_stop, &QComboBox::activated, this, [this](int index) {
        if (!m_key)
            return;
        m_key->Working().a = index;
        m_view->UpdateKey(0);
    });
    connect(m_protect, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling || !m_key)
            return;
        m_key->Working().protect = on ? 0 : 1;
        m_view->UpdateKey(0);
    });
    connect(m_preChime, &QCheckBox::toggled, this, [this](bool) {
        if (m_filling || !m_key)
            return;
        ConsKeyValues& v = m_key->Working();
        CQuillomerDoc* doc = m_key->GetConsole() ? m_key->GetConsole()->GetDocument() : nullptr;
        if (v.b != 0) {
            v.b = 0;
            m_view->UpdateKey(2, nullptr, nullptr);
        } else {
            const CBaseDevice* second = m_key->GetSecondTarget();
            v.b = second && second != LinkRecord::NoPartner() ? second->GetNumber() : 6;
            m_view->UpdateKey(2, nullptr, Object(doc, v.b, OT_CHIME_SIGNAL));
        }
        if (m_key->GetNumber() == 108)
            m_key->GetConsole()->GetProp().SetParamText(consparam::PreChime, v.b > 0 ? "1" : "0");
        ShowControls();
    });
    connect(m_macroButton, &QPushButton::clicked, this, &CKeyPropDlg::OpenMacroDialog);
    ShowKey(key);
}

CKeyPropDlg::~CKeyPropDlg()
{
    delete m_macroDlg;
}

void CKeyPropDlg::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        ToggleShowAll();
    else
        QDialog::mouseDoubleClickEvent(event);
}

void CKeyPropDlg::ToggleShowAll()
{
    m_showAll = !m_showAll;
    m_mask = 0;
    ShowKey(m_key);
}

// ---------------------------------------------------------------- showing

void CKeyPropDlg::FillFunctions(uint32_t mask)
{
    m_functions->clear();
    // The list stays empty for a key that has no real function to offer.
    if (!m_showAll && (mask & 0x7FE) == 0)
        return;
    for (const FunctionEntry& e : kFunctions) {
        if (!m_showAll && e.bit >= 0 && !(mask & (1u << e.bit)))
            continue;
        auto* item = new QListWidgetItem(Label(e.labelId), m_functions);
        item->setIcon(CPictureSet::ListImage(kImageBitmap, e.function + kImageFunction));
        item->setData(kRowData, e.function);
    }
}

void CKeyPropDlg::ShowKey(CConsKey* key)
{
    if (!key)
        return;
    m_key = key;
    m_filling = true;
    setWindowTitle(QString::fromStdString(LoadStringId(IDS_KEY_PROPS_CAPTION)) + QString::number(key->GetNumber()) +
                   QStringLiteral("'"));
    const uint32_t mask = m_showAll ? 0xFFFFFFFFu : key->GetAllowedFunctions();
    if (mask != m_mask || m_functions->count() == 0) {
        FillFunctions(mask);
        m_mask = mask;
    }
    const int32_t f = ListFunction(key->Working().function);
    int row = -1;
    for (int i = 0; i < m_functions->count(); ++i)
        if (m_functions->item(i)->data(kRowData).toInt() == f)
            row = i;
    m_functions->setCurrentRow(row);
    if (row >= 0)
        m_functions->scrollToItem(m_functions->item(row));
    m_filling = false;
    if (row < 0 && !m_showAll) {
        // A function the key does not offer: show every function.
        ToggleShowAll();
        return;
    }
    ShowControls();
    if (!IsMacro(key->Working().function)) {
        delete m_macroDlg;
        m_macroDlg = nullptr;
    } else if (m_macroDlg) {
        m_macroDlg->SetKey(key);
    }
}

void CKeyPropDlg::FillTargets()
{
    m_targets->clear();
    CConsole* console = m_key ? m_key->GetConsole() : nullptr;
    CQuillomerDoc* doc = console ? console->GetDocument() : nullptr;
    if (!doc)
        return;
    const int32_t f = m_key->Working().function;
    if (HasCurrentChoice(f)) {
        auto* item = new QListWidgetItem(QString::fromStdString(LoadStringId(IDS_KEY_CURRENT_CHOICE)), m_targets);
        item->setIcon(CPictureSet::ListImage(kImageBitmap, kImageCurrentChoice));
        item->setData(kRowData, QVariant::fromValue(static_cast<void*>(LinkRecord::NoPartner())));
    }
    int markedGroups = 0;
    for (int32_t category : {CAT_ZONE, CAT_GROUP}) {
        DeviceList objects;
        doc->GetIDManager().GetBaseDeviceList(objects, category == CAT_ZONE ? OT_ZONE : OT_GROUP);
        for (CBaseDevice* obj : objects) {
            auto* item = new QListWidgetItem(QString::fromStdString(obj->GetName()), m_targets);
            item->setData(kRowData, QVariant::fromValue(static_cast<void*>(obj)));
            const bool zone = category == CAT_ZONE;
            item->setIcon(CPictureSet::ListImage(kImageBitmap, zone ? kImageZone : kImageGroup));
            // SEL: the targets that already have a SEL key on this console.
            if (f == CKF_SEL && m_view->FindSelKeyFor(obj)) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setIcon(CPictureSet::ListImage(kImageBitmap, zone ? kImageZoneMarked : kImageGroupMarked));
                markedGroups += category == CAT_GROUP ? 1 : 0;
            }
        }
    }
    if (markedGroups > 30)
        ShowMessageId(IDS_CONS_TOO_MANY_GROUPS);
}

void CKeyPropDlg::FillSignals(uint32_t type)
{
    m_signals->clear();
    m_signalType = type;
    CConsole* console = m_key ? m_key->GetConsole() : nullptr;
    CQuillomerDoc* doc = console ? console->GetDocument() : nullptr;
    DeviceList objects;
    if (doc && type != 0)
        doc->GetIDManager().GetBaseDeviceList(objects, type);
    for (CBaseDevice* obj : objects) {
        auto* item = new QListWidgetItem(QStringLiteral("%1  %2").arg(obj->GetNumber()).arg(QString::fromStdString(obj->GetName())),
                                         m_signals);
        item->setIcon(CPictureSet::ListImage(kSignalBitmap, SignalImage(type)));
        item->setData(kRowData, QVariant::fromValue(static_cast<void*>(obj)));
    }
    if (objects.empty()) {
        auto* empty = new QListWidgetItem(tr("Empty"), m_signals);
        empty->setFlags(Qt::NoItemFlags);
    }
}

void CKeyPropDlg::SelectData(QListWidget* list, const void* data)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(kRowData).value<void*>() == data) {
            list->setCurrentRow(i);
            list->scrollToItem(list->item(i));
            return;
        }
    list->setCurrentRow(-1);
}

void CKeyPropDlg::ShowControls()
{
    if (!m_key)
        return;
    m_filling = true;
    const ConsKeyValues& v = m_key->Working();
    const int32_t f = v.function;
    const bool targets = HasTargets(f);
    m_targetLabel->setVisible(targets);
    m_targets->setVisible(targets);
    if (targets) {
        FillTargets();
        SelectData(m_targets, m_key->GetFirstTarget());
    }
    uint32_t signalType = 0;
    switch (f) {
    case CKF_ALARM: signalType = OT_ALARM_SIGNAL; break;
    case CKF_CHIME: signalType = OT_CHIME_SIGNAL; break;
    case CKF_TEXT: signalType = OT_MESSAGE_SIGNAL; break;
    case CKF_TALK:
    case CKF_TALKEXT: signalType = v.b != 0 ? uint32_t{OT_CHIME_SIGNAL} : 0u; break;
    default: signalType = IsMacro(f) ? uint32_t{OT_MACRO} : 0u; break;
    }
    static const std::pair<uint32_t, const char*> kLabels[] = {
        {OT_ALARM_SIGNAL, QT_TR_NOOP("Alarmliste")}, {OT_CHIME_SIGNAL, QT_TR_NOOP("Gongliste")},
        {OT_MESSAGE_SIGNAL, QT_TR_NOOP("Textliste")}, {OT_MACRO, QT_TR_NOOP("Makroliste")}};
    for (const auto& [type, text] : kLabels)
        if (type == signalType)
            m_signalLabel->setText(tr(text));
    m_signalLabel->setVisible(signalType != 0);
    m_signals->setVisible(signalType != 0);
    if (signalType != 0) {
        FillSignals(signalType);
        SelectData(m_signals, IsMacro(f) ? m_key->GetFirstTarget() : m_key->GetSecondTarget());
    }
    const bool delay = f == CKF_ON;
    m_delayLabel->setVisible(delay);
    m_delay->setVisible(delay);
    m_delay->setValue(std::clamp(v.a, 0, 255));
    const bool stop = f == CKF_STOP;
    m_stopLabel->setVisible(stop);
    m_stop->setVisible(stop);
    m_stop->setCurrentIndex(std::clamp(v.a, 0, 2));
    const bool priority = stop || f == CKF_AUX || (f >= CKF_ALARM && f <= CKF_TALKEXT);
    m_priorityLabel->setVisible(priority);
    m_priority->setVisible(priority);
    m_priority->setValue(std::clamp(v.c / 10, 1, 10));
    m_protect->setVisible(f != CKF_DISABLED && f != CKF_PROGRAM && f != CKF_CLEAR && f != CKF_SEL);
    m_protect->setChecked(v.protect == 0);
    m_preChime->setVisible(f == CKF_TALK || f == CKF_TALKEXT);
    m_preChime->setChecked(v.b > 0);
    m_macroButton->setVisible(IsMacro(f));
    m_filling = false;
}

// ---------------------------------------------------------------- choosing

std::string CKeyPropDlg::DefaultValueText(int32_t function) const
{
    CConsole* console = m_key ? m_key->GetConsole() : nullptr;
    CQuillomerDoc* doc = console ? console->GetDocument() : nullptr;
    auto signalDefault = [&](uint32_t type, const char* fallback) {
        const int prio = SignalPriority(doc, 1, type);
        return prio < 0 ? std::string(fallback) : StrFormat("0,1,%d", prio * 10);
    };
    const int prio = console ? std::atoi(console->GetProp().GetParamText(consparam::Prio).c_str()) : 5;
    switch (function) {
    case CKF_ON: return "28";
    case CKF_STOP: return "2,0,90";
    case CKF_AUX:
    case CKF_SEL: return "0,0,20";
    case CKF_ALARM: {
        const int p = SignalPriority(doc, 1, OT_ALARM_SIGNAL);
        return p < 0 ? "0,1,90,UNPROT" : StrFormat("0,1,%d,UNPROT", p * 10);
    }
    case CKF_CHIME: return signalDefault(OT_CHIME_SIGNAL, "0,1,80");
    case CKF_TEXT: return signalDefault(OT_MESSAGE_SIGNAL, "0,1,40");
    case CKF_TALK: return StrFormat("-1,0,%d", prio * 10);
    case CKF_TALKEXT: {
        const std::string ptt = console ? console->GetProp().GetParamText(consparam::PttPrio) : "1";
        const int p = ptt == "0" ? prio : ptt == "1" ? prio - 1 : prio + 1;
        return StrFormat("-1,0,%d", p * 10);
    }
    default: return IsMacro(function) ? "1,0" : "";
    }
}

void CKeyPropDlg::ChooseFunction(int32_t f)
{
    if (!m_key || f == ListFunction(m_key->Working().function))
        return;
    CConsole* console = m_key->GetConsole();
    const int32_t old = m_key->Working().function;
    const bool extKey = f == CKF_AUX || f == CKF_TALKEXT;
    if (extKey && console) {
        uint32_t refused = 0;
        if (console->GetProp().GetParamText(consparam::Ext) == "2")
            refused = IDS_CONS_EXT_USED_BY_2296;
        else if (console->CheckExtKeys(false, true) != 0)
            refused = IDS_CONS_EXT_USED_BY_KEY;
        if (refused) {
            ShowMessageId(refused, mb::IconStop);
            // The list shows the key's function again once it has finished
            // with the click or key that chose the refused one: shown at
            // once, the list would go on to highlight the refused entry.
            QTimer::singleShot(0, this, [this] { ShowKey(m_key); });
            return;
        }
    }
    const bool extFlag = extKey || (f == CKF_DISABLED && (old == CKF_AUX || old == CKF_TALKEXT));
    m_key->SetSecondTarget(nullptr);
    const std::string text = DefaultValueText(f);
    m_key->ParseValueText(f, text, false);
    if (m_key->Working().function == f) {
        // The working copy takes the default's protect mode with its values:
        // an alarm key works in protect mode too, the others do not.
        const std::string unprot = "UNPROT";
        m_key->Working().protect =
            text.size() >= unprot.size() && text.compare(text.size() - unprot.size(), unprot.size(), unprot) == 0 ? 0 : 1;
        if (extFlag && console)
            console->GetProp().SetParamText(consparam::Ext, f == CKF_AUX ? "1" : f == CKF_TALKEXT ? "3" : "0");
    } else {
        m_mask = 0;
    }
    // The function list itself is shown again once its selection has settled.
    ShowControls();
    QTimer::singleShot(50, this, [this] { ShowKey(m_key); });
    m_view->UpdateKey(0);
}

void CKeyPropDlg::ChooseTarget(CBaseDevice* target)
{
    if (!m_key)
        return;
    m_view->UpdateKey(1, target ? target : LinkRecord::NoPartner());
    if (m_key->Working().function == CKF_SEL && m_targets->isVisible()) {
        const int row = m_targets->currentRow();
        m_filling = true;
        FillTargets();
        m_targets->setCurrentRow(row);
        m_filling = false;
    }
}

void CKeyPropDlg::ChooseSignal(CBaseDevice* signal)
{
    if (!m_key || !signal)
        return;
    const int32_t f = m_key->Working().function;
    if (IsMacro(f)) {
        m_key->Working().a = signal->GetNumber();
        m_view->UpdateKey(1, signal);
        return;
    }
    m_key->Working().b = signal->GetNumber();
    m_view->UpdateKey(3, m_key->GetFirstTarget(), signal);
    if (!m_filling && (f == CKF_ALARM || f == CKF_CHIME || f == CKF_TEXT)) {
        if (auto* s = dynamic_cast<CAudioSignal*>(signal)) {
            m_key->Working().c = std::atoi(s->GetValue(signalkey::Priority).c_str()) * 10;
            m_filling = true;
            m_priority->setValue(std::clamp(m_key->Working().c / 10, 1, 10));
            m_filling = false;
        }
    }
}

void CKeyPropDlg::OnFunctionRow(int row)
{
    if (m_filling || row < 0 || !m_key)
        return;
    m_targets->setCurrentRow(-1);
    ChooseFunction(m_functions->item(row)->data(kRowData).toInt());
}

void CKeyPropDlg::OnTargetRow(int row)
{
    if (m_filling || row < 0)
        return;
    auto* target = static_cast<CBaseDevice*>(m_targets->item(row)->data(kRowData).value<void*>());
    ChooseTarget(target == LinkRecord::NoPartner() ? nullptr : target);
}

void CKeyPropDlg::OnSignalRow(int row)
{
    if (m_filling || row < 0)
        return;
    ChooseSignal(static_cast<CBaseDevice*>(m_signals->item(row)->data(kRowData).value<void*>()));
}

void CKeyPropDlg::OpenMacroDialog()
{
    if (!m_key)
        return;
    if (!m_macroDlg) {
        m_macroDlg = new (std::nothrow) CKeyMacroDlg(this, m_key);
        if (!m_macroDlg) {
            ShowMessage("Out of Memory while creating keymacro dialog object !", mb::IconStop);
            return;
        }
        connect(m_macroDlg, &QObject::destroyed, this, [this] { m_macroDlg = nullptr; });
        m_macroDlg->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_macroDlg->SetKey(m_key);
    m_macroDlg->show();
}

void CKeyPropDlg::OnMacroActivation(int type)
{
    if (!m_key)
        return;
    CQuillomerDoc* doc = m_key->GetConsole() ? m_key->GetConsole()->GetDocument() : nullptr;
    CBaseDevice* macroB = Object(doc, m_key->Working().b, OT_MACRO);
    if ((type == CKeyMacroDlg::Button || type == CKeyMacroDlg::Switch) && macroB)
        m_view->UpdateKey(3, m_key->GetFirstTarget(), macroB);
    else
        m_view->UpdateKey(3, m_key->GetFirstTarget(), nullptr);
}
