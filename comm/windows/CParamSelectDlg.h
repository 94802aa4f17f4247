#pragma once
// The parameter groups of a transfer and its direction ("QUILLOMER -
// Betriebsparameter lesen oder setzen"). The ticked groups are kept in
// "Configuration"/"Download"; OK fills the selection's object list.

#include <QDialog>

#include "comm/ICommLinkHost.h"

class QListWidget;
class QPushButton;
class QRadioButton;

class CParamSelectDlg : public QDialog {
    Q_OBJECT
public:
    CParamSelectDlg(ParamSelection& selection, QWidget* parent = nullptr);

    QListWidget* GroupList() const { return m_groups; }
    QPushButton* SelectAllButton() const { return m_selectAll; }
    QRadioButton* UploadButton() const { return m_upload; }
    QRadioButton* DownloadButton() const { return m_download; }
    // The ticked groups as bits.
    uint32_t CheckedGroups() const;

    void OnSelectAll();
    void OnTextFile();
    void accept() override;

private:
    ParamSelection& m_selection;
    bool m_toggle = true;  // the next "select all" ticks everything
    QPushButton* m_selectAll;  // 1312
    QListWidget* m_groups;     // 1201
    QRadioButton* m_upload;    // 1003
    QRadioButton* m_download;  // 1004
};
