#include "core/FNode.h"

#include "core/FormatC.h"

#include <cstdio>

std::string FNode::DumpText() const {
    return FormatC("Node: %s order %d at %f %fi \n", mType == kNodePole ? "Pole" : "Zero", mOrder,
                   mValue.r, mValue.i);
}

void FNode::PrintToStream() const {
    std::fputs(DumpText().c_str(), stdout);
}

bool operator==(const FNode& a, const FNode& b) {
    return a.Value() == b.Value() && a.Order() == b.Order() && a.Type() == b.Type() &&
           a.Conjugate() == b.Conjugate();
}
