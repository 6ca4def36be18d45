#pragma once

#include <QPoint>
#include <Qt>

class ModalRunner;
class QWidget;
class TargetView;

// The z-plane view's drop target: draws the moving glyph with XOR, keeps the design
// in step with the pointer while a drag is over the view, undoes that when the drag
// leaves or is cancelled, and places the node on the drop. Each callback is given the
// widget under the pointer and does nothing unless that is the registered view.
class RkDropTarget {
public:
    explicit RkDropTarget(ModalRunner& runner) : mRunner(runner) {}

    // Makes view accept drops through this target; true on success.
    bool Register(TargetView* view);
    void Revoke();

    Qt::DropAction OnDragEnter(QWidget* wnd);
    // p in the view's coordinates.
    Qt::DropAction OnDragOver(QWidget* wnd, QPoint p);
    // Also stands for a drag cancelled over the view.
    void OnDragLeave(QWidget* wnd);
    // True when the node was placed.
    bool OnDrop(QWidget* wnd, QPoint p);

    bool PointDrawn() const { return mPointDrawn; }

private:
    void EraseGlyph();

    ModalRunner& mRunner;
    bool mPointDrawn = false;
    int mLastType = 0;
    QPoint mLastPoint;
    TargetView* mTargetWnd = nullptr;
};
