#pragma once
// A value typed into a field is taken when the field loses the focus (Tab,
// Enter, a click elsewhere). A command that leaves the focus where it is (a
// tool-bar button, a menu, a shortcut) takes it first, as leaving the field
// would, so that what it saves or sends is what the field shows; an editor
// open over a cell of a list is confirmed as Enter confirms it.

class QWidget;

// Lets the field that has the focus take what was typed into it, and gives
// it the focus back. With `within`, only a field inside that window.
void TakeTypedValue(const QWidget* within = nullptr);
