#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <cstdint>

class QPainter;
class QString;
class QWidget;

// Drawing helpers shared by the views and dialogs.

// Colours are kept as 0x00BBGGRR values, as in the preferences file.
constexpr uint32_t RGBRef(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}
QColor ColourFromRef(uint32_t ref);
uint32_t RefFromColour(const QColor& colour);

// The system's button-face colour, the default background of the views.
uint32_t ButtonFaceRef();

// "MS Sans Serif", 8 pixels high, light weight: the label font of the views.
QFont LabelFont();

// A one-pixel sunken frame on r: top and left edges RGB(160,160,160), bottom and
// right edges white; the top-right and bottom-left corners are white.
void Draw3dFrame(QPainter& painter, const QRect& r);

// Text with its top-left corner at topLeft, in the painter's font, pen and
// background mode.
void DrawTextAt(QPainter& painter, QPoint topLeft, const QString& text);

// Puts a picture of a rectangle of w on the clipboard; an empty bounds means the
// whole widget. What is copied is what the widget shows now.
void CopyWndToClipboard(QWidget* w, QRect bounds);
