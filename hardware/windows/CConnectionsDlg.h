#pragma once
// Diagnostic dialog listing every link record of one object: its outgoing
// records on the left, its incoming records on the right. It changes nothing.

#include <QDialog>

#include <string>

class CBaseDevice;
struct LinkRecord;
class QListWidget;

class CConnectionsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 423;

    explicit CConnectionsDlg(QWidget* parent = nullptr);

    // The object whose links are shown; set before the dialog is shown.
    CBaseDevice* m_pDevice = nullptr;

    // The line of one record (outgoing for the left list).
    static std::string RecordLine(const CBaseDevice* self, const LinkRecord& r, bool outgoing);

    QListWidget* m_inputList = nullptr;   // 1437
    QListWidget* m_outputList = nullptr;  // 1438

    void setVisible(bool visible) override;

private:
    void OnInitDialog();
    bool m_initialised = false;
};
