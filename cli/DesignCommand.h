#pragma once

struct Invocation;

// qen design FAMILY TYPE --order N --corner HZ [...]: writes a standard design as a
// .pzd file. An argument that cannot make a design is a usage error naming it.
int RunDesign(const Invocation& run);
