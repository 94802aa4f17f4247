#pragma once
// "Aktuelle Monitoreinstellungen": what the device's monitor output does now
// (volume, source kind, source index, selected table entry), read from the
// device when the dialog opens and after each change it sends. It does not
// touch the project's monitor table.

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

class CMonitorLiveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMonitorLiveDlg(QWidget* parent = nullptr);
    ~CMonitorLiveDlg() override;

    // Reads the four values from the device (only while the project is the one on it).
    void Refresh();
    // Applies exactly four answers (volume, source, index, table entry); false otherwise.
    bool ApplyAnswers(const std::vector<std::string>& answers);
    // The source word of a combo item (0 "OFF" .. 6 "AMP_OUT").
    static const char* SourceWord(int item);

    QSlider* m_volume = nullptr;
    QLabel* m_volumeText = nullptr;
    QComboBox* m_source = nullptr;
    QLineEdit* m_index = nullptr;
    QLineEdit* m_entry = nullptr;

private:
    void OnSource(int item);
    void OnVolume(int position);
    void OnIndexEdited();
    void OnEntryEdited();
    void SendAndRefresh(const std::string& line);
};
