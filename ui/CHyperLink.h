#pragma once
// Static text that acts as a link: a click opens its target (a web address or
// a "mailto:" address) with the desktop's program for it. It is drawn in the
// link colour, in the visited colour once opened, and in the hover colour
// while the pointer is over it; a hand cursor and a tool tip with the target
// show over it. The control shrinks or grows to its text.

#include <QColor>
#include <QLabel>
#include <QString>

#include <functional>

class CHyperLink : public QLabel {
    Q_OBJECT
public:
    explicit CHyperLink(QWidget* parent = nullptr);
    CHyperLink(const QString& text, const QString& target, QWidget* parent = nullptr);

    void SetTarget(const QString& target);
    QString GetTarget() const { return m_strTarget; }
    void SetVisited(bool visited);
    bool GetVisited() const { return m_bVisited; }
    void SetUnderline(bool underline);
    bool GetUnderline() const { return m_bUnderline; }
    bool IsHovering() const { return m_bOverControl; }
    QColor CurrentColour() const;

    // Takes over the control: target and text from each other, link font,
    // size fitted to the text, cursor and tool tip. Done at the first show
    // when the owner does not call it before.
    void Attach();
    void FitToText();

    // Opens `target`; the result is greater than 32 on success, else one of
    // the error codes of ShowOpenError.
    static int OpenTarget(const QString& target, int showCommand = 1);
    static void ShowOpenError(int code);
    static QString OpenErrorText(int code);
    // The program that opens targets (tests put their own in); returns the old one.
    using Opener = std::function<int(const QString& target)>;
    static Opener SetOpener(Opener opener);

    void OnClicked();

    static constexpr QColor kLinkColour{0, 0, 238};
    static constexpr QColor kVisitedColour{85, 26, 139};

protected:
    void showEvent(QShowEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyColour();
    void ApplyFont();

    QColor m_crLinkColour = kLinkColour;
    QColor m_crVisitedColour = kVisitedColour;
    QColor m_crHoverColour;
    bool m_bOverControl = false;
    bool m_bVisited = false;
    bool m_bUnderline = true;
    bool m_bAdjustToFit = true;
    QString m_strTarget;
    bool m_bAttached = false;
};
