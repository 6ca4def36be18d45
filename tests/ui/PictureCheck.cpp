#include "PictureCheck.h"

#include "ui/Drawing.h"

#include <QPainter>

QRgb Rgb(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFF;
}

bool ShowsLabel(const QImage& picture, QPoint at, const QString& text) {
    QImage reference(picture.size(), QImage::Format_RGB32);
    reference.fill(Qt::white);
    {
        QPainter painter(&reference);
        painter.setFont(LabelFont());
        painter.setPen(Qt::black);
        DrawTextAt(painter, at, text);
    }
    int inked = 0;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            if (Rgb(reference, QPoint(x, y)) == 0) {
                ++inked;
                if (Rgb(picture, QPoint(x, y)) != 0) {
                    return false;
                }
            }
        }
    }
    return inked > 0;
}

QString WrongPixels(const QImage& picture, QRgb colour, std::initializer_list<QPoint> at) {
    QString wrong;
    for (const QPoint p : at) {
        if (Rgb(picture, p) != colour) {
            wrong += QStringLiteral("(%1, %2) is %3\n")
                         .arg(p.x())
                         .arg(p.y())
                         .arg(Rgb(picture, p), 6, 16, QChar('0'));
        }
    }
    return wrong;
}
