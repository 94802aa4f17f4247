// Breaks the layers: the toolkit knows a family.
#include "ui/CDialog.h"
#include "logic/CCondition.h"
