#pragma once

#include "core/FComplex.h"

#include <string>

// Node type codes; also bit flags for FNodeList::Clear.
inline constexpr int kNodeNone = 1;
inline constexpr int kNodePole = 2;
inline constexpr int kNodeZero = 4;
inline constexpr int kNodeBoth = kNodePole | kNodeZero;

// One pole or zero. A node whose conjugate flag is set stands for a conjugate pair:
// its value and the mirror image of it across the real axis.
class FNode {
public:
    // A pole at the origin standing for a pair, order 1.
    FNode() = default;
    FNode(int type, FComplex value, bool conjugate, short order)
        : mValue(value), mOrder(order), mType(type), mConjugate(conjugate) {}

    int Type() const { return mType; }
    void SetType(int type) { mType = type; }
    // The multiplicity as entered; kept and compared, but not used by the analysis.
    short Order() const { return mOrder; }
    void SetOrder(short order) { mOrder = order; }
    FComplex Value() const { return mValue; }
    void SetValue(FComplex value) { mValue = value; }
    bool Conjugate() const { return mConjugate; }
    void SetConjugate(bool conjugate) { mConjugate = conjugate; }

    // "Node: Pole order 1 at 0.500000 0.500000i \n"
    std::string DumpText() const;
    void PrintToStream() const;

    // The none node: the result of a failed search or an out-of-range look-up.
    static FNode None() { return FNode(kNodeNone, FComplex(), true, 1); }

private:
    FComplex mValue;
    short mOrder = 1;
    int mType = kNodePole;
    bool mConjugate = true;
};

// Values equal within 1e-6 per part, and order, type and conjugate flag identical.
bool operator==(const FNode& a, const FNode& b);
