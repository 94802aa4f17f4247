#pragma once
// The one modeless audio outputs dialog, as the card objects see it. The
// dialog registers itself while it is open (SetAudioOutputsDlg) and clears the
// pointer when its window is gone.

class IAudioOutputsDlg {
public:
    virtual ~IAudioOutputsDlg() = default;
    // Takes the values shown in the dialog into the cards (nothing is sent).
    virtual void StoreAll() = 0;
    // Reloads output 0..3, or all outputs for -1, sending nothing.
    virtual void Refresh(int index) = 0;
};

// The open dialog, or null.
IAudioOutputsDlg* GetAudioOutputsDlg();
// Registers the open dialog (null: none is open); returns the previous one.
IAudioOutputsDlg* SetAudioOutputsDlg(IAudioOutputsDlg* dlg);
