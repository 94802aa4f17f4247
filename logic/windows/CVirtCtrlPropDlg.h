#pragma once
// The properties of one virtual controller: minimum, maximum, steps, the
// response curve and the current value, which can be typed as the output or
// as a normalized value 0..1, or set with the knob; the three stay in step.
// Every change of the output goes to the controller pane that opened the
// dialog, which sends it to the device. The dialog edits the controller
// itself; Save is the commit (closing saves, Escape does not).

#include <QDialog>

class CCurveCtrl;
class CValueEdit;
class CVcKnobCtrl;
class CQuillomerDoc;
class CVirtCtrlItem;
class QPushButton;

namespace virtctrl {
class CDesignerListView;
}

class CVirtCtrlPropDlg : public QDialog {
    Q_OBJECT
public:
    // The pane gets the output values; it is the parent unless one is given.
    CVirtCtrlPropDlg(CVirtCtrlItem* item, virtctrl::CDesignerListView* pane, QWidget* parent = nullptr);
    ~CVirtCtrlPropDlg() override;

    // The controller shown; null when it has gone (an upload's answers may
    // delete it while the dialog is open: the dialog keeps its number).
    CVirtCtrlItem* GetController() const;

    void Fill();
    void Save();
    void UpdateFromOutput();
    void UpdateFromNormalized();

    // What leaving each field does.
    void OnMinMaxLeft();
    void OnOutputLeft();
    void OnNormalizedLeft();
    void OnCurveLeft();
    void OnStepsLeft();
    // The knob dragged to `pos` around `centre`.
    void OnKnobDragged(QPoint centre, QPoint pos);
    // The next lower (previous) or higher existing controller, wrapping.
    void OnPrevious();
    void OnNext();

    CCurveCtrl* Curve() const { return m_curve; }
    CVcKnobCtrl* Knob() const { return m_knob; }
    CValueEdit* StepsEdit() const { return m_steps; }
    CValueEdit* OutputEdit() const { return m_output; }
    CValueEdit* NormalizedEdit() const { return m_normalized; }
    CValueEdit* MinimumEdit() const { return m_minimum; }
    CValueEdit* MaximumEdit() const { return m_maximum; }
    CValueEdit* CurveEdit() const { return m_curveValue; }

    void reject() override;  // closing the window saves

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    void SendOutput();
    void SendPending();
    void Step(int direction);

    virtctrl::CDesignerListView* m_pane;
    CVcKnobCtrl* m_knob = nullptr;
    CValueEdit* m_steps = nullptr;
    CValueEdit* m_output = nullptr;
    CValueEdit* m_normalized = nullptr;
    CValueEdit* m_minimum = nullptr;
    CValueEdit* m_maximum = nullptr;
    CValueEdit* m_curveValue = nullptr;
    CCurveCtrl* m_curve = nullptr;
    CQuillomerDoc* m_doc = nullptr;
    int m_number = 0;
    QPushButton* m_close = nullptr;
};
