#include "ui/Drawing.h"

#include "core/FormatC.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cmath>

QColor ColourFromRef(uint32_t ref) {
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF),
                  static_cast<int>((ref >> 16) & 0xFF));
}

uint32_t RefFromColour(const QColor& colour) {
    return RGBRef(colour.red(), colour.green(), colour.blue());
}

uint32_t ButtonFaceRef() {
    return RefFromColour(QApplication::palette().color(QPalette::Button));
}

QFont LabelFont() {
    // 8 points, so that labels scale with the screen and keep their decimal points.
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    // Labels are drawn in exactly their colour, without blended edges.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont DialogFont() {
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

namespace {

// The average character width that a horizontal dialog unit is a quarter of.
int DialogCharWidth(const QFontMetrics& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return std::max(1, (metrics.horizontalAdvance(letters) / 26 + 1) / 2);
}

} // namespace

QRect DluRect(int x, int y, int w, int h, const QFontMetrics& metrics) {
    const int cx = DialogCharWidth(metrics);
    const int cy = metrics.height();
    return QRect(x * cx / 4, y * cy / 8, w * cx / 4, h * cy / 8);
}

int DluWidth(int pixels, const QFontMetrics& metrics) {
    const int cx = DialogCharWidth(metrics);
    return (4 * pixels + cx - 1) / cx;
}

void CentreOverParent(QWidget& dialog) {
    const QWidget* parent = dialog.parentWidget();
    if (parent == nullptr) {
        return;
    }
    const QPoint centre = parent->mapToGlobal(parent->rect().center());
    QPoint topLeft = centre - dialog.rect().center();
    // A dialog wider than its parent stays on the screen.
    if (const QScreen* screen = parent->screen()) {
        const QRect room = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), room.left(),
                                std::max(room.left(), room.right() + 1 - dialog.width())));
        topLeft.setY(std::clamp(topLeft.y(), room.top(),
                                std::max(room.top(), room.bottom() + 1 - dialog.height())));
    }
    dialog.move(topLeft);
}

void MakeTextBox(QPlainTextEdit& box) {
    box.setReadOnly(true);
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QPen LinePen(uint32_t ref) {
    QPen pen(ColourFromRef(ref), 0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QImage CanvasFor(const QWidget& widget) {
    const qreal ratio = widget.devicePixelRatioF();
    QImage canvas(widget.size() * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    return canvas;
}

void InvertColumn(QImage& image, int x, int top, int bottom) {
    if (x < 0 || x >= image.width()) {
        return;
    }
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        image.setPixel(x, y, ~image.pixel(x, y) & 0xFFFFFF);
    }
}

void DrawPi(QPainter& painter, QPoint origin, bool negative) {
    const int x0 = origin.x();
    const int y0 = origin.y();
    // Left leg, bar, and a right leg one pixel longer than the left.
    painter.drawLine(x0 + 3, y0, x0 + 3, y0 - 5);
    painter.drawLine(x0 + 1, y0 - 5, x0 + 8, y0 - 5);
    painter.drawLine(x0 + 6, y0 - 5, x0 + 6, y0 + 1);
    if (negative) {
        painter.drawLine(x0, y0 - 3, x0 + 2, y0 - 3);
    }
}

void Draw3dFrame(QPainter& painter, const QRect& r) {
    if (r.width() < 1 || r.height() < 1) {
        return;
    }
    const QColor shadow(160, 160, 160);
    const QColor light(255, 255, 255);
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), shadow);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), shadow);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), light);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), light);
}

void DrawTextAt(QPainter& painter, QPoint topLeft, const QString& text) {
    const QRect box(topLeft, QSize(4096, 4096));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void CopyWndToClipboard(QWidget* w, QRect bounds) {
    if (w == nullptr) {
        return;
    }
    if (bounds.isNull()) {
        bounds = w->rect();
    }
    QApplication::clipboard()->setPixmap(w->grab(bounds));
}

QString HalfRateLabel(int sampleRate) {
    const double half = sampleRate / 2.0;
    return QString::fromStdString(FormatC("%.1f", half >= 1000.0 ? half / 1000.0 : half));
}

QString HalfRateUnit(int sampleRate) {
    return sampleRate >= 2000 ? QStringLiteral("kHz") : QStringLiteral("Hz");
}
