#pragma once
// "Audiosignale einstellen": the modal editor of the document's audio signals
// and common audio settings. The signal list sits on the left; the alarm,
// chime, message and common settings pages on the right follow the list's
// selection.

#include "ui/CPropertySheet.h"

class CAlarmPage;
class CBackgroundPage;
class CChimePage;
class CMessagePage;
class CQuillomerDoc;
class CSignalListDlg;
class CSignalPage;

class CAudioEditor : public CPropertySheet {
    Q_OBJECT
public:
    explicit CAudioEditor(CQuillomerDoc* doc, QWidget* parent = nullptr);

    CAlarmPage* m_alarm = nullptr;
    CChimePage* m_chime = nullptr;
    CMessagePage* m_message = nullptr;
    CBackgroundPage* m_background = nullptr;
    CSignalListDlg* m_list = nullptr;

    // The list's add button: a signal of the active page's kind, then the
    // page's values into the selected signal.
    void OnAdd();
    void OnDelete();
    // OK and Apply: the active page keeps the list's selection while it lets
    // go, so the changes reach the selected signal.
    bool Apply() override;

private:
    CSignalPage* ActiveSignalPage() const;
    void OnPageChanged(int index);

    int m_shownPage = -1;
    bool m_applyPressed = false;
    bool m_applying = false;
    bool m_adding = false;
};
