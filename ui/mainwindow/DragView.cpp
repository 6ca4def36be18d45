#include "ui/mainwindow/DragView.h"

#include "resources/Artwork.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/mainwindow/CEasyTTC.h"
#include "ui/mainwindow/NodeDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

PaletteLayout PaletteLayout::ForClient(const QRect& client) {
    const int l = client.left();
    const int t = client.top();
    const int r = client.left() + client.width();
    const int b = client.top() + client.height();
    const int top = (b - t) / 2 - 8;
    PaletteLayout layout;
    layout.zero = QPoint(l + 10, top);
    layout.zeroPair = QPoint(layout.zero.x() + 20, top);
    layout.pole = QPoint(r - 25, top);
    layout.polePair = QPoint(layout.pole.x() - 20, top);
    layout.design = QPoint((r - l) / 2 - 15, top);
    return layout;
}

DragView::DragView(ModalRunner& runner, QWidget* parent)
    : QWidget(parent), mRunner(runner), mBkColour(ButtonFaceRef()) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    CEasyTTC::AddWindowTool(this, "Drag the highlighted nodes onto the target");
}

std::array<std::pair<QRect, int>, 4> DragView::NodeBoxes() const {
    const QSize glyph(PaletteLayout::kGlyphSize, PaletteLayout::kGlyphSize);
    return {{{QRect(mLayout.zero, glyph), kDragZero},
             {QRect(mLayout.zeroPair, glyph), kDragZeroPair},
             {QRect(mLayout.polePair, glyph), kDragPolePair},
             {QRect(mLayout.pole, glyph), kDragPole}}};
}

void DragView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mCanvas);
}

void DragView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mLayout = PaletteLayout::ForClient(rect());
    mCanvas = CanvasFor(*this);
    // The glyphs at the screen's pixel density, so that they show sharp.
    const double ratio = mCanvas.devicePixelRatio();
    mPoleBmp = ArtworkBitmap(kBitmapPole, ratio);
    mPoleCBmp = ArtworkBitmap(kBitmapPolePair, ratio);
    mZeroBmp = ArtworkBitmap(kBitmapZero, ratio);
    mZeroCBmp = ArtworkBitmap(kBitmapZeroPair, ratio);
    mDesignBmp = ArtworkBitmap(kBitmapDesign, ratio);
    DoStylePaint();
}

void DragView::DoStylePaint() {
    {
        QPainter painter(&mCanvas);
        painter.fillRect(rect(), ColourFromRef(mBkColour));
        Draw3dFrame(painter, rect());
        painter.drawImage(mLayout.zero, mZeroBmp);
        painter.drawImage(mLayout.zeroPair, mZeroCBmp);
        painter.drawImage(mLayout.pole, mPoleBmp);
        painter.drawImage(mLayout.polePair, mPoleCBmp);
        painter.drawImage(mLayout.design, mDesignBmp);
    }
    mHLRect = QRect();
    update();
}

void DragView::InvertRect(const QRect& r) {
    QPainter painter(&mCanvas);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(r, Qt::black);
    update();
}

void DragView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (mDragArmed) {
        if ((event->buttons() & Qt::LeftButton) != 0 &&
            (p - mPressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            mDragArmed = false;
            mRunner.Drag(this);
        }
        return;
    }
    for (const auto& [box, code] : NodeBoxes()) {
        if (box.contains(p)) {
            if (box != mHLRect) {
                if (!mHLRect.isEmpty()) {
                    InvertRect(mHLRect);
                }
                mHLRect = box;
                InvertRect(mHLRect);
            }
            return;
        }
    }
    if (!mHLRect.isEmpty()) {
        InvertRect(mHLRect);
        mHLRect = QRect();
    }
}

void DragView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    for (const auto& [box, code] : NodeBoxes()) {
        if (box.contains(p)) {
            gDragType = code;
            gDragIndex = -1;
            mDragArmed = true;
            mPressPoint = p;
            return;
        }
    }
    const QRect designBox(mLayout.design,
                          QSize(PaletteLayout::kDesignWidth, PaletteLayout::kGlyphSize));
    if (designBox.contains(p)) {
        emit designRequested();
    }
}

void DragView::mouseReleaseEvent(QMouseEvent*) {
    mDragArmed = false;
}
