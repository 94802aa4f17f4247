#include "macros/windows/CEmptyMacroView.h"

#include <QLabel>
#include <QLayout>

CEmptyMacroView::CEmptyMacroView(QWidget* parent) : CMacroEditorView(parent, nullptr)
{
    auto* text = new QLabel(Tr("Erzeugen oder selektieren Sie\neinen Makrotyp"), this);
    text->setObjectName(QStringLiteral("513"));
    text->setAlignment(Qt::AlignCenter);
    layout()->addWidget(text);
}
