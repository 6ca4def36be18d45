#pragma once

struct Invocation;

// qen design FAMILY TYPE (--order N --corner HZ | --passband F --stopband F) [...] and
// qen design notch|peak --corner HZ --q Q: writes a design as a .pzd file, the minimum
// order's with its requirement. An argument that cannot make a design is a usage error
// naming it; a requirement beyond the largest order is a failure.
int RunDesign(const Invocation& run);
