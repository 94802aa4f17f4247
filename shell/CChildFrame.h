#pragma once
// The MDI child window of a designer window: holds the view of one document.
// Closing it closes the document (asking to save a modified one).

#include <QMdiSubWindow>

class CQuillomerView;
class CQuillomerDoc;
class CDocTemplate;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CDocTemplate* docTemplate, CQuillomerDoc* doc, QWidget* parent = nullptr);

    CQuillomerView* GetView() const { return m_view; }
    // Set while the template closes the document itself (no further question).
    void SetClosing() { m_closing = true; }
    // Shows the document's title.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CDocTemplate* m_template;
    CQuillomerView* m_view;
    bool m_closing = false;
};
