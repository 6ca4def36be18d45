#pragma once

#include "ScriptedRunner.h"
#include "ui/ZPlaneDesign.h"

#include <QAction>
#include <QPoint>

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

// The workspace shown at 600 x 400, its notifications looped back as the main window does.
struct Workspace {
    ScriptedRunner runner;
    ZPlaneDesign design{runner};
    Workspace();
};
