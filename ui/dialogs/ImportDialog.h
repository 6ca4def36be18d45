#pragma once

#include "core/FNodeList.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

class ModalRunner;

// "Import Coefficients": a filter made elsewhere, as transfer-function polynomials b and
// a or as second-order sections, pasted or loaded from a file in the texts qen import
// reads (lines of numbers, or JSON). As the text changes the dialog counts the roots it
// makes, or says what is wrong and on which line; OK is offered only for coefficients
// that make a design, and ends the dialog accepted with Design() that design. The
// overall gain is not kept, as designs carry none; the dialog says so.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImportDialog(ModalRunner& runner, QWidget* parent = nullptr);

    // Asks for a file and puts its text in the box; says so when it cannot be read.
    void OnLoad();

    // The design the coefficients make; empty while they make none.
    const FNodeList& Design() const { return mDesign; }
    // The root count, or what is wrong with the coefficients.
    QString Summary() const { return mSummary.text(); }
    QRadioButton& TransferFunction() { return mTransferFunction; }
    QRadioButton& Sections() { return mSections; }
    QPlainTextEdit& Text() { return mText; }
    QPushButton& LoadButton() { return mLoad; }
    QPushButton& OkButton() { return mOk; }

    // The largest file Load reads: far more than 32767 roots' coefficients take.
    static constexpr qint64 kMaxFileBytes = 16 << 20;

private:
    // Reads the coefficients again and tells what they make.
    void Update();

    ModalRunner& mRunner;
    QRadioButton mTransferFunction;
    QRadioButton mSections;
    QLabel mHint;
    QPlainTextEdit mText;
    QLabel mSummary;
    QPushButton mLoad;
    QPushButton mOk;
    QPushButton mCancel;
    FNodeList mDesign;
};
