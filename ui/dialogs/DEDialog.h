#pragma once

#include "response/FInputResponse.h"

#include <QDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

class ModalRunner;

// "Difference Equation": the design's difference equation on one line, and Save As
// to write it to a .de file. A design that is not causal has no difference equation;
// the dialog is then not Ready() and is not to be shown.
class DEDialog : public QDialog {
    Q_OBJECT
public:
    // Shown instead of the dialog when the design is not causal.
    static constexpr const char* kNonCausalText =
        "Can't show difference equation of non-causal IIR Filter";

    explicit DEDialog(ModalRunner& runner, QWidget* parent = nullptr);

    bool Ready() const { return mInputResponseOK; }
    // Asks for a file name and writes the equation there; says so when it cannot.
    void OnSaveAs();

    QString Text() const { return mEdit.toPlainText(); }
    QPushButton& SaveButton() { return mSaveAs; }

private:
    ModalRunner& mRunner;
    FInputResponse mInputResponse;
    bool mInputResponseOK;
    QGroupBox mGroup;
    QPlainTextEdit mEdit;
    QPushButton mOk;
    QPushButton mSaveAs;
};
