#pragma once
// The shared pictures of the designer: every symbol bitmap of the system
// objects and the main window's background picture, loaded once. On a
// palette-based display it also builds one logical palette from the colours
// the pictures really use; on true-colour displays there is no palette.

#include <QImage>
#include <QPixmap>
#include <QVector>
#include <QRgb>
#include <map>
#include <optional>

class CBitmapManager {
public:
    enum PaletteMode { PaletteCreate, PaletteMerge };

    CBitmapManager();

    // The bitmap of one of the manager's ids; null for any other id.
    const QPixmap* GetBitmap(int id) const;
    // The palette when one was built, else null.
    const QVector<QRgb>* GetPalette() const { return m_palette ? &*m_palette : nullptr; }

    // Loads a bitmap resource into `bitmap` and brings its colours into the
    // palette. Returns the palette's entry count, or -1 when nothing was done
    // to the palette (a true-colour display). Throws CArchiveException when
    // the resource does not exist.
    int LoadBitmap(int id, QPixmap& bitmap, PaletteMode mode, bool transparent);
    // Appends a colour to the palette; returns the new entry count.
    int AddColor(QRgb colour);

    void FreeBitmaps();
    void LoadBitmaps();

    // The ids of the symbol bitmaps (all except the background picture and its mask).
    static const QVector<int>& SymbolIds();

    // Whether the display is palette based; true-colour unless a test says otherwise.
    static void SetPaletteDisplay(bool on);
    static bool IsPaletteDisplay();

private:
    int BuildPalette(const QImage& indexed, PaletteMode mode);

    std::map<int, QPixmap> m_bitmaps;
    std::optional<QVector<QRgb>> m_palette;
    bool m_halftoneShown = false;
};
