#pragma once
// The print preview. It opens wide enough to show its whole tool bar: a
// window shown for the first time gets at most two thirds of its screen's
// width, and on a screen of 1280 pixels at 120 DPI, or of 1000 at 96, the
// print button, the bar's last, would be hidden behind the bar's overflow.

#include <QPrintPreviewDialog>

class QPrinter;

class CPrintPreviewDlg : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // Previews on `printer`, which outlives the dialog.
    CPrintPreviewDlg(QPrinter* printer, QWidget* parent);
    // Previews on a printer of its own.
    explicit CPrintPreviewDlg(QWidget* parent = nullptr);

    void setVisible(bool visible) override;
};
