#include "core/FNodeList.h"

#include <algorithm>
#include <cstdio>

std::vector<FNode>* FNodeList::ListOf(int type) {
    if (type == kNodePole) {
        return &mPoles;
    }
    return type == kNodeZero ? &mZeros : nullptr;
}

const std::vector<FNode>* FNodeList::ListOf(int type) const {
    return const_cast<FNodeList*>(this)->ListOf(type);
}

int FNodeList::RootCount(int type) const {
    const std::vector<FNode>* list = ListOf(type);
    if (list == nullptr) {
        return 0;
    }
    int count = 0;
    for (const FNode& n : *list) {
        count += n.Conjugate() ? 2 : 1;
    }
    return count;
}

bool FNodeList::Causal() const {
    return RootCount(kNodePole) >= RootCount(kNodeZero);
}

void FNodeList::AddNode(const FNode& n) {
    std::vector<FNode>* list = ListOf(n.Type());
    if (list != nullptr && list->size() < static_cast<size_t>(kMaxNodes)) {
        list->insert(list->begin(), n);
    }
}

void FNodeList::RemoveNode(const FNode& n) {
    std::vector<FNode>* list = ListOf(n.Type());
    if (list == nullptr) {
        return;
    }
    const auto found = std::find(list->begin(), list->end(), n);
    if (found != list->end()) {
        list->erase(found);
    }
}

void FNodeList::RemoveNode(int type, short index) {
    RemoveNode(GetNodeByIndex(type, index));
}

void FNodeList::ReplaceNode(const FNode& oldNode, const FNode& newNode) {
    std::vector<FNode>* list = ListOf(oldNode.Type());
    if (list == nullptr) {
        return;
    }
    const auto found = std::find(list->begin(), list->end(), oldNode);
    if (found != list->end()) {
        *found = newNode;
    }
}

void FNodeList::ReplaceNodeValue(int type, short index, FComplex value) {
    std::vector<FNode>* list = ListOf(type);
    if (list != nullptr && index >= 0 && static_cast<size_t>(index) < list->size()) {
        (*list)[static_cast<size_t>(index)].SetValue(value);
    }
}

FNode FNodeList::FindInList(std::vector<FNode>& list, FComplex p) {
    double best = -1.0;
    FNode* chosen = nullptr;
    for (FNode& node : list) {
        const double d = p.MagDifference(node.Value());
        if (best == -1.0) {
            best = d + 1.0;
        }
        if (d < best) {
            chosen = &node;
            best = d;
        }
        if (node.Conjugate()) {
            const double d2 = p.MagDifference(node.Value().Conj());
            if (d2 < best) {
                chosen = &node;
                best = d2;
                // The stored member of the pair becomes the one nearest p, so that the
                // copy handed out can be found again by equality.
                node.SetValue(node.Value().Conj());
            }
        }
    }
    return chosen != nullptr ? *chosen : FNode::None();
}

FNode FNodeList::FindClosestNode(FComplex p, double maxDistance) {
    FNode pole;
    FNode zero;
    double poleDistance = -1.0;
    double zeroDistance = -1.0;
    if (!mPoles.empty()) {
        pole = FindInList(mPoles, p);
        if (pole.Type() != kNodeNone) {
            poleDistance = p.MagDifference(pole.Value());
            if (poleDistance > maxDistance) {
                poleDistance = -1.0;
            }
        }
    }
    if (!mZeros.empty()) {
        zero = FindInList(mZeros, p);
        if (zero.Type() != kNodeNone) {
            zeroDistance = p.MagDifference(zero.Value());
            if (zeroDistance > maxDistance) {
                zeroDistance = -1.0;
            }
        }
    }
    if (poleDistance >= 0.0 && zeroDistance >= 0.0) {
        return poleDistance < zeroDistance ? pole : zero;
    }
    if (poleDistance >= 0.0) {
        return pole;
    }
    if (zeroDistance >= 0.0) {
        return zero;
    }
    zero.SetType(kNodeNone);
    return zero;
}

int FNodeList::GetIndexOfNode(const FNode& n) const {
    const std::vector<FNode>* list = ListOf(n.Type());
    if (list == nullptr) {
        return -1;
    }
    const auto found = std::find(list->begin(), list->end(), n);
    return found == list->end() ? -1 : static_cast<int>(found - list->begin());
}

FNode FNodeList::GetNodeByIndex(int type, short index) const {
    const std::vector<FNode>* list = ListOf(type);
    if (list == nullptr || index < 0 || static_cast<size_t>(index) >= list->size()) {
        return FNode::None();
    }
    return (*list)[static_cast<size_t>(index)];
}

short FNodeList::GetListCount(int type) const {
    const std::vector<FNode>* list = ListOf(type);
    return list == nullptr ? short(-1) : static_cast<short>(list->size());
}

std::string FNodeList::DumpText() const {
    std::string text = "Contents of the node list \n";
    for (const FNode& n : mPoles) {
        text += "\t" + n.DumpText();
    }
    for (const FNode& n : mZeros) {
        text += "\t" + n.DumpText();
    }
    return text;
}

void FNodeList::PrintToStream() const {
    std::fputs(DumpText().c_str(), stdout);
}

void FNodeList::Clear(int mask) {
    if ((mask & kNodePole) != 0) {
        mPoles.clear();
    }
    if ((mask & kNodeZero) != 0) {
        mZeros.clear();
    }
}
