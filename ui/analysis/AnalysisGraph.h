#pragma once

#include "filter/SampleRate.h"
#include "plot/AxisScale.h"
#include "ui/widgets/StatusBar.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
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

// What the analysis window's graphs share: a picture drawn off screen at the screen's
// pixel density that painting copies to the window, a cursor line inverted onto it
// that the left mouse button and the Left and Right keys move, a four-part read-out
// under the panels that follows every change, and axes with ticks and grid lines.
class AnalysisGraph : public QWidget {
    Q_OBJECT
public:
    void SetBkColour(uint32_t colour);
    void SetGridColour(uint32_t colour);
    void SetTraceColour(uint32_t colour);
    // Hz. Changes the labels and the read-out; the response is not recomputed.
    void SetSampleRate(::SampleRate rate);
    ::SampleRate SampleRate() const { return mSampleRate; }

    // x of the cursor line in client pixels, -1 when there is none.
    int CursorX() const { return mLastXPos; }
    const QImage& Picture() const { return mCanvas; }
    const StatusBar& Status() const { return mStatus; }

    // The axis of frequencies in Hz across a plot area at a sampling rate: linear from
    // 0, or logarithmic over the three decades below half the rate.
    static AxisScale FrequencyAxis(const QRect& area, int sampleRate, bool log);
    // w in radians per sample at step i of resolution, evenly spread over the log
    // axis's three decades below pi.
    static double LogSpacedOmega(int i, int resolution);
    // The frequency axis's ticks for a plot area width, labelled in kHz from a half
    // rate of 1 kHz up, else in Hz; the last label names the unit.
    static std::vector<AxisTick> FrequencyTicks(const AxisScale& axis, int width);
    // Where a value lies along an axis, truncated toward the axis's origin (0, or its
    // low end where 0 lies outside it) to a whole device pixel, of which there are ratio
    // to a client pixel; infinities go far off, and a value that is not a number lies
    // on the origin.
    static double AxisPosition(const AxisScale& axis, double value, double ratio);
    static int AxisPixel(const AxisScale& axis, double value) {
        return static_cast<int>(AxisPosition(axis, value, 1.0));
    }
    // A trace point of plot area at (xValue, yValue), its y kept inside the area so that
    // values past the axis are drawn at its edge; in client pixels, and in those of a
    // picture of ratio device pixels to one.
    static QPointF TracePointF(const QRect& area, const AxisScale& x, const AxisScale& y,
                               double xValue, double yValue, double ratio);
    static QPoint TracePoint(const QRect& area, const AxisScale& x, const AxisScale& y,
                             double xValue, double yValue) {
        return TracePointF(area, x, y, xValue, yValue, 1.0).toPoint();
    }
    // The panel of a one-panel graph in a client area, above the read-out's strip, and
    // its plot area.
    static QRect PanelFor(QSize client);
    static QRect PanelPlot(const QRect& panel);

    // Round ticks of a value axis with room for about one label per spacing pixels.
    static std::vector<AxisTick> ValueTicks(const AxisScale& axis, int length, int spacing);

    // The read-out's strip in a client area: from 40 to 20 pixels above the bottom.
    static QRect StatusRect(QSize client);
    // Right edges of the read-out's first three parts: the quarters of its width.
    static std::vector<int> StatusEdges(int width);
    // Where the cursor goes from lastX on the Left or Right key, with area the plot
    // area that bounds it: one pixel along, or -1 (none) when that leaves the area.
    // With no cursor the keys show none.
    static int CursorAfterKey(int lastX, int key, const QRect& area);

    QSize sizeHint() const override { return QSize(600, 400); }

protected:
    explicit AnalysisGraph(QWidget* parent);

    // Places the panels for a client area of this size.
    virtual void Layout(QSize client) = 0;
    // The areas the cursor line crosses; the first also bounds the key moves.
    virtual std::vector<QRect> PlotAreas() const = 0;
    // Draws the panels onto the picture, already filled with the button face.
    virtual void Draw(QPainter& painter) = 0;
    // The four read-out texts for the cursor at mLastXPos.
    virtual std::array<QString, 4> StatusTexts() const = 0;

    // Device pixels of the picture to one client pixel.
    double PictureRatio() const { return mCanvas.devicePixelRatio(); }
    // Draws the whole picture again and refreshes the read-out; a cursor line goes with
    // the old picture.
    void Redraw();

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
    void keyPressEvent(QKeyEvent* event) override;

    uint32_t mGridColour = 0;
    uint32_t mTraceColour = 0;
    uint32_t mBkColour;
    QFont mainFont;
    ::SampleRate mSampleRate = kDefaultSampleRate;
    int mLastXPos = -1;

private:
    void InvertLine(int x);
    void MoveCursorTo(int x);
    void UpdateStatusText();

    StatusBar mStatus;
    QImage mCanvas;
};
