#include "ui/widgets/ClrCStatic.h"

#include "ui/Drawing.h"

#include <QPalette>

ClrCStatic::ClrCStatic(QWidget* parent) : QLabel(parent), mBkColour(ButtonFaceRef()) {
    setAutoFillBackground(true);
    ApplyColours();
}

void ClrCStatic::SetBkColour(uint32_t colour) {
    mBkColour = colour;
    ApplyColours();
}

void ClrCStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void ClrCStatic::ApplyColours() {
    QPalette p = palette();
    p.setColor(QPalette::Window, ColourFromRef(mBkColour));
    p.setColor(QPalette::WindowText, ColourFromRef(mTextColour));
    setPalette(p);
    update();
}
