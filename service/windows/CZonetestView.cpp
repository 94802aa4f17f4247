#include "service/windows/CZonetestView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "paging/windows/CZoneListView.h"
#include "platform/StringTable.h"

namespace {
constexpr uint32_t kTextOff = 34235;          // "OFF"
constexpr uint32_t kTextAllConsoles = 34273;  // "Alle Sprechstellen"
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
    m_time = new QTimeEdit(schedule);
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

void CZonetestView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    m_display->addItem(QString::fromStdString(LoadStringId(kTextOff)), 0);
    m_display->addItem(QString::fromStdString(LoadStringId(kTextAllConsoles)), -1);
    m_output->addItem(QString::fromStdString(LoadStringId(kTextOff)), 0);
    if (doc) {
        DeviceList consoles;
        doc->GetIDManager().GetBaseDeviceList(consoles, OT_CONSOLE);
        for (CBaseDevice* console : consoles)
            if (console)
                m_display->addItem(QString::fromStdString(console->GetName()), console->GetNumber());
    }
    m_display->setCurrentIndex(0);
    m_output->setCurrentIndex(0);
    // The daily test's schedule objects are not created from this window yet:
    // its controls stay off.
    for (QWidget* w : {static_cast<QWidget*>(m_lineTest), static_cast<QWidget*>(m_time),
                       static_cast<QWidget*>(m_display), static_cast<QWidget*>(m_output)})
        w->setEnabled(false);
    m_measure->setEnabled(IsDocConnected() != 0);
    m_measure->setChecked(false);
    OnMeasureCheck();
}

void CZonetestView::OnMeasureCheck()
{
    const bool on = m_measure->isChecked();
    for (QPushButton* b : {m_testReference, m_testMeasure, m_impedanceReference, m_impedanceMeasure, m_selectAll})
        b->setEnabled(on);
    m_note->setVisible(on);
}
