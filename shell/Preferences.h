#pragma once
// Opens the preferences sheet (first page) modally.

class QWidget;

void ShowPreferencesSheet(QWidget* parent);
