#pragma once
// Objects the hardware windows need when the window registry makes them for a
// document (the layout test opens every window on a new document).

class CAmplifier;
class CQuillomerDoc;

// The document's first amplifier; a remote four-channel one is added when the
// document has none.
CAmplifier* SampleAmplifier(CQuillomerDoc* doc);
