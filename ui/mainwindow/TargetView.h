#pragma once

#include "core/FNode.h"
#include "ui/mainwindow/PlaneGeometry.h"
#include "ui/mainwindow/RkDropTarget.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>

class DesignDocument;
class ModalRunner;
class StatusBar;

// The z-plane picture of a document, where nodes are selected, dragged, deleted and
// dropped from the palette, and which zooms (wheel, ZoomIn, ZoomOut, FitAll) and pans
// (middle button). It redraws when the document's nodes or arithmetic change, and shows
// in the status bar whether the design is causal, also while a node is dragged. With an
// arithmetic other than f64, small dots mark the roots of the design as the arithmetic
// stores it beside the nodes.
// It draws into its own image, which painting copies to the screen, so that drag
// feedback XORed onto it is undone exactly by drawing it again.
class TargetView : public QWidget {
    Q_OBJECT
public:
    TargetView(ModalRunner& runner, DesignDocument& document, QWidget* parent = nullptr);

    void SetBkColour(uint32_t colour);
    void SetGridColour(uint32_t colour);
    void SetPoleColour(uint32_t colour);
    void SetZeroColour(uint32_t colour);
    // Units code (124, 125, 126) of the status text.
    void SetUnits(int units) { mUnits = units; }
    // Where the status texts go; null writes nothing.
    void SetStatusBar(StatusBar* bar) { pStatusBar = bar; }

    // Redraws the picture at once from the document's nodes.
    void UpdateFromNodeList();
    // Writes whether the design is causal into the status bar.
    void ShowCausality();

    // Magnify or shrink about the view's middle.
    void ZoomIn();
    void ZoomOut();
    // Shows every node and the unit circle.
    void FitAll();
    void SetView(const PlaneView& view);
    const PlaneView& View() const { return mView; }

    const PlaneGeometry& Geometry() const { return mGeom; }
    // What the view shows.
    const QImage& Picture() const { return mCanvas; }
    RkDropTarget& DropTarget() { return theDrop; }

    QSize sizeHint() const override { return QSize(300, 256); }

signals:
    // A press chose node index of list type (kNodePole or kNodeZero).
    void nodeSelected(int type, int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class RkDropTarget;

    // Draws a glyph on the picture; inverted, it is combined with the picture by
    // exclusive or, so that drawing it twice restores the picture.
    void DrawNode(QPoint pt, int code, bool invert);
    void DropNode(QPoint pt, int code);
    void SendRTDragMessage(QPoint pt, int code);
    void RestoreCanceledDrag();
    void UpdateStatusBar(QPoint pt);

    void LeftPress(QPoint pt);
    void RightPress(QPoint pt);
    void DrawTarget();
    void DrawFromNodeList();
    // The quantized design's roots as dots in QuantizedColour.
    void DrawQuantizedRoots();
    // The arrow at the edge that points to a node outside the view.
    void DrawEdgeArrow(QPointF point, int code);
    // Adds the dragged node at its first place, then moves it.
    void PlaceDraggedNode(const FNode& node);
    // The pixel a drag at pt stands for: with Shift, snapped to a guide.
    QPoint DragPoint(QPoint pt, Qt::KeyboardModifiers modifiers);
    // May turn a conjugate node to its member nearest pt (see DesignDocument::Pick).
    FNode FindNodeInArea(QPoint pt);
    // The node a drag code stands for at a pixel, order 1.
    FNode DraggedNode(QPoint pt, int code) const;

    ModalRunner& mRunner;
    DesignDocument& mDocument;
    StatusBar* pStatusBar = nullptr;
    uint32_t mGridColour = 0;
    uint32_t mBkColour;
    uint32_t mPoleColour = 0x0000FF;
    uint32_t mZeroColour = 0xFF0000;
    QFont mainFont;
    int mUnits = 125;
    PlaneGeometry mGeom;
    PlaneView mView;
    FNode mDragRestoreNode = FNode::None();
    RkDropTarget theDrop;
    QImage mCanvas;
    // A drag of the pressed node starts once the pointer has moved far enough.
    bool mDragArmed = false;
    QPoint mPressPoint;
    // Where the middle button last was while panning; null when not panning.
    std::optional<QPoint> mPanFrom;
    // The dragged node lands on the guide it was snapped to.
    bool mSnap = false;
};
