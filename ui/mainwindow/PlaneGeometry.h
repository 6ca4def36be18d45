#pragma once

#include "core/FComplex.h"

#include <QPoint>
#include <QPointF>
#include <QSize>

#include <vector>

// How the z-plane view maps the plane onto its pixels: z = x + jy is shown at column
// cx + x * radius and row cy - y * radius, the unit circle having radius pixels. The
// origin's pixel (cx, cy) may lie outside the view when it is zoomed or panned.
struct PlaneGeometry {
    double cx = 0;
    double cy = 0;
    double radius = 0;

    // The unzoomed view of w x h pixels: centre (w / 2, h / 2), each truncated, radius
    // 10 pixels short of the nearer edge (never negative), so about +-1.1 shows.
    static PlaneGeometry ForSize(int w, int h);
    // The view of w x h pixels magnified zoom times from ForSize, with the plane point
    // centre in the middle.
    static PlaneGeometry ForView(int w, int h, double zoom, FComplex centre);

    // The plane point at a pixel; 0 + 0j when radius is 0.
    FComplex Point2Complex(QPoint pt) const;
    // The unrounded pixel position of a plane point.
    QPointF ToPixel(FComplex z) const { return QPointF(cx + z.r * radius, cy - z.i * radius); }
    // The pixel of a plane point, truncated toward zero; points far off the view are
    // brought to within a million pixels of it.
    QPoint Complex2Point(FComplex z) const;
    // The plane distance of 8 pixels: how near a press must be to pick a node (the
    // nearest node wins, so close nodes stay separable).
    double PickTolerance() const;
    // The plane distance within which a dragged node snaps to a guide.
    double SnapTolerance() const;
};

// Where the view looks: magnification over the unzoomed view and the plane point
// in its middle.
struct PlaneView {
    double zoom = 1.0;
    FComplex centre;
};

// Zoom limits, relative to the unzoomed view.
inline constexpr double kMinZoom = 1e-300;
inline constexpr double kMaxZoom = 1e4;

// The view magnified by factor (within the limits) so that the plane point under
// pixel stays under it, in a view of size pixels.
PlaneView ZoomedAbout(const PlaneView& view, QSize size, QPoint pixel, double factor);
// The view moved with the pointer by delta pixels.
PlaneView Panned(const PlaneView& view, QSize size, QPoint delta);
// The view showing every point and the unit circle, centred on them.
PlaneView Fitting(QSize size, const std::vector<FComplex>& points);

// z moved onto the unit circle, the real axis or the imaginary axis, whichever is
// nearest within tolerance; z itself when none is.
FComplex SnapToGuides(FComplex z, double tolerance);

// Where an arrow marks a point that lies outside a view of size pixels: on a frame
// inset pixels inside the edges, on the line from the view's middle to the point. The
// angle (radians, screen y down) points from the middle towards the point.
struct EdgeArrow {
    QPointF tip;
    double angle = 0;
};
EdgeArrow EdgeArrowFor(QSize size, QPointF point, double inset);
// Whether pixel point (unrounded) lies inside a view of size pixels.
bool InsideView(QSize size, QPointF point);

// The pixels of a node glyph at pt, each once, for the drag codes 16 and 18 (crosses:
// two 9-pixel diagonals through pt) and 32 and 34 (rings of radius 4 around pt). A
// pair code adds the glyph mirrored about row mirrorRow unless pt lies on that row.
// Any other code has no pixels. With scale above 1, pt and mirrorRow are in device
// pixels, scale to a client pixel, and the glyph is as large and its lines as thick in
// them, drawn at their finer grain rather than enlarged.
std::vector<QPoint> NodeGlyphPixels(QPoint pt, int code, int mirrorRow, int scale = 1);
