#pragma once

#include "core/FNodeList.h"
#include "persist/QENPref.h"
#include "ui/analysis/GraphView.h"
#include "ui/mainwindow/DesignEditor.h"
#include "ui/mainwindow/DragView.h"
#include "ui/mainwindow/HdrListCtrl.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/mainwindow/TargetView.h"

#include <QRect>
#include <QWidget>

class ModalRunner;
struct NodeUpdateMsg;

// The design: every view reads and edits it and redraws from it when told.
extern FNodeList gNodeList;
// Drag code (kDragPole ... kDragZeroPair) of the node being dragged.
extern int gDragType;
// Index of the dragged node in its list; -1 while a palette node is not yet placed.
extern int gDragIndex;

// Where the workspace puts its children in a client rectangle.
struct WorkspaceLayout {
    QRect zeroList;
    QRect poleList;
    QRect palette;
    QRect target;
    QRect statusBar;
    QRect graph;

    static WorkspaceLayout ForClient(const QRect& client);
};

// The main window's workspace: lays out the z-plane view, the zero and pole lists,
// the palette, a status bar and the compact response view, hands colours, units and
// the sampling rate down to them, and routes the node-update notification to the
// views concerned. It keeps one node selected across both lists and takes the keys
// that act on it: Backspace or Delete deletes it, the arrow keys nudge it (by 0.001,
// 0.01 with Shift), and typing, Enter or F2 opens its line for a new value.
class ZPlaneDesign : public QWidget {
    Q_OBJECT
public:
    explicit ZPlaneDesign(ModalRunner& runner, QWidget* parent = nullptr);

    // Tells each view other than the sender what to redraw.
    void OnNodeUpdate(const NodeUpdateMsg& msg);

    void ChangeColours(const QENColourPref& colours);
    void ChangeUnits(int units);
    void ChangeSampleRate(int rate);
    void SetConfirm(bool confirm) { mConfirm = confirm; }
    // Puts a generated design in place of the present one (replace) or adds its nodes
    // to it, as one step to undo.
    void ApplyDesign(const FNodeList& design, bool replace);
    void CopyToClipboard();
    bool SaveDesignToFile(const char* fileName) const;
    // Replaces the design by the file's nodes; false (design unchanged) when the file
    // cannot be read or is not a valid design.
    bool LoadDesignFromFile(const char* fileName);

    DesignEditor& Editor() { return mEditor; }
    TargetView& Target() { return targetView; }
    HdrListCtrl& ZeroList() { return leftGrid; }
    HdrListCtrl& PoleList() { return rightGrid; }
    GraphView& Graph() { return graphView; }
    StatusBar& Status() { return statusView; }
    DragView& Palette() { return dragView; }

signals:
    // Every notification a view of the workspace sends; the main window receives it.
    void nodeUpdate(const NodeUpdateMsg& msg);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ResizeUserInterface();
    // The list holding the selected node, or null.
    HdrListCtrl* SelectedList();
    void Nudge(double dx, double dy);

    // Before the views, which edit through it.
    DesignEditor mEditor;
    TargetView targetView;
    HdrListCtrl leftGrid;
    HdrListCtrl rightGrid;
    GraphView graphView;
    StatusBar statusView;
    DragView dragView;
    bool mConfirm = true;
};
