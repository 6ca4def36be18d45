#include "ui/mainwindow/TargetView.h"

#include "text/NodeValueText.h"
#include "ui/ArithmeticView.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/mainwindow/NodeDrag.h"
#include "ui/widgets/NodeDragFormat.h"
#include "ui/widgets/StatusBar.h"

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
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Only drags that this program started carry the node format; a drag from another
// program has no source widget.
bool IsNodeDrag(const QDropEvent* event) {
    return event->source() != nullptr && event->mimeData() != nullptr &&
           event->mimeData()->hasFormat(kNodeDragFormat);
}

// One wheel notch, and one Zoom In or Zoom Out.
constexpr double kZoomStep = 1.25;

int TypeOfCode(int code) {
    return (code & kDragPole) != 0 ? kNodePole : kNodeZero;
}

} // namespace

TargetView::TargetView(ModalRunner& runner, DesignDocument& document, QWidget* parent)
    : QWidget(parent), mRunner(runner), mDocument(document), mBkColour(ButtonFaceRef()),
      mainFont(LabelFont()), theDrop(runner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const auto redraw = [this] {
        ShowCausality();
        DrawTarget();
    };
    connect(&document, &DesignDocument::nodeChanged, this, redraw);
    connect(&document, &DesignDocument::designReplaced, this, redraw);
    connect(&document, &DesignDocument::arithmeticChanged, this, &TargetView::DrawTarget);
    connect(&document, &DesignDocument::nodeDragged, this, &TargetView::ShowCausality);
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

void TargetView::ShowCausality() {
    if (pStatusBar != nullptr) {
        pStatusBar->SetText(1, mDocument.Nodes().Causal() ? QStringLiteral("Causal")
                                                          : QStringLiteral("Non-Causal"));
    }
}

void TargetView::SetView(const PlaneView& view) {
    mView = view;
    mGeom = PlaneGeometry::ForView(width(), height(), mView.zoom, mView.centre);
    DrawTarget();
}

void TargetView::ZoomIn() {
    SetView(ZoomedAbout(mView, size(), rect().center(), kZoomStep));
}

void TargetView::ZoomOut() {
    SetView(ZoomedAbout(mView, size(), rect().center(), 1.0 / kZoomStep));
}

void TargetView::FitAll() {
    std::vector<FComplex> points;
    const FNodeList& nodes = mDocument.Nodes();
    for (const int type : {kNodePole, kNodeZero}) {
        for (short i = 0; i < nodes.GetListCount(type); ++i) {
            const FComplex z = nodes.GetNodeByIndex(type, i).Value();
            points.push_back(z);
            points.push_back(z.Conj());
        }
    }
    SetView(Fitting(size(), points));
}

void TargetView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mCanvas);
}

void TargetView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mCanvas = CanvasFor(*this);
    SetView(mView);
}

void TargetView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    UpdateStatusBar(p);
    if (mPanFrom && (event->buttons() & Qt::MiddleButton) != 0) {
        const QPoint from = *mPanFrom;
        mPanFrom = p;
        SetView(Panned(mView, size(), p - from));
        return;
    }
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
    } else if (event->button() == Qt::MiddleButton) {
        mPanFrom = p;
    }
}

void TargetView::mouseReleaseEvent(QMouseEvent*) {
    mDragArmed = false;
    mPanFrom.reset();
}

void TargetView::wheelEvent(QWheelEvent* event) {
    // One notch of an ordinary wheel is 120.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) {
        SetView(
            ZoomedAbout(mView, size(), event->position().toPoint(), std::pow(kZoomStep, notches)));
    }
    event->accept();
}

QPoint TargetView::DragPoint(QPoint pt, Qt::KeyboardModifiers modifiers) {
    mSnap = (modifiers & Qt::ShiftModifier) != 0;
    return mSnap ? mGeom.Complex2Point(SnapToGuides(mGeom.Point2Complex(pt), mGeom.SnapTolerance()))
                 : pt;
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
    const QPoint p = DragPoint(event->position().toPoint(), event->modifiers());
    event->setDropAction(theDrop.OnDragOver(this, p));
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
    if (theDrop.OnDrop(this, DragPoint(event->position().toPoint(), event->modifiers()))) {
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
    const int index = mDocument.Nodes().GetIndexOfNode(n);
    emit nodeSelected(n.Type(), index);
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
    mDocument.Remove(n.Type(), mDocument.Nodes().GetIndexOfNode(n));
}

FNode TargetView::DraggedNode(QPoint pt, int code) const {
    const FComplex z = mGeom.Point2Complex(pt);
    // The snapped pixel lies within a pixel of its guide; snapping again lands exactly.
    return FNode(TypeOfCode(code), mSnap ? SnapToGuides(z, mGeom.SnapTolerance()) : z,
                 (code & kDragPairBit) != 0, 1);
}

void TargetView::SendRTDragMessage(QPoint pt, int code) {
    // The moves of one drag merge into one edit, shown live in the compact response.
    mDocument.BeginDrag();
    PlaceDraggedNode(DraggedNode(pt, code));
}

void TargetView::DropNode(QPoint pt, int code) {
    mDocument.BeginDrag();
    PlaceDraggedNode(DraggedNode(pt, code));
    mDocument.EndDrag();
}

void TargetView::RestoreCanceledDrag() {
    const int type = TypeOfCode(gDragType);
    if (mDragRestoreNode.Type() == kNodeNone) {
        mDocument.Remove(type, gDragIndex);
        gDragIndex = -1;
    } else {
        PlaceDraggedNode(mDragRestoreNode);
    }
    mDocument.EndDrag();
}

void TargetView::PlaceDraggedNode(const FNode& node) {
    if (gDragIndex < 0) {
        mDocument.Add(node);
        // A new node goes to the head of its list.
        gDragIndex = 0;
    } else {
        mDocument.Change(node.Type(), gDragIndex, node,
                         QStringLiteral("Move ") + NodeTypeName(node.Type()));
    }
}

void TargetView::UpdateStatusBar(QPoint pt) {
    if (pStatusBar == nullptr || mGeom.radius == 0) {
        return;
    }
    const FComplex z = mGeom.Point2Complex(pt);
    pStatusBar->SetText(0, QString::fromStdString(NodeValueText(z, mUnits)));
    ShowCausality();
}

FNode TargetView::FindNodeInArea(QPoint pt) {
    return mDocument.Pick(mGeom.Point2Complex(pt), mGeom.PickTolerance());
}

void TargetView::DrawNode(QPoint pt, int code, bool invert) {
    // The glyph's pixels are the picture's own device pixels, so that it is drawn as
    // finely as the screen shows it.
    const int scale = std::max(1, static_cast<int>(std::lround(mCanvas.devicePixelRatio())));
    const std::vector<QPoint> pixels =
        NodeGlyphPixels(pt * scale, code, mGeom.Complex2Point(FComplex()).y() * scale, scale);
    if (pixels.empty() || mCanvas.isNull()) {
        return;
    }
    const QRgb colour =
        ColourFromRef((code & kDragPole) != 0 ? mPoleColour : mZeroColour).rgb() & 0xFFFFFF;
    for (const QPoint p : pixels) {
        if (mCanvas.valid(p)) {
            mCanvas.setPixel(p, 0xFF000000 | (invert ? (mCanvas.pixel(p) ^ colour) : colour));
        }
    }
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
        const QPoint origin = mGeom.Complex2Point(FComplex());
        const int radius = static_cast<int>(std::min(mGeom.radius, 1e6));
        painter.drawEllipse(origin, radius, radius);
        painter.drawLine(origin.x(), r.top(), origin.x(), r.bottom());
        painter.drawLine(r.left(), origin.y(), r.right(), origin.y());
        painter.setFont(mainFont);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(back);
        // Inside the circle near the axes' ends, where the arc does not run through
        // them and a node at j or 1 leaves them readable.
        const QString re = QStringLiteral("Re(z)");
        DrawTextAt(painter, QPoint(origin.x() + 7, origin.y() - radius + 6),
                   QStringLiteral("Im(z)"));
        DrawTextAt(painter,
                   QPoint(origin.x() + radius - QFontMetrics(mainFont).horizontalAdvance(re) - 8,
                          origin.y() + 4),
                   re);
    }
    DrawFromNodeList();
    DrawQuantizedRoots();
    {
        QPainter painter(&mCanvas);
        Draw3dFrame(painter, rect());
    }
    update();
}

void TargetView::DrawFromNodeList() {
    // Zeros are drawn after poles, so a zero shows over a pole at the same place.
    const FNodeList& nodes = mDocument.Nodes();
    for (const int type : {kNodePole, kNodeZero}) {
        const int single = type == kNodePole ? kDragPole : kDragZero;
        for (short i = 0; i < nodes.GetListCount(type); ++i) {
            const FNode n = nodes.GetNodeByIndex(type, i);
            const FComplex z = n.Value();
            const bool shows = InsideView(size(), mGeom.ToPixel(z));
            if (shows && (!n.Conjugate() || InsideView(size(), mGeom.ToPixel(z.Conj())))) {
                DrawNode(mGeom.Complex2Point(z), single | (n.Conjugate() ? kDragPairBit : 0),
                         false);
                continue;
            }
            // Each member on its own: a glyph when it shows, else an arrow towards it.
            for (const FComplex member :
                 n.Conjugate() ? std::vector{z, z.Conj()} : std::vector{z}) {
                if (InsideView(size(), mGeom.ToPixel(member))) {
                    DrawNode(mGeom.Complex2Point(member), single, false);
                } else {
                    DrawEdgeArrow(mGeom.ToPixel(member), single);
                }
            }
        }
    }
}

void TargetView::DrawQuantizedRoots() {
    if (mDocument.Arithmetic() == Arithmetic::F64) {
        return;
    }
    const QuantizedCascade& quantized = mDocument.Quantized();
    if (quantized.problem != QuantizeProblem::None) {
        return;
    }
    QPainter painter(&mCanvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QuantizedColour());
    for (const auto* roots : {&quantized.roots.zeros, &quantized.roots.poles}) {
        for (const FComplex& z : *roots) {
            const QPointF at = mGeom.ToPixel(z);
            if (InsideView(size(), at)) {
                painter.drawEllipse(at, 2.5, 2.5);
            }
        }
    }
}

void TargetView::DrawEdgeArrow(QPointF point, int code) {
    const EdgeArrow arrow = EdgeArrowFor(size(), point, 4);
    QPainter painter(&mCanvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(arrow.tip);
    painter.rotate(arrow.angle * 180.0 / std::numbers::pi);
    const QColor colour = ColourFromRef((code & kDragPole) != 0 ? mPoleColour : mZeroColour);
    painter.setPen(colour);
    painter.setBrush(colour);
    const QPointF head[] = {QPointF(0, 0), QPointF(-9, -5), QPointF(-9, 5)};
    painter.drawPolygon(head, 3);
    update();
}
