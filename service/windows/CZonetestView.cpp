#include "service/windows/CZonetestView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "calendar/CalendarTime.h"
#include "logic/CLogicOut.h"
#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "paging/windows/CZoneListView.h"
#include "platform/StringTable.h"
#include "service/CZonetestObject.h"
#include "ui/CDateTimeEdit.h"

namespace {
constexpr uint32_t kTextOff = 34235;          // "OFF"
constexpr uint32_t kTextAllConsoles = 34273;  // "Alle Sprechstellen"
// Contacts of the two 8-contact I/O modules, in the order the list shows them.
constexpr uint32_t kOutputContactKinds[] = {34322, 32796, 32797};
}  // namespace

CZonetestView::CZonetestView(CZoneListView* zoneList, QWidget* parent) : QWidget(parent), m_zoneList(zoneList)
{
    setObjectName(QStringLiteral("548"));
    auto* grid = new QGridLayout(this);

    auto* schedule = new QGroupBox(tr("Linienmessung"), this);
    auto* scheduleGrid = new QGridLayout(schedule);
    m_lineTest = new QCheckBox(tr("Linienmessung"), schedule);
    m_lineTest->setObjectName(QStringLiteral("1697"));
    scheduleGrid->addWidget(m_lineTest, 0, 0, 1, 2);
    scheduleGrid->addWidget(new QLabel(tr("Zeit :"), schedule), 1, 0);
    m_time = new CDateTimeEdit(QTime(0, 0), schedule);
    m_time->setObjectName(QStringLiteral("1644"));
    scheduleGrid->addWidget(m_time, 1, 1);
    scheduleGrid->addWidget(new QLabel(tr("Anzeige in Sprechstellen :"), schedule), 2, 0);
    m_display = new QComboBox(schedule);
    m_display->setObjectName(QStringLiteral("1698"));
    scheduleGrid->addWidget(m_display, 2, 1);
    scheduleGrid->addWidget(new QLabel(tr("Aktiv-Leitung/Ausgang :"), schedule), 3, 0);
    m_output = new QComboBox(schedule);
    m_output->setObjectName(QStringLiteral("1041"));
    scheduleGrid->addWidget(m_output, 3, 1);
    m_impedance = new QCheckBox(tr("Impedanzmessung (nur manuell auslösbar)"), schedule);
    m_impedance->setObjectName(QStringLiteral("1214"));
    m_impedance->setVisible(false);
    m_impedanceDisplay = new QComboBox(schedule);
    m_impedanceDisplay->setObjectName(QStringLiteral("1040"));
    m_impedanceDisplay->setVisible(false);
    scheduleGrid->setColumnStretch(1, 1);
    grid->addWidget(schedule, 0, 0, 2, 1);

    m_measure = new QPushButton(tr("Messung durchführen"), this);
    m_measure->setObjectName(QStringLiteral("1551"));
    m_measure->setCheckable(true);
    grid->addWidget(m_measure, 0, 1, 1, 2);
    auto measureGroup = [&](const QString& title, QPushButton*& reference, int referenceId, QPushButton*& once,
                            int onceId, int column) {
        auto* group = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(group);
        reference = new QPushButton(tr("Meßwerte als Referenz übernehmen"), group);
        reference->setObjectName(QString::number(referenceId));
        once = new QPushButton(tr("Einmalige Messung auslösen"), group);
        once->setObjectName(QString::number(onceId));
        layout->addWidget(reference);
        layout->addWidget(once);
        grid->addWidget(group, 1, column);
    };
    measureGroup(tr("Linienmessung"), m_testReference, 1693, m_testMeasure, 1694, 1);
    measureGroup(tr("Impedanzmessung"), m_impedanceReference, 1695, m_impedanceMeasure, 1696, 2);
    m_note = new QLabel(tr("nur die in der Liste selektierten Linien werden in der Messung berücksichtigt !"), this);
    m_note->setObjectName(QStringLiteral("1723"));
    m_note->setWordWrap(true);
    grid->addWidget(m_note, 2, 0, 1, 2);
    m_selectAll = new QPushButton(tr("Alle Linien selektieren"), this);
    m_selectAll->setObjectName(QStringLiteral("1724"));
    grid->addWidget(m_selectAll, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);

    connect(m_measure, &QPushButton::clicked, this, &CZonetestView::OnMeasureCheck);
    connect(m_lineTest, &QCheckBox::clicked, this, &CZonetestView::OnLineTestCheck);
    connect(m_time, &CDateTimeEdit::timeChanged, this, &CZonetestView::OnTimeChange);
    connect(m_display, &QComboBox::activated, this, &CZonetestView::OnLineTestDisplayChange);
    connect(m_output, &QComboBox::activated, this, &CZonetestView::OnOutputChange);
    connect(m_impedance, &QCheckBox::clicked, this, &CZonetestView::OnImpedanceCheck);
    connect(m_impedanceDisplay, &QComboBox::activated, this, &CZonetestView::OnImpedanceDisplayChange);
    connect(m_testMeasure, &QPushButton::clicked, this, [this] { m_zoneList->StartTestMeasurement(); });
    connect(m_impedanceMeasure, &QPushButton::clicked, this, [this] { m_zoneList->StartImpedanceMeasurement(); });
    connect(m_testReference, &QPushButton::clicked, this, [this] { m_zoneList->SetTestReference(); });
    connect(m_impedanceReference, &QPushButton::clicked, this, [this] { m_zoneList->SetImpedanceReference(); });
    connect(m_selectAll, &QPushButton::clicked, this, [this] { m_zoneList->SelectAll(); });
}

QPushButton* CZonetestView::GetButton(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

CZonetestObject* CZonetestView::Settings() const
{
    CQuillomerDoc* doc = GetActiveDoc();
    return doc ? dynamic_cast<CZonetestObject*>(doc->GetIDManager().GetBaseDevice(1, OT_ZONETEST_OBJECT)) : nullptr;
}

void CZonetestView::SetSchedule(int key, int value)
{
    if (CZonetestObject* zt = Settings())
        zt->SetScheduleObject(key, value);
}

int CZonetestView::PickerTime() const
{
    // A daily appointment: only the time of day counts; today's date carries it.
    const QDate today = QDate::currentDate();
    const QTime t = m_time->time();
    return caltime::Make(today.year(), today.month(), today.day(), t.hour(), t.minute(), t.second()).value_or(0);
}

void CZonetestView::ClearOutput()
{
    m_output->setEnabled(false);
    m_output->setCurrentIndex(0);
    // The output logic first: the condition stays while it is in use.
    SetSchedule(CZonetestObject::OutputLogic, 0);
    SetSchedule(CZonetestObject::TestCondition, 0);
}

void CZonetestView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    CZonetestObject* zt = Settings();
    for (QComboBox* box : {m_display, m_impedanceDisplay}) {
        box->addItem(QString::fromStdString(LoadStringId(kTextOff)), 0);
        box->addItem(QString::fromStdString(LoadStringId(kTextAllConsoles)), -1);
    }
    m_output->addItem(QString::fromStdString(LoadStringId(kTextOff)), 0);
    if (doc) {
        DeviceList consoles;
        doc->GetIDManager().GetBaseDeviceList(consoles, OT_CONSOLE);
        for (CBaseDevice* console : consoles)
            if (console)
                for (QComboBox* box : {m_display, m_impedanceDisplay})
                    box->addItem(QString::fromStdString(console->GetName()), console->GetNumber());
        DeviceList pads;
        doc->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
        for (uint32_t kind : kOutputContactKinds)
            for (CBaseDevice* pad : pads)
                if (pad && pad->GetKindId() == kind)
                    m_output->addItem(QString::fromStdString(pad->GetName()), pad->GetNumber());
    }
    m_display->setCurrentIndex(0);
    m_impedanceDisplay->setCurrentIndex(0);
    m_output->setCurrentIndex(0);
    if (zt) {
        const int display = m_display->findData(zt->GetScheduleValue(CZonetestObject::LineTestDisplayMacro));
        if (display > 0)
            m_display->setCurrentIndex(display);
        const int impedance =
            m_impedanceDisplay->findData(zt->GetScheduleValue(CZonetestObject::ImpedanceDisplayMacro));
        if (impedance > 0)
            m_impedanceDisplay->setCurrentIndex(impedance);
        const auto* out = dynamic_cast<const CLogicOut*>(
            doc->GetIDManager().GetBaseDevice(zt->GetScheduleValue(CZonetestObject::OutputLogic), OT_LOGIC_OUT));
        const int contact = out ? m_output->findData(out->GetValue(logicoutkey::Contact)) : -1;
        if (contact > 0)
            m_output->setCurrentIndex(contact);
    }
    m_measure->setEnabled(IsDocConnected() != 0);

    const bool lineTest = zt && zt->GetScheduleValue(CZonetestObject::LineTestMacro) != 0;
    m_lineTest->setChecked(lineTest);
    for (QWidget* w : {static_cast<QWidget*>(m_output), static_cast<QWidget*>(m_time),
                       static_cast<QWidget*>(m_display), static_cast<QWidget*>(m_selectAll)})
        w->setEnabled(lineTest);
    if (lineTest) {
        const QSignalBlocker block(m_time);
        const caltime::Fields f = caltime::Split(zt->GetScheduleValue(CZonetestObject::StartAppointment));
        m_time->setTime(QTime(f.hour, f.minute, f.second));
    } else {
        m_impedanceDisplay->setEnabled(false);
    }
    m_impedance->setChecked(zt && zt->GetScheduleValue(CZonetestObject::ImpedanceMacro) != 0);
    m_measure->setChecked(false);
    OnMeasureCheck();
}

void CZonetestView::OnLineTestCheck()
{
    if (m_lineTest->isChecked()) {
        for (QWidget* w : {static_cast<QWidget*>(m_output), static_cast<QWidget*>(m_time),
                           static_cast<QWidget*>(m_display)})
            w->setEnabled(true);
        SetSchedule(CZonetestObject::LineTestMacro, 1);
        SetSchedule(CZonetestObject::StartAppointment, PickerTime());
        return;
    }
    if (!m_impedance->isChecked())
        ClearOutput();
    m_time->setEnabled(false);
    m_display->setEnabled(false);
    SetSchedule(CZonetestObject::LineTestMacro, 0);
    SetSchedule(CZonetestObject::StartAppointment, 0);
    m_display->setCurrentIndex(0);
    SetSchedule(CZonetestObject::LineTestDisplayMacro, 0);
}

void CZonetestView::OnTimeChange()
{
    SetSchedule(CZonetestObject::StartAppointment, PickerTime());
}

void CZonetestView::OnLineTestDisplayChange()
{
    SetSchedule(CZonetestObject::LineTestDisplayMacro, m_display->currentData().toInt());
}

void CZonetestView::OnImpedanceCheck()
{
    if (m_impedance->isChecked()) {
        m_output->setEnabled(true);
        m_impedanceDisplay->setEnabled(true);
        SetSchedule(CZonetestObject::ImpedanceMacro, 1);
        return;
    }
    if (!m_lineTest->isChecked())
        ClearOutput();
    m_impedanceDisplay->setEnabled(false);
    SetSchedule(CZonetestObject::ImpedanceMacro, 0);
    m_impedanceDisplay->setCurrentIndex(0);
    SetSchedule(CZonetestObject::ImpedanceDisplayMacro, 0);
}

void CZonetestView::OnImpedanceDisplayChange()
{
    SetSchedule(CZonetestObject::ImpedanceDisplayMacro, m_impedanceDisplay->currentData().toInt());
}

void CZonetestView::OnOutputChange()
{
    SetSchedule(CZonetestObject::OutputLogic, m_output->currentData().toInt());
}

void CZonetestView::OnMeasureCheck()
{
    const bool on = m_measure->isChecked();
    for (QPushButton* b : {m_testReference, m_testMeasure, m_impedanceReference, m_impedanceMeasure, m_selectAll})
        b->setEnabled(on);
    m_note->setVisible(on);
}
