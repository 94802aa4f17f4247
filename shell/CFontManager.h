#pragma once
// The program-wide fonts, created once with the main frame. Fonts are given
// the way the device-independent symbol code names them: a Windows face name
// and a height in logical units, negative for the character height and
// positive for the cell height. Named Windows faces are mapped to installed
// families through font substitutions.

#include <QFont>
#include <QString>

class CFontManager {
public:
    // Member order of the eight fonts.
    enum Role : int {
        ObjectSmall = 0,   // "Arial" -12
        ObjectCell12,      // "Arial" 12
        Terminal,          // "Terminal" 8, width 6, bold
        SmallText,         // "Small Fonts" 11, width 5
        ObjectCell16,      // "Arial" 16
        Titles,            // "Times New Roman" 16, bold
        MonitorText,       // "Courier New" -12
        ObjectCell10,      // "Arial" 10
        RoleCount
    };

    CFontManager();

    const QFont& GetFont(Role role) const { return m_fonts[role]; }
    // The fonts every system object draws with, in the objects' order:
    // names, connector names, names on slot symbols, names on internal slots,
    // selector boxes.
    const QFont& GetObjectFont(int index) const;

    // Registers the substitutions of the Windows faces (idempotent).
    static void InstallSubstitutions();
    // A font like CreateFont(height, width, weight, face): pixel sizes in
    // logical units; `height` < 0 is the character height, > 0 the cell height,
    // 0 a default size.
    static QFont MakeFont(const QString& face, int height, int weight, int width = 0);

private:
    QFont m_fonts[RoleCount];
};
