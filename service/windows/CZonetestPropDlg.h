#pragma once
// "Linientest Eigenschaften": the device settings of the zone test. Every
// entry goes into the project's zone-test settings when its control loses the
// focus and is shown back as stored (clamped, in its canonical form); the
// dialog keeps nothing of its own, so Cancel undoes nothing.

#include <QDialog>

#include <array>

class CValueEdit;
class CZonetestObject;
class QCheckBox;

class CZonetestPropDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kEdits = 6;
    explicit CZonetestPropDlg(QWidget* parent = nullptr);
    ~CZonetestPropDlg() override;

    // Takes an edit's text into the settings and shows what was stored.
    void StoreEdit(int index);
    CValueEdit* GetEdit(int index) const { return m_edits[static_cast<size_t>(index)]; }
    QCheckBox* GetShortBox() const { return m_short; }

private:
    CZonetestObject* m_zonetest = nullptr;
    std::array<CValueEdit*, kEdits> m_edits {};
    QCheckBox* m_short = nullptr;
};
