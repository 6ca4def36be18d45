#pragma once

#include "core/FNodeList.h"
#include "persist/QENPref.h"
#include "ui/analysis/GraphView.h"
#include "ui/mainwindow/DragView.h"
#include "ui/mainwindow/HdrListCtrl.h"
#include "ui/mainwindow/TargetView.h"
#include "ui/widgets/StatusBar.h"

#include <QRect>
#include <QWidget>

class DesignDocument;
class ModalRunner;

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
// the palette, a status bar and the compact response view of a document, and hands
// colours, units and the sampling rate down to them; the views follow the document
// themselves. It keeps one node selected across both lists and takes the keys that
// act on it: Backspace or Delete deletes it, the arrow keys nudge it (by 0.001, 0.01
// with Shift), and typing, Enter or F2 opens its line for a new value. The status bar
// says whether the design is stable: "Unstable"; else, with an arithmetic other than
// f64, "Q15: unstable" when the design as the arithmetic stores it is not, or "Q15:
// refused" when the arithmetic cannot store it (unless it is not causal, which the part
// beside says); and while the design has a requirement, whether it meets it.
class ZPlaneDesign : public QWidget {
    Q_OBJECT
public:
    // The status bar's part that gives the verdict on the requirement.
    static constexpr int kVerdictPart = 3;

    ZPlaneDesign(ModalRunner& runner, DesignDocument& document, QWidget* parent = nullptr);

    void ChangeColours(const QENColourPref& colours);
    void ChangeUnits(int units);
    void ChangeSampleRate(int rate);
    void SetConfirm(bool confirm) { mConfirm = confirm; }
    // Puts a generated design in place of the present one (replace) or adds its nodes
    // to it, as one step to undo.
    void ApplyDesign(const FNodeList& design, bool replace);
    // Runs the standard filter dialog at the workspace's sampling rate and applies the
    // design it builds.
    void OpenStandardDesign();
    void CopyToClipboard();

    TargetView& Target() { return targetView; }
    HdrListCtrl& ZeroList() { return leftGrid; }
    HdrListCtrl& PoleList() { return rightGrid; }
    GraphView& Graph() { return graphView; }
    StatusBar& Status() { return statusView; }
    DragView& Palette() { return dragView; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ResizeUserInterface();
    void ShowStability();
    void ShowVerdict();
    // The status bar's parts: the position, then the causality, stability and (while
    // there is a requirement) verdict parts as wide as their words.
    void PlaceStatusParts();
    // Highlights line index of chosen alone and takes the keys that act on it.
    void Select(HdrListCtrl& chosen, int index);
    // The list holding the selected node, or null.
    HdrListCtrl* SelectedList();
    void Nudge(double dx, double dy);

    ModalRunner& mRunner;
    DesignDocument& mDocument;
    int mSampleRate = kDefaultSampleRate;
    TargetView targetView;
    HdrListCtrl leftGrid;
    HdrListCtrl rightGrid;
    GraphView graphView;
    StatusBar statusView;
    DragView dragView;
    bool mConfirm = true;
};
