#include "ui/CDropDownComboBox.h"

void CDropDownComboBox::showPopup()
{
    emit droppingDown();
    QComboBox::showPopup();
}
