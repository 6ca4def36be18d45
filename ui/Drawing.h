#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

class QFontMetrics;
class QImage;
class QPainter;
class QPlainTextEdit;
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

// "MS Sans Serif" at 8 points: the label font of the views.
QFont LabelFont();

// "MS Sans Serif", 8 points: the font of the dialogs, whose layouts are in its units.
QFont DialogFont();
// A rectangle in dialog units as pixels: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height.
QRect DluRect(int x, int y, int w, int h, const QFontMetrics& metrics);
// How many horizontal dialog units span at least pixels.
int DluWidth(int pixels, const QFontMetrics& metrics);
// Centres a dialog over its parent; one without a parent stays where it is.
void CentreOverParent(QWidget& dialog);
// A dialog's box of text to read and select: read-only, lines not wrapped, both
// scroll bars always there.
void MakeTextBox(QPlainTextEdit& box);

// The layouts are stated with exclusive right and bottom edges.
inline int RightOf(const QRect& r) {
    return r.left() + r.width();
}
inline int BottomOf(const QRect& r) {
    return r.top() + r.height();
}
inline QRect RectFromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// A one-pixel pen whose lines leave out their end point, so that a polyline draws
// each joint once and its last point not at all.
QPen LinePen(uint32_t ref);

// An off-screen picture for a view of widget's size at the screen's pixel density,
// drawn on in the widget's own coordinates, so that it shows sharp when painted.
QImage CanvasFor(const QWidget& widget);

// Inverts the pixels of column x from top to bottom - 1 (clipped to the image), so
// that doing it twice restores them.
void InvertColumn(QImage& image, int x, int top, int bottom);

// A pi glyph in the painter's pen with its lower left leg end at (x0, y0), and a minus
// sign in front of it when negative.
void DrawPi(QPainter& painter, QPoint origin, bool negative);

// Half the sampling rate with one decimal, the label at the end of a frequency axis: in
// kHz, or in Hz below a half rate of 1 kHz; HalfRateUnit names the unit.
QString HalfRateLabel(int sampleRate);
QString HalfRateUnit(int sampleRate);

// A one-pixel sunken frame on r: top and left edges RGB(160,160,160), bottom and
// right edges white; the top-right and bottom-left corners are white.
void Draw3dFrame(QPainter& painter, const QRect& r);

// Text with its top-left corner at topLeft, in the painter's font, pen and
// background mode.
void DrawTextAt(QPainter& painter, QPoint topLeft, const QString& text);

// Puts a picture of a rectangle of w on the clipboard; an empty bounds means the
// whole widget. What is copied is what the widget shows now.
void CopyWndToClipboard(QWidget* w, QRect bounds);
