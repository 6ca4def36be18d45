#include "ui/ZPlaneDesign.h"

#include "analysis/Stability.h"
#include "persist/CDesignPersistence.h"
#include "resources/Artwork.h"
#include "ui/Drawing.h"
#include "ui/NodeUpdateMsg.h"

#include <QKeyEvent>

FNodeList gNodeList;
int gDragType = 0;
int gDragIndex = 0;

WorkspaceLayout WorkspaceLayout::ForClient(const QRect& client) {
    // Edges as the layout is stated: right and bottom exclusive.
    const int l = client.left();
    const int t = client.top();
    const int r = client.left() + client.width();
    const int b = client.top() + client.height();
    const auto box = [](int left, int top, int right, int bottom) {
        return QRect(left, top, right - left, bottom - top);
    };
    WorkspaceLayout layout;
    layout.zeroList = box(l, t, l + 150, b - 122);
    layout.poleList = box(r - 151, t, r - 1, b - 122);
    layout.palette = box(l + 150, t, r - 151, t + 20);
    layout.target = box(l + 150, t + 21, r - 151, b - 122);
    layout.statusBar = box(l + 150, b - 122, r - 151, b - 102);
    layout.graph = box(l, b - 100, r, b);
    return layout;
}

ZPlaneDesign::ZPlaneDesign(ModalRunner& runner, QWidget* parent)
    : QWidget(parent), targetView(runner, this), leftGrid(runner, this), rightGrid(runner, this),
      graphView(this), statusView(3, this), dragView(runner, this) {
    setObjectName(QStringLiteral("ZPlaneDesign"));
    setFocusPolicy(Qt::ClickFocus);
    targetView.setObjectName(QStringLiteral("Target View"));
    leftGrid.setObjectName(QStringLiteral("LeftGrid"));
    rightGrid.setObjectName(QStringLiteral("RightGrid"));
    graphView.setObjectName(QStringLiteral("FrequencyGraph"));
    dragView.setObjectName(QStringLiteral("DragZone"));
    leftGrid.SetBitmapResID(kNodeZero, kBitmapZero, kBitmapZeroPair);
    rightGrid.SetBitmapResID(kNodePole, kBitmapPole, kBitmapPolePair);
    targetView.SetStatusBar(&statusView);
    statusView.SetTextColour(2, Qt::red);
    connect(&targetView, &TargetView::nodeUpdate, this, &ZPlaneDesign::nodeUpdate);
    connect(&leftGrid, &HdrListCtrl::nodeUpdate, this, &ZPlaneDesign::nodeUpdate);
    connect(&rightGrid, &HdrListCtrl::nodeUpdate, this, &ZPlaneDesign::nodeUpdate);
    ResizeUserInterface();
}

void ZPlaneDesign::OnNodeUpdate(const NodeUpdateMsg& msg) {
    statusView.SetText(2, IsStable(gNodeList) ? QString() : QStringLiteral("Unstable"));
    if ((msg.what & kUpdateLiveDrag) != 0) {
        graphView.UpdateFromNodeList();
        return;
    }
    if ((msg.what & kUpdateSelect) != 0) {
        if ((msg.what & kUpdatePoles) != 0) {
            leftGrid.UnHighlight();
            rightGrid.HighlightNode(msg.index, false);
        } else {
            rightGrid.UnHighlight();
            leftGrid.HighlightNode(msg.index, false);
        }
        // The deletion keys come here.
        setFocus();
        activateWindow();
    }
    const bool changed = (msg.what & kUpdateChanged) != 0;
    const bool added = (msg.what & kUpdateAdded) != 0;
    const bool removed = (msg.what & kUpdateRemoved) != 0;
    if (changed || added || removed) {
        if (msg.who != &leftGrid && (msg.what & kUpdateZeros) != 0) {
            leftGrid.UpdateFromNodeList();
        }
        if (msg.who != &rightGrid && (msg.what & kUpdatePoles) != 0) {
            rightGrid.UpdateFromNodeList();
        }
        // An added node has been drawn by its sender already.
        if (changed || (removed && msg.who != &targetView)) {
            targetView.UpdateFromNodeList();
        }
        graphView.UpdateFromNodeList();
    }
}

void ZPlaneDesign::ChangeColours(const QENColourPref& colours) {
    targetView.SetBkColour(colours.clrBack);
    targetView.SetGridColour(colours.clrGrid);
    targetView.SetPoleColour(colours.clrPole);
    targetView.SetZeroColour(colours.clrZero);
    graphView.SetBkColour(colours.clrBack);
    graphView.SetGridColour(colours.clrGrid);
    graphView.SetTraceColour(colours.clrTrace);
    update();
}

void ZPlaneDesign::ChangeUnits(int units) {
    targetView.SetUnits(units);
    leftGrid.SetUnits(units);
    leftGrid.UpdateFromNodeList();
    rightGrid.SetUnits(units);
    rightGrid.UpdateFromNodeList();
}

void ZPlaneDesign::ChangeSampleRate(int rate) {
    graphView.SetSampleRate(rate);
}

void ZPlaneDesign::Reset() {
    gNodeList.Clear(kNodeBoth);
}

void ZPlaneDesign::CopyToClipboard() {
    CopyWndToClipboard(&targetView, QRect());
}

bool ZPlaneDesign::SaveDesignToFile(const char* fileName) const {
    return CDesignPersistence::SaveNodeListToFile(fileName, &gNodeList);
}

bool ZPlaneDesign::LoadDesignFromFile(const char* fileName) {
    // Read aside, so that a file that fails half way leaves the design as it was.
    FNodeList loaded;
    if (!CDesignPersistence::LoadNodeListFromFile(fileName, &loaded)) {
        return false;
    }
    gNodeList = loaded;
    return true;
}

void ZPlaneDesign::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeUserInterface();
}

void ZPlaneDesign::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        leftGrid.DeleteHighlighted(mConfirm);
        rightGrid.DeleteHighlighted(mConfirm);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ZPlaneDesign::ResizeUserInterface() {
    const WorkspaceLayout layout = WorkspaceLayout::ForClient(rect());
    leftGrid.setGeometry(layout.zeroList);
    rightGrid.setGeometry(layout.poleList);
    dragView.setGeometry(layout.palette);
    targetView.setGeometry(layout.target);
    statusView.setGeometry(layout.statusBar);
    // The position, then the causality and stability parts as wide as their words.
    const int stable = statusView.PartWidthFor(QStringLiteral("Unstable"));
    const int causal = statusView.PartWidthFor(QStringLiteral("Non-Causal"));
    const int width = layout.statusBar.width();
    statusView.SetPartEdges({width - causal - stable, width - stable});
    graphView.setGeometry(layout.graph);
    update();
}
