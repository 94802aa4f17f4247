#pragma once
// What the device-link windows need when the window registry makes them for
// a document (the layout test opens every window on a new document): a
// device link that is never opened and a firmware sender on it, both kept
// for the program's lifetime.

class CCommLink;
class CFirmwareSender;

CCommLink& SampleCommLink();
CFirmwareSender& SampleFirmwareSender();
