#include "resources/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kTile = 15;

void DrawCross(QPainter& p, QPoint c, int half) {
    p.drawLine(c.x() - half, c.y() - half, c.x() + half, c.y() + half);
    p.drawLine(c.x() - half, c.y() + half, c.x() + half, c.y() - half);
}

void DrawRing(QPainter& p, QPoint c, int radius) {
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
}

// A grey tile, light along the top and left edges and black along the bottom and
// right, with one large glyph in the middle or two small ones offset diagonally.
// A picture of w x h client pixels at ratio device pixels to one.
QImage Canvas(int w, int h, double ratio) {
    QImage image(static_cast<int>(w * ratio), static_cast<int>(h * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

QImage NodeTile(bool pole, bool pair, double ratio) {
    QImage tile = Canvas(kTile, kTile, ratio);
    tile.fill(QColor(206, 206, 206));
    QPainter p(&tile);
    p.setPen(Qt::white);
    p.drawLine(0, 0, kTile - 2, 0);
    p.drawLine(0, 0, 0, kTile - 2);
    p.setPen(Qt::black);
    p.drawLine(kTile - 1, 0, kTile - 1, kTile - 1);
    p.drawLine(0, kTile - 1, kTile - 1, kTile - 1);
    p.setPen(QColor(128, 0, 0));
    if (pair) {
        for (const QPoint c : {QPoint(5, 5), QPoint(9, 9)}) {
            pole ? DrawCross(p, c, 2) : DrawRing(p, c, 2);
        }
    } else {
        pole ? DrawCross(p, QPoint(7, 7), 4) : DrawRing(p, QPoint(7, 7), 4);
    }
    return tile;
}

QImage DesignGlyph(double ratio) {
    QImage glyph = Canvas(30, kTile, ratio);
    glyph.fill(QColor(192, 192, 192));
    QPainter p(&glyph);
    p.setPen(QColor(0, 0, 255));
    DrawRing(p, QPoint(9, 4), 3);
    DrawRing(p, QPoint(20, 4), 3);
    p.setPen(QColor(255, 0, 0));
    DrawCross(p, QPoint(9, 11), 3);
    DrawCross(p, QPoint(20, 11), 3);
    return glyph;
}

// A small z-plane: unit circle, axes, a conjugate pole pair and a zero.
void DrawPlane(QPainter& p, QPoint centre, int radius, int glyph) {
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    p.drawLine(centre.x() - radius - 4, centre.y(), centre.x() + radius + 4, centre.y());
    p.drawLine(centre.x(), centre.y() - radius - 4, centre.x(), centre.y() + radius + 4);
    const QPen grid = p.pen();
    p.setPen(QPen(QColor(220, 30, 30), glyph > 3 ? 2 : 1));
    const int dx = radius * 6 / 10;
    const int dy = radius * 5 / 10;
    DrawCross(p, QPoint(centre.x() + dx, centre.y() - dy), glyph);
    DrawCross(p, QPoint(centre.x() + dx, centre.y() + dy), glyph);
    p.setPen(QPen(QColor(30, 60, 230), glyph > 3 ? 2 : 1));
    DrawRing(p, QPoint(centre.x() - radius, centre.y()), glyph);
    p.setPen(grid);
}

QImage SplashPicture(double ratio) {
    QImage picture = Canvas(320, 197, ratio);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 197);
    sky.setColorAt(0.0, QColor(16, 40, 96));
    sky.setColorAt(1.0, QColor(40, 120, 140));
    p.fillRect(QRect(0, 0, 320, 197), sky);
    p.setPen(QPen(QColor(230, 230, 230), 1));
    DrawPlane(p, QPoint(82, 98), 60, 6);

    p.setPen(QColor(255, 255, 255));
    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(150, 40, 165, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("WinQEN"));
    QFont text(QStringLiteral("Sans Serif"));
    text.setPixelSize(12);
    p.setFont(text);
    p.drawText(QRect(152, 88, 165, 36), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Digital filter design on the z-plane"));
    p.setPen(QColor(200, 220, 230));
    p.drawText(QRect(152, 150, 165, 18), Qt::AlignLeft, QStringLiteral("Version 2.0"));
    return picture;
}

} // namespace

QImage ArtworkBitmap(int id, double ratio) {
    switch (id) {
    case kBitmapPole:
        return NodeTile(true, false, ratio);
    case kBitmapPolePair:
        return NodeTile(true, true, ratio);
    case kBitmapZero:
        return NodeTile(false, false, ratio);
    case kBitmapZeroPair:
        return NodeTile(false, true, ratio);
    case kBitmapDesign:
        return DesignGlyph(ratio);
    case kBitmapSplash:
        return SplashPicture(ratio);
    default:
        return {};
    }
}

QImage ProgramIconImage() {
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(QColor(192, 192, 192));
    QPainter p(&icon);
    p.setPen(QColor(0, 0, 0));
    DrawPlane(p, QPoint(16, 16), 11, 3);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(0, 0, 31, 31);
    return icon;
}

QIcon ProgramIcon() {
    return QIcon(QPixmap::fromImage(ProgramIconImage()));
}
