#pragma once

// Drag codes: the kind of node being dragged, also the glyph codes of the z-plane view.
inline constexpr int kDragPairBit = 2;
inline constexpr int kDragPole = 16;
inline constexpr int kDragPolePair = kDragPole | kDragPairBit;
inline constexpr int kDragZero = 32;
inline constexpr int kDragZeroPair = kDragZero | kDragPairBit;

// The node drag under way, which the palette or the z-plane view starts and the
// z-plane view's drop target follows: its drag code (kDragPole ... kDragZeroPair) and
// the index of the dragged node in its list, -1 while a palette node is not yet placed.
inline int gDragType = 0;
inline int gDragIndex = 0;
