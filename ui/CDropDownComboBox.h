#pragma once
// Combo box that tells when its list is about to drop down, so that its owner
// can refill the list first.

#include <QComboBox>

class CDropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    // Before the list is shown; the owner may refill it here.
    void droppingDown();
};
