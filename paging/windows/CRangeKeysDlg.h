#pragma once
// "Bereichs-Tastenprogrammierung": the first and last fixed key and the first
// line (zone) of a range key programming.

#include <QDialog>

class QSpinBox;

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

    QSpinBox* GetLineEdit() const { return m_lineEdit; }
    QSpinBox* GetFirstEdit() const { return m_first; }
    QSpinBox* GetLastEdit() const { return m_last; }
    void accept() override;

private:
    QSpinBox* m_first = nullptr;
    QSpinBox* m_last = nullptr;
    QSpinBox* m_lineEdit = nullptr;
};
