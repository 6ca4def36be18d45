#include "ui/widgets/StatusBar.h"

#include <QPalette>

#include <algorithm>

StatusBar::StatusBar(int parts, QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < parts; ++i) {
        auto part = std::make_unique<QLabel>(this);
        part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        part->setIndent(2);
        mParts.push_back(std::move(part));
    }
}

void StatusBar::SetPartEdges(std::vector<int> edges) {
    mEdges = std::move(edges);
    PlaceParts();
}

void StatusBar::SetText(int part, const QString& text) {
    if (part >= 0 && part < static_cast<int>(mParts.size())) {
        mParts[static_cast<size_t>(part)]->setText(text);
    }
}

void StatusBar::SetTextColour(int part, const QColor& colour) {
    if (part >= 0 && part < static_cast<int>(mParts.size())) {
        QLabel& label = *mParts[static_cast<size_t>(part)];
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, colour);
        label.setPalette(palette);
    }
}

int StatusBar::PartWidthFor(const QString& text) const {
    // The sunken frame and the indent on both sides, and a little air.
    return fontMetrics().horizontalAdvance(text) + 2 * (2 + 2) + 6;
}

QString StatusBar::Text(int part) const {
    return part >= 0 && part < static_cast<int>(mParts.size())
               ? mParts[static_cast<size_t>(part)]->text()
               : QString();
}

QRect StatusBar::PartRect(int part) const {
    return part >= 0 && part < static_cast<int>(mParts.size())
               ? mParts[static_cast<size_t>(part)]->geometry()
               : QRect();
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceParts();
}

void StatusBar::PlaceParts() {
    int left = 0;
    for (size_t i = 0; i < mParts.size(); ++i) {
        int right = i + 1 == mParts.size() ? width() : i < mEdges.size() ? mEdges[i] : left;
        right = std::max(right, left);
        mParts[i]->setGeometry(left, 0, right - left, height());
        left = right;
    }
}
