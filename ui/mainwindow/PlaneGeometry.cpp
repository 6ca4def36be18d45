#include "ui/mainwindow/PlaneGeometry.h"

#include "ui/mainwindow/NodeDrag.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The cross of the box (x - 5, y - 5, x + 5, y + 5): the diagonals from the inner
// corner pixels, end points excluded, so each is 9 pixels long.
void AddCross(QPoint pt, int scale, std::vector<QPoint>* pixels) {
    const int half = 4 * scale;
    for (int k = -half; k <= half; ++k) {
        for (int t = 0; t < scale && k + t <= half; ++t) {
            pixels->emplace_back(pt.x() + k + t, pt.y() + k);
            pixels->emplace_back(pt.x() + k + t, pt.y() - k);
        }
    }
}

// A midpoint circle of radius 4: a ring as wide and high as the cross. At a finer
// scale, the pixels within half a line's thickness of the ring's middle.
void AddRing(QPoint pt, int scale, std::vector<QPoint>* pixels) {
    if (scale > 1) {
        const double middle = 4.0 * scale - (scale - 1) / 2.0;
        const int reach = 4 * scale;
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                if (std::abs(std::hypot(dx, dy) - middle) <= scale / 2.0) {
                    pixels->push_back(pt + QPoint(dx, dy));
                }
            }
        }
        return;
    }
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
    g.radius = std::max(0.0, std::min(g.cx, g.cy) - 10);
    return g;
}

PlaneGeometry PlaneGeometry::ForView(int w, int h, double zoom, FComplex centre) {
    PlaneGeometry g = ForSize(w, h);
    g.radius *= zoom;
    g.cx -= centre.r * g.radius;
    g.cy += centre.i * g.radius;
    return g;
}

FComplex PlaneGeometry::Point2Complex(QPoint pt) const {
    if (radius == 0) {
        return FComplex();
    }
    // The row offset is negated before the division, so that the horizontal axis
    // reads +0.
    return FComplex((pt.x() - cx) / radius, (cy - pt.y()) / radius);
}

QPoint PlaneGeometry::Complex2Point(FComplex z) const {
    // A node may lie any distance off the view; the cast needs a value an int holds.
    static constexpr double kFar = 1e6;
    const auto pixel = [](double v) {
        return std::isfinite(v) ? static_cast<int>(std::clamp(v, -kFar, kFar)) : 0;
    };
    const QPointF p = ToPixel(z);
    return QPoint(pixel(p.x()), pixel(p.y()));
}

double PlaneGeometry::PickTolerance() const {
    return radius > 0 ? 8.0 / radius : 0.0;
}

double PlaneGeometry::SnapTolerance() const {
    return radius > 0 ? 6.0 / radius : 0.0;
}

PlaneView ZoomedAbout(const PlaneView& view, QSize size, QPoint pixel, double factor) {
    const PlaneGeometry base = PlaneGeometry::ForSize(size.width(), size.height());
    if (base.radius == 0) {
        return view;
    }
    const PlaneGeometry before =
        PlaneGeometry::ForView(size.width(), size.height(), view.zoom, view.centre);
    const FComplex held = before.Point2Complex(pixel);
    PlaneView zoomed;
    zoomed.zoom = std::clamp(view.zoom * factor, kMinZoom, kMaxZoom);
    const double r = base.radius * zoomed.zoom;
    zoomed.centre =
        FComplex(held.r - (pixel.x() - base.cx) / r, held.i + (pixel.y() - base.cy) / r);
    return zoomed;
}

PlaneView Panned(const PlaneView& view, QSize size, QPoint delta) {
    const double r = PlaneGeometry::ForSize(size.width(), size.height()).radius * view.zoom;
    if (r == 0) {
        return view;
    }
    PlaneView moved = view;
    moved.centre = FComplex(view.centre.r - delta.x() / r, view.centre.i + delta.y() / r);
    return moved;
}

PlaneView Fitting(QSize size, const std::vector<FComplex>& points) {
    const PlaneGeometry base = PlaneGeometry::ForSize(size.width(), size.height());
    // The unit circle always shows.
    double left = -1.0, right = 1.0, bottom = -1.0, top = 1.0;
    for (const FComplex& z : points) {
        left = std::min(left, z.r);
        right = std::max(right, z.r);
        bottom = std::min(bottom, z.i);
        top = std::max(top, z.i);
    }
    PlaneView fit;
    if (base.radius == 0) {
        return fit;
    }
    // Halves first, so that extents near the largest double do not overflow.
    fit.centre = FComplex(left / 2 + right / 2, bottom / 2 + top / 2);
    const double halfWidth = right / 2 - left / 2;
    const double halfHeight = top / 2 - bottom / 2;
    // Each half extent takes the pixels from the middle to 10 short of the edge.
    const double zoom = std::min((base.cx - 10) / (halfWidth * base.radius),
                                 (base.cy - 10) / (halfHeight * base.radius));
    fit.zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    return fit;
}

FComplex SnapToGuides(FComplex z, double tolerance) {
    const double magnitude = std::hypot(z.r, z.i);
    FComplex best = z;
    double nearest = tolerance;
    const auto consider = [&](FComplex guide, double distance) {
        if (distance <= nearest) {
            best = guide;
            nearest = distance;
        }
    };
    if (magnitude > 0) {
        consider(FComplex(z.r / magnitude, z.i / magnitude), std::abs(magnitude - 1.0));
    }
    consider(FComplex(z.r, 0.0), std::abs(z.i));
    consider(FComplex(0.0, z.i), std::abs(z.r));
    return best;
}

bool InsideView(QSize size, QPointF point) {
    return point.x() >= 0 && point.y() >= 0 && point.x() < size.width() &&
           point.y() < size.height();
}

EdgeArrow EdgeArrowFor(QSize size, QPointF point, double inset) {
    const QPointF middle(size.width() / 2.0, size.height() / 2.0);
    const double dx = point.x() - middle.x();
    const double dy = point.y() - middle.y();
    // The shorter of the two ways out of the frame, along the line to the point.
    double reach = std::numeric_limits<double>::infinity();
    if (dx != 0) {
        reach = std::min(reach, std::max(0.0, middle.x() - inset) / std::abs(dx));
    }
    if (dy != 0) {
        reach = std::min(reach, std::max(0.0, middle.y() - inset) / std::abs(dy));
    }
    EdgeArrow arrow;
    arrow.angle = std::atan2(dy, dx);
    arrow.tip =
        std::isfinite(reach) ? QPointF(middle.x() + dx * reach, middle.y() + dy * reach) : middle;
    return arrow;
}

std::vector<QPoint> NodeGlyphPixels(QPoint pt, int code, int mirrorRow, int scale) {
    void (*add)(QPoint, int, std::vector<QPoint>*) = nullptr;
    if (code == kDragPole || code == kDragPolePair) {
        add = AddCross;
    } else if (code == kDragZero || code == kDragZeroPair) {
        add = AddRing;
    } else {
        return {};
    }
    std::vector<QPoint> pixels;
    if ((code & kDragPairBit) != 0 && pt.y() != mirrorRow) {
        add(QPoint(pt.x(), 2 * mirrorRow - pt.y()), scale, &pixels);
    }
    add(pt, scale, &pixels);
    const auto less = [](QPoint a, QPoint b) {
        return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x());
    };
    std::sort(pixels.begin(), pixels.end(), less);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}
