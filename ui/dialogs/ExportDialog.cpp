#include "ui/dialogs/ExportDialog.h"

#include "arith/QuantizedCascade.h"
#include "core/AtomicFile.h"
#include "export/ExportText.h"
#include "text/SectionText.h"
#include "ui/ArithmeticView.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// By format, in the order of ExportFormat: the name shown and the file dialog's filter
// and suffix.
struct FormatEntry {
    const char* label;
    const char* filter;
    const char* suffix;
};
constexpr FormatEntry kFormats[] = {{"C header", "C Header Files (*.h);;All Files (*)", "h"},
                                    {"Python", "Python Files (*.py);;All Files (*)", "py"},
                                    {"JSON", "JSON Files (*.json);;All Files (*)", "json"},
                                    {"CSV", "CSV Files (*.csv);;All Files (*)", "csv"}};

} // namespace

ExportDialog::ExportDialog(ModalRunner& runner, const Zpk& design, const QString& designPath,
                           Arithmetic arithmetic, QWidget* parent)
    : QDialog(parent), mRunner(runner), mDesign(design),
      mDesignName(QFileInfo(designPath).fileName().toStdString()), mFormat(this), mArithmetic(this),
      mName(this), mProblem(this), mPreview(this), mSave(QStringLiteral("&Save As ..."), this),
      mCancel(QStringLiteral("Cancel"), this) {
    setWindowTitle(QStringLiteral("Export Implementation"));
    for (const FormatEntry& format : kFormats) {
        mFormat.addItem(QString::fromLatin1(format.label));
    }
    mArithmetic.addItems(ArithmeticLabels());
    mArithmetic.setCurrentIndex(static_cast<int>(arithmetic));
    mName.setText(QString::fromStdString(ExportName(QFile::encodeName(designPath).toStdString())));
    mProblem.setWordWrap(true);
    mProblem.setStyleSheet(QStringLiteral("color: #b00000"));
    mPreview.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    MakeTextBox(mPreview);

    auto* choices = new QFormLayout();
    choices->addRow(QStringLiteral("&Format:"), &mFormat);
    choices->addRow(QStringLiteral("&Arithmetic:"), &mArithmetic);
    choices->addRow(QStringLiteral("&Name:"), &mName);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(&mSave, QDialogButtonBox::AcceptRole);
    buttons->addButton(&mCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(&mProblem);
    layout->addWidget(&mPreview, 1);
    layout->addWidget(buttons);
    // Room for a C header's widest lines and a screenful of them, within the screen.
    const QFontMetrics fixed(mPreview.font());
    QSize size(fixed.horizontalAdvance(QString(100, 'x')), fixed.lineSpacing() * 32);
    if (const QScreen* screen = this->screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    resize(size);
    mSave.setDefault(true);

    connect(&mFormat, &QComboBox::currentIndexChanged, this, &ExportDialog::UpdatePreview);
    connect(&mArithmetic, &QComboBox::currentIndexChanged, this, &ExportDialog::UpdatePreview);
    connect(&mName, &QLineEdit::textChanged, this, &ExportDialog::UpdatePreview);
    connect(&mSave, &QPushButton::clicked, this, &ExportDialog::OnSaveAs);
    connect(&mCancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdatePreview();
    CentreOverParent(*this);
}

void ExportDialog::UpdatePreview() {
    const auto format = static_cast<ExportFormat>(mFormat.currentIndex());
    const auto arithmetic = static_cast<Arithmetic>(mArithmetic.currentIndex());
    // Only the C header declares names.
    mName.setEnabled(format == ExportFormat::C);
    const std::string name = mName.text().toStdString();
    const QuantizedCascade cascade = Quantize(mDesign, arithmetic);
    std::string problem;
    if (cascade.problem != QuantizeProblem::None) {
        problem = QuantizeProblemText(cascade.problem, arithmetic);
    } else if (!cascade.stored.IsReal()) {
        // f64 runs complex sections, but no exported format holds them.
        problem = kUnpairedSectionsText;
    } else if (format == ExportFormat::C && !IsExportName(name)) {
        problem = "The name must be a C identifier: letters, digits and _, not first a digit.";
    }
    mText = problem.empty() ? ExportText(cascade, format, name, mDesignName) : std::string();
    mProblem.setText(QString::fromStdString(problem));
    mProblem.setVisible(!problem.empty());
    mPreview.setPlainText(QString::fromStdString(mText));
    mSave.setEnabled(!mText.empty());
}

void ExportDialog::OnSaveAs() {
    if (mText.empty()) {
        return;
    }
    const FormatEntry& format = kFormats[static_cast<size_t>(mFormat.currentIndex())];
    // The file is named as the C identifier is, whatever the format.
    const QString base = IsExportName(mName.text().toStdString())
                             ? mName.text()
                             : QString::fromStdString(ExportName(mDesignName));
    const QString path = mRunner.SaveFileName(
        this,
        FileDialogRequest{QString::fromLatin1(format.filter), QString::fromLatin1(format.suffix),
                          base + '.' + QString::fromLatin1(format.suffix)});
    if (path.isEmpty()) {
        return;
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), mText)) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't open file to save to"),
                        ModalRunner::Icon::Information);
        return;
    }
    accept();
}
