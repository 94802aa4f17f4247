#pragma once
// The one modeless audio inputs dialog, as the card objects see it. The
// dialog registers itself while it is open (SetAudioInputsDlg) and clears the
// pointer when its window is gone.

class IAudioInputsDlg {
public:
    virtual ~IAudioInputsDlg() = default;
    // Writes the values shown in the dialog into the card objects.
    virtual void StoreEdits() = 0;
    // Reloads the controls of one input 0..3 from the cards, sending nothing.
    virtual void RefreshInput(int input) = 0;
};

// The open dialog, or null.
IAudioInputsDlg* GetAudioInputsDlg();
// Registers the open dialog (null: none is open); returns the previous one.
IAudioInputsDlg* SetAudioInputsDlg(IAudioInputsDlg* dlg);
