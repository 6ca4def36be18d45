#pragma once

#include "filter/FDEMaker.h"
#include "ui/mainwindow/ClrCStatic.h"

#include <QDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

class ModalRunner;

// The transfer function H(z) of the design as a fraction, numerator over denominator,
// and Save As to write it to a .hz file. Any design is shown, causal or not; the
// polynomials are those of the design when the dialog was made.
class HZDialog : public QDialog {
    Q_OBJECT
public:
    explicit HZDialog(ModalRunner& runner, QWidget* parent = nullptr);

    // Asks for a file name and writes the fraction there; says so when it cannot.
    void OnSaveAs();

    QString Numerator() const { return mNumerator.toPlainText(); }
    QString Denominator() const { return mDenominator.toPlainText(); }
    QPushButton& SaveButton() { return mSaveAs; }

private:
    ModalRunner& mRunner;
    FDEMaker mDE;
    QGroupBox mGroup;
    QPlainTextEdit mNumerator;
    ClrCStatic mBar;
    QPlainTextEdit mDenominator;
    QPushButton mOk;
    QPushButton mSaveAs;
};
