#include "ui/PlaneGeometry.h"

#include "ui/NodeUpdateMsg.h"

#include <algorithm>

namespace {

// The cross of the box (x - 5, y - 5, x + 5, y + 5): the diagonals from the inner
// corner pixels, end points excluded, so each is 9 pixels long.
void AddCross(QPoint pt, std::vector<QPoint>* pixels) {
    for (int k = -4; k <= 4; ++k) {
        pixels->emplace_back(pt.x() + k, pt.y() + k);
        pixels->emplace_back(pt.x() + k, pt.y() - k);
    }
}

// A midpoint circle of radius 4: a ring as wide and high as the cross.
void AddRing(QPoint pt, std::vector<QPoint>* pixels) {
    int x = 4;
    int y = 0;
    int err = 1 - x;
    while (x >= y) {
        for (const QPoint d : {QPoint(x, y), QPoint(y, x), QPoint(-y, x), QPoint(-x, y),
                               QPoint(-x, -y), QPoint(-y, -x), QPoint(y, -x), QPoint(x, -y)}) {
            pixels->push_back(pt + d);
        }
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

} // namespace

PlaneGeometry PlaneGeometry::ForSize(int w, int h) {
    PlaneGeometry g;
    g.cx = static_cast<int>(w / 2.0);
    g.cy = static_cast<int>(h / 2.0);
    g.radius = std::max(0, std::min(g.cx, g.cy) - 10);
    return g;
}

FComplex PlaneGeometry::Point2Complex(QPoint pt) const {
    if (radius == 0) {
        return FComplex();
    }
    // The row offset is negated as an integer, so that the horizontal axis reads +0.
    return FComplex(static_cast<double>(pt.x() - cx) / radius,
                    static_cast<double>(cy - pt.y()) / radius);
}

QPoint PlaneGeometry::Complex2Point(FComplex z) const {
    return QPoint(static_cast<int>(z.r * radius + cx), static_cast<int>(cy - z.i * radius));
}

double PlaneGeometry::PickTolerance() const {
    return Point2Complex(QPoint(cx + 5, cy)).r;
}

std::vector<QPoint> NodeGlyphPixels(QPoint pt, int code, int mirrorRow) {
    void (*add)(QPoint, std::vector<QPoint>*) = nullptr;
    if (code == kDragPole || code == kDragPolePair) {
        add = AddCross;
    } else if (code == kDragZero || code == kDragZeroPair) {
        add = AddRing;
    } else {
        return {};
    }
    std::vector<QPoint> pixels;
    if ((code & kDragPairBit) != 0 && pt.y() != mirrorRow) {
        add(QPoint(pt.x(), 2 * mirrorRow - pt.y()), &pixels);
    }
    add(pt, &pixels);
    const auto less = [](QPoint a, QPoint b) {
        return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x());
    };
    std::sort(pixels.begin(), pixels.end(), less);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}
