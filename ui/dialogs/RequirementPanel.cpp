#include "ui/dialogs/RequirementPanel.h"

#include "design/requirement/MinimumOrder.h"
#include "filter/Zpk.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>

namespace {

using Band = FStandardDesign::Band;
using Family = FStandardDesign::Family;

const char* FamilyName(Family family) {
    switch (family) {
    case Family::Butterworth:
        return "Butterworth";
    case Family::Chebyshev:
        return "Chebyshev";
    case Family::InverseChebyshev:
        return "Chebyshev II";
    case Family::Elliptic:
        return "Elliptic";
    case Family::Bessel:
        break;
    }
    return "Bessel";
}

// Edges that fit the type at a rate: the passband edge of a low-pass at an eighth of
// the rate (1000 Hz at 8000 Hz), its stopband half as far again, the others alike.
Requirement DefaultEdges(Requirement req, double rate) {
    const double f = rate / 8.0;
    switch (req.band) {
    case Band::Lowpass:
        req.passband = {f, 0.0};
        req.stopband = {1.5 * f, 0.0};
        break;
    case Band::Highpass:
        req.passband = {1.5 * f, 0.0};
        req.stopband = {f, 0.0};
        break;
    case Band::Bandpass:
        req.passband = {f, 2.0 * f};
        req.stopband = {0.5 * f, 2.5 * f};
        break;
    case Band::Bandstop:
        req.passband = {0.5 * f, 2.5 * f};
        req.stopband = {f, 2.0 * f};
        break;
    }
    return req;
}

QString Hz(double hz) {
    return QString::number(hz, 'f', 1);
}

// A green dark enough to read on the button face.
const QColor kMet(0, 128, 0);

} // namespace

RequirementPanel::RequirementPanel(ModalRunner& runner, DesignDocument& document, int rate,
                                   QWidget* parent)
    : QDialog(parent), mRunner(runner), mDocument(document), mRate(rate),
      mOrders(static_cast<int>(kFamilies.size()), 3), mDesign(QStringLiteral("&Design")),
      mApply(QStringLiteral("&Apply")), mClose(QStringLiteral("Close")) {
    setWindowTitle(QStringLiteral("Magnitude Specification"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(DialogFont());
    auto* grid = new QGridLayout(this);
    const auto label = [this](const char* text) {
        return new QLabel(QString::fromLatin1(text), this);
    };
    grid->addWidget(label("Type"), 0, 0);
    for (const char* type : {"Lowpass", "Highpass", "Bandpass", "Bandstop"}) {
        mType.addItem(QString::fromLatin1(type));
    }
    grid->addWidget(&mType, 0, 1);
    grid->addWidget(label("Passband edges (Hz)"), 1, 0);
    grid->addWidget(label("Stopband edges (Hz)"), 2, 0);
    for (int k = 0; k < 2; ++k) {
        grid->addWidget(&mPassband[static_cast<size_t>(k)], 1, 1 + k);
        grid->addWidget(&mStopband[static_cast<size_t>(k)], 2, 1 + k);
    }
    grid->addWidget(label("Passband ripple (dB)"), 3, 0);
    grid->addWidget(&mRipple, 3, 1);
    grid->addWidget(label("Stopband attenuation (dB)"), 4, 0);
    grid->addWidget(&mAttenuation, 4, 1);

    mOrders.setHorizontalHeaderLabels(
        {QStringLiteral("Family"), QStringLiteral("Order"), QStringLiteral("Corners (Hz)")});
    mOrders.verticalHeader()->hide();
    mOrders.horizontalHeader()->setStretchLastSection(true);
    mOrders.setSelectionBehavior(QAbstractItemView::SelectRows);
    mOrders.setSelectionMode(QAbstractItemView::SingleSelection);
    mOrders.setEditTriggers(QAbstractItemView::NoEditTriggers);
    mOrders.setToolTip(QStringLiteral("The lowest order of each family that meets the entries; "
                                      "choose a row and Design, or double-click it"));
    for (int row = 0; row < mOrders.rowCount(); ++row) {
        for (int column = 0; column < mOrders.columnCount(); ++column) {
            mOrders.setItem(row, column, new QTableWidgetItem());
        }
        mOrders.item(row, 0)->setText(
            QString::fromLatin1(FamilyName(kFamilies[static_cast<size_t>(row)])));
    }
    mOrders.selectRow(0);
    // Every row in view without scrolling.
    mOrders.setFixedHeight(mOrders.horizontalHeader()->sizeHint().height() +
                           mOrders.rowCount() * mOrders.verticalHeader()->defaultSectionSize() +
                           2 * mOrders.frameWidth());
    grid->addWidget(&mOrders, 5, 0, 1, 3);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    for (QPushButton* button : {&mDesign, &mApply, &mClose}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    mDesign.setToolTip(QStringLiteral("Puts the chosen family's design in place of the present "
                                      "one, held to the entries"));
    mApply.setToolTip(QStringLiteral("Holds the present design to the entries"));
    grid->addLayout(buttons, 6, 0, 1, 3);
    grid->addWidget(&mVerdict, 7, 0, 1, 3);

    mPassband[0].SetCheck([this](double) { return Problem(Requirement::Problem::Passband, true); });
    mPassband[1].SetCheck([this](double) {
        return Problem(Requirement::Problem::Passband, FStandardDesign::IsBand(ChosenBand()));
    });
    mStopband[0].SetCheck([this](double) { return Problem(Requirement::Problem::Stopband, true); });
    mStopband[1].SetCheck([this](double) {
        return Problem(Requirement::Problem::Stopband, FStandardDesign::IsBand(ChosenBand()));
    });
    mRipple.SetCheck([this](double) { return Problem(Requirement::Problem::Ripple, true); });
    mAttenuation.SetCheck(
        [this](double) { return Problem(Requirement::Problem::Attenuation, true); });

    if (document.Requirement()) {
        Fill(*document.Requirement());
    } else {
        Fill(DefaultEdges(Requirement(), rate));
    }
    for (CheckedField* field :
         {&mPassband[0], &mPassband[1], &mStopband[0], &mStopband[1], &mRipple, &mAttenuation}) {
        connect(field, &QLineEdit::textChanged, this, &RequirementPanel::Validate);
    }
    connect(&mType, &QComboBox::currentIndexChanged, this, &RequirementPanel::OnTypeChanged);
    connect(&mDesign, &QPushButton::clicked, this, &RequirementPanel::OnDesign);
    connect(&mApply, &QPushButton::clicked, this, &RequirementPanel::OnApply);
    connect(&mClose, &QPushButton::clicked, this, &QWidget::close);
    connect(&mOrders, &QTableWidget::itemSelectionChanged, this, &RequirementPanel::Validate);
    connect(&mOrders, &QTableWidget::cellDoubleClicked, this, &RequirementPanel::OnDesign);
    connect(&document, &DesignDocument::requirementChanged, this,
            &RequirementPanel::ShowDocumentRequirement);
    connect(&document, &DesignDocument::requirementChanged, this, &RequirementPanel::ShowVerdict);
    connect(&document, &DesignDocument::designReplaced, this, &RequirementPanel::ShowVerdict);
    connect(&document, &DesignDocument::nodeChanged, this, &RequirementPanel::ShowVerdict);
    connect(&document, &DesignDocument::nodeDragged, this, &RequirementPanel::ShowVerdict);
    Validate();
    ShowVerdict();
}

void RequirementPanel::SetSampleRate(int rate) {
    mRate = rate;
    Validate();
    ShowVerdict();
}

Band RequirementPanel::ChosenBand() const {
    return static_cast<FStandardDesign::Band>(std::max(mType.currentIndex(), 0));
}

Requirement RequirementPanel::Read() const {
    Requirement req;
    req.band = ChosenBand();
    // The second edges of a low-pass or high-pass are 0, as in a requirement read from a
    // file, so that the same requirement compares equal.
    const bool band = FStandardDesign::IsBand(req.band);
    req.passband = {mPassband[0].Value(), band ? mPassband[1].Value() : 0.0};
    req.stopband = {mStopband[0].Value(), band ? mStopband[1].Value() : 0.0};
    req.rippleDb = mRipple.Value();
    req.attenuationDb = mAttenuation.Value();
    return req;
}

std::optional<Requirement> RequirementPanel::Entered() const {
    const Requirement req = Read();
    if (req.CheckAtRate(mRate) != Requirement::Problem::None) {
        return std::nullopt;
    }
    return req;
}

void RequirementPanel::Fill(const Requirement& req) {
    {
        // The fields are filled below; a new type must not put edges of its own there.
        const QSignalBlocker quiet(mType);
        mType.setCurrentIndex(static_cast<int>(req.band));
    }
    const auto put = [](CheckedField& field, double value) {
        // A value typed differently ("1e3") stays as it was typed.
        if (field.Value() != value) {
            field.SetValue(value);
        }
    };
    const bool band = FStandardDesign::IsBand(req.band);
    for (size_t k = 0; k < 2; ++k) {
        if (k == 0 || band) {
            put(mPassband[k], req.passband[k]);
            put(mStopband[k], req.stopband[k]);
        }
    }
    put(mRipple, req.rippleDb);
    put(mAttenuation, req.attenuationDb);
    Validate();
}

void RequirementPanel::ShowDocumentRequirement() {
    if (mDocument.Requirement()) {
        Fill(*mDocument.Requirement());
    } else {
        Validate();
    }
}

void RequirementPanel::OnTypeChanged() {
    Requirement req = Read();
    if (req.CheckAtRate(mRate) != Requirement::Problem::None) {
        req = DefaultEdges(req, mRate);
    }
    Fill(req);
}

QString RequirementPanel::Problem(Requirement::Problem group, bool used) const {
    if (!used || Read().CheckAtRate(mRate) != group) {
        return QString();
    }
    const bool band = FStandardDesign::IsBand(ChosenBand());
    const QString edges =
        band ? QStringLiteral("Frequencies above 0 Hz and below %1 Hz (half the sampling rate), "
                              "the lower first")
                   .arg(mRate / 2.0)
             : QStringLiteral("A frequency above 0 Hz and below %1 Hz, half the sampling rate")
                   .arg(mRate / 2.0);
    switch (group) {
    case Requirement::Problem::Passband:
        return edges;
    case Requirement::Problem::Stopband: {
        const char* place[] = {"above the passband edge", "below the passband edge",
                               "outside the passband", "inside the passband"};
        return edges + QStringLiteral(", ") +
               QString::fromLatin1(place[static_cast<int>(ChosenBand())]);
    }
    case Requirement::Problem::Ripple:
        return QStringLiteral("Decibels above 0, at most %1").arg(FStandardDesign::kMaxDecibels);
    case Requirement::Problem::Attenuation:
        return QStringLiteral("Decibels above %1, at most %2")
            .arg(mRipple.Value())
            .arg(FStandardDesign::kMaxDecibels);
    case Requirement::Problem::Rate:
    case Requirement::Problem::None:
        break;
    }
    return QString();
}

void RequirementPanel::Validate() {
    const bool band = FStandardDesign::IsBand(ChosenBand());
    mPassband[1].setEnabled(band);
    mStopband[1].setEnabled(band);
    for (CheckedField* field :
         {&mPassband[0], &mPassband[1], &mStopband[0], &mStopband[1], &mRipple, &mAttenuation}) {
        field->Recheck();
    }
    const std::optional<Requirement> req = Entered();
    UpdateOrders(req);
    mDesign.setEnabled(req.has_value() && !mOrders.selectedItems().isEmpty());
    mApply.setEnabled(req.has_value() && req != mDocument.Requirement());
}

void RequirementPanel::UpdateOrders(const std::optional<Requirement>& req) {
    for (int row = 0; row < mOrders.rowCount(); ++row) {
        std::optional<FStandardDesign> design;
        if (req) {
            design = MinimumOrderDesign(kFamilies[static_cast<size_t>(row)], *req, mRate);
        }
        QString order;
        QString corners;
        if (design) {
            order = design->order == kOrderCap ? QStringLiteral("%1+").arg(kOrderCap)
                                               : QString::number(design->order);
            corners = FStandardDesign::IsBand(design->band)
                          ? Hz(design->corner) + QStringLiteral(", ") + Hz(design->corner2)
                          : Hz(design->corner);
        }
        mOrders.item(row, 1)->setText(order);
        mOrders.item(row, 2)->setText(corners);
        // Orders beyond what can be designed are shown, greyed.
        const bool designable = design && design->order <= FStandardDesign::kMaxOrder;
        mOrders.item(row, 1)->setForeground(designable ? palette().text().color()
                                                       : palette().placeholderText().color());
    }
}

void RequirementPanel::OnDesign() {
    const std::optional<Requirement> req = Entered();
    const QList<QTableWidgetItem*> chosen = mOrders.selectedItems();
    if (!req || chosen.isEmpty()) {
        return;
    }
    const Family family = kFamilies[static_cast<size_t>(chosen.front()->row())];
    const FStandardDesign design = *MinimumOrderDesign(family, *req, mRate);
    Zpk zpk;
    if (design.order > FStandardDesign::kMaxOrder) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("These limits need a %1 design of order %2%3; the largest "
                                       "order there is is %4.")
                            .arg(QString::fromLatin1(FamilyName(family)))
                            .arg(design.order)
                            .arg(design.order == kOrderCap ? QStringLiteral(" or more") : QString())
                            .arg(FStandardDesign::kMaxOrder),
                        ModalRunner::Icon::Information);
        return;
    }
    if (design.Design(&zpk) != FStandardDesign::Problem::None) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("The order %1 design these limits need has poles on or "
                                       "outside the unit circle at the precision of the computer. "
                                       "Widen the transition bands.")
                            .arg(design.order),
                        ModalRunner::Icon::Information);
        return;
    }
    FNodeList nodes;
    zpk.AddToNodeList(&nodes);
    mDocument.ReplaceDesign(nodes, req,
                            QString::fromLatin1(FamilyName(family)) + QStringLiteral(" Design"));
}

void RequirementPanel::OnApply() {
    if (const std::optional<Requirement> req = Entered()) {
        mDocument.ChangeRequirement(req, QStringLiteral("Set Mask"));
    }
}

RequirementPanel::Verdict RequirementPanel::VerdictOf(const DesignDocument& document, double rate) {
    if (!document.Requirement()) {
        return {};
    }
    const RequirementResult* check = document.RequirementCheck(rate);
    if (check == nullptr) {
        return {QStringLiteral("Edges beyond half the sampling rate"), Qt::red};
    }
    return {QString::fromStdString(check->Verdict()), check->Holds() ? kMet : QColor(Qt::red)};
}

void RequirementPanel::ShowVerdict() {
    Verdict verdict = VerdictOf(mDocument, mRate);
    if (verdict.text.isEmpty()) {
        verdict = {QStringLiteral("No mask yet: Design or Apply sets one"),
                   palette().placeholderText().color()};
    }
    mVerdict.setText(verdict.text);
    QPalette colours = mVerdict.palette();
    colours.setColor(QPalette::WindowText, verdict.colour);
    mVerdict.setPalette(colours);
}
