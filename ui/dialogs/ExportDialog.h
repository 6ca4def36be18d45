#pragma once

#include "arith/Arithmetic.h"
#include "filter/Zpk.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>

class ModalRunner;

// "Export Implementation": a design's peak-scaled sections as code or data to run
// elsewhere, in the formats and arithmetics of qen export, the C header's identifier
// typed in, with a preview of the text. Save As asks for a file (named as the identifier),
// writes the text there and ends the dialog accepted. For a design the arithmetic
// refuses, or a name that is no C identifier, the dialog says why over an empty preview,
// and nothing can be saved.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // designPath: the design's file ("Untitled" when it has none), which gives the
    // identifier first offered and is named in the text's comments. arithmetic: the one
    // chosen first.
    ExportDialog(ModalRunner& runner, const Zpk& design, const QString& designPath,
                 Arithmetic arithmetic, QWidget* parent = nullptr);

    void OnSaveAs();

    // The text that Save As writes; empty while there is none.
    const std::string& Text() const { return mText; }
    QString Preview() const { return mPreview.toPlainText(); }
    // Why there is no text; empty while there is one.
    QString Problem() const { return mProblem.text(); }
    QComboBox& Format() { return mFormat; }
    QComboBox& ArithmeticChoice() { return mArithmetic; }
    QLineEdit& Name() { return mName; }
    QPushButton& SaveButton() { return mSave; }

private:
    // The text of the choices made, or why there is none, in the preview.
    void UpdatePreview();

    ModalRunner& mRunner;
    Zpk mDesign;
    std::string mDesignName;
    QComboBox mFormat;
    QComboBox mArithmetic;
    QLineEdit mName;
    QLabel mProblem;
    QPlainTextEdit mPreview;
    QPushButton mSave;
    QPushButton mCancel;
    std::string mText;
};
