#include "shell/CFontManager.h"

#include <QFontDatabase>
#include <algorithm>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>
#include <cstdlib>

namespace {
struct Substitution {
    const char* face;
    const char* families[4];
};

// Metric-compatible families first, then what every Linux desktop has.
const Substitution kSubstitutions[] = {
    {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans", nullptr}},
    {"Times New Roman", {"Liberation Serif", "Tinos", "DejaVu Serif", nullptr}},
    {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono", nullptr}},
    {"MS Sans Serif", {"DejaVu Sans", "Liberation Sans", nullptr, nullptr}},
    {"Small Fonts", {"DejaVu Sans", "Liberation Sans", nullptr, nullptr}},
    {"Terminal", {"DejaVu Sans Mono", "Liberation Mono", nullptr, nullptr}},
    {"Century Schoolbook", {"C059", "DejaVu Serif", "Liberation Serif", nullptr}},
    {"Garamond", {"Liberation Serif", "DejaVu Serif", nullptr, nullptr}},
    {"Braggadocio", {"DejaVu Serif", "Liberation Serif", nullptr, nullptr}},
};
}  // namespace

void CFontManager::InstallSubstitutions()
{
    for (const Substitution& s : kSubstitutions) {
        const QString face = QString::fromLatin1(s.face);
        QStringList list;
        for (const char* f : s.families)
            if (f)
                list << QString::fromLatin1(f);
        const QStringList present = QFont::substitutes(face);
        bool same = present.size() == list.size();
        for (int i = 0; same && i < list.size(); ++i)
            same = present[i].compare(list[i], Qt::CaseInsensitive) == 0;
        if (!same) {
            QFont::removeSubstitutions(face);
            QFont::insertSubstitutions(face, list);
        }
    }
}

QFont CFontManager::MakeFont(const QString& face, int height, int weight, int width)
{
    InstallSubstitutions();
    QFont font(face);
    font.setStyleStrategy(QFont::PreferDefault);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight <= 0 ? 400 : weight, 100, 900)));
    if (face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        // A bitmap face whose smallest size is 8 points (a 13-pixel cell,
        // 11-pixel characters): asked for less, Windows draws that size, so
        // the text stays as readable as the dialogs' own.
        if (height > 0)
            height = std::max(height, 13);
        else if (height < 0)
            height = std::min(height, -11);
    }
    int pixels = height == 0 ? 12 : std::abs(height);
    font.setPixelSize(pixels);
    if (height > 0) {
        // A positive height is the whole cell (ascent plus descent); scale the
        // character height so that the cell comes out at that height.
        const qreal cell = QFontMetricsF(font).height();
        if (cell > 0) {
            pixels = std::max(1, static_cast<int>(std::lround(height * pixels / cell)));
            font.setPixelSize(pixels);
        }
    }
    if (width > 0) {
        // An explicit average character width: stretch the face to it.
        const qreal avg = QFontMetricsF(font).averageCharWidth();
        if (avg > 0)
            font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * width / avg)), 50, 200));
    }
    return font;
}

CFontManager::CFontManager()
{
    m_fonts[ObjectSmall] = MakeFont(QStringLiteral("Arial"), -12, 400);
    m_fonts[ObjectCell12] = MakeFont(QStringLiteral("Arial"), 12, 400);
    m_fonts[Terminal] = MakeFont(QStringLiteral("Terminal"), 8, 700, 6);
    m_fonts[Terminal].setStyleHint(QFont::TypeWriter);
    m_fonts[Terminal].setFixedPitch(true);
    m_fonts[SmallText] = MakeFont(QStringLiteral("Small Fonts"), 11, 400, 5);
    m_fonts[SmallText].setStyleHint(QFont::SansSerif);
    m_fonts[ObjectCell16] = MakeFont(QStringLiteral("Arial"), 16, 400);
    m_fonts[Titles] = MakeFont(QStringLiteral("Times New Roman"), 16, 700);
    m_fonts[MonitorText] = MakeFont(QStringLiteral("Courier New"), -12, 400);
    m_fonts[MonitorText].setStyleHint(QFont::TypeWriter);
    m_fonts[ObjectCell10] = MakeFont(QStringLiteral("Arial"), 10, 400);
}

const QFont& CFontManager::GetObjectFont(int index) const
{
    static const Role order[5] = {ObjectSmall, ObjectCell12, ObjectCell16, Titles, ObjectCell10};
    return m_fonts[order[std::clamp(index, 0, 4)]];
}
