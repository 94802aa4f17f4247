#pragma once
// Typing as on a keyboard: a character that needs Shift (":" and "/" among
// them) comes with the Shift key's own press and release around it, as key
// events of their own. "⇧" stands for a Shift key pressed and released alone.
// A character beyond ASCII comes as the key event that carries it: a German
// keyboard's own (ä, ß), or one an input method gives ("Ω", "漢").

#include <QString>
#include <QTest>
#include <QWidget>

inline void TypeAsKeyboard(QWidget* widget, const QString& text)
{
    static const QString shifted = QStringLiteral(":/!\"$%&()=?*_;>");
    for (const QChar c : text) {
        if (c == QChar(0x21E7)) {
            QTest::keyClick(widget, Qt::Key_Shift);
            continue;
        }
        if (c.unicode() >= 0x80) {
            const Qt::Key key = c.unicode() <= 0xFF ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
            continue;
        }
        const char ascii = c.toLatin1();
        const bool shift = c.isUpper() || shifted.contains(c);
        // QTest sends the Shift key's press before and its release after the
        // character when the Shift modifier is given.
        QTest::keyClick(widget, ascii, shift ? Qt::ShiftModifier : Qt::NoModifier);
    }
}
