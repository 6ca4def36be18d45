#pragma once

#include "core/FComplex.h"

#include <QPoint>

#include <vector>

// How the z-plane view maps the plane onto its pixels: z = x + jy is shown at column
// cx + x * radius and row cy - y * radius, the unit circle having radius pixels.
struct PlaneGeometry {
    int cx = 0;
    int cy = 0;
    int radius = 0;

    // The geometry of a view of w x h pixels: centre (w / 2, h / 2), radius 10 pixels
    // short of the nearer edge (never negative).
    static PlaneGeometry ForSize(int w, int h);

    // The plane point at a pixel; 0 + 0j when radius is 0.
    FComplex Point2Complex(QPoint pt) const;
    // The pixel of a plane point, truncated toward zero.
    QPoint Complex2Point(FComplex z) const;
    // The plane distance of 5 pixels: how near a press must be to pick a node.
    double PickTolerance() const;
};

// The pixels of a node glyph at pt, each once, for the drag codes 16 and 18 (crosses:
// two 9-pixel diagonals through pt) and 32 and 34 (rings of radius 4 around pt). A
// pair code adds the glyph mirrored about row mirrorRow unless pt lies on that row.
// Any other code has no pixels.
std::vector<QPoint> NodeGlyphPixels(QPoint pt, int code, int mirrorRow);
