#pragma once
// Asks what to print: the block diagram, the parameter list or the device
// list. Remembers the last choice ("Configuration"/"Preview").

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

class CPrintContentDlg : public QDialog {
    Q_OBJECT
public:
    // PrintContentChoice.
    enum : int { ChoiceDiagram = 0, ChoiceParameterList = 1, ChoiceDeviceList = 2 };

    explicit CPrintContentDlg(QWidget* parent = nullptr);

    bool m_bPreview = false;
    QPushButton* m_btnPrinterSetup = nullptr;
    int m_nContent = -1;

    // The view's print mode of a choice: 1 diagram, 3 parameter list, 2 device list.
    static int PrintModeOf(int choice);

    void OnPrinterSetup();
    void OnOK();
    QRadioButton* ChoiceButton(int choice) const { return m_radio[choice]; }
    QGroupBox* HintBox() const { return m_hint; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool OnInitDialog();

    QRadioButton* m_radio[3];
    QGroupBox* m_selection;
    QGroupBox* m_hint;
    bool m_initialised = false;
};
