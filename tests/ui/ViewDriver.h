#pragma once

#include "ScriptedRunner.h"
#include "ui/DesignDocument.h"
#include "ui/mainwindow/ZPlaneDesign.h"

#include <QAction>
#include <QPoint>
#include <QRgb>
#include <QStringList>
#include <QTest>

#include <vector>

// Drives the views as the mouse does, and reads the menus' marks.

// A mouse move to p with buttons held, sent straight to w.
void MoveTo(QWidget* w, QPoint p, Qt::MouseButtons buttons = Qt::NoButton);

// A left-button press and release at p.
void Click(QWidget* w, QPoint p);

// The one checked command of a group; 0 when none is checked, -1 when several are.
template <class Window> int Marked(const Window& window, const std::vector<int>& group) {
    int marked = 0;
    for (const int id : group) {
        if (window.Action(id)->isChecked()) {
            marked = marked == 0 ? id : -1;
        }
    }
    return marked;
}

// A document's notifications as text, in order: "added P0", "changed Z1", "removed P1",
// "dragged P0" (P for a pole, Z for a zero, and the index) and "replaced".
struct DocumentLog {
    QStringList seen;
    explicit DocumentLog(const DesignDocument& document);
};

// "P" and index for a pole, "Z" and index for a zero.
QString NodeLabel(int type, int index);

// The workspace of a document, shown at 600 x 400.
struct Workspace {
    ScriptedRunner runner;
    DesignDocument document;
    ZPlaneDesign design{runner, document};
    Workspace();
};

// The colours of a ShownGraph.
inline constexpr QRgb kGraphBack = 0xC0C0C0;
inline constexpr QRgb kGraphTrace = 0x008000;

// An analysis graph shown at 400 x 300, computed from the design.
template <class Graph> struct ShownGraph {
    Graph graph;
    ShownGraph() {
        graph.SetBkColour(kGraphBack);
        graph.SetTraceColour(kGraphTrace);
        graph.resize(400, 300);
        graph.show();
        graph.UpdateFromNodeList();
    }
    void Press(int x, int y = 50) { Click(&graph, QPoint(x, y)); }
    void Key(Qt::Key key) { QTest::keyClick(&graph, key); }
    QStringList Readout() const {
        QStringList texts;
        for (int part = 0; part < 4; ++part) {
            texts << graph.Status().Text(part);
        }
        return texts;
    }
};
