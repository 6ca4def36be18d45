#pragma once

// Format of the program's own node drags: the drag source sets it, the z-plane view
// refuses drags without it.
inline constexpr char kNodeDragFormat[] = "application/x-winqen-node";
