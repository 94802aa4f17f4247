#include "shell/CBitmapManager.h"

#include "platform/CArchive.h"
#include "platform/MessageBox.h"
#include "shell/ShellIds.h"
#include "shell/SymbolBitmaps.h"
#include "ui/SymbolImages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

namespace {
bool g_paletteDisplay = false;

QVector<QRgb> HalftonePalette()
{
    QVector<QRgb> pal;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                pal.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i)
        pal.push_back(qRgb(i * 255 / 39, i * 255 / 39, i * 255 / 39));
    return pal;
}
}  // namespace

const QVector<int>& CBitmapManager::SymbolIds()
{
    static const QVector<int> list(DesignerSymbolIds().begin(), DesignerSymbolIds().end());
    return list;
}

void CBitmapManager::SetPaletteDisplay(bool on) { g_paletteDisplay = on; }
bool CBitmapManager::IsPaletteDisplay() { return g_paletteDisplay; }

CBitmapManager::CBitmapManager()
{
    LoadBitmap(ids::BmpBackgroundPicture, m_bitmaps[ids::BmpBackgroundPicture], PaletteCreate, false);
    LoadBitmap(ids::BmpBackgroundMask, m_bitmaps[ids::BmpBackgroundMask], PaletteMerge, false);
    LoadBitmaps();
}

const QPixmap* CBitmapManager::GetBitmap(int id) const
{
    auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() || it->second.isNull() ? nullptr : &it->second;
}

int CBitmapManager::LoadBitmap(int id, QPixmap& bitmap, PaletteMode mode, bool transparent)
{
    QImage image = CreateSymbolImage(id);
    if (image.isNull())
        throw CArchiveException(CArchiveException::generic, "bitmap resource " + std::to_string(id) + " missing");
    if (transparent) {
        // The colour of the top-left pixel stands for the background.
        const QRgb key = image.pixel(0, 0);
        const QRgb window = QGuiApplication::palette().color(QPalette::Base).rgb();
        image = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (line[x] == key)
                    line[x] = window;
        }
    }
    bitmap = QPixmap::fromImage(image);
    if (!g_paletteDisplay)
        return -1;

    const QImage indexed = image.format() == QImage::Format_Indexed8
                               ? image
                               : image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (indexed.colorCount() > 256 || indexed.isNull()) {
        if (!m_palette) {
            m_palette = HalftonePalette();
            if (!m_halftoneShown) {
                m_halftoneShown = true;
                ShowMessage(QCoreApplication::translate("CBitmapManager", "Es wurde eine Halbtone-Palette für mehr als 256 Farben erzeugt !").toStdString(),
                            mb::IconInformation);
            }
        }
        return static_cast<int>(m_palette->size());
    }
    return BuildPalette(indexed, mode);
}

int CBitmapManager::BuildPalette(const QImage& indexed, PaletteMode mode)
{
    // Only the colours that occur in the picture take palette entries.
    bool used[256] = {};
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x)
            used[line[x]] = true;
    }
    QVector<QRgb> collected;
    const QVector<QRgb> table = indexed.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
        if (used[i])
            collected.push_back(table[i] | 0xFF000000u);

    if (mode == PaletteCreate || !m_palette) {
        m_palette = collected;
        return static_cast<int>(m_palette->size());
    }
    const QVector<QRgb> before = *m_palette;
    const int oldSize = static_cast<int>(before.size());
    for (int k = 0; k < collected.size(); ++k) {
        if (before.contains(collected[k]))
            continue;
        if (m_palette->size() < oldSize + k + 1)
            m_palette->resize(oldSize + k + 1);
        (*m_palette)[oldSize + k] = collected[k];
    }
    return static_cast<int>(m_palette->size());
}

int CBitmapManager::AddColor(QRgb colour)
{
    if (!m_palette)
        m_palette = QVector<QRgb>();
    m_palette->push_back(colour | 0xFF000000u);
    return static_cast<int>(m_palette->size());
}

void CBitmapManager::FreeBitmaps()
{
    for (int id : SymbolIds())
        m_bitmaps.erase(id);
}

void CBitmapManager::LoadBitmaps()
{
    for (int id : SymbolIds())
        LoadBitmap(id, m_bitmaps[id], PaletteMerge, true);
}
