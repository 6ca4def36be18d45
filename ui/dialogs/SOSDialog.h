#pragma once

#include "filter/SosCascade.h"

#include <QDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

class ModalRunner;

// "Second-Order Sections": the sections the design runs as, one line each
// (b0 b1 b2 a0 a1 a2), and Save As to write them to a .sos file. A design that is
// not causal, or whose sections have complex coefficients, has nothing to show; the
// dialog is then not Ready() and is not to be shown, Refusal() saying why.
class SOSDialog : public QDialog {
    Q_OBJECT
public:
    explicit SOSDialog(ModalRunner& runner, QWidget* parent = nullptr);

    bool Ready() const { return mRefusal == nullptr; }
    const char* Refusal() const { return mRefusal; }
    // Asks for a file name and writes the sections there; says so when it cannot.
    void OnSaveAs();

    QString Text() const { return mEdit.toPlainText(); }
    QPushButton& SaveButton() { return mSaveAs; }

private:
    ModalRunner& mRunner;
    SosCascade mCascade;
    const char* mRefusal = nullptr;
    QGroupBox mGroup;
    QPlainTextEdit mEdit;
    QPushButton mOk;
    QPushButton mSaveAs;
};
