#pragma once

#include <QLabel>

#include <cstdint>

// A text label with its own text and background colours: the caption of the node
// lists, and the colour swatches of the colour preferences dialog, where a double
// click (when click notification is on) opens the colour chooser.
class ClrCStatic : public QLabel {
    Q_OBJECT
public:
    explicit ClrCStatic(QWidget* parent = nullptr);

    void SetBkColour(uint32_t colour);
    uint32_t BkColour() const { return mBkColour; }

private:
    void ApplyColours();

    uint32_t mTextColour = 0;
    uint32_t mBkColour;
};
