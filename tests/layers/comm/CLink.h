// Breaks the layers: the device link reaches up into the application.
#include "shell/CMainFrame.h"
