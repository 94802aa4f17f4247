#pragma once
// Message boxes of the platform layer shown as QMessageBox: same text,
// buttons, icon and default button.

#include <QMessageBox>
#include <cstdint>
#include <memory>
#include <string>

// Builds the box for a text and mb:: flags (not shown), with the detail of
// the message being shown (CurrentMessageDetail) as its detailed text.
std::unique_ptr<QMessageBox> CreateMessageBox(const std::string& text, uint32_t type, QWidget* parent = nullptr);
// The mb:: answer of a pressed standard button.
int AnswerOfButton(QMessageBox::StandardButton button);
// Installs the handler that shows the boxes (SetMessageHandler).
void InstallMessageBoxHandler();
