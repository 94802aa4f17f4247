// Keeps the layers: families use each other, every folder its lower layers.
#include "logic/CCondition.h"
#include "model/CBaseDevice.h"
