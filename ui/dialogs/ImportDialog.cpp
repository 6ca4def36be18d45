#include "ui/dialogs/ImportDialog.h"

#include "core/FormatC.h"
#include "import/CoefficientImport.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <string>

ImportDialog::ImportDialog(ModalRunner& runner, QWidget* parent)
    : QDialog(parent), mRunner(runner),
      mTransferFunction(QStringLiteral("&Transfer function: b, then a"), this),
      mSections(QStringLiteral("&Second-order sections"), this), mHint(this), mText(this),
      mSummary(this), mLoad(QStringLiteral("&Load File ..."), this),
      mOk(QStringLiteral("OK"), this), mCancel(QStringLiteral("Cancel"), this) {
    setWindowTitle(QStringLiteral("Import Coefficients"));
    mTransferFunction.setChecked(true);
    mHint.setWordWrap(true);
    mSummary.setWordWrap(true);
    mText.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mText.setLineWrapMode(QPlainTextEdit::NoWrap);
    mText.setPlaceholderText(QStringLiteral("Paste coefficients here, or load a file."));

    auto* kinds = new QHBoxLayout();
    kinds->addWidget(&mTransferFunction);
    kinds->addWidget(&mSections);
    kinds->addStretch(1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(&mOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(&mCancel, QDialogButtonBox::RejectRole);
    auto* row = new QHBoxLayout();
    row->addWidget(&mLoad);
    row->addWidget(buttons, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(&mHint);
    layout->addWidget(&mText, 1);
    layout->addWidget(&mSummary);
    layout->addLayout(row);
    const QFontMetrics fixed(mText.font());
    resize(fixed.horizontalAdvance(QString(72, 'x')), fixed.lineSpacing() * 22);
    mOk.setDefault(true);
    // Ready for a paste.
    mText.setFocus();

    connect(&mTransferFunction, &QRadioButton::toggled, this, &ImportDialog::Update);
    connect(&mText, &QPlainTextEdit::textChanged, this, &ImportDialog::Update);
    connect(&mLoad, &QPushButton::clicked, this, &ImportDialog::OnLoad);
    connect(&mOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(&mCancel, &QPushButton::clicked, this, &QDialog::reject);
    Update();
    CentreOverParent(*this);
}

void ImportDialog::OnLoad() {
    const QString path = mRunner.OpenFileName(
        this, FileDialogRequest{QStringLiteral("Coefficient Files (*.txt *.csv *.sos *.json);;"
                                               "All Files (*)"),
                                QString(), QString()});
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't read file \n") + path,
                        ModalRunner::Icon::Information);
        return;
    }
    if (file.size() > kMaxFileBytes) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("File too large for coefficients \n") + path,
                        ModalRunner::Icon::Information);
        return;
    }
    const QByteArray bytes = file.read(kMaxFileBytes);
    if (file.error() != QFileDevice::NoError) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't read file \n") + path,
                        ModalRunner::Icon::Information);
        return;
    }
    mText.setPlainText(QString::fromUtf8(bytes));
}

void ImportDialog::Update() {
    const bool sections = mSections.isChecked();
    mHint.setText(sections
                      ? QStringLiteral("One section a line: b0 b1 b2 a0 a1 a2, as Second-Order "
                                       "Sections writes them; or JSON {\"sos\": [[...], ...]}.")
                      : QStringLiteral("Two lines, b then a, in powers of z^-1, numbers "
                                       "apart by spaces or commas; or JSON {\"b\": [...], "
                                       "\"a\": [...]}."));
    mDesign = FNodeList();
    const std::string text = mText.toPlainText().toStdString();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        mSummary.setText(QString());
        mOk.setEnabled(false);
        return;
    }
    const CoefficientImport imported =
        sections ? ImportSectionsText(text) : ImportTransferFunctionText(text);
    if (!imported.Ok()) {
        mSummary.setText(QString::fromStdString(FormatC("Line %d: ", imported.problem.line) +
                                                imported.problem.reason));
        mOk.setEnabled(false);
        return;
    }
    imported.zpk.AddToNodeList(&mDesign);
    const auto count = [](size_t n, const char* root) {
        return FormatC("%zu %s%s", n, root, n == 1 ? "" : "s");
    };
    std::string summary = count(imported.zpk.zeros.size(), "zero") + " and " +
                          count(imported.zpk.poles.size(), "pole") + ".";
    if (imported.zpk.gain != 1.0) {
        summary += FormatC(" The gain %g is not kept (designs carry no gain).", imported.zpk.gain);
    }
    mSummary.setText(QString::fromStdString(summary));
    mOk.setEnabled(true);
}
