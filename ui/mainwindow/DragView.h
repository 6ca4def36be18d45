#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>

class ModalRunner;

// Where the palette's glyphs stand in a client rectangle: a zero, a zero pair, the
// design glyph in the middle, a pole pair and a pole.
struct PaletteLayout {
    QPoint zero;
    QPoint zeroPair;
    QPoint design;
    QPoint polePair;
    QPoint pole;
    static constexpr int kGlyphSize = 15;
    static constexpr int kDesignWidth = 30;

    static PaletteLayout ForClient(const QRect& client);
};

// The node palette above the z-plane: glyphs of a zero, a zero pair, a pole pair and a
// pole to drag onto the z-plane view, and a design glyph that asks for the standard
// filter dialog. The glyph under the pointer is shown inverted.
class DragView : public QWidget {
    Q_OBJECT
public:
    explicit DragView(ModalRunner& runner, QWidget* parent = nullptr);

    const PaletteLayout& Layout() const { return mLayout; }
    // The inverted glyph box; empty when none.
    QRect Highlight() const { return mHLRect; }
    const QImage& Picture() const { return mCanvas; }

    QSize sizeHint() const override { return QSize(300, 20); }

signals:
    // The design glyph was clicked.
    void designRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The node glyph boxes in hit-test order with their drag codes.
    std::array<std::pair<QRect, int>, 4> NodeBoxes() const;
    void DoStylePaint();
    void InvertRect(const QRect& r);

    ModalRunner& mRunner;
    QImage mPoleBmp;
    QImage mPoleCBmp;
    QImage mZeroBmp;
    QImage mZeroCBmp;
    QImage mDesignBmp;
    PaletteLayout mLayout;
    QRect mHLRect;
    uint32_t mBkColour;
    QImage mCanvas;
    // A drag of the pressed glyph starts once the pointer has moved far enough.
    bool mDragArmed = false;
    QPoint mPressPoint;
};
