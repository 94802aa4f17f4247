#pragma once
// Helpers of the signal pages' generator lists.

#include <cstdint>

class CAudioSignal;
class CBaseDevice;
class QListWidget;
class QString;

namespace signalpages {
// Every object of the audio category with that kind id, by name, in list order.
void FillGenerators(QListWidget* list, uint32_t kindId);
// The object of the selected row; null when none.
CBaseDevice* SelectedObject(const QListWidget* list);
// Selects the row of that name (none when empty or not found).
void SelectByName(QListWidget* list, const QString& name);
// The first incoming-link partner of the signal with that type code.
CBaseDevice* Generator(const CAudioSignal* signal, uint32_t type);
// "Ändern..." changes nothing yet: it says so for the selected generator.
void ShowChangeNotice(const QListWidget* list);
}  // namespace signalpages
