#include "ui/TargetView.h"

#include "analysis/NodeValueText.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/NodeUpdateMsg.h"
#include "ui/StatusBar.h"
#include "ui/ZPlaneDesign.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Only drags that this program started carry the node format; a drag from another
// program has no source widget.
bool IsNodeDrag(const QDropEvent* event) {
    return event->source() != nullptr && event->mimeData() != nullptr &&
           event->mimeData()->hasFormat(kNodeDragFormat);
}

int TypeOfCode(int code) {
    return (code & kDragPole) != 0 ? kNodePole : kNodeZero;
}

} // namespace

TargetView::TargetView(ModalRunner& runner, QWidget* parent)
    : QWidget(parent), mRunner(runner), mBkColour(ButtonFaceRef()), mainFont(LabelFont()),
      theDrop(runner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (!theDrop.Register(this)) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't register as a drop target"),
                        ModalRunner::Icon::Information);
    }
}

void TargetView::SetBkColour(uint32_t colour) {
    mBkColour = colour;
    DrawTarget();
}

void TargetView::SetGridColour(uint32_t colour) {
    mGridColour = colour;
    DrawTarget();
}

void TargetView::SetPoleColour(uint32_t colour) {
    mPoleColour = colour;
    DrawTarget();
}

void TargetView::SetZeroColour(uint32_t colour) {
    mZeroColour = colour;
    DrawTarget();
}

void TargetView::UpdateFromNodeList() {
    DrawTarget();
}

void TargetView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mCanvas);
}

void TargetView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mGeom = PlaneGeometry::ForSize(width(), height());
    mCanvas = CanvasFor(*this);
    DrawTarget();
}

void TargetView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    UpdateStatusBar(p);
    if (mDragArmed && (event->buttons() & Qt::LeftButton) != 0 &&
        (p - mPressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        mDragArmed = false;
        mRunner.Drag(this);
    }
}

void TargetView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        LeftPress(p);
    } else if (event->button() == Qt::RightButton) {
        RightPress(p);
    }
}

void TargetView::mouseReleaseEvent(QMouseEvent*) {
    mDragArmed = false;
}

void TargetView::dragEnterEvent(QDragEnterEvent* event) {
    if (!IsNodeDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(theDrop.OnDragEnter(this));
    event->accept();
}

void TargetView::dragMoveEvent(QDragMoveEvent* event) {
    if (!IsNodeDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(theDrop.OnDragOver(this, event->position().toPoint()));
    event->accept();
}

void TargetView::dragLeaveEvent(QDragLeaveEvent*) {
    theDrop.OnDragLeave(this);
}

void TargetView::dropEvent(QDropEvent* event) {
    if (!IsNodeDrag(event)) {
        event->ignore();
        return;
    }
    if (theDrop.OnDrop(this, event->position().toPoint())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TargetView::LeftPress(QPoint pt) {
    const FNode n = FindNodeInArea(pt);
    mDragRestoreNode = n;
    if (n.Type() == kNodeNone) {
        return;
    }
    const int index = gNodeList.GetIndexOfNode(n);
    const int listBit = ListBitOfType(n.Type());
    emit nodeUpdate(NodeUpdateMsg{this, listBit | kUpdateSelect, index});
    gDragType =
        (n.Type() == kNodePole ? kDragPole : kDragZero) | (n.Conjugate() ? kDragPairBit : 0);
    gDragIndex = index;
    mDragArmed = true;
    mPressPoint = pt;
}

void TargetView::RightPress(QPoint pt) {
    const FNode n = FindNodeInArea(pt);
    if (n.Type() == kNodeNone) {
        return;
    }
    QMenu menu(this);
    QMenu* operations = menu.addMenu(QStringLiteral("Node Operation"));
    QAction* remove = operations->addAction(QStringLiteral("&Delete"));
    if (mRunner.Popup(*operations, mapToGlobal(pt)) != remove) {
        return;
    }
    const int index = gNodeList.GetIndexOfNode(n);
    gNodeList.RemoveNode(n);
    emit nodeUpdate(NodeUpdateMsg{nullptr, ListBitOfType(n.Type()) | kUpdateRemoved, index});
}

FNode TargetView::DraggedNode(QPoint pt, int code) const {
    return FNode(TypeOfCode(code), mGeom.Point2Complex(pt), (code & kDragPairBit) != 0, 1);
}

void TargetView::SendRTDragMessage(QPoint pt, int code) {
    const FNode node = DraggedNode(pt, code);
    if (gDragIndex < 0) {
        gNodeList.AddNode(node);
        gDragIndex = gNodeList.GetIndexOfNode(node);
    } else {
        gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(node.Type(), static_cast<short>(gDragIndex)),
                              node);
    }
    emit nodeUpdate(NodeUpdateMsg{this, ListBitOfType(node.Type()) | kUpdateLiveDrag, gDragIndex});
}

void TargetView::DropNode(QPoint pt, int code) {
    DrawNode(pt, code, false);
    const FNode node = DraggedNode(pt, code);
    NodeUpdateMsg msg{this, ListBitOfType(node.Type()), gDragIndex};
    if (gDragIndex < 0) {
        gNodeList.AddNode(node);
        msg.what |= kUpdateAdded;
    } else {
        gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(node.Type(), static_cast<short>(gDragIndex)),
                              node);
        msg.what |= kUpdateChanged;
    }
    emit nodeUpdate(msg);
}

void TargetView::RestoreCanceledDrag() {
    const int type = TypeOfCode(gDragType);
    if (mDragRestoreNode.Type() == kNodeNone) {
        gNodeList.RemoveNode(type, static_cast<short>(gDragIndex));
        gDragIndex = -1;
    } else {
        gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(type, static_cast<short>(gDragIndex)),
                              mDragRestoreNode);
    }
    emit nodeUpdate(NodeUpdateMsg{this, ListBitOfType(type) | kUpdateLiveDrag, gDragIndex});
}

void TargetView::UpdateStatusBar(QPoint pt) {
    if (pStatusBar == nullptr || mGeom.radius == 0) {
        return;
    }
    const FComplex z = mGeom.Point2Complex(pt);
    pStatusBar->SetText(0, QString::fromStdString(NodeValueText(z, mUnits)));
    pStatusBar->SetText(1, gNodeList.Causal() ? QStringLiteral("Causal")
                                              : QStringLiteral("Non-Causal"));
}

FNode TargetView::FindNodeInArea(QPoint pt) {
    return gNodeList.FindClosestNode(mGeom.Point2Complex(pt), mGeom.PickTolerance());
}

void TargetView::DrawNode(QPoint pt, int code, bool invert) {
    const std::vector<QPoint> pixels = NodeGlyphPixels(pt, code, mGeom.cy);
    if (pixels.empty() || mCanvas.isNull()) {
        return;
    }
    QPainter painter(&mCanvas);
    if (invert) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    painter.setPen(ColourFromRef((code & kDragPole) != 0 ? mPoleColour : mZeroColour));
    painter.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
    update();
}

void TargetView::DrawTarget() {
    if (mCanvas.isNull()) {
        return;
    }
    {
        QPainter painter(&mCanvas);
        const QRect r = rect();
        const QColor back = ColourFromRef(mBkColour);
        const QColor grid = ColourFromRef(mGridColour);
        painter.fillRect(r, back);
        painter.setPen(grid);
        painter.setBrush(back);
        painter.drawEllipse(QPoint(mGeom.cx, mGeom.cy), mGeom.radius, mGeom.radius);
        painter.drawLine(mGeom.cx, r.top(), mGeom.cx, r.bottom());
        painter.drawLine(r.left(), mGeom.cy, r.right(), mGeom.cy);
        painter.setFont(mainFont);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(back);
        // Inside the circle near the axes' ends, where the arc does not run through
        // them and a node at j or 1 leaves them readable.
        const QString re = QStringLiteral("Re(z)");
        DrawTextAt(painter, QPoint(mGeom.cx + 7, mGeom.cy - mGeom.radius + 6),
                   QStringLiteral("Im(z)"));
        DrawTextAt(
            painter,
            QPoint(mGeom.cx + mGeom.radius - QFontMetrics(mainFont).horizontalAdvance(re) - 8,
                   mGeom.cy + 4),
            re);
    }
    DrawFromNodeList();
    {
        QPainter painter(&mCanvas);
        Draw3dFrame(painter, rect());
    }
    update();
}

void TargetView::DrawFromNodeList() {
    // Zeros are drawn after poles, so a zero shows over a pole at the same place.
    for (const int type : {kNodePole, kNodeZero}) {
        const int single = type == kNodePole ? kDragPole : kDragZero;
        for (short i = 0; i < gNodeList.GetListCount(type); ++i) {
            const FNode n = gNodeList.GetNodeByIndex(type, i);
            DrawNode(mGeom.Complex2Point(n.Value()), single | (n.Conjugate() ? kDragPairBit : 0),
                     false);
        }
    }
}
