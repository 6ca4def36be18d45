#pragma once

#include "core/FNode.h"

#include <string>
#include <vector>

// The design: a list of poles and a list of zeros. New nodes go to the head, so
// index 0 is the node added last. Nodes are handed out as copies and found again by
// equality (FNode ==). Operations on a type other than pole or zero do nothing.
class FNodeList {
public:
    // Each list holds at most this many nodes (counts are 16-bit).
    static constexpr int kMaxNodes = 32767;

    // True when the poles are at least as many as the zeros, a conjugate node
    // counting twice.
    bool Causal() const;
    // Number of roots of one type: one per node, two for a conjugate node.
    int RootCount(int type) const;

    // Inserts a copy at the head of its list; ignored for other types or a full list.
    void AddNode(const FNode& n);
    // Removes the first node (from the head) equal to n.
    void RemoveNode(const FNode& n);
    void RemoveNode(int type, short index);
    // Overwrites the first node equal to oldNode with newNode; the node keeps its place.
    void ReplaceNode(const FNode& oldNode, const FNode& newNode);
    void ReplaceNodeValue(int type, short index, FComplex value);

    // The node nearest p, a pole or a zero, within maxDistance (inclusive); a tie goes
    // to the zero. Type 1 when nothing lies that close. When the mirror image of a
    // conjugate node is nearer than the stored value, the stored value is flipped to
    // that image, so the returned copy can be found again by equality.
    FNode FindClosestNode(FComplex p, double maxDistance);

    // 0-based position of the first node equal to n in its list, or -1.
    int GetIndexOfNode(const FNode& n) const;
    // A copy of the node at index, or the none node when out of range.
    FNode GetNodeByIndex(int type, short index) const;
    // Number of nodes of a type (a pair counts once); -1 for other types.
    short GetListCount(int type) const;

    std::string DumpText() const;
    void PrintToStream() const;
    // mask: bit 2 clears the poles, bit 4 the zeros.
    void Clear(int mask);

private:
    std::vector<FNode>* ListOf(int type);
    const std::vector<FNode>* ListOf(int type) const;
    static FNode FindInList(std::vector<FNode>& list, FComplex p);

    // Element 0 is the head.
    std::vector<FNode> mZeros;
    std::vector<FNode> mPoles;
};
