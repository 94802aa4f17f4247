#pragma once
// "Fehlertexte": the 18 fault texts of the project's ready-input settings
// (the first five the user's, up to 16 characters) and the delay of masked
// fault signals; sends them to the device or reads them back.

#include "ui/CResizableDialog.h"

class CGlobalReadyInput;
class QAction;
class QLineEdit;
class QTableWidget;

class CFaultTextDlg : public CResizableDialog {
    Q_OBJECT
public:
    static constexpr int kToolBarId = 430;
    static constexpr unsigned kUpload = 32950;    // "Fehlertexte uploaden"
    static constexpr unsigned kDownload = 32951;  // "Fehlertexte downloaden"
    static constexpr int kMaxTextLength = 16;

    explicit CFaultTextDlg(QWidget* parent = nullptr);

    // Takes the five user texts and the delay into the project; false (with
    // the reason shown) when the delay is not a number from 0.0 to 25.0.
    bool StoreTexts();
    void LoadTexts();
    // Sends the texts and the delay to the device or reads them back. While
    // it runs the bar, the list, the delay and the close button take no
    // input and the dialog does not close; a second click starts nothing.
    void Transfer(bool upload);
    bool IsTransferring() const { return m_transferring; }
    // End of an edit of a "Text" cell: rows 1..5 take up to 16 characters.
    bool OnEndLabelEdit(int row, const QString& text);

    QTableWidget* GetList() const { return m_list; }
    QLineEdit* GetDelay() const { return m_delay; }
    QAction* GetAction(unsigned id) const;

protected:
    void accept() override;
    void reject() override;

private:
    CGlobalReadyInput* m_readyInput = nullptr;
    QTableWidget* m_list = nullptr;
    QLineEdit* m_delay = nullptr;
    bool m_filling = false;
    bool m_transferring = false;
};
