#include "ui/CHyperLink.h"

#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPalette>
#include <QUrl>

namespace {
// Shell error codes for opening a document.
constexpr int kOpenOk = 33;
constexpr int kNoAssociation = 31;

CHyperLink::Opener& CurrentOpener()
{
    static CHyperLink::Opener opener;
    return opener;
}
}  // namespace

CHyperLink::CHyperLink(QWidget* parent) : QLabel(parent)
{
    m_crHoverColour = QApplication::palette().color(QPalette::Highlight);
    setCursor(Qt::PointingHandCursor);  // the link cursor
    setAutoFillBackground(false);       // transparent background
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ApplyColour();
}

CHyperLink::CHyperLink(const QString& text, const QString& target, QWidget* parent) : CHyperLink(parent)
{
    QLabel::setText(text);
    m_strTarget = target;
}

CHyperLink::Opener CHyperLink::SetOpener(Opener opener)
{
    Opener old = std::move(CurrentOpener());
    CurrentOpener() = std::move(opener);
    return old;
}

void CHyperLink::Attach()
{
    m_bAttached = true;
    if (m_strTarget.isEmpty())
        m_strTarget = text();
    if (text().isEmpty())
        QLabel::setText(m_strTarget);
    ApplyFont();
    FitToText();
    setToolTip(m_strTarget);
    ApplyColour();
}

void CHyperLink::showEvent(QShowEvent* event)
{
    if (!m_bAttached)
        Attach();
    QLabel::showEvent(event);
}

void CHyperLink::ApplyFont()
{
    QFont f = font();
    f.setUnderline(m_bUnderline);
    setFont(f);
}

QColor CHyperLink::CurrentColour() const
{
    if (m_bOverControl)
        return m_crHoverColour;
    return m_bVisited ? m_crVisitedColour : m_crLinkColour;
}

void CHyperLink::ApplyColour()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, CurrentColour());
    setPalette(p);
    update();
}

void CHyperLink::SetTarget(const QString& target)
{
    m_strTarget = target;
    if (m_bAttached) {
        FitToText();
        setToolTip(m_strTarget);
    }
}

void CHyperLink::SetVisited(bool visited)
{
    m_bVisited = visited;
    ApplyColour();
}

void CHyperLink::SetUnderline(bool underline)
{
    m_bUnderline = underline;
    ApplyFont();
    update();
}

void CHyperLink::FitToText()
{
    if (!m_bAdjustToFit)
        return;
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    const int w = fm.horizontalAdvance(text()) + m.left() + m.right() + 2 * margin();
    const int h = fm.height() + m.top() + m.bottom() + 2 * margin();
    QRect r = geometry();
    const Qt::Alignment a = alignment();
    int x = r.x();
    if (a & Qt::AlignHCenter)
        x = r.x() + (r.width() - w) / 2;  // keeps its horizontal centre
    else if (a & Qt::AlignRight)
        x = r.x() + r.width() - w;        // keeps its right edge
    int y = r.y();
    if (a & Qt::AlignVCenter)
        y = r.y() + (r.height() - h) / 2; // keeps its vertical centre
    setGeometry(x, y, w, h);
}

void CHyperLink::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    m_bOverControl = true;
    ApplyColour();
    repaint();
}

void CHyperLink::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    m_bOverControl = false;
    ApplyColour();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OnClicked();
}

void CHyperLink::OnClicked()
{
    const int result = OpenTarget(m_strTarget, 1);
    if (result > 32) {
        SetVisited(true);
    } else {
        QApplication::beep();
        ShowOpenError(result);
    }
}

int CHyperLink::OpenTarget(const QString& target, int showCommand)
{
    Q_UNUSED(showCommand);
    if (CurrentOpener())
        return CurrentOpener()(target);
    const QUrl url = QUrl::fromUserInput(target);
    if (!url.isValid())
        return 2;  // "The specified file was not found."
    return QDesktopServices::openUrl(url) ? kOpenOk : kNoAssociation;
}

QString CHyperLink::OpenErrorText(int code)
{
    switch (code) {
    case 0: return QStringLiteral("The operating system is out\nof memory or resources.");
    case 2: return QStringLiteral("The specified file was not found.");
    case 3: return QStringLiteral("The specified path was not found.");
    case 5: return QStringLiteral("The operating system denied\naccess to the specified file.");
    case 8: return QStringLiteral("There was not enough memory to complete the operation.");
    case 11: return QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26: return QStringLiteral("A sharing violation occurred. ");
    case 27: return QStringLiteral("The filename association is\nincomplete or invalid.");
    case 28: return QStringLiteral("The DDE transaction could not\nbe completed because the request timed out.");
    case 29: return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral(
            "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.");
    case 31: return QStringLiteral("There is no application associated\nwith the given filename extension.");
    case 32: return QStringLiteral("The specified dynamic-link library was not found.");
    default: return QString::fromStdString(StrFormat("Unknown Error (%d) occurred.", code));
    }
}

void CHyperLink::ShowOpenError(int code)
{
    const QString text = QStringLiteral("Unable to open hyperlink:\n\n") + OpenErrorText(code);
    ShowMessage(text.toStdString(), mb::Ok | mb::IconExclamation);
}
