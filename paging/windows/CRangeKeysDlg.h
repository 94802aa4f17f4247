#pragma once
// "Bereichs-Tastenprogrammierung": the first and last fixed key and the first
// line (zone) of a range key programming.

#include <QDialog>

#include "ui/CWholeSpinBox.h"

class CRangeKeysDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 404;

    explicit CRangeKeysDlg(QWidget* parent = nullptr);

    int DoModal();
    // Set before the run, read after OK.
    int m_firstKey = 1;
    int m_lastKey = 0;
    int m_line = 1;

    CWholeSpinBox* GetLineEdit() const { return m_lineEdit; }
    CWholeSpinBox* GetFirstEdit() const { return m_first; }
    CWholeSpinBox* GetLastEdit() const { return m_last; }
    void accept() override;

private:
    CWholeSpinBox* m_first = nullptr;
    CWholeSpinBox* m_last = nullptr;
    CWholeSpinBox* m_lineEdit = nullptr;
    // The field whose typed text was refused (shown with its old value
    // again) since OK was last pressed: OK then goes no further.
    CWholeSpinBox* m_refused = nullptr;
};
