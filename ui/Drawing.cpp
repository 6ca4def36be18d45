#include "ui/Drawing.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QWidget>

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
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(8);
    font.setWeight(QFont::Light);
    // Labels are drawn in exactly their colour, without blended edges.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
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
