#pragma once

#include <QIcon>
#include <QImage>

// The program's pictures, drawn by code so that every pixel is the program's own.

inline constexpr int kBitmapPole = 300;
inline constexpr int kBitmapPolePair = 301;
inline constexpr int kBitmapZero = 302;
inline constexpr int kBitmapZeroPair = 303;
// The palette's design glyph, 30 x 15.
inline constexpr int kBitmapDesign = 304;
// The start-up picture, 320 x 197.
inline constexpr int kBitmapSplash = 305;

// The node glyphs are 15 x 15 grey tiles with a bevelled edge carrying a dark red
// cross (pole), ring (zero) or two smaller ones (pair). A null image for other ids.
// Drawn at ratio device pixels to one (2 on a screen scaled by 2), so that they show
// sharp; the sizes above are in client pixels.
QImage ArtworkBitmap(int id, double ratio = 1.0);

// The 32 x 32 program icon; the image alone needs no running application.
QImage ProgramIconImage();
QIcon ProgramIcon();
