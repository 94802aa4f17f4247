#pragma once
// The ready-input settings beside the list: the delay of masked signals and
// the five user-defined fault texts, both written to the settings object at
// once.

#include <QWidget>

class CListCtrl;
class QLineEdit;

class CReadyInpOptionsView : public QWidget {
    Q_OBJECT
public:
    explicit CReadyInpOptionsView(QWidget* parent = nullptr);

    // Shows the settings object's texts and mask time again.
    void FillOptions();
    CListCtrl* TextList() const { return m_texts; }
    QLineEdit* MaskTimeEdit() const { return m_maskTime; }
    // Stores the typed mask time (limited; a text without a number changes nothing).
    void CommitMaskTime();
    // Shows the stored mask time again in place of what was typed; false
    // when the field held nothing else.
    bool RevertMaskTime();
    // "Fehlertexte": the fault texts dialog, modal.
    void OnFaultTexts();

signals:
    // A user text changed: both panes are rebuilt.
    void TextsChanged();

private:
    QLineEdit* m_maskTime = nullptr;
    CListCtrl* m_texts = nullptr;
};
