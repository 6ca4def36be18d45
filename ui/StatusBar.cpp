#include "ui/StatusBar.h"

#include <algorithm>

StatusBar::StatusBar(QWidget* parent) : QWidget(parent), mParts{QLabel(this), QLabel(this)} {
    for (QLabel& part : mParts) {
        part.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        part.setIndent(2);
    }
}

void StatusBar::SetLastPartWidth(int width) {
    mLastPartWidth = width;
    PlaceParts();
}

void StatusBar::SetText(int part, const QString& text) {
    if (part == 0 || part == 1) {
        mParts[part].setText(text);
    }
}

QString StatusBar::Text(int part) const {
    return part == 0 || part == 1 ? mParts[part].text() : QString();
}

QRect StatusBar::PartRect(int part) const {
    return part == 0 || part == 1 ? mParts[part].geometry() : QRect();
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceParts();
}

void StatusBar::PlaceParts() {
    const int first = std::max(0, width() - mLastPartWidth);
    mParts[0].setGeometry(0, 0, first, height());
    mParts[1].setGeometry(first, 0, width() - first, height());
}
