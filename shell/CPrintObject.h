#pragma once
// A printable block of a parameter or device list.

#include <QFont>

class QPainter;

class CPrintObject {
public:
    virtual ~CPrintObject() = default;
    // Fonts and resolutions (dots per inch) of the printer and the screen.
    virtual void Prepare(const QFont& titleFont, const QFont& bodyFont, int xRes, int yRes, int screenX, int screenY) = 0;
    // Computes the block's size; returns its height in millimetres.
    virtual double GetSize() = 0;
    // Draws the block's part on one logical page (`page` counted from 1).
    virtual void Draw(QPainter& painter, int page, double pageHeightMm, int yRes, int xRes) = 0;
};
