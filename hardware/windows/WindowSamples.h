#pragma once
// Objects the hardware windows need when the window registry makes them for a
// document (the layout test opens every window on a new document).

#include <cstdint>

class CAmplifier;
class CAudioInputDevice;
class CQuillomerDoc;

// The document's first amplifier; a remote four-channel one is added when the
// document has none.
CAmplifier* SampleAmplifier(CQuillomerDoc* doc);

// The document's first audio device of `kind`; one named `name` is added at
// (x, y) when the document has none.
CAudioInputDevice* SampleAudioDevice(CQuillomerDoc* doc, uint32_t kind, const char* name, int x, int y);
