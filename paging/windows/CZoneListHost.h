#pragma once
// A plain window around the zone list, with the two commands of the
// line-test window ("Liniendaten downloaden", "Anzeige aktualisieren") and a
// status line whose pane shows the device's test mode.

#include <QDialog>

class CQuillomerDoc;
class CZoneListView;
class QLabel;
class QToolButton;

class CZoneListHost : public QDialog {
    Q_OBJECT
public:
    explicit CZoneListHost(CQuillomerDoc* doc, QWidget* parent = nullptr);

    CZoneListView* View() const { return m_pView; }
    QToolButton* DownloadButton() const { return m_pDownload; }
    QToolButton* RefreshButton() const { return m_pRefresh; }
    QLabel* StatusPane() const { return m_pStatus; }

private:
    CZoneListView* m_pView;
    QToolButton* m_pDownload;
    QToolButton* m_pRefresh;
    QLabel* m_pStatus;
};
