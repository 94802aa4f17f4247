#include "paging/windows/CKeyView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHelpEvent>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPointer>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <vector>

#include "comm/CCommLink.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CCopyKeysDlg.h"
#include "paging/windows/CKeyPropDlg.h"
#include "paging/windows/CRangeKeysDlg.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CInputHold.h"
#include "ui/CScreenFit.h"
#include "ui/CTransferLoop.h"
#include "ui/PrintJob.h"

namespace {
const QString kMaker = QStringLiteral("HALVERON");
const QString kExtensionType = QStringLiteral("WRN2296");

QRect Q(const CRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

// The console's name and the maker on an extension panel.
QFont BoldFont()
{
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(18);
    bold.setWeight(QFont::Bold);
    return bold;
}

// The maker and the type above the display.
QFont HeaderFont()
{
    QFont header(QStringLiteral("Arial"));
    header.setPixelSize(16);
    header.setWeight(QFont::Medium);
    return header;
}

std::string QueryThroughLink(const std::string& line)
{
    CCommLink* link = GetCommLink();
    return link && link->IsConnected() ? link->QueryUntilLineEnd(line, 5000) : std::string();
}

CKeyView::VersionQuery& VersionHook()
{
    static CKeyView::VersionQuery fn = &QueryThroughLink;
    return fn;
}

QFont CaptionFont()
{
    QFont f(QStringLiteral("Arial Narrow"));
    f.setPointSize(8);
    return f;
}
}  // namespace

CKeyView::VersionQuery CKeyView::SetVersionQuery(VersionQuery fn)
{
    VersionQuery old = VersionHook();
    VersionHook() = fn ? fn : &QueryThroughLink;
    return old;
}

CKeyView::CKeyView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KeyView"));
    setMouseTracking(true);
    setAutoFillBackground(false);
    setFont(CaptionFont());
}

CKeyView::~CKeyView()
{
    LeaveConsole();
}

// ---------------------------------------------------------------- console

void CKeyView::ShowConsole(CConsole* console, int clientHeight)
{
    LeaveConsole();
    m_console = console;
    if (!console)
        return;
    for (CConsKey* key : console->GetProp().GetAllKeys())
        key->SetView(this);
    // The keys' targets are read afresh from the links (older ones may be gone).
    LayoutFront(clientHeight);
    console->RefreshKeys();
    update();
}

void CKeyView::Relayout(int clientHeight)
{
    if (!m_console)
        return;
    LayoutFront(clientHeight);
    // Captions are fitted to the new buttons.
    for (CConsKey* key : m_console->GetProp().GetAllKeys())
        key->SetFirstTarget(key->GetFirstTarget());
    update();
}

void CKeyView::LayoutFront(int clientHeight)
{
    CConsProp& prop = m_console->GetProp();
    const CRect talk = prop.LayoutKeys(clientHeight);
    m_fixedKeys = prop.GetFixedCount();
    const QWidget* viewport = parentWidget();
    int width = viewport ? viewport->width() : 600;
    if (m_fixedKeys > 10)
        width = kScrollWidth;
    if (width < 2 * talk.right - talk.left)
        width = 2 * talk.right - talk.left;
    m_panel = QRect(QPoint(10, 5), QPoint(talk.right + static_cast<int>(0.66 * talk.Width()), clientHeight - 6));
    m_extensionPanel = QRect();
    if (m_fixedKeys > 50) {
        if (const CConsKey* base = prop.FindKey(1)) {
            const int right = base->GetCell().left - base->GetCell().Width() * 2 / 3;
            m_extensionPanel = QRect(QPoint(10, 5), QPoint(right, clientHeight - 6));
            m_panel.setLeft(right + 20);
        }
    }
    const CConsKey* k103 = prop.FindKey(103);
    const CConsKey* k105 = prop.FindKey(105);
    if (k103 && k105) {
        CRect d = k103->GetCell();
        d.right = k105->GetCell().right;
        d.OffsetRect(0, -(d.Height() * 133 / 100));
        m_display = Q(d);
    }
    setMinimumSize(width, clientHeight);
    resize(width, clientHeight);
}

void CKeyView::LeaveConsole()
{
    // A transfer of the console stops at its next step: it must not go on
    // with a console the view no longer shows.
    if (m_transfer)
        m_transfer->Cancel();
    CloseKeyProperties();
    DeselectKey();
    if (m_console)
        for (CConsKey* key : m_console->GetProp().GetAllKeys())
            key->SetView(nullptr);
    m_console = nullptr;
    m_tips.clear();
}

// ---------------------------------------------------------------- keys

std::vector<CConsKey*> CKeyView::ShownKeys() const
{
    std::vector<CConsKey*> keys;
    if (!m_console)
        return keys;
    const CConsProp& prop = m_console->GetProp();
    for (int n = 1; n <= prop.GetFixedCount(); ++n)
        if (CConsKey* key = prop.FindKey(n))
            keys.push_back(key);
    for (CConsKey* key : prop.GetProgrammableKeys())
        if (prop.GetModel() != consmodel::WRN2283 || key->GetNumber() > 102)
            keys.push_back(key);
    return keys;
}

CConsKey* CKeyView::HitTest(const QPoint& point) const
{
    for (CConsKey* key : ShownKeys())
        if (Q(key->GetCell()).contains(point))
            return key;
    return nullptr;
}

void CKeyView::SelectKey(CConsKey* key)
{
    if (key == m_selected)
        return;
    if (m_selected) {
        m_selected->SetSelected(false);
        update(Q(m_selected->GetCell()).adjusted(-2, -2, 2, 2));
    }
    m_selected = key;
    if (key) {
        key->SetSelected(true);
        update(Q(key->GetCell()).adjusted(-2, -2, 2, 2));
        if (m_keyProps)
            m_keyProps->ShowKey(key);
    }
}

void CKeyView::DeselectKey()
{
    if (m_selected) {
        m_selected->SetSelected(false);
        update();
    }
    m_selected = nullptr;
}

void CKeyView::OpenKeyProperties(CConsKey* key)
{
    if (!key)
        return;
    const bool opened = !m_keyProps;
    if (!m_keyProps) {
        m_keyProps = new (std::nothrow) CKeyPropDlg(this, key);
        if (!m_keyProps) {
            ShowMessage("Out of Memory while creating keyprop dialog object !", mb::IconStop);
            return;
        }
        connect(m_keyProps, &QObject::destroyed, this, [this] {
            m_keyProps = nullptr;
            DeselectKey();
        });
    }
    SelectKey(key);
    m_keyProps->ShowKey(key);
    if (opened)
        PlaceKeyProperties();
    m_keyProps->show();
    m_keyProps->raise();
    m_keyProps->activateWindow();
}

// The dialog opens beside the console front, not over it: while it is open
// the user picks the next key with a click on the front. It goes where it
// hides none of the keys shown and none of the sheet's buttons: beside the
// sheet where the screen has room, else over the sheet's other parts; where
// every place hides keys, where it hides the fewest. Of places alike the one
// nearest the keys. Always whole on the screen, its frame included.
void CKeyView::PlaceKeyProperties()
{
    QWidget* sheet = window();
    if (!m_keyProps || !sheet || sheet == m_keyProps || !m_console)
        return;
    // The size the dialog shows with, and until the window system has framed
    // it, the frame the sheet has.
    if (QLayout* layout = m_keyProps->layout())
        layout->activate();
    const QRect inner = sheet->geometry();
    const QRect outer = sheet->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QSize size = m_keyProps->size().expandedTo(m_keyProps->minimumSize()).grownBy(frame);
    const QScreen* screen = CScreenFit::ScreenOf(outer, sheet);
    if (!screen)
        return;
    const QRect area = CScreenFit::FreeArea(screen);

    // What stays in sight: the sheet's buttons, and as much as can be of the
    // keys in view and the tool bars; each with a little room around it, as
    // at a fractional scale the window system may put the dialog a pixel
    // beside where it was asked to.
    const QMargins room(2, 2, 2, 2);
    const QRect shown = visibleRegion().boundingRect();
    std::vector<QRect> keys;
    QRect keysBox;
    for (const CConsKey* key : ShownKeys()) {
        const QRect cell = Q(key->GetCell()).intersected(shown);
        if (cell.isEmpty())
            continue;
        keys.push_back(QRect(mapToGlobal(cell.topLeft()), cell.size()).marginsAdded(room));
        keysBox |= keys.back();
    }
    for (const QToolBar* bar : sheet->findChildren<QToolBar*>())
        for (const QToolButton* button : bar->findChildren<QToolButton*>())
            if (button->isVisible())
                keys.push_back(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()).marginsAdded(room));
    std::vector<QRect> buttons;
    for (const QDialogButtonBox* box : sheet->findChildren<QDialogButtonBox*>())
        if (box->isVisible())
            buttons.push_back(QRect(box->mapToGlobal(QPoint(0, 0)), box->size()).marginsAdded(room));

    // Beside the sheet first, then along the edges of everything to be kept in sight.
    std::vector<int> xs{outer.left(), outer.right() + 1, outer.left() - size.width(), area.left(),
                        area.right() + 1 - size.width()};
    std::vector<int> ys{outer.bottom() + 1, outer.top() - size.height(), outer.top(), area.top(),
                        area.bottom() + 1 - size.height()};
    for (const std::vector<QRect>* rects : {&buttons, &keys})
        for (const QRect& r : *rects) {
            xs.insert(xs.end(), {r.left() - size.width(), r.right() + 1});
            ys.insert(ys.end(), {r.top() - size.height(), r.bottom() + 1});
        }
    const auto hidden = [](const QRect& place, const std::vector<QRect>& rects) {
        qint64 sum = 0;
        for (const QRect& r : rects) {
            const QRect h = place.intersected(r);
            sum += h.isEmpty() ? 0 : qint64(h.width()) * h.height();
        }
        return sum;
    };
    const auto gap = [](const QRect& a, const QRect& b) {
        const int dx = std::max({0, a.left() - b.right(), b.left() - a.right()});
        const int dy = std::max({0, a.top() - b.bottom(), b.top() - a.bottom()});
        return qint64(dx) + dy;
    };
    // The sheet's contents, its margins left out.
    const std::vector<QRect> contents{QRect(sheet->mapToGlobal(sheet->childrenRect().topLeft()), sheet->childrenRect().size())};
    // Buttons hidden, keys and tool buttons hidden, the sheet's contents hidden, distance from the keys.
    using Cost = std::array<qint64, 4>;
    QRect best;
    Cost bestCost{};
    for (const int y : ys)
        for (const int x : xs) {
            const QRect place = CScreenFit::Within(QRect(QPoint(x, y), size), area);
            const Cost cost{hidden(place, buttons), hidden(place, keys), hidden(place, contents),
                            keysBox.isEmpty() ? 0 : gap(place, keysBox)};
            if (best.isNull() || cost < bestCost) {
                best = place;
                bestCost = cost;
            }
        }
    m_keyProps->resize(best.size().shrunkBy(frame));
    m_keyProps->move(best.topLeft());
}

void CKeyView::CloseKeyProperties()
{
    if (m_keyProps) {
        CKeyPropDlg* dlg = m_keyProps;
        m_keyProps = nullptr;
        disconnect(dlg, nullptr, this, nullptr);
        delete dlg;
    }
}

void CKeyView::UpdateKey(int flags, CBaseDevice* first, CBaseDevice* second)
{
    if (!m_selected)
        return;
    if (flags & 2)
        m_selected->SetSecondTarget(second);
    if (flags & 1)
        m_selected->SetFirstTarget(first);
    update(Q(m_selected->GetCell()).adjusted(-2, -2, 2, 2));
    emit keysModified();
}

CConsKey* CKeyView::FindSelKeyFor(const CBaseDevice* obj) const
{
    if (!m_console)
        return nullptr;
    for (CConsKey* key : m_console->GetProp().GetFixedKeys())
        if (key->GetFirstTarget() == obj && key->Working().function == CKF_SEL)
            return key;
    return nullptr;
}

void CKeyView::KeyChanged(CConsKey& key)
{
    update(Q(key.GetCell()).adjusted(-2, -2, 2, 2));
}

std::string CKeyView::FitCaption(const std::string& caption, int width)
{
    const QFontMetrics fm(font());
    return fm.elidedText(QString::fromStdString(caption), Qt::ElideRight, std::max(width, 8)).toStdString();
}

void CKeyView::AddKeyTip(int keyNumber, const std::string& text, const CRect&)
{
    m_tips[keyNumber] = text;
}

void CKeyView::RemoveKeyTip(int keyNumber)
{
    m_tips.erase(keyNumber);
}

bool CKeyView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const CConsKey* key = HitTest(help->pos());
        const auto tip = key ? m_tips.find(key->GetNumber()) : m_tips.end();
        if (tip != m_tips.end())
            QToolTip::showText(help->globalPos(), QString::fromStdString(tip->second), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

// ---------------------------------------------------------------- mouse

void CKeyView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_keyProps)
        if (CConsKey* key = HitTest(event->position().toPoint()))
            SelectKey(key);
    QWidget::mousePressEvent(event);
}

void CKeyView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (CConsKey* key = HitTest(event->position().toPoint()))
        OpenKeyProperties(key);
}

void CKeyView::contextMenuEvent(QContextMenuEvent* event)
{
    CConsKey* key = HitTest(event->pos());
    if (!key)
        return;
    if (m_keyProps)
        SelectKey(key);
    QMenu menu(this);
    QAction* props = menu.addAction(tr("&Eigenschaften"));
    QAction* alarm = nullptr;
    QAction* keySwitch = nullptr;
    if (key->IsProgrammed() && (key->GetNumber() == 110 || key->GetNumber() == 111)) {
        menu.addSeparator();
        QMenu* look = menu.addMenu(QString::fromStdString(LoadStringId(IDS_CONS_KEY_VIEW)));
        alarm = look->addAction(tr("&Alarmtaste"));
        keySwitch = look->addAction(tr("&Schlüsselschalter"));
        alarm->setCheckable(true);
        keySwitch->setCheckable(true);
        (key->GetBitmapId() == 301 ? keySwitch : alarm)->setChecked(true);
    }
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == props) {
        OpenKeyProperties(key);
    } else if (chosen && (chosen == alarm || chosen == keySwitch)) {
        key->SetBitmapId(chosen == keySwitch ? 301 : 303);
        m_console->SetDocModified();
        update();
    }
}

// ---------------------------------------------------------------- drawing

void CKeyView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(132, 174, 172));
    DrawConsole(p);
}

void CKeyView::DrawConsole(QPainter& p)
{
    if (!m_console)
        return;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::black);
    p.setBrush(QColor(220, 220, 220));
    p.drawRoundedRect(m_panel, kPanelCornerRadius, kPanelCornerRadius);
    if (m_extensionPanel.isValid()) {
        p.drawRoundedRect(m_extensionPanel, kPanelCornerRadius, kPanelCornerRadius);
        // The maker's name in bold, the unit's type beside it in the header font.
        const TextPair head = ExtensionHead();
        p.setFont(head.font);
        p.drawText(head.left, Qt::AlignLeft | Qt::AlignTop, kMaker);
        QFont type = HeaderFont();
        type.setPixelSize(std::min(type.pixelSize(), head.font.pixelSize()));
        p.setFont(type);
        p.drawText(head.right, Qt::AlignRight | Qt::AlignTop, kExtensionType);
    }
    const CConsProp& prop = m_console->GetProp();
    if (prop.HasDisplay()) {
        p.setPen(QColor(128, 128, 128));
        p.setBrush(QColor(50, 200, 50));
        p.drawRect(m_display);
    }
    QString name = QString::fromStdString(m_console->GetName());
    if (name.size() > 20)
        name = name.left(20) + QStringLiteral("...");
    p.setPen(Qt::black);
    p.setFont(BoldFont());
    // Centred on the display but never cut by it: a name wider than the
    // display reaches past both its sides.
    p.drawText(m_display.adjusted(0, 3, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, name);
    const TextPair head = DisplayHead();
    p.setFont(head.font);
    p.drawText(head.left, Qt::AlignLeft | Qt::AlignTop, kMaker);
    p.drawText(head.right, Qt::AlignRight | Qt::AlignTop, QString::fromStdString(prop.GetTypeText()));
    p.setFont(font());
    for (const CConsKey* key : prop.GetFixedKeys())
        DrawKey(p, *key);
    for (const CConsKey* key : prop.GetProgrammableKeys())
        if (!(prop.GetModel() == consmodel::WRN2283 && key->GetNumber() <= 102))
            DrawKey(p, *key);
}

CKeyView::TextPair CKeyView::FitTextPair(const QRect& band, QFont font, const QString& left, const QString& right)
{
    constexpr int kGap = 6;
    constexpr int kSmallest = 10;  // still easily read
    for (;;) {
        const QFontMetrics fm(font);
        const int wl = fm.horizontalAdvance(left);
        const int wr = fm.horizontalAdvance(right);
        const int shortfall = wl + kGap + wr - band.width();
        if (shortfall <= 0 || font.pixelSize() <= kSmallest) {
            // Never over each other: at the smallest size the two texts
            // move apart, beyond the band's ends by half the shortfall each.
            const int out = std::max(0, shortfall);
            const QRect l(band.left() - out / 2, band.top(), wl, fm.height());
            const QRect r(band.right() + 1 + (out - out / 2) - wr, band.top(), wr, fm.height());
            return {font, l, r};
        }
        font.setPixelSize(font.pixelSize() - 1);
    }
}

CKeyView::TextPair CKeyView::DisplayHead() const
{
    const QString type = m_console ? QString::fromStdString(m_console->GetProp().GetTypeText()) : QString();
    return FitTextPair(m_display.translated(2, -22), HeaderFont(), kMaker, type);
}

CKeyView::TextPair CKeyView::ExtensionHead() const
{
    if (!m_extensionPanel.isValid())
        return {};
    // Above the unit's first row of keys, never over a key: the font is
    // made smaller until a line fits between the panel's edge and the keys.
    int keysTop = m_extensionPanel.bottom();
    for (const CConsKey* key : m_console->GetProp().GetFixedKeys())
        keysTop = std::min(keysTop, Q(key->GetCell()).top());
    // Clear of the panel's rounded corners, too.
    const QRect band(QPoint(m_extensionPanel.left() + kPanelCornerRadius, m_extensionPanel.top() + 2),
                     QPoint(m_extensionPanel.right() - kPanelCornerRadius, keysTop - 2));
    QFont font = BoldFont();
    while (font.pixelSize() > 10 && QFontMetrics(font).height() > band.height())
        font.setPixelSize(font.pixelSize() - 1);
    // The type is drawn in the smaller header font: measured in the bold
    // one, it is given at least the room it needs.
    return FitTextPair(band, font, kMaker, kExtensionType);
}

void CKeyView::DrawKey(QPainter& p, const CConsKey& key)
{
    const bool image = key.GetBitmapId() != 0;
    if (image && key.GetNumber() >= 109 && !key.IsProgrammed())
        return;
    const QRect cell = Q(key.GetCell());
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(image && !key.IsProgrammed() ? QColor(192, 192, 192) : QColor(128, 128, 128));
    p.drawRoundedRect(cell, 6, 6);
    if (key.IsSelected()) {
        p.setPen(QPen(QColor(255, 0, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(cell, 6, 6);
    }
    const QRect button = Q(key.GetButtonRect());
    if (image) {
        // The pictures of the keys 109..112: alarm key, key switch, PTT.
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(key.GetBitmapId() == 303 ? QColor(220, 0, 0) : QColor(230, 230, 230));
        p.drawEllipse(button.adjusted(4, 4, -4, -4));
        if (key.GetBitmapId() == 301)
            p.drawRect(button.center().x() - 2, button.top() + 8, 4, button.height() - 16);
    } else {
        const bool macro = !key.IsProgrammable() && key.GetShownCategory() == CAT_MACRO;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(macro ? QColor(255, 255, 0) : QColor(255, 255, 255));
        p.drawRoundedRect(button, button.height() / 2.0, button.height() / 2.0);
        p.setPen(QPen(QColor(128, 128, 128), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(button.adjusted(2, 2, -2, -2), button.height() / 2.0 - 2, button.height() / 2.0 - 2);
        p.setPen(Qt::black);
        p.drawText(button, Qt::AlignCenter, QString::fromStdString(key.GetFittedCaption()));
        if (!key.IsProgrammed()) {
            p.setPen(QPen(QColor(192, 64, 64), 2));
            const QRect x = button.adjusted(8, 5, -8, -5);
            p.drawLine(x.topLeft(), x.bottomRight());
            p.drawLine(x.bottomLeft(), x.topRight());
        }
        p.setPen(Qt::black);
        p.setBrush(QColor(0, 255, 0));
        p.drawEllipse(QRect(QPoint(cell.left() + 5, cell.top() + 2), QPoint(cell.left() + 16, cell.top() + 13)));
        p.drawText(cell.adjusted(0, 1, -4, 0), Qt::AlignRight | Qt::AlignTop, QString::number(key.GetNumber()));
    }
}

int CKeyView::PrintConsole(QPrinter& printer)
{
    printer.setPageOrientation(m_fixedKeys > 50 ? QPageLayout::Landscape : QPageLayout::Portrait);
    int pages = 0;
    const int resolution = printer.resolution();
    const bool printed = RunPrintJobTelling(printer, [&](QPagedPaintDevice& device) {
        QPainter p(&device);
        if (!p.isActive() || !m_console)
            return false;
        pages = PrintPages(p, resolution, [&device] { device.newPage(); });
        return true;
    });
    return printed ? pages : 0;
}

int CKeyView::PrintPages(QPainter& p, int resolution, const std::function<void()>& newPage)
{
    if (!m_console)
        return 0;
    // A console with the extension unit prints the base console, then the extension.
    std::vector<QRect> parts{m_panel};
    if (m_extensionPanel.isValid())
        parts.push_back(m_extensionPanel);
    const int pages = static_cast<int>(parts.size());
    const QString name = QString::fromStdString(m_console->GetName());
    const CQuillomerDoc* doc = m_console->GetDocument();
    QFont courier(QStringLiteral("Courier New"));
    courier.setPointSize(10);
    QFont bannerFont(QStringLiteral("Braggadocio"));
    bannerFont.setPointSize(12);
    bannerFont.setWeight(QFont::ExtraLight);
    const QString banner = QStringLiteral("Q U I L L O M E R");
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && newPage)
            newPage();
        const QRect area = p.viewport();
        // The banner at the top, the footer at the bottom; the panel centred
        // on the page between them, at the printer's scale of the screen's
        // pixels, or smaller when it would not fit.
        p.setFont(bannerFont);
        const QFontMetrics bannerMetrics = p.fontMetrics();
        const int bannerLine = bannerMetrics.horizontalAdvance(QStringLiteral("QQ U I L L O M E RR"));
        const int bannerBottom = 2 * bannerMetrics.height() + 4;
        p.setFont(courier);
        const int footerTop = area.height() - 3 * p.fontMetrics().height();
        const int reserved = std::max(bannerBottom, area.height() - footerTop);
        const QRect part = parts[static_cast<size_t>(page - 1)];
        const QRect drawn = part.adjusted(0, -40, 0, 0);
        const double zoom = std::min({1.0 * area.width() / std::max(1, drawn.width()),
                                      1.0 * std::max(1, area.height() - 2 * reserved) / std::max(1, 2 * (part.center().y() - drawn.top())),
                                      resolution / 96.0});
        p.save();
        p.translate(area.width() / 2.0 - zoom * part.center().x(), area.height() / 2.0 - zoom * part.center().y());
        p.scale(zoom, zoom);
        p.setClipRect(part.adjusted(-2, -40, 2, 2));
        DrawConsole(p);
        QString title = name;
        if (pages > 1)
            title += page == 1 ? QStringLiteral("  'Master'") : QStringLiteral("  'Slave'");
        p.setFont(font());
        p.drawText(QRect(part.left(), part.top() - 34, part.width(), 24), Qt::AlignCenter, title);
        p.restore();

        p.setFont(bannerFont);
        const int bannerLeft = (area.width() - bannerLine) / 2;
        p.drawText(QRect(bannerLeft, 0, bannerLine, bannerMetrics.height() + 2), Qt::AlignCenter, banner);
        p.drawLine(bannerLeft, bannerMetrics.height() + 4, bannerLeft + bannerLine, bannerMetrics.height() + 4);

        p.setFont(courier);
        const QString footer = tr("Datei") + QStringLiteral(":  '") + QString::fromStdString(doc ? doc->GetPathName() : "") +
                               QStringLiteral("'   ") + tr("Datum") + QStringLiteral(":  ") +
                               QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) + QStringLiteral(" , ") +
                               QTime::currentTime().toString(QStringLiteral("HH:mm")) + QStringLiteral("   ") +
                               tr("Seite %1 von %2").arg(page).arg(pages);
        p.drawLine(0, footerTop, area.width(), footerTop);
        p.drawText(QRect(0, footerTop + 4, area.width(), p.fontMetrics().height() * 2), Qt::AlignLeft, footer);
    }
    return pages;
}

// ---------------------------------------------------------------- commands

bool CKeyView::IsCommandEnabled(unsigned commandId) const
{
    if (m_transfer)
        return false;
    switch (commandId) {
    case keyviewcmd::Download:
    case keyviewcmd::Upload:
    case keyviewcmd::Version:
        return m_console && m_console->GetDocument() && m_console->GetDocument()->IsConnected();
    default:
        return m_console != nullptr;
    }
}

bool CKeyView::OnCommand(unsigned commandId)
{
    if (!m_console)
        return false;
    if (m_transfer)
        return true;  // taken, and nothing done: the console is on its way
    switch (commandId) {
    case keyviewcmd::ClearKeys: ClearAll(); return true;
    case keyviewcmd::CopyKeys: CopyKeys(); return true;
    case keyviewcmd::Download: Transfer(0); return true;
    case keyviewcmd::Upload: Transfer(1); return true;
    case keyviewcmd::RangeKeys: ProgramRange(); return true;
    case keyviewcmd::Version: QueryVersion(); return true;
    case keyviewcmd::Print: {
        QPrinter printer;
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted)
            PrintConsole(printer);
        return true;
    }
    case keyviewcmd::Properties:
        OpenKeyProperties(m_selected);
        return true;
    default:
        return false;
    }
}

void CKeyView::Transfer(int mode)
{
    // One transfer at a time: a second click or a double-click starts nothing.
    if (m_transfer || !GetCommLink() || !IsCommandEnabled(mode ? keyviewcmd::Upload : keyviewcmd::Download))
        return;
    CConsole* console = m_console;
    const QPointer<CKeyView> alive(this);
    // The window around the view (the console's sheet: its other pages and
    // OK change the console too) and the key dialog take no input while
    // answers change the keys.
    CInputHold hold;
    hold.Hold({window(), m_keyProps}, window());
    CTransferLoop loop;
    m_transfer = &loop;
    // The download state holds the device's macros locked until it ends. An
    // upload starts its own difference file, shown at its end, for what the
    // console kept of the device's answers.
    const CTransferLoop::Result result = loop.Run(console, mode, -1, mode != 0);
    if (!alive)
        return;
    m_transfer = nullptr;
    hold.Release();
    if (mode && m_console == console) {
        console->RefreshKeys();
        if (m_keyProps && m_selected)
            m_keyProps->ShowKey(m_selected);
        update();
    }
    loop.ReportStop(result);
    loop.ReportRefused(result.stop, result.block);
}

void CKeyView::QueryVersion()
{
    const std::string query = m_console->GetPath() + "/RELEASE ?";
    std::string answer = VersionHook()(query);
    std::string lower = answer;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (answer.empty() || lower.rfind("console not connected", 0) == 0 ||
        answer.size() < query.size() - 1) {
        ShowMessageId(IDS_CONS_NO_VERSION, mb::IconExclamation);
        return;
    }
    std::string value = answer.substr(query.size() - 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\r' || value.back() == '\n'))
        value.pop_back();
    const size_t blank = value.find_last_of(' ');
    const std::string version = blank == std::string::npos ? value : value.substr(blank + 1);
    // "?" is the device's word for a query it refuses: no version, and the
    // device did answer.
    if (version.empty() || version == "?") {
        ShowMessageId(version.empty() ? IDS_CONS_NO_VERSION : IDS_CONS_VERSION_REFUSED, mb::IconExclamation);
        return;
    }
    ShowMessage(LoadStringId(IDS_CONS_VERSION_1) + m_console->GetName() + LoadStringId(IDS_CONS_VERSION_2) + version,
                mb::IconInformation);
}

void CKeyView::ClearAll()
{
    if (ShowMessageId(IDS_CONS_ASK_CLEAR_KEYS, mb::YesNo | mb::IconQuestion | mb::DefButton2) != mb::IdYes)
        return;
    m_console->ClearKeys();
    m_console->RefreshKeys();
    update();
    if (m_keyProps && m_selected)
        m_keyProps->ShowKey(m_selected);
    emit keysApplied();
}

void CKeyView::CopyKeys()
{
    DeviceList consoles;
    if (CQuillomerDoc* doc = m_console->GetDocument())
        doc->GetIDManager().GetBaseDeviceList(consoles, OT_CONSOLE);
    if (consoles.size() < 2) {
        ShowMessageId(IDS_CONS_NONE_TO_COPY, mb::IconExclamation);
        return;
    }
    CCopyKeysDlg dlg(this);
    dlg.m_sourceName = "'" + m_console->GetName() + "'";
    dlg.m_consoles = consoles;
    dlg.m_source = m_console;
    if (dlg.exec() != QDialog::Accepted || !dlg.m_chosen)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The shown keys are applied first, so their links are what is copied.
    emit applyRequested();
    m_console->CopyKeysTo(dynamic_cast<CConsole*>(dlg.m_chosen));
    QApplication::restoreOverrideCursor();
}

void CKeyView::ProgramRange()
{
    CRangeKeysDlg dlg(this);
    dlg.m_firstKey = 1;
    dlg.m_lastKey = m_console->GetProp().GetFixedCount();
    dlg.m_line = 1;
    if (dlg.DoModal() != QDialog::Accepted)
        return;
    m_console->ProgramKeyRange(dlg.m_firstKey, dlg.m_lastKey, dlg.m_line);
    m_console->RefreshKeys();
    update();
    if (m_keyProps && m_selected)
        m_keyProps->ShowKey(m_selected);
    emit keysApplied();
}
