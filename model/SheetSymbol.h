#pragma once
// Which objects stand on the designer sheet as a symbol of their own.

class CBaseDevice;

// Signals, alarms, macros and the like keep a token rectangle at the sheet's
// origin without a symbol there: they are never hit, selected or deleted on
// the sheet.
bool HasSheetSymbol(const CBaseDevice& obj);
