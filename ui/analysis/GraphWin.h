#pragma once

#include "persist/QENPref.h"
#include "ui/analysis/DelayGraph.h"
#include "ui/analysis/FreqGraph.h"
#include "ui/analysis/TimeGraph.h"

#include <QMainWindow>
#include <QStackedWidget>

#include <array>
#include <map>

class DesignDocument;
class ModalRunner;
class QAction;
class QMenu;

// Graph Options > Arithmetic: Double, Float32, Q15 and Q31, in the order of the enum.
inline constexpr int kCmdArithmeticFirst = 230;
inline constexpr int kCmdArithmeticLast = 233;

// The analysis window beside the main window: the frequency graph, the group delay
// graph or one of the time graphs of a document's design, with commands to choose the
// response, the axes' scale, the phase units and the duration, to save the shown
// values and to copy a panel, and to choose the document's arithmetic, whose effect
// the frequency and group delay graphs show over the design's own response. Its title
// names the document's file. It follows every edit of the design (not the steps of a
// drag) and the colour and sampling-rate changes the main window passes on, and goes
// away when closed. While the design has a requirement, the frequency graph shades
// where the magnitude must not go and names the verdict in its legend.
class GraphWin : public QMainWindow {
    Q_OBJECT
public:
    GraphWin(ModalRunner& runner, DesignDocument& document, QWidget* parent = nullptr);

    void ShowFileName(const QString& name);
    void ChangeColours(const QENColourPref& colours);
    // Hz, for both graphs; nothing is recomputed.
    void ChangeSampleRate(int rate);
    // Every graph recomputes from the design, whichever is shown.
    void UpdateFromNodeList();

    void OnSaveValues();
    // id: kCmdCopyGraph, kCmdCopyPhase or kCmdCopyMagnitude.
    void OnEditCopy(int id);
    // id: kCmdFreqResponse ... kCmdGroupDelay. A time response of a non-causal design
    // is refused with a message, and nothing changes.
    void OnGraphChange(int id);
    // id: kCmdScaleLinear ... kCmdScaleLinearLog, for the frequency and delay graphs.
    void OnScaleChange(int id);
    // id: kCmdDegrees or kCmdRadians.
    void OnPhaseChange(int id);
    void OnUnwrappedPhase();
    void OnSetMaxTime();
    // Asks for the shown graph's axis limits.
    void OnAxisLimits();
    // Marks the shown graph's peak, or the frequency graph's half-power points.
    void OnFindPeak();
    void OnFindHalfPower();
    // Removes every graph's markers and second cursor.
    void OnClearMarkers();
    // Every graph keeps its response as it is now as a reference, or forgets it.
    void OnHoldReference();
    void OnClearReference();
    // id: kCmdArithmeticFirst ... kCmdArithmeticLast; the document's arithmetic.
    void OnArithmetic(int id);

    // The menu item of a command id, or null.
    QAction* Action(int id) const;
    // The command id of the response on show.
    int VisibleGraph() const { return mGraphVisibleID; }
    FreqGraph& Freq() { return mFreqGraph; }
    TimeGraph& Time() { return mTimeGraph; }
    DelayGraph& Delay() { return mDelayGraph; }
    // The graph on show.
    AnalysisGraph& Shown();

private:
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, int id, const QString& label, const QString& shortcut);
    void CheckOnly(std::initializer_list<int> ids, int checked);
    // Offers the commands that the graph on show has.
    void UpdateCommands();
    std::array<AnalysisGraph*, 3> Graphs();
    // Shades the requirement's mask in the frequency graph, or takes it away.
    void ShowRequirement();
    // Checks the document's arithmetic in the menu, and also shows its effect.
    void CheckArithmetic();
    void ShowArithmetic();

    ModalRunner& mRunner;
    DesignDocument& mDocument;
    int mGraphVisibleID = kCmdFreqResponse;
    QStackedWidget mGraphs;
    TimeGraph mTimeGraph;
    FreqGraph mFreqGraph;
    DelayGraph mDelayGraph;
    std::map<int, QAction*> mActions;
    bool mMaskShown = false;
};
