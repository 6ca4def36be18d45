#include "ui/ArithmeticView.h"

const QStringList& ArithmeticLabels() {
    static const QStringList labels = {QStringLiteral("Double"), QStringLiteral("Float32"),
                                       QStringLiteral("Q15"), QStringLiteral("Q31")};
    return labels;
}

QString ArithmeticLabel(Arithmetic arithmetic) {
    return ArithmeticLabels().at(static_cast<qsizetype>(arithmetic));
}

QColor QuantizedColour() {
    return QColor(176, 0, 176);
}
