#pragma once
// The control-logic windows by their feature-window kind.

class QWidget;

enum : int {
    kTriggerWindow = 5,
    kConditionWindow = 12,
    kAnalogWindow = 13,
    kCombineWindow = 14,
    kBusyWindow = 15,
    kReadyInputWindow = 16,
    kLogicOutWindow = 17,
    kMemoFlagWindow = 18,
};

// A new frame of the window of `kind` (null for kinds that are not ours).
QWidget* CreateLogicFrame(int kind, QWidget* parent = nullptr);
