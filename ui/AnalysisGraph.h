#pragma once

#include "ui/StatusBar.h"

#include <QFont>
#include <QImage>
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

// What the analysis window's two graphs share: a picture drawn off screen that
// painting copies to the window, a cursor line inverted onto it that the left mouse
// button and the Left and Right keys move, and a four-part read-out under the panels.
class AnalysisGraph : public QWidget {
    Q_OBJECT
public:
    void SetBkColour(uint32_t colour);
    void SetGridColour(uint32_t colour);
    void SetTraceColour(uint32_t colour);
    // Hz. Changes the labels and the read-out; the response is not recomputed.
    void SetSampleRate(int rate);
    int SampleRate() const { return mSampleRate; }

    // x of the cursor line in client pixels, -1 when there is none.
    int CursorX() const { return mLastXPos; }
    const QImage& Picture() const { return mCanvas; }
    const StatusBar& Status() const { return mStatus; }

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

    // Draws the whole picture again; a cursor line goes with the old picture. The
    // read-out stays as it was.
    void Redraw();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    uint32_t mGridColour = 0;
    uint32_t mTraceColour = 0;
    uint32_t mBkColour;
    QFont mainFont;
    int mSampleRate = 8000;
    int mLastXPos = -1;

private:
    void InvertLine(int x);
    void MoveCursorTo(int x);
    void UpdateStatusText();

    StatusBar mStatus;
    QImage mCanvas;
};
