#include "ui/AnalysisGraph.h"

#include "ui/Drawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

AnalysisGraph::AnalysisGraph(QWidget* parent)
    : QWidget(parent), mBkColour(ButtonFaceRef()), mainFont(LabelFont()), mStatus(4, this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QRect AnalysisGraph::StatusRect(QSize client) {
    return RectFromEdges(0, client.height() - 40, client.width(), client.height() - 20);
}

std::vector<int> AnalysisGraph::StatusEdges(int width) {
    return {width / 4, width / 2, 3 * width / 4};
}

int AnalysisGraph::CursorAfterKey(int lastX, int key, const QRect& area) {
    int x = lastX;
    if (key == Qt::Key_Left && lastX >= 1) {
        x = lastX - 1;
    } else if (key == Qt::Key_Right && lastX < RightOf(area)) {
        x = lastX + 1;
    }
    return area.contains(x, area.top()) ? x : -1;
}

void AnalysisGraph::SetBkColour(uint32_t colour) {
    mBkColour = colour;
    Redraw();
}

void AnalysisGraph::SetGridColour(uint32_t colour) {
    mGridColour = colour;
    Redraw();
}

void AnalysisGraph::SetTraceColour(uint32_t colour) {
    mTraceColour = colour;
    Redraw();
}

void AnalysisGraph::SetSampleRate(int rate) {
    mSampleRate = rate;
    Redraw();
}

void AnalysisGraph::Redraw() {
    mLastXPos = -1;
    if (mCanvas.isNull()) {
        return;
    }
    // Where no panel lies the window shows the button face.
    mCanvas.fill(ColourFromRef(ButtonFaceRef()));
    {
        QPainter painter(&mCanvas);
        painter.setFont(mainFont);
        Draw(painter);
    }
    update();
}

void AnalysisGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mCanvas);
}

void AnalysisGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout(size());
    mCanvas = QImage(size(), QImage::Format_RGB32);
    mStatus.setGeometry(StatusRect(size()));
    mStatus.SetPartEdges(StatusEdges(width()));
    Redraw();
    UpdateStatusText();
}

void AnalysisGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        mouseMoveEvent(event);
    }
}

void AnalysisGraph::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    const QPoint p = event->position().toPoint();
    int x = -1;
    for (const QRect& area : PlotAreas()) {
        if (area.contains(p)) {
            x = p.x();
        }
    }
    MoveCursorTo(x);
}

void AnalysisGraph::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    MoveCursorTo(CursorAfterKey(mLastXPos, event->key(), PlotAreas().front()));
}

void AnalysisGraph::MoveCursorTo(int x) {
    if (mLastXPos >= 0) {
        InvertLine(mLastXPos);
    }
    mLastXPos = x;
    if (x >= 0) {
        InvertLine(x);
    }
    UpdateStatusText();
}

void AnalysisGraph::InvertLine(int x) {
    for (const QRect& area : PlotAreas()) {
        InvertColumn(mCanvas, x, area.top(), BottomOf(area));
    }
    update(x, 0, 1, height());
}

void AnalysisGraph::UpdateStatusText() {
    const std::array<QString, 4> texts = StatusTexts();
    for (int part = 0; part < 4; ++part) {
        mStatus.SetText(part, texts[static_cast<size_t>(part)]);
    }
}
