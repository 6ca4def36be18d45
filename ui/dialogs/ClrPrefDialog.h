#pragma once

#include "persist/QENPref.h"
#include "ui/widgets/ClrCStatic.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class ModalRunner;

// "Colour Preferences": five swatches for the trace, background, grid, pole and zero
// colours, each changed through the colour chooser on a double click, and Apply,
// which sends the swatches' colours as the colour-change notification and leaves the
// dialog open. Modeless; closing it throws away what was not applied.
class ClrPrefDialog : public QDialog {
    Q_OBJECT
public:
    ClrPrefDialog(ModalRunner& runner, const QENColourPref& colours, QWidget* parent = nullptr);

    void SetColours(const QENColourPref& colours);
    // The colours the swatches show.
    QENColourPref Colours() const;
    void OnApplyBut();

    ClrCStatic& TraceSwatch() { return mTrace; }
    ClrCStatic& BackSwatch() { return mBack; }
    ClrCStatic& GridSwatch() { return mGrid; }
    ClrCStatic& PoleSwatch() { return mPole; }
    ClrCStatic& ZeroSwatch() { return mZero; }
    QPushButton& ApplyButton() { return mApply; }

signals:
    // The colour-change notification, for the main window.
    void colourChange(const QENColourPref& colours);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ChooseColour(ClrCStatic& swatch);

    ModalRunner& mRunner;
    QGroupBox mGroup;
    QPushButton mApply;
    ClrCStatic mTrace;
    ClrCStatic mBack;
    ClrCStatic mGrid;
    ClrCStatic mPole;
    ClrCStatic mZero;
    QLabel mPoleLabel;
    QLabel mZeroLabel;
    QLabel mTraceLabel;
    QLabel mBackLabel;
    QLabel mGridLabel;
};
