#pragma once

#include "arith/Arithmetic.h"

#include <QColor>
#include <QString>
#include <QStringList>

// How the windows name the arithmetics and show a design as one of them stores it.

// "Double", "Float32", "Q15", "Q31": the menus' names, in the order of the enum.
const QStringList& ArithmeticLabels();
QString ArithmeticLabel(Arithmetic arithmetic);
// The colour of the quantized design: its traces in the analysis window and its roots
// on the plane. Apart from the default trace, pole, zero and reference colours.
QColor QuantizedColour();
