#include "ui/mainwindow/RkDropTarget.h"

#include "ui/ModalRunner.h"
#include "ui/mainwindow/NodeDrag.h"
#include "ui/mainwindow/TargetView.h"

bool RkDropTarget::Register(TargetView* view) {
    mTargetWnd = view;
    if (view == nullptr) {
        return false;
    }
    view->setAcceptDrops(true);
    return true;
}

void RkDropTarget::Revoke() {
    if (mTargetWnd != nullptr) {
        mTargetWnd->setAcceptDrops(false);
    }
    mTargetWnd = nullptr;
}

Qt::DropAction RkDropTarget::OnDragEnter(QWidget* wnd) {
    if (mTargetWnd != nullptr && wnd == mTargetWnd && gDragIndex == -1) {
        mTargetWnd->mDragRestoreNode.SetType(kNodeNone);
    }
    return Qt::MoveAction;
}

Qt::DropAction RkDropTarget::OnDragOver(QWidget* wnd, QPoint p) {
    if (mTargetWnd == nullptr || wnd != mTargetWnd) {
        return Qt::MoveAction;
    }
    // The first position of a drag is always drawn, even where the last drag ended.
    if (mPointDrawn && p == mLastPoint) {
        return Qt::MoveAction;
    }
    EraseGlyph();
    mTargetWnd->DrawNode(p, gDragType, true);
    mLastPoint = p;
    mPointDrawn = true;
    mLastType = gDragType;
    mTargetWnd->SendRTDragMessage(p, mLastType);
    mTargetWnd->UpdateStatusBar(p);
    return Qt::MoveAction;
}

void RkDropTarget::OnDragLeave(QWidget* wnd) {
    if (mTargetWnd == nullptr || wnd != mTargetWnd || !mPointDrawn) {
        return;
    }
    EraseGlyph();
    mTargetWnd->RestoreCanceledDrag();
}

bool RkDropTarget::OnDrop(QWidget* wnd, QPoint p) {
    if (mTargetWnd == nullptr || wnd != mTargetWnd) {
        mRunner.Message(wnd, AppCaption(), QStringLiteral("Dropped out of bounds"),
                        ModalRunner::Icon::Information);
        return false;
    }
    // A drop without any movement over the view brings the kind from the drag itself.
    const int code = mPointDrawn ? mLastType : gDragType;
    EraseGlyph();
    mTargetWnd->DropNode(p, code);
    return true;
}

void RkDropTarget::EraseGlyph() {
    if (mPointDrawn) {
        mTargetWnd->DrawNode(mLastPoint, mLastType, true);
        mPointDrawn = false;
    }
}
