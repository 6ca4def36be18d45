#pragma once

#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/widgets/ClrCStatic.h"

#include <QDialog>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include <string>

class FNodeList;

// A text about the design in a read-only box, or a fraction of two texts over a bar,
// and Save As to write the text's file form: the difference equation, the transfer
// function H(z) or the second-order sections. The texts are those of the design when
// the page was made. A design without such a text gives a page that is not Ready()
// and is not to be shown; Refusal() says why.
class TextDialog : public QDialog {
    Q_OBJECT
public:
    // What a dialog shows and saves.
    struct Page {
        QString title;
        QString caption;
        // One text, or the numerator and denominator of a fraction.
        QStringList texts;
        // In dialog units.
        int width = 217;
        FileDialogRequest save;
        std::string fileText;
        // Why the design has no such text; empty when it has.
        QString refusal;
        // Of the text boxes.
        QFont font = DialogFont();
        // A warning under the text, wrapped to the dialog's width; none when empty.
        QString note = QString();
    };

    // The difference equation on one line, saved as a .de file; none for a design that
    // is not causal.
    static Page DifferenceEquation(const FNodeList& design);
    // H(z) as numerator over denominator, saved as a .hz file; any design has one.
    static Page TransferFunction(const FNodeList& design);
    // Both note FourDecimalWarning when their four-decimal coefficients make another
    // filter than the design; the files are written as they are all the same.
    // The sections the design runs as, one line each under a header naming the columns
    // b0 b1 b2 a0 a1 a2, in a fixed-pitch font and as wide as the lines (as far as the
    // screen allows); saved as a .sos file, without the header and the padding, as
    // qen sos writes it. None for a design that is not causal or has complex coefficients.
    static Page SecondOrderSections(const FNodeList& design);

    TextDialog(ModalRunner& runner, Page page, QWidget* parent = nullptr);

    bool Ready() const { return mPage.refusal.isEmpty(); }
    const QString& Refusal() const { return mPage.refusal; }
    // Asks for a file name and writes the file text there; says so when it cannot.
    void OnSaveAs();

    // The texts shown, as the page gave them.
    QStringList Texts() const;
    // The note under the texts as shown; empty when there is none.
    QString Note() const;
    QPushButton& SaveButton() { return mSaveAs; }

private:
    ModalRunner& mRunner;
    Page mPage;
    QGroupBox mGroup;
    QPlainTextEdit mTop;
    // The fraction bar and the denominator; hidden for a single text.
    ClrCStatic mBar;
    QPlainTextEdit mBottom;
    QLabel mNote;
    QPushButton mOk;
    QPushButton mSaveAs;
};
