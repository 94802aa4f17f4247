#include "hardware/windows/CAmpView.h"

CAmpView::CAmpView(QWidget* parent) : QListWidget(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
}
