#include "ui/dialogs/TextDialog.h"

#include "arith/FourDecimalEffect.h"
#include "core/AtomicFile.h"
#include "core/FNodeList.h"
#include "filter/FDEMaker.h"
#include "filter/SosCascade.h"
#include "response/FInputResponse.h"
#include "text/DifferenceEquationText.h"
#include "text/SectionText.h"
#include "text/TransferFunctionText.h"
#include "ui/Drawing.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <vector>

#include <optional>
#include <utility>

namespace {

// The words of each line in columns as wide as the widest word and two blanks more.
QString AlignedColumns(const QString& text) {
    std::vector<QStringList> rows;
    qsizetype width = 0;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
        rows.push_back(line.split(' ', Qt::SkipEmptyParts));
        for (const QString& word : rows.back()) {
            width = std::max(width, word.size() + 2);
        }
    }
    QString aligned;
    for (const QStringList& row : rows) {
        for (const QString& word : row) {
            aligned += word.leftJustified(width);
        }
        while (aligned.endsWith(' ')) {
            aligned.chop(1);
        }
        aligned += '\n';
    }
    return aligned;
}

// How many lines text takes wrapped at words to width pixels.
int WrappedLines(const QString& text, int width, const QFontMetrics& metrics) {
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text);
    return (wrapped.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing();
}

} // namespace

TextDialog::Page TextDialog::DifferenceEquation(const FNodeList& design) {
    Page page{QStringLiteral("Difference Equation"),
              QStringLiteral("Difference Equation is:"),
              {},
              217,
              {QStringLiteral("DE Files (*.de);;All Files (*)"), QStringLiteral("de"),
               QStringLiteral("diffequ.de")},
              {},
              {}};
    FInputResponse response;
    if (!response.Initialize(Zpk::FromNodeList(design))) {
        page.refusal = QStringLiteral("Can't show difference equation of non-causal IIR Filter");
        return page;
    }
    page.texts = {QString::fromStdString(DifferenceEquationLine(response))};
    page.fileText = DifferenceEquationFileText(response);
    page.note = QString::fromStdString(FourDecimalWarning(Zpk::FromNodeList(design)));
    return page;
}

TextDialog::Page TextDialog::TransferFunction(const FNodeList& design) {
    const Zpk zpk = Zpk::FromNodeList(design);
    FDEMaker de;
    de.Load(zpk);
    // The dialog shares its title with the difference equation's.
    Page page{QStringLiteral("Difference Equation"),
              QStringLiteral("Transfer Function H[z] is:"),
              {QString::fromStdString(ZeroPolyText(de)), QString::fromStdString(PolePolyText(de))},
              217,
              {QStringLiteral("Transfer Function Files (*.hz);;All Files (*)"),
               QStringLiteral("hz"), QStringLiteral("transferfunc.hz")},
              TransferFunctionFileText(de),
              {}};
    page.note = QString::fromStdString(FourDecimalWarning(zpk));
    return page;
}

TextDialog::Page TextDialog::SecondOrderSections(const FNodeList& design) {
    Page page{QStringLiteral("Second-Order Sections"),
              QStringLiteral("Second-Order Sections are:"),
              {},
              317,
              {QStringLiteral("SOS Files (*.sos);;All Files (*)"), QStringLiteral("sos"),
               QStringLiteral("sections.sos")},
              {},
              {},
              QFontDatabase::systemFont(QFontDatabase::FixedFont)};
    const std::optional<SosCascade> cascade = SosCascade::FromZpk(Zpk::FromNodeList(design));
    if (!cascade) {
        page.refusal = QString::fromLatin1(kNonCausalSectionsText);
    } else if (!cascade->IsReal()) {
        page.refusal = QString::fromLatin1(kUnpairedSectionsText);
    } else {
        page.fileText = SectionsText(*cascade);
        page.texts = {AlignedColumns(QStringLiteral("b0 b1 b2 a0 a1 a2\n") +
                                     QString::fromStdString(page.fileText))};
        // Wide enough for the lines, and for the box's frame and scroll bar beside them.
        const QFontMetrics fixed(page.font);
        const QFontMetrics dialog(DialogFont());
        int pixels = 0;
        for (const QString& line : page.texts[0].split('\n')) {
            pixels = std::max(pixels, fixed.horizontalAdvance(line));
        }
        int widest = 0;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            widest = DluWidth(screen->availableGeometry().width() * 9 / 10, dialog);
        }
        page.width = std::max(page.width, std::min(DluWidth(pixels + 40, dialog) + 10, widest));
    }
    return page;
}

TextDialog::TextDialog(ModalRunner& runner, Page page, QWidget* parent)
    : QDialog(parent), mRunner(runner), mPage(std::move(page)), mGroup(mPage.caption, this),
      mTop(this), mBar(this), mBottom(this), mNote(mPage.note, this),
      mOk(QStringLiteral("OK"), this), mSaveAs(QStringLiteral("Save As"), this) {
    setWindowTitle(mPage.title);
    mTop.setFont(mPage.font);
    mBottom.setFont(mPage.font);
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    const int w = mPage.width;
    // The note's lines, eight units each, push the buttons down.
    const int noteLines =
        mPage.note.isEmpty()
            ? 0
            : WrappedLines(mPage.note, DluRect(0, 0, w - 6, 0, metrics).width(), metrics);
    const int noteHeight = noteLines > 0 ? 8 * noteLines + 3 : 0;
    mNote.setWordWrap(true);
    mNote.setGeometry(DluRect(3, 105, w - 6, 8 * noteLines + 2, metrics));
    mNote.setVisible(noteLines > 0);
    setFixedSize(DluRect(0, 0, w, 124 + noteHeight, metrics).size());
    mGroup.setGeometry(DluRect(0, 0, w - 3, 103, metrics));
    MakeTextBox(mTop);
    MakeTextBox(mBottom);
    if (mPage.texts.size() == 2) {
        mTop.setGeometry(DluRect(3, 12, w - 10, 44, metrics));
        mBar.setGeometry(DluRect(2, 60, w - 7, 2, metrics));
        mBar.SetBkColour(0);
        mBottom.setGeometry(DluRect(3, 65, w - 10, 34, metrics));
        mBottom.setPlainText(mPage.texts[1]);
    } else {
        mTop.setGeometry(DluRect(3, 12, w - 10, 85, metrics));
        mBar.hide();
        mBottom.hide();
    }
    if (!mPage.texts.isEmpty()) {
        mTop.setPlainText(mPage.texts[0]);
    }
    mOk.setGeometry(DluRect(w - 43, 106 + noteHeight, 40, 14, metrics));
    mSaveAs.setGeometry(DluRect(w - 88, 106 + noteHeight, 40, 14, metrics));
    mOk.setDefault(true);
    connect(&mOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(&mSaveAs, &QPushButton::clicked, this, &TextDialog::OnSaveAs);
    CentreOverParent(*this);
}

QStringList TextDialog::Texts() const {
    QStringList texts{mTop.toPlainText()};
    if (mBottom.isVisibleTo(this)) {
        texts << mBottom.toPlainText();
    }
    return texts;
}

QString TextDialog::Note() const {
    return mNote.isVisibleTo(this) ? mNote.text() : QString();
}

void TextDialog::OnSaveAs() {
    const QString path = mRunner.SaveFileName(this, mPage.save);
    if (path.isEmpty()) {
        return;
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), mPage.fileText)) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't open file to save to"),
                        ModalRunner::Icon::Information);
    }
}
