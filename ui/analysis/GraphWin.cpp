#include "ui/analysis/GraphWin.h"

#include "resources/Artwork.h"
#include "ui/ArithmeticView.h"
#include "ui/DesignDocument.h"
#include "ui/ModalRunner.h"
#include "ui/analysis/AxisLimitsDialog.h"
#include "ui/analysis/MaxTimeDialog.h"
#include "ui/analysis/RequirementMask.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <numbers>

namespace {

constexpr std::initializer_list<int> kGraphIds = {
    kCmdFreqResponse, kCmdGroupDelay, kCmdImpulseResponse, kCmdStepResponse, kCmdRampResponse};
constexpr std::initializer_list<int> kPhaseIds = {kCmdDegrees, kCmdRadians};
constexpr std::initializer_list<int> kScaleIds = {kCmdScaleLinear, kCmdScaleLogLog,
                                                  kCmdScaleLogLinear, kCmdScaleLinearLog};

} // namespace

GraphWin::GraphWin(ModalRunner& runner, DesignDocument& document, QWidget* parent)
    : QMainWindow(parent, Qt::Window), mRunner(runner), mDocument(document) {
    setAttribute(Qt::WA_DeleteOnClose);
    ShowFileName(document.FileName());
    setWindowIcon(ProgramIcon());
    setMinimumSize(300, 200);
    // Within the screen, also where it is scaled up.
    QSize size(640, 480);
    if (const QScreen* screen = this->screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    resize(size.expandedTo(minimumSize()));
    mFreqGraph.setWindowTitle(QStringLiteral("Frequency"));
    mTimeGraph.setWindowTitle(QStringLiteral("Time"));
    mDelayGraph.setWindowTitle(QStringLiteral("Group Delay"));
    mGraphs.addWidget(&mFreqGraph);
    mGraphs.addWidget(&mTimeGraph);
    mGraphs.addWidget(&mDelayGraph);
    setCentralWidget(&mGraphs);
    BuildMenus();
    CheckOnly(kGraphIds, kCmdFreqResponse);
    CheckOnly(kPhaseIds, kCmdDegrees);
    CheckOnly(kScaleIds, kCmdScaleLinear);
    CheckArithmetic();
    UpdateCommands();
    // The cursor keys go to the graph on show.
    mFreqGraph.setFocus();
    connect(&document, &DesignDocument::nodeChanged, this, &GraphWin::UpdateFromNodeList);
    connect(&document, &DesignDocument::designReplaced, this, &GraphWin::UpdateFromNodeList);
    connect(&document, &DesignDocument::fileNameChanged, this, &GraphWin::ShowFileName);
    connect(&document, &DesignDocument::requirementChanged, this, &GraphWin::ShowRequirement);
    connect(&document, &DesignDocument::arithmeticChanged, this, &GraphWin::ShowArithmetic);
}

void GraphWin::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, kCmdSaveValues, QStringLiteral("&Save Values"), QStringLiteral("Ctrl+S"));
    file->addSeparator();
    AddCommand(file, kCmdCloseWin, QStringLiteral("&Close"), QStringLiteral("Ctrl+W"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, kCmdCopyGraph, QStringLiteral("&Copy Graph"), QStringLiteral("Ctrl+C"));
    edit->addSeparator();
    AddCommand(edit, kCmdCopyPhase, QStringLiteral("&Copy Phase"), QStringLiteral("Ctrl+P"));
    AddCommand(edit, kCmdCopyMagnitude, QStringLiteral("&Copy Magnitude"),
               QStringLiteral("Ctrl+M"));

    QMenu* graph = menuBar()->addMenu(QStringLiteral("&Graph"));
    AddCommand(graph, kCmdFreqResponse, QStringLiteral("&Frequency Response"),
               QStringLiteral("Ctrl+F"));
    AddCommand(graph, kCmdGroupDelay, QStringLiteral("&Group Delay"), QStringLiteral("Ctrl+Y"));
    graph->addSeparator();
    AddCommand(graph, kCmdImpulseResponse, QStringLiteral("&Impulse Response"),
               QStringLiteral("Ctrl+I"));
    AddCommand(graph, kCmdStepResponse, QStringLiteral("&Step Response"), QStringLiteral("Ctrl+T"));
    AddCommand(graph, kCmdRampResponse, QStringLiteral("&Ramp Response"), QStringLiteral("Ctrl+R"));

    QMenu* options = menuBar()->addMenu(QStringLiteral("Graph &Options"));
    QMenu* scale = options->addMenu(QStringLiteral("Scale"));
    AddCommand(scale, kCmdScaleLinear, QStringLiteral("Linear"), QString());
    AddCommand(scale, kCmdScaleLogLog, QStringLiteral("Log Log"), QString());
    AddCommand(scale, kCmdScaleLogLinear, QStringLiteral("Log Linear"), QString());
    AddCommand(scale, kCmdScaleLinearLog, QStringLiteral("Linear Log"), QString());
    QMenu* units = options->addMenu(QStringLiteral("Phase Units"));
    AddCommand(units, kCmdDegrees, QStringLiteral("Degrees"), QString());
    AddCommand(units, kCmdRadians, QStringLiteral("Radians"), QString());
    AddCommand(options, kCmdUnwrappedPhase, QStringLiteral("&Unwrapped Phase"), QString());
    options->addSeparator();
    AddCommand(options, kCmdAxisLimits, QStringLiteral("&Axis Limits ..."), QString());
    options->addSeparator();
    AddCommand(options, kCmdFindPeak, QStringLiteral("Find &Peak"), QString());
    AddCommand(options, kCmdFindHalfPower, QStringLiteral("Find -&3 dB"), QString());
    AddCommand(options, kCmdClearMarkers, QStringLiteral("C&lear Markers"), QString());
    options->addSeparator();
    AddCommand(options, kCmdHoldReference, QStringLiteral("&Hold Reference"), QString());
    AddCommand(options, kCmdClearReference, QStringLiteral("Clear &Reference"), QString());
    options->addSeparator();
    AddCommand(options, kCmdSetMaxTime, QStringLiteral("Set Max Time"), QString());
    options->addSeparator();
    QMenu* arithmetic = options->addMenu(QStringLiteral("Ari&thmetic"));
    for (int id = kCmdArithmeticFirst; id <= kCmdArithmeticLast; ++id) {
        AddCommand(arithmetic, id, ArithmeticLabels().at(id - kCmdArithmeticFirst), QString());
        mActions.at(id)->setCheckable(true);
        connect(mActions.at(id), &QAction::triggered, this, [this, id] { OnArithmetic(id); });
    }

    for (const int id : kGraphIds) {
        mActions.at(id)->setCheckable(true);
    }
    for (const int id : kPhaseIds) {
        mActions.at(id)->setCheckable(true);
    }
    for (const int id : kScaleIds) {
        mActions.at(id)->setCheckable(true);
        connect(mActions.at(id), &QAction::triggered, this, [this, id] { OnScaleChange(id); });
    }

    connect(mActions.at(kCmdCloseWin), &QAction::triggered, this, &QWidget::close);
    mActions.at(kCmdUnwrappedPhase)->setCheckable(true);
    const std::pair<int, void (GraphWin::*)()> commands[] = {
        {kCmdSaveValues, &GraphWin::OnSaveValues},
        {kCmdSetMaxTime, &GraphWin::OnSetMaxTime},
        {kCmdUnwrappedPhase, &GraphWin::OnUnwrappedPhase},
        {kCmdAxisLimits, &GraphWin::OnAxisLimits},
        {kCmdFindPeak, &GraphWin::OnFindPeak},
        {kCmdFindHalfPower, &GraphWin::OnFindHalfPower},
        {kCmdClearMarkers, &GraphWin::OnClearMarkers},
        {kCmdHoldReference, &GraphWin::OnHoldReference},
        {kCmdClearReference, &GraphWin::OnClearReference}};
    for (const auto& [id, handler] : commands) {
        connect(mActions.at(id), &QAction::triggered, this, handler);
    }
    for (const int id : {kCmdCopyGraph, kCmdCopyPhase, kCmdCopyMagnitude}) {
        connect(mActions.at(id), &QAction::triggered, this, [this, id] { OnEditCopy(id); });
    }
    for (const int id : kGraphIds) {
        connect(mActions.at(id), &QAction::triggered, this, [this, id] { OnGraphChange(id); });
    }
    for (const int id : kPhaseIds) {
        connect(mActions.at(id), &QAction::triggered, this, [this, id] { OnPhaseChange(id); });
    }
}

QAction* GraphWin::AddCommand(QMenu* menu, int id, const QString& label, const QString& shortcut) {
    // The shortcut text after the tab is what the menu shows; Qt adds none of its own.
    QAction* action = menu->addAction(shortcut.isEmpty() ? label : label + '\t' + shortcut);
    action->setShortcut(QKeySequence(shortcut));
    mActions[id] = action;
    return action;
}

QAction* GraphWin::Action(int id) const {
    const auto found = mActions.find(id);
    return found != mActions.end() ? found->second : nullptr;
}

void GraphWin::CheckOnly(std::initializer_list<int> ids, int checked) {
    for (const int id : ids) {
        mActions.at(id)->setChecked(id == checked);
    }
}

std::array<AnalysisGraph*, 3> GraphWin::Graphs() {
    return {&mFreqGraph, &mTimeGraph, &mDelayGraph};
}

void GraphWin::ShowFileName(const QString& name) {
    setWindowTitle(QStringLiteral("WinQEN Graph  ") + name);
}

void GraphWin::ChangeColours(const QENColourPref& colours) {
    for (AnalysisGraph* graph : Graphs()) {
        graph->SetBkColour(colours.clrBack);
        graph->SetGridColour(colours.clrGrid);
        graph->SetTraceColour(colours.clrTrace);
    }
}

void GraphWin::ChangeSampleRate(int rate) {
    for (AnalysisGraph* graph : Graphs()) {
        graph->SetSampleRate(rate);
    }
    ShowRequirement();
}

void GraphWin::UpdateFromNodeList() {
    mTimeGraph.UpdateFromNodeList();
    mFreqGraph.UpdateFromNodeList();
    mDelayGraph.UpdateFromNodeList();
    ShowArithmetic();
    ShowRequirement();
}

void GraphWin::OnArithmetic(int id) {
    // The document tells the windows of a new arithmetic; choosing the one checked
    // already has only taken its mark away.
    mDocument.SetArithmetic(static_cast<Arithmetic>(id - kCmdArithmeticFirst));
    CheckArithmetic();
}

void GraphWin::CheckArithmetic() {
    const int checked = kCmdArithmeticFirst + static_cast<int>(mDocument.Arithmetic());
    for (int id = kCmdArithmeticFirst; id <= kCmdArithmeticLast; ++id) {
        mActions.at(id)->setChecked(id == checked);
    }
}

void GraphWin::ShowArithmetic() {
    CheckArithmetic();
    // Double shows nothing, which needs no sections worked out.
    const QuantizedCascade exact;
    const QuantizedCascade& quantized =
        mDocument.Arithmetic() == Arithmetic::F64 ? exact : mDocument.Quantized();
    mFreqGraph.ShowQuantized(quantized);
    mDelayGraph.ShowQuantized(quantized);
}

void GraphWin::ShowRequirement() {
    const QString key = QStringLiteral("requirement");
    const int rate = mFreqGraph.SampleRate();
    const RequirementResult* check = mDocument.RequirementCheck(rate);
    if (check == nullptr) {
        if (mMaskShown) {
            mFreqGraph.RemoveRegions(key);
            mMaskShown = false;
        }
        return;
    }
    // The graph divides |H| by the design's peak over the whole band, the requirement
    // measures from the passband's.
    const double scaleDb = mFreqGraph.Peak().Log() * (20.0 / std::numbers::ln10);
    mFreqGraph.SetRegions(key, QString::fromStdString(check->Verdict()), RequirementMaskColour(), 0,
                          RequirementMask(*mDocument.Requirement(), rate, check->peakDb, scaleDb));
    mMaskShown = true;
}

void GraphWin::OnGraphChange(int id) {
    if (id == kCmdFreqResponse) {
        mGraphs.setCurrentWidget(&mFreqGraph);
    } else if (id == kCmdGroupDelay) {
        mGraphs.setCurrentWidget(&mDelayGraph);
    } else if (!mDocument.Nodes().Causal()) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("Can't show time response of non-causal IIR filter"),
                        ModalRunner::Icon::Information);
        // Choosing the item has toggled its mark; the marks stay as they were.
        CheckOnly(kGraphIds, mGraphVisibleID);
        return;
    } else {
        mTimeGraph.SetPlotType(id);
        mGraphs.setCurrentWidget(&mTimeGraph);
    }
    mGraphs.currentWidget()->setFocus();
    CheckOnly(kGraphIds, id);
    mGraphVisibleID = id;
    UpdateCommands();
}

AnalysisGraph& GraphWin::Shown() {
    return *static_cast<AnalysisGraph*>(mGraphs.currentWidget());
}

void GraphWin::UpdateCommands() {
    mActions.at(kCmdFindHalfPower)->setEnabled(mGraphVisibleID == kCmdFreqResponse);
    mActions.at(kCmdClearReference)
        ->setEnabled(mFreqGraph.HasTrace(QString::fromLatin1(AnalysisGraph::kReferenceKey)));
}

void GraphWin::OnUnwrappedPhase() {
    mFreqGraph.SetUnwrapped(mActions.at(kCmdUnwrappedPhase)->isChecked());
}

void GraphWin::OnAxisLimits() {
    AnalysisGraph& graph = Shown();
    AxisLimitsDialog dialog(graph.Axes(), this);
    if (mRunner.Exec(dialog)) {
        graph.SetAxes(dialog.Ranges());
    }
}

void GraphWin::OnFindPeak() {
    Shown().FindPeak();
}

void GraphWin::OnFindHalfPower() {
    mFreqGraph.FindHalfPower();
}

void GraphWin::OnClearMarkers() {
    for (AnalysisGraph* graph : Graphs()) {
        graph->ClearMarkers();
    }
}

void GraphWin::OnHoldReference() {
    for (AnalysisGraph* graph : Graphs()) {
        graph->HoldReference();
    }
    UpdateCommands();
}

void GraphWin::OnClearReference() {
    for (AnalysisGraph* graph : Graphs()) {
        graph->ClearReference();
    }
    UpdateCommands();
}

void GraphWin::OnPhaseChange(int id) {
    CheckOnly(kPhaseIds, id);
    mFreqGraph.SetPhaseUnits(id);
}

void GraphWin::OnScaleChange(int id) {
    CheckOnly(kScaleIds, id);
    mFreqGraph.SetScale(id);
    mDelayGraph.SetScale(id);
}

void GraphWin::OnSetMaxTime() {
    MaxTimeDialog dialog(mRunner, static_cast<float>(mTimeGraph.Duration()),
                         mTimeGraph.SampleRate(), this);
    if (!mRunner.Exec(dialog)) {
        return;
    }
    mTimeGraph.SetDuration(dialog.Time());
    mTimeGraph.UpdateFromNodeList();
}

void GraphWin::OnSaveValues() {
    const QString path = mRunner.SaveFileName(
        this, FileDialogRequest{QStringLiteral("PZD Points Files (*.pts);;All Files (*)"),
                                QStringLiteral("pts"), QStringLiteral("pzdplot")});
    if (path.isEmpty()) {
        return;
    }
    const QByteArray name = QFile::encodeName(path);
    const bool written = mGraphVisibleID == kCmdFreqResponse ? mFreqGraph.PrintToFile(name)
                         : mGraphVisibleID == kCmdGroupDelay ? mDelayGraph.PrintToFile(name)
                                                             : mTimeGraph.PrintToFile(name);
    if (!written) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't open file to save to"),
                        ModalRunner::Icon::Information);
    }
}

void GraphWin::OnEditCopy(int id) {
    if (mGraphVisibleID == kCmdFreqResponse) {
        mFreqGraph.CopyToClipboard(id);
    } else if (mGraphVisibleID == kCmdGroupDelay) {
        mDelayGraph.CopyToClipboard();
    } else {
        mTimeGraph.CopyToClipboard();
    }
}
