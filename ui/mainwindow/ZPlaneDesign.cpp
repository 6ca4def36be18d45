#include "ui/mainwindow/ZPlaneDesign.h"
#include "filter/Zpk.h"

#include "filter/Stability.h"
#include "persist/CDesignPersistence.h"
#include "resources/Artwork.h"
#include "ui/Drawing.h"
#include "ui/mainwindow/NodeUpdateMsg.h"

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
    : QWidget(parent), targetView(runner, mEditor, this), leftGrid(runner, mEditor, this),
      rightGrid(runner, mEditor, this), graphView(this), statusView(3, this),
      dragView(runner, this) {
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
    connect(&mEditor, &DesignEditor::nodeUpdate, this, &ZPlaneDesign::nodeUpdate);
    connect(&targetView, &TargetView::nodeUpdate, this, &ZPlaneDesign::nodeUpdate);
    connect(&leftGrid, &HdrListCtrl::nodeUpdate, this, &ZPlaneDesign::nodeUpdate);
    connect(&rightGrid, &HdrListCtrl::nodeUpdate, this, &ZPlaneDesign::nodeUpdate);
    connect(&dragView, &DragView::designGenerated, this, &ZPlaneDesign::ApplyDesign);
    ResizeUserInterface();
}

void ZPlaneDesign::OnNodeUpdate(const NodeUpdateMsg& msg) {
    statusView.SetText(2, IsStable(Zpk::FromNodeList(gNodeList)) ? QString()
                                                                 : QStringLiteral("Unstable"));
    const bool changed = (msg.what & kUpdateChanged) != 0;
    const bool added = (msg.what & kUpdateAdded) != 0;
    const bool removed = (msg.what & kUpdateRemoved) != 0;
    if (changed || added || removed || (msg.what & kUpdateLiveDrag) != 0) {
        targetView.ShowCausality();
    }
    if ((msg.what & kUpdateLiveDrag) != 0) {
        graphView.UpdateFromNodeList();
        return;
    }
    if ((msg.what & kUpdateSelect) != 0) {
        HdrListCtrl& chosen = (msg.what & kUpdatePoles) != 0 ? rightGrid : leftGrid;
        HdrListCtrl& other = &chosen == &rightGrid ? leftGrid : rightGrid;
        other.UnHighlight();
        // A press on the plane may have turned a pair to its other member.
        if (msg.who != &chosen) {
            chosen.UpdateFromNodeList();
        }
        chosen.HighlightNode(msg.index, true);
        // The keys that act on the selected node come here.
        setFocus();
        activateWindow();
    }
    if (added || removed) {
        // Lines have moved: no highlight may point at another node than the one chosen.
        leftGrid.UnHighlight();
        rightGrid.UnHighlight();
    }
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

void ZPlaneDesign::ApplyDesign(const FNodeList& design, bool replace) {
    const QString text = QStringLiteral("Standard Design");
    if (replace) {
        mEditor.ReplaceDesign(design, text);
    } else {
        mEditor.AppendDesign(design, text);
    }
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
    const double step = (event->modifiers() & Qt::ShiftModifier) != 0 ? 0.01 : 0.001;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        leftGrid.DeleteHighlighted(mConfirm);
        rightGrid.DeleteHighlighted(mConfirm);
        return;
    case Qt::Key_Left:
        return Nudge(-step, 0);
    case Qt::Key_Right:
        return Nudge(step, 0);
    case Qt::Key_Up:
        return Nudge(0, step);
    case Qt::Key_Down:
        return Nudge(0, -step);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (HdrListCtrl* list = SelectedList()) {
            list->EditHighlighted(QString());
        }
        return;
    default:
        break;
    }
    // Typing a value starts editing the selected node's line with what was typed.
    const QString typed = event->text();
    HdrListCtrl* list = SelectedList();
    if (list != nullptr && !typed.isEmpty() && typed.front().isPrint() &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        list->EditHighlighted(typed);
        return;
    }
    QWidget::keyPressEvent(event);
}

HdrListCtrl* ZPlaneDesign::SelectedList() {
    if (leftGrid.HighlightIndex() >= 0) {
        return &leftGrid;
    }
    return rightGrid.HighlightIndex() >= 0 ? &rightGrid : nullptr;
}

void ZPlaneDesign::Nudge(double dx, double dy) {
    HdrListCtrl* list = SelectedList();
    if (list == nullptr) {
        return;
    }
    const int type = list->Type();
    const int index = list->HighlightIndex();
    FNode node = gNodeList.GetNodeByIndex(type, static_cast<short>(index));
    node.SetValue(FComplex(node.Value().r + dx, node.Value().i + dy));
    mEditor.Change(type, index, node, QStringLiteral("Move ") + DesignEditor::TypeName(type));
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
