// Texts of the slot, card and amplifier-table objects.

#include "platform/StringTable.h"

QL_STRING_TABLE({
    {32804, "Typ"},
    {32805, "Name"},
    {34244, "ID"},
    // Card models of the audio input slot (menu prompts).
    {33043, "Eingangsslot nicht bestückt"},
    {33044, "Eingangsslot mit 2-Kanal Sprechstellen-Modul bestücken"},
    {33045, "Eingangsslot mit 2-Kanal MIC / LINE -Modul bestücken"},
    {33046, "Eingangsslot mit 2-Kanal AUX -Modul bestücken"},
    {33047, "Eingangsslot mit 1-Kanal MIC /LINE und  1 Kanal AUX bestücken"},
    {33089, "Eingangsslot mit 1-Kanal MIC /LINE und  1-Kanal Sprechstellen-Modul bestücken"},
    {34275, "Audioparameter für das High-Shelving Filter wird von 12dB auf 6dB verringert !"},
    // Audio output slot.
    {33008, "Nicht bestückt"},
    {33018, "2-Kanal LINE Ausgangsmodul"},
    {33177, "Ausgangsmodul nicht bestückt"},
    {32790, "Achtung!\nOUT%d wird mit %d Verstärkereingängen belastet"},
    {34465, "Wählen Sie bitte zunächst einen Ausgang !"},
    // Digital and interface slots.
    {33009, "8 fach Digital I/O"},
    {33020, "Input"},
    {33021, "Output"},
    {34361, "NU"},
    {33024, "DCF77 Receiver"},
    {33025, "INP1"},
    {33181, "INP2"},
    {33026, "READY"},
    {33028, "PC"},
    {33029, "REMOTE"},
    {33100, "FJX3392"},
    {33101, "FJX3397"},
    {34291, "Netzteil"},
    // Spare-amplifier window.
    {32979, "Neuen Havarieverstärker erzeugen\nNeuen Havarieverstärker erzeugen"},
    {32980, "Havarieverstärker löschen\nHavarieverstärker löschen"},
    {32983, "Neuen Watch Eintrag erzeugen\nNeuen Watch Eintrag erzeugen"},
    {32984, "Watch Eintrag löschen\nWatch Eintrag löschen"},
    {32982, "Havalieverstärker downloaden\nHavalieverstärker downloaden"},
    {32981, "Havalieverstärker uploaden\nHavalieverstärker uploaden"},
    {34386, "Details"},
    {34387, "ersetzt"},
});
