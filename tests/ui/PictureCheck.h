#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <initializer_list>

// Checks of the pictures the views draw off screen.

// The colour of a pixel without its alpha byte.
QRgb Rgb(const QImage& image, QPoint p);

// True when every pixel that text, drawn in the label font with its top-left corner at
// at, inks is black in the picture too.
bool ShowsLabel(const QImage& picture, QPoint at, const QString& text);

// The points among at whose colour in picture is not colour, one "(x, y) is rrggbb" line
// each; empty when all are.
QString WrongPixels(const QImage& picture, QRgb colour, std::initializer_list<QPoint> at);
