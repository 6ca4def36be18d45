#pragma once

#include "arith/QuantizedCascade.h"
#include "filter/SampleRate.h"
#include "filter/Zpk.h"
#include "plot/AxisRange.h"
#include "plot/AxisScale.h"
#include "ui/widgets/StatusBar.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QPainter;

// Commands of the analysis window; the graphs take some of them as arguments.
inline constexpr int kCmdCopyGraph = 144;
inline constexpr int kCmdCopyPhase = 145;
inline constexpr int kCmdCopyMagnitude = 146;
inline constexpr int kCmdSaveValues = 201;
inline constexpr int kCmdCloseWin = 202;
inline constexpr int kCmdSetMaxTime = 203;
inline constexpr int kCmdDegrees = 204;
inline constexpr int kCmdFreqResponse = 205;
inline constexpr int kCmdImpulseResponse = 206;
inline constexpr int kCmdStepResponse = 207;
inline constexpr int kCmdRampResponse = 208;
inline constexpr int kCmdRadians = 209;
inline constexpr int kCmdGroupDelay = 210;
inline constexpr int kCmdUnwrappedPhase = 211;
inline constexpr int kCmdAxisLimits = 212;
inline constexpr int kCmdFindPeak = 213;
inline constexpr int kCmdFindHalfPower = 214;
inline constexpr int kCmdClearMarkers = 215;
inline constexpr int kCmdHoldReference = 216;
inline constexpr int kCmdClearReference = 217;
// The Scale items: the first word names the magnitude axis, the second the frequency
// axis.
inline constexpr int kCmdScaleLinear = 1;
inline constexpr int kCmdScaleLogLog = 2;
inline constexpr int kCmdScaleLogLinear = 3;
inline constexpr int kCmdScaleLinearLog = 4;

inline bool DecibelScale(int scale) {
    return scale == kCmdScaleLogLog || scale == kCmdScaleLogLinear;
}
inline bool LogFrequencyScale(int scale) {
    return scale == kCmdScaleLogLog || scale == kCmdScaleLinearLog;
}

// A value along an axis and the text that names it.
struct AxisTick {
    double value;
    QString label;
};

// A trace a graph draws besides the design's own: a held reference, a quantised
// response, ... Horizontal values (x) are in the graph's units: Hz for the frequency and
// group delay graphs, sample numbers for the time graphs.
struct GraphTrace {
    // Named in the legend, with the trace's value at the cursor beside it.
    QString label;
    QColor colour;
    // Per panel, top first: the value at x in the panel's own terms, which the panel
    // maps through its Scale: |H| divided by the peak (1 at the top of a linear
    // magnitude axis, 0 dB), the phase in radians as one continuous function, the delay
    // in samples, a time response's sample. NaN leaves a gap. A panel without a
    // function (or with an empty one) shows nothing of the trace.
    std::vector<std::function<double(double x)>> panels;
    // Drawn under the design's own trace (a reference) rather than over it.
    bool under = false;
};

// A shaded rectangle of a panel, in the terms of GraphTrace: x in the graph's units, y in
// the panel's own values; infinite ends reach the panel's edges.
struct ShadedRegion {
    double xLow;
    double xHigh;
    double yLow;
    double yHigh;
};

// A point a graph marks, with a name ("Peak") its label starts with; the label then
// gives the point's x and value in the graph's current terms.
struct GraphMarker {
    int panel;
    double x;
    double value;
    QString name;
};

// What the analysis window's graphs share: a picture drawn off screen at the screen's
// pixel density; a view of each axis that zooms and pans (a dragged rectangle, the
// wheel over an axis, Shift+wheel; a double click or Home shows everything) with ticks
// and grid lines that follow it; a cursor kept in the graph's own units across every
// change, moved by a click, by dragging its line, or by the Left and Right keys, and
// read out in a four-part status bar; a second cursor (Shift+click) whose difference
// from the first is written beside it; markers; and traces and shaded regions of other
// responses drawn with the design's own, each named in a legend.
class AnalysisGraph : public QWidget {
    Q_OBJECT
public:
    void SetBkColour(uint32_t colour);
    void SetGridColour(uint32_t colour);
    void SetTraceColour(uint32_t colour);
    // Hz. Changes the labels and the read-out; the response is not recomputed.
    void SetSampleRate(::SampleRate rate);
    ::SampleRate SampleRate() const { return mSampleRate; }

    // The cursor in the graph's horizontal units; 0 until it is first placed.
    double Cursor() const { return mCursor; }
    void SetCursor(double x);
    // The second cursor, none until Shift+click places one.
    std::optional<double> SecondCursor() const { return mSecondCursor; }
    void SetSecondCursor(std::optional<double> x);
    // x of the cursor line in client pixels, -1 when it lies outside the view.
    int CursorX() const;

    // What the horizontal axis shows; SetXRange keeps it inside everything there is.
    AxisRange XRange() const;
    void SetXRange(const AxisRange& range);
    // What a panel's vertical axis shows, in the axis's terms (dB on a dB axis); until it
    // is set, everything there is.
    AxisRange YRange(int panel) const;
    void SetYRange(int panel, const AxisRange& range);
    // Everything there is, on every axis.
    void ResetView();
    // The horizontal axis and each panel's vertical one, named for the axis limits
    // dialog, with what they show now.
    struct Axis {
        QString name;
        AxisRange range;
        // What a value is multiplied by to show it in the unit the name gives (degrees for
        // a phase kept in radians).
        double factor = 1.0;
    };
    std::vector<Axis> Axes() const;
    // New ranges for the axes in the order of Axes().
    void SetAxes(const std::vector<AxisRange>& ranges);

    // Adds the trace under key, or replaces the one there.
    void SetTrace(const QString& key, GraphTrace trace);
    void RemoveTrace(const QString& key);
    // Shaded regions of a panel under key, named in the legend and filled with colour
    // (give it an alpha to let the grid show through); replaces those under key.
    void SetRegions(const QString& key, const QString& label, const QColor& colour, int panel,
                    std::vector<ShadedRegion> regions);
    void RemoveRegions(const QString& key);

    // The held reference: the response as it is now, in grey under the design's own,
    // until cleared. The key of its trace.
    static constexpr const char* kReferenceKey = "reference";
    virtual void HoldReference() = 0;
    void ClearReference() { RemoveTrace(QString::fromLatin1(kReferenceKey)); }
    bool HasTrace(const QString& key) const { return mTraces.count(key) != 0; }

    // The design as an arithmetic stores it (DesignDocument::Quantized), under this key:
    // a graph with QuantizedPanels draws its response over the design's own in
    // QuantizedColour, named in the legend by the arithmetic; a design the arithmetic
    // refuses is named there with the reason. f64 shows nothing.
    static constexpr const char* kQuantizedKey = "quantized";
    void ShowQuantized(const QuantizedCascade& quantized);

    // Marks the largest value of the response, and keeps it marked as the design changes.
    virtual void FindPeak() = 0;
    // Marks where the magnitude is half the peak's power; false for a graph without a
    // magnitude.
    virtual bool FindHalfPower() { return false; }
    // Removes the markers and the second cursor.
    virtual void ClearMarkers();
    const std::vector<GraphMarker>& Markers() const { return mMarkers; }

    const QImage& Picture() const { return mCanvas; }
    const StatusBar& Status() const { return mStatus; }
    // The legend's lines as drawn, label and value at the cursor; empty without overlays.
    QStringList LegendTexts() const;
    // The difference between the cursors as written beside the second; empty without one.
    QString DeltaText() const;

    // The horizontal axis of a plot area for a range.
    static AxisScale XScale(const QRect& area, const AxisRange& range);
    // The vertical axis of a plot area for a range, growing upwards.
    static AxisScale YScale(const QRect& area, const AxisRange& range);
    // Frequencies in Hz at a sampling rate: linear from 0, or logarithmic over the three
    // decades below half the rate.
    static AxisRange FrequencyRange(int sampleRate, bool log);
    // The frequency axis's ticks for a plot area width, labelled in kHz from 1 kHz up,
    // else in Hz; the axis's high end is labelled too, and the last label names the unit.
    static std::vector<AxisTick> FrequencyTicks(const AxisScale& axis, int width);
    // Where a value lies along an axis, truncated toward the axis's origin (0, or its
    // low end where 0 lies outside it) to a whole device pixel, of which there are ratio
    // to a client pixel; infinities go far off, and a value that is not a number lies
    // on the origin.
    static double AxisPosition(const AxisScale& axis, double value, double ratio);
    static int AxisPixel(const AxisScale& axis, double value) {
        return static_cast<int>(AxisPosition(axis, value, 1.0));
    }
    // A trace point at (xValue, yValue) in client pixels, truncated to those of a picture
    // of ratio device pixels to one.
    static QPointF TracePointF(const AxisScale& x, const AxisScale& y, double xValue, double yValue,
                               double ratio);
    // The panel of a one-panel graph in a client area, above the read-out's strip, and
    // its plot area.
    static QRect PanelFor(QSize client);
    static QRect PanelPlot(const QRect& panel);
    // Round ticks of a value axis with room for about one label per spacing pixels.
    static std::vector<AxisTick> ValueTicks(const AxisScale& axis, int length, int spacing);
    // The read-out's strip in a client area: from 40 to 20 pixels above the bottom.
    static QRect StatusRect(QSize client);
    // Right edges of the read-out's first three parts for parts needing the widths
    // given: each gets what it needs and an even share of what is left, or where the
    // strip is too narrow, a share in proportion to its need.
    static std::vector<int> StatusEdges(const std::array<int, 4>& needed, int width);

    QSize sizeHint() const override { return QSize(600, 400); }

protected:
    explicit AnalysisGraph(QWidget* parent);

    // Places the panels for a client area of this size.
    virtual void Layout(QSize client) = 0;
    // The plot areas of the panels, top first; the cursor line crosses them all.
    virtual std::vector<QRect> PlotAreas() const = 0;
    // Everything there is along the horizontal axis, and up a panel's vertical one (in
    // the axis's terms).
    virtual AxisRange FullXRange() const = 0;
    virtual AxisRange FullYRange(int panel) const = 0;
    // A panel's own value in the vertical axis's terms (dB on a dB axis).
    virtual double AxisValue(int panel, double value) const;
    // Whether a trace between two neighbouring axis values breaks rather than joins them
    // (a wrapped phase passing an edge).
    virtual bool BreaksBetween(int panel, double a, double b) const;
    // The horizontal values a trace of functions is drawn through: one a device pixel
    // across the view by default.
    virtual std::vector<double> TraceXs() const;
    // Panel fills, frames, grids and axes, then the design's own traces; the plot areas
    // clip the traces.
    virtual void DrawPanels(QPainter& painter) = 0;
    virtual void DrawTraces(QPainter& painter) = 0;
    // The four read-out texts for the cursor.
    virtual std::array<QString, 4> StatusTexts() const = 0;
    // The design's own value in a panel at x, in the panel's terms; none where there is
    // nothing to read.
    virtual std::optional<double> OwnValue(int panel, double x) const = 0;
    // Texts of a horizontal value to the precision step, and of a vertical one (or a
    // difference of two) in a panel's axis terms, units included.
    virtual QString XText(double x, double step) const = 0;
    virtual QString AxisValueText(int panel, double axisValue) const = 0;
    // The name of the horizontal axis and of a panel's vertical one, for Axes().
    virtual QString XName() const = 0;
    virtual QString YName(int panel) const = 0;
    // The factor of Axis for the horizontal axis and for a panel's vertical one.
    virtual double XFactor() const { return 1.0; }
    virtual double YFactor(int) const { return 1.0; }
    // Called when the sampling rate has changed, before the redraw.
    virtual void SampleRateChanged() {}
    // The panels of the quantized design's trace, in the terms of GraphTrace, for its
    // roots (QuantizedCascade::roots, the gain included); none by default.
    virtual std::vector<std::function<double(double x)>> QuantizedPanels(const Zpk& roots);
    // The roots of the quantized design whose trace is shown, and the arithmetic's
    // name; none while no trace is.
    const std::optional<Zpk>& QuantizedRoots() const { return mQuantized; }
    const QString& QuantizedName() const { return mQuantizedName; }

    // The axes of panel's plot area as the view has them.
    AxisScale XAxis(int panel) const;
    AxisScale YAxis(int panel) const;
    // Horizontal units a client pixel spans at the cursor, or at a value.
    double PixelStep() const;
    double PixelStepAt(double value) const;
    // Device pixels of the picture to one client pixel.
    double PictureRatio() const { return mBase.devicePixelRatio(); }
    // What the samples of a trace over the frequency axis of plot depend on: the range,
    // their count, the design's version and the rate. Equal keys, equal samples.
    std::vector<double> FrequencySamplingKey(const QRect& plot, int version) const;
    // The frequencies such a trace is computed at: two to a device pixel, and the angles
    // of the roots near the circle within the range, where the trace turns sharply;
    // ascending.
    std::vector<double> TraceFrequencies(const QRect& plot, const Zpk& zpk) const;
    int FrequencySampleCount(const QRect& plot) const;
    // Holds these functions of the present response as the reference trace.
    void SetReference(std::vector<std::function<double(double x)>> panels);
    // Forgets the vertical zooms (their units changed), or a panel's.
    void ResetYRanges();
    void ResetYRange(int panel);
    void SetMarkers(std::vector<GraphMarker> markers);
    // Draws the whole picture again and refreshes the read-out.
    void Redraw();
    // Puts what follows the cursors (their lines, the legend's values, the difference
    // beside the second) over the picture drawn last, and refreshes the read-out: a
    // cursor's move redraws no trace.
    void Compose();

    // Light grid lines across area at the ticks of a vertical axis, with their labels
    // inside the area just right of its left edge.
    void DrawYAxisGrid(QPainter& painter, const QRect& area, const AxisScale& axis,
                       const std::vector<AxisTick>& ticks) const;
    // Light grid lines across area at the ticks of a horizontal axis, each with a tick
    // mark and its label centred under it from labelTop down. Going from the right,
    // a label that would run into the one after it is left out.
    void DrawXAxisGrid(QPainter& painter, const QRect& area, const AxisScale& axis,
                       const std::vector<AxisTick>& ticks, int labelTop) const;
    // A text centred in area, in the grid colour.
    void DrawNote(QPainter& painter, const QRect& area, const QString& text) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    uint32_t mGridColour = 0;
    uint32_t mTraceColour = 0;
    uint32_t mBkColour;
    QFont mainFont;
    ::SampleRate mSampleRate = kDefaultSampleRate;

private:
    struct RegionSet {
        QString label;
        QColor colour;
        int panel;
        std::vector<ShadedRegion> regions;
    };
    // How a left press that has not been released yet acts.
    enum class Press { None, Cursor, Band };

    // The traces under the design's own, then those over it, each in the order of keys.
    std::vector<const GraphTrace*> TracesInOrder() const;
    // The panel whose plot area holds p, or -1.
    int PanelAt(QPoint p) const;
    // The value of the horizontal axis at a client x, kept inside the view.
    double XAt(int x) const;
    void DrawRegions(QPainter& painter) const;
    void DrawOverlayTraces(QPainter& painter, bool under) const;
    void DrawMarkers(QPainter& painter) const;
    // Inverts the cursor lines onto the picture.
    void DrawCursors();
    void DrawLegend(QPainter& painter) const;
    // Text beside a line at x near the top of area.
    void DrawFlag(QPainter& painter, const QRect& area, int x, const QString& text) const;
    void UpdateStatusText();

    double mCursor = 0.0;
    std::optional<double> mSecondCursor;
    std::optional<AxisRange> mXZoom;
    std::map<int, AxisRange> mYZoom;
    std::map<QString, GraphTrace> mTraces;
    std::map<QString, RegionSet> mRegions;
    std::vector<GraphMarker> mMarkers;
    std::optional<Zpk> mQuantized;
    QString mQuantizedName;
    Press mPress = Press::None;
    QPoint mPressPoint;
    int mPressPanel = -1;
    // The rectangle being dragged out to zoom to, in client pixels; empty when none.
    QRect mBand;
    StatusBar mStatus;
    // The panels, traces and markers; the picture shown is that and what Compose adds.
    QImage mBase;
    QImage mCanvas;
};
