#pragma once

class QObject;

// The record of the node-update notification: a view that changed the design (or is
// dragging a node over it) tells the main window, which has the workspace tell every
// other view what to redraw. Delivered synchronously, so it may live on the sender's
// stack.
struct NodeUpdateMsg {
    // The sender, spared its own refresh; null when no view is to be spared.
    const QObject* who = nullptr;
    // Bits of the kUpdate... values below.
    int what = 0;
    // The node's index in its list where the kind needs one; -1 otherwise.
    int index = -1;
};

inline constexpr int kUpdateAdded = 1;
inline constexpr int kUpdateChanged = 2;
// A node or nodes removed, or the whole design replaced.
inline constexpr int kUpdateRemoved = 4;
// Highlight node index in its list.
inline constexpr int kUpdateSelect = 8;
// The design changed during a drag; only the compact response follows.
inline constexpr int kUpdateLiveDrag = 16;
inline constexpr int kUpdatePoles = 32;
inline constexpr int kUpdateZeros = 64;

// Drag codes: the kind of node being dragged, also the glyph codes of the z-plane view.
inline constexpr int kDragPairBit = 2;
inline constexpr int kDragPole = 16;
inline constexpr int kDragPolePair = kDragPole | kDragPairBit;
inline constexpr int kDragZero = 32;
inline constexpr int kDragZeroPair = kDragZero | kDragPairBit;

// The list bit (kUpdatePoles or kUpdateZeros) for a node type of FNode.
constexpr int ListBitOfType(int nodeType) {
    return nodeType == 2 ? kUpdatePoles : kUpdateZeros;
}
