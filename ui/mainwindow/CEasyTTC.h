#pragma once

class QWidget;

// Registers a whole widget as one tooltip area.
class CEasyTTC {
public:
    // Shows text as the tooltip anywhere over w; nonzero on success.
    static int AddWindowTool(QWidget* w, const char* text);
};
