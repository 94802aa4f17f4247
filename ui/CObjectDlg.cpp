#include "ui/CObjectDlg.h"

#include "comm/CCommLink.h"
#include "comm/ILinkAnswerSink.h"
#include "comm/SettingsFile.h"
#include "platform/FiniteNumber.h"
#include "ui/CFeatureFrm.h"
#include "ui/CScreenFit.h"
#include "ui/TypedValue.h"
#include "ui/UiIds.h"

#include <QCoreApplication>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMap>
#include <QMoveEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

namespace {
struct KindEntry {
    const char* caption;
    unsigned int command;
};

// Kinds 1..28: caption and the command that switches an open host to the kind.
const KindEntry kKinds[] = {
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Virtuellen Controllern"), featurecmd::VirtCtrl},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften der Havarie Verstärker"), featurecmd::SpareAmps},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Erweiterte Verstärker Eigenschaften"), 0},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Erweiterte LMZ Eigenschaften"), 0},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Trigger Eigenschaften"), featurecmd::Trigger},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Monitoreinträgen"), featurecmd::MonitorEntries},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Makros"), featurecmd::Macros},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschafen von Ereignissen"), featurecmd::Events},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Tagesprogrammen"), featurecmd::DayPrograms},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Feiertagen"), featurecmd::Holidays},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften vom Wochenprogramm"), featurecmd::WeekProgram},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von allgemeinen Bedingungen"), featurecmd::Conditions},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Analogbedingungen"), featurecmd::AnalogConditions},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von kombinierten Bedingungen"), featurecmd::CombinedConditions},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Aktiv Bedingungen"), featurecmd::BusyConditions},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von READYINPUTS"), featurecmd::ReadyInputs},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Eigenschaften von Logikzuständen"), featurecmd::LogicStates},
    {QT_TRANSLATE_NOOP("CObjectDlg", "MemoFlag"), featurecmd::MemoFlag},
    {QT_TRANSLATE_NOOP("CObjectDlg", "FAULT"), featurecmd::Fault},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Hardware"), featurecmd::Hardware},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Sicherungen"), featurecmd::Fuses},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Rekorder"), featurecmd::Recorder},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Pilotton"), featurecmd::Pilot},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Betriebsspannung"), featurecmd::Power},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Uhr"), featurecmd::Clock},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Lautstärkeregelung"), featurecmd::Volume},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Ereignis Protokollierer"), featurecmd::EventLogger},
    {QT_TRANSLATE_NOOP("CObjectDlg", "Linientest"), featurecmd::ZoneTest},
};
constexpr int kKindCount = static_cast<int>(sizeof kKinds / sizeof kKinds[0]);

QMap<int, CObjectDlg::FrameFactory>& Factories()
{
    static QMap<int, CObjectDlg::FrameFactory> factories;
    return factories;
}

bool KnownKind(int kind)
{
    return kind >= 1 && kind <= kKindCount;
}
}  // namespace

CObjectDlg::FrameFactory CObjectDlg::RegisterFrame(int kind, FrameFactory factory)
{
    FrameFactory old = Factories().value(kind);
    if (factory)
        Factories().insert(kind, std::move(factory));
    else
        Factories().remove(kind);
    return old;
}

bool CObjectDlg::IsFrameRegistered(int kind)
{
    return Factories().contains(KnownKind(kind) ? kind : 1);
}

QString CObjectDlg::KindCaption(int kind)
{
    return KnownKind(kind) ? QCoreApplication::translate("CObjectDlg", kKinds[kind - 1].caption) : QString();
}

unsigned int CObjectDlg::SwitchCommand(int kind)
{
    return KnownKind(kind) ? kKinds[kind - 1].command : 0;
}

int CObjectDlg::KindOfCommand(unsigned int commandId)
{
    if (commandId == 0)
        return 0;
    for (int k = 1; k <= kKindCount; ++k)
        if (kKinds[k - 1].command == commandId)
            return k;
    return 0;
}

CObjectDlg::CObjectDlg(CQuillomerDoc* document, int windowKind, QWidget* parent)
    : QDialog(parent), m_pDocument(document), m_nWindowKind(windowKind)
{
    setSizeGripEnabled(false);
    // The hosted frame fills the whole client area.
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

CObjectDlg::~CObjectDlg()
{
    // The focus moves on while the window's controls go, when this is no
    // host any more.
    disconnect(m_focusWatch);
}

CObjectDlg::CObjectDlg(CQuillomerDoc* document, const QString& unavailableCaption, QWidget* parent)
    : CObjectDlg(document, 0, parent)
{
    m_unavailableCaption = unavailableCaption;
}

void CObjectDlg::setVisible(bool visible)
{
    if (visible && !m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void CObjectDlg::reject()
{
    if (auto* frame = qobject_cast<CFeatureFrm*>(m_pFrame.data()); frame && frame->IsTransferring())
        return;
    // Closed by its close box while a value is being typed (a cell's editor
    // open): the value is taken, as leaving the field would take it, while
    // the window is still whole.
    TakeTypedValue(this);
    QDialog::reject();
}

void CObjectDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CObjectDlg::OnFocusChanged(QWidget* now)
{
    // The dialog makes the button clicked first its default for good and
    // gives it that look back whenever another button loses the focus.
    if (!now || now->window() != this || qobject_cast<QPushButton*>(now))
        return;
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->window() == this && button->isDefault())
            button->setDefault(false);
}

bool CObjectDlg::OnInitDialog()
{
    int left = 20, top = 20, width = 780, height = 400;
    const QVariant stored = QSettings().value(SettingsKey(), QString());
    // Written by hand without quotes, the value reads as a list of its four
    // numbers: the same placement.
    const QByteArray saved = (stored.typeId() == QMetaType::QStringList ? stored.toStringList().join(QLatin1Char(','))
                                                                         : stored.toString())
                                 .toLatin1();
    if (const auto ltwh = ScanFourInts(saved.constData(), CScreenFit::kPlacementLimit)) {
        left = (*ltwh)[0];
        top = (*ltwh)[1];
        width = (*ltwh)[2];
        height = (*ltwh)[3];
    }
    m_placement = QRect(left, top, width, height);
    setGeometry(m_placement);
    CreateObjectFrame(m_nWindowKind);
    return true;
}

void CObjectDlg::CreateObjectFrame(int kind)
{
    m_pFrame = nullptr;
    m_nShownKind = kind;
    const int frameKind = KnownKind(kind) ? kind : 1;  // anything else: the virtual-controller frame
    QString caption = KindCaption(kind);
    const FrameFactory factory = Factories().value(frameKind);
    const bool ownCaption = kind == m_nWindowKind && !m_unavailableCaption.isEmpty();
    if (ownCaption)
        caption = m_unavailableCaption;
    QWidget* frame = factory && !ownCaption ? factory(m_pDocument, this) : nullptr;
    m_bPlaceholder = frame == nullptr;
    if (!frame) {
        // The window of this kind is not part of the program yet.
        auto* empty = new QFrame(this);
        empty->setFrameShape(QFrame::StyledPanel);
        frame = empty;
        const QString note = tr("noch nicht verfügbar");
        caption = caption.isEmpty() ? note : caption + QStringLiteral(" (") + note + QLatin1Char(')');
    }
    setWindowTitle(caption);
    // The minimum is the new frame's (a smaller screen may have lowered the
    // one before).
    setMinimumSize(0, 0);
    layout()->addWidget(frame);
    layout()->activate();
    frame->show();
    m_pFrame = frame;
    // The frame opens at the kept size, not at the room the one before it
    // needed, and whole on the window's screen.
    if (m_bInitialised && size() != PlacedSize())
        resize(PlacedSize());
    CScreenFit::Fit(this);
}

bool CObjectDlg::OnCommand(unsigned int commandId)
{
    const int kind = KindOfCommand(commandId);
    if (kind == 0)
        return false;
    if (m_pFrame) {
        // The command may come from inside the frame: let it finish first.
        QWidget* old = m_pFrame;
        m_pFrame = nullptr;
        EndPolls(old);
        EndLinkRequest(old);
        old->hide();
        old->deleteLater();
    }
    CreateObjectFrame(kind);
    return true;
}

void CObjectDlg::EndPolls(QWidget* frame)
{
    const QList<QObject*> all = frame->findChildren<QObject*>();
    for (QObject* o : all)
        if (auto* timer = qobject_cast<QTimer*>(o))
            timer->stop();
    // Timers started on the objects themselves cannot be reached: their
    // events are dropped until the frame is gone.
    frame->installEventFilter(this);
    for (QObject* o : all)
        o->installEventFilter(this);
}

void CObjectDlg::EndLinkRequest(QWidget* frame)
{
    CCommLink* link = GetCommLink();
    if (!link || link->GetLinkState() != linkstate::BlockRequest)
        return;
    // A request whose window has gone belongs to no one; a request of a
    // window outside the frame (a live dialog beside the host) goes on.
    if (ILinkAnswerSink* reply = link->GetRequestReply()) {
        auto* asker = dynamic_cast<QWidget*>(reply);
        if (!asker || (asker != frame && !frame->isAncestorOf(asker)))
            return;
    }
    link->SetLinkState(linkstate::Online);
}

bool CObjectDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Timer && watched != this && watched != m_pFrame)
        return true;
    return QDialog::eventFilter(watched, event);
}

bool CObjectDlg::SendCommand(QWidget* from, unsigned int commandId)
{
    for (QWidget* w = from; w; w = w->parentWidget())
        if (auto* host = qobject_cast<CObjectDlg*>(w))
            return host->OnCommand(commandId);
    return false;
}

QSize CObjectDlg::PlacedSize() const
{
    const QSize size = m_placement.size().expandedTo(minimumSize());
    const QRect area = CScreenFit::AreaFor(this);
    return area.isEmpty() ? size : size.boundedTo(area.size());
}

void CObjectDlg::SavePlacement()
{
    const QRect& g = m_placement;
    WriteSetting(SettingsKey(), QString::asprintf("%d,%d,%d,%d", g.x(), g.y(), g.width(), g.height()));
}

void CObjectDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Before the window shows, nothing is the user's doing.
    if (!m_pFrame || !m_bInitialised || !isVisible())
        return;
    // The room a frame's minimum forced on the window, or the room its screen
    // left it, is not the user's size.
    if (event->size() == PlacedSize() || CScreenFit::IsFitting(this))
        return;
    m_placement.setSize(event->size());
    SavePlacement();
}

void CObjectDlg::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (!m_pFrame || !m_bInitialised)
        return;
    // Before the window shows, nothing is the user's doing; where the screen
    // put the window is not where the user did.
    if (isVisible() && !CScreenFit::IsFitting(this))
        m_placement.moveTopLeft(geometry().topLeft());
    SavePlacement();
}
