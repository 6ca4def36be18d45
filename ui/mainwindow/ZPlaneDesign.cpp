#include "ui/mainwindow/ZPlaneDesign.h"

#include "filter/Stability.h"
#include "filter/Zpk.h"
#include "resources/Artwork.h"
#include "ui/ArithmeticView.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/dialogs/RequirementPanel.h"
#include "ui/dialogs/StdFilterDlg.h"

#include <QKeyEvent>

namespace {

// The stability part of the status bar for a document.
QString StabilityText(const DesignDocument& document) {
    if (!IsStable(Zpk::FromNodeList(document.Nodes()))) {
        return QStringLiteral("Unstable");
    }
    const Arithmetic arithmetic = document.Arithmetic();
    if (arithmetic == Arithmetic::F64) {
        return QString();
    }
    // A non-causal design says so beside; another design the arithmetic cannot store
    // says that here.
    const QuantizedCascade& quantized = document.Quantized();
    const QString name = ArithmeticLabel(arithmetic) + QStringLiteral(": ");
    switch (quantized.problem) {
    case QuantizeProblem::None:
        return IsStable(quantized.roots) ? QString() : name + QStringLiteral("unstable");
    case QuantizeProblem::NonCausal:
        return QString();
    case QuantizeProblem::Unpaired:
    case QuantizeProblem::PeakNotFinite:
    case QuantizeProblem::OutOfRange:
        break;
    }
    return name + QStringLiteral("refused");
}

} // namespace

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

ZPlaneDesign::ZPlaneDesign(ModalRunner& runner, DesignDocument& document, QWidget* parent)
    : QWidget(parent), mRunner(runner), mDocument(document), targetView(runner, document, this),
      leftGrid(runner, document, this), rightGrid(runner, document, this),
      graphView(document, this), statusView(4, this), dragView(runner, this) {
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
    connect(&document, &DesignDocument::nodeChanged, this, &ZPlaneDesign::ShowStability);
    connect(&document, &DesignDocument::nodeDragged, this, &ZPlaneDesign::ShowStability);
    connect(&document, &DesignDocument::designReplaced, this, &ZPlaneDesign::ShowStability);
    connect(&document, &DesignDocument::arithmeticChanged, this, &ZPlaneDesign::ShowStability);
    connect(&document, &DesignDocument::designReplaced, this, &ZPlaneDesign::ShowVerdict);
    connect(&document, &DesignDocument::requirementChanged, this, &ZPlaneDesign::ShowVerdict);
    connect(&document, &DesignDocument::nodeChanged, this, &ZPlaneDesign::ShowVerdict);
    connect(&document, &DesignDocument::nodeDragged, this, &ZPlaneDesign::ShowVerdict);
    connect(&targetView, &TargetView::nodeSelected, this, [this](int type, int index) {
        HdrListCtrl& chosen = type == kNodePole ? rightGrid : leftGrid;
        // The press may have turned a pair to its other member.
        chosen.UpdateFromNodeList();
        Select(chosen, index);
    });
    connect(&leftGrid, &HdrListCtrl::nodeSelected, this,
            [this](int index) { Select(leftGrid, index); });
    connect(&rightGrid, &HdrListCtrl::nodeSelected, this,
            [this](int index) { Select(rightGrid, index); });
    connect(&dragView, &DragView::designRequested, this, &ZPlaneDesign::OpenStandardDesign);
    ResizeUserInterface();
}

void ZPlaneDesign::ShowStability() {
    statusView.SetText(2, StabilityText(mDocument));
    PlaceStatusParts();
}

void ZPlaneDesign::ShowVerdict() {
    const RequirementPanel::Verdict verdict = RequirementPanel::VerdictOf(mDocument, mSampleRate);
    statusView.SetText(kVerdictPart, verdict.text);
    statusView.SetTextColour(kVerdictPart, verdict.colour);
    PlaceStatusParts();
}

void ZPlaneDesign::Select(HdrListCtrl& chosen, int index) {
    (&chosen == &rightGrid ? leftGrid : rightGrid).UnHighlight();
    chosen.HighlightNode(index, true);
    // The keys that act on the selected node come here.
    setFocus();
    activateWindow();
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
    mSampleRate = rate;
    graphView.SetSampleRate(rate);
    ShowVerdict();
}

void ZPlaneDesign::OpenStandardDesign() {
    StdFilterDlg dialog(mRunner, mSampleRate, this);
    if (mRunner.Exec(dialog)) {
        ApplyDesign(dialog.Generated(), dialog.ReplacesDesign());
        mRunner.Message(this, AppCaption(), QStringLiteral("Wahoo!"),
                        ModalRunner::Icon::Information);
    }
}

void ZPlaneDesign::ApplyDesign(const FNodeList& design, bool replace) {
    const QString text = QStringLiteral("Standard Design");
    if (replace) {
        mDocument.ReplaceDesign(design, text);
    } else {
        mDocument.AppendDesign(design, text);
    }
}

void ZPlaneDesign::CopyToClipboard() {
    CopyWndToClipboard(&targetView, QRect());
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
    FNode node = mDocument.Nodes().GetNodeByIndex(type, static_cast<short>(index));
    node.SetValue(FComplex(node.Value().r + dx, node.Value().i + dy));
    mDocument.Change(type, index, node, QStringLiteral("Move ") + NodeTypeName(type));
}

void ZPlaneDesign::ResizeUserInterface() {
    const WorkspaceLayout layout = WorkspaceLayout::ForClient(rect());
    leftGrid.setGeometry(layout.zeroList);
    rightGrid.setGeometry(layout.poleList);
    dragView.setGeometry(layout.palette);
    targetView.setGeometry(layout.target);
    statusView.setGeometry(layout.statusBar);
    PlaceStatusParts();
    graphView.setGeometry(layout.graph);
    update();
}

void ZPlaneDesign::PlaceStatusParts() {
    // The stability part takes room only when it has something to say.
    const QString stability = statusView.Text(2);
    const int stable = stability.isEmpty() ? 0 : statusView.PartWidthFor(stability);
    const int causal = statusView.PartWidthFor(QStringLiteral("Non-Causal"));
    // Wide enough for the verdicts there usually are, whatever the margin, so that the
    // parts stay put during a drag.
    const int verdict = mDocument.Requirement()
                            ? statusView.PartWidthFor(QStringLiteral("Passband short by 88.8 dB"))
                            : 0;
    const int width = statusView.width();
    statusView.SetPartEdges(
        {width - causal - stable - verdict, width - stable - verdict, width - verdict});
}
