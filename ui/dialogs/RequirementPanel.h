#pragma once

#include "design/iir/FStandardDesign.h"
#include "design/requirement/Requirement.h"
#include "ui/widgets/CheckedField.h"

#include <QColor>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <array>
#include <optional>

class DesignDocument;
class ModalRunner;

// "Magnitude Specification": a panel beside the main window for the magnitude
// requirement of a document's design. The user enters the type, the band edges in Hz at
// the sampling rate, the ripple and the attenuation, each entry checked as it is typed
// (a red frame and a tooltip with what is valid); a table gives the lowest order each
// family needs for them, kept up to date as they change. Design puts the chosen family's
// design in place of the present one together with the requirement, Apply holds the
// present design to the entries; each is one step to undo. A line at the foot gives the
// verdict on the design, following every edit, also during a drag. The entries show the
// document's requirement whenever that changes. Closing deletes the panel.
class RequirementPanel : public QDialog {
    Q_OBJECT
public:
    // The families of the table, in its order: those with a minimum-order rule.
    static constexpr std::array<FStandardDesign::Family, 4> kFamilies = {
        FStandardDesign::Family::Butterworth, FStandardDesign::Family::Chebyshev,
        FStandardDesign::Family::InverseChebyshev, FStandardDesign::Family::Elliptic};

    // rate: the sampling rate in Hz the edges are at.
    RequirementPanel(ModalRunner& runner, DesignDocument& document, int rate,
                     QWidget* parent = nullptr);

    // The entries are checked again at the new rate; they keep their values in Hz.
    void SetSampleRate(int rate);

    // The requirement the entries describe; nullopt while one of them is bad.
    std::optional<Requirement> Entered() const;

    // Designs the family of the table's chosen row for the entries and puts it in place
    // with the requirement; an order above the largest there is, or a design that comes
    // out unstable, is explained instead.
    void OnDesign();
    // Gives the design the entries as its requirement.
    void OnApply();

    // The verdict on document's design at rate, and the colour to show it in:
    // "Meets specification" in green, "Stopband short by 2.3 dB" in red, a requirement
    // whose edges lie beyond half the rate in red; empty without a requirement.
    struct Verdict {
        QString text;
        QColor colour;
    };
    static Verdict VerdictOf(const DesignDocument& document, double rate);

    QComboBox& TypeList() { return mType; }
    // index 0 is the lower edge; index 1 serves the band types only.
    CheckedField& PassbandEdge(int index) { return mPassband[static_cast<size_t>(index)]; }
    CheckedField& StopbandEdge(int index) { return mStopband[static_cast<size_t>(index)]; }
    CheckedField& Ripple() { return mRipple; }
    CheckedField& Attenuation() { return mAttenuation; }
    // One row a family, in the order of kFamilies: name, order, corners in Hz.
    QTableWidget& Orders() { return mOrders; }
    QPushButton& DesignButton() { return mDesign; }
    QPushButton& ApplyButton() { return mApply; }
    QLabel& VerdictLine() { return mVerdict; }

private:
    FStandardDesign::Band ChosenBand() const;
    // The entries as they stand, good or bad.
    Requirement Read() const;
    // Puts a requirement into the entries.
    void Fill(const Requirement& req);
    // The entries take the document's requirement, when it has one.
    void ShowDocumentRequirement();
    // A new type keeps the edges that fit it, else takes edges that do.
    void OnTypeChanged();
    // Checks every entry, refreshes the table and offers the buttons that can act.
    void Validate();
    // What is wrong with an entry of a group (Passband, Stopband, Ripple, Attenuation);
    // empty when it is good or not in use.
    QString Problem(Requirement::Problem group, bool used) const;
    void UpdateOrders(const std::optional<Requirement>& req);
    void ShowVerdict();

    ModalRunner& mRunner;
    DesignDocument& mDocument;
    int mRate;
    QComboBox mType;
    std::array<CheckedField, 2> mPassband;
    std::array<CheckedField, 2> mStopband;
    CheckedField mRipple;
    CheckedField mAttenuation;
    QTableWidget mOrders;
    QPushButton mDesign;
    QPushButton mApply;
    QPushButton mClose;
    QLabel mVerdict;
};
