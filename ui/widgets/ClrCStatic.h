#pragma once

#include <QLabel>

#include <cstdint>

// A text label with its own text and background colours: the caption of the node
// lists, the fraction bar of the transfer function, and the colour swatches of the
// colour preferences dialog, which open the colour chooser on a double click.
class ClrCStatic : public QLabel {
    Q_OBJECT
public:
    explicit ClrCStatic(QWidget* parent = nullptr);

    void SetBkColour(uint32_t colour);
    uint32_t BkColour() const { return mBkColour; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ApplyColours();

    uint32_t mTextColour = 0;
    uint32_t mBkColour;
};
