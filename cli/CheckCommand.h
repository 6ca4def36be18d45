#pragma once

struct Invocation;

// qen check DESIGN.pzd [--rate HZ] [TYPE --passband F --stopband F ...]: the design's
// response against a requirement, from the options or else from the design file; one
// line per band with its worst value and margin. Exits 0 when every band holds, 1 when
// one misses, 2 without a requirement.
int RunCheck(const Invocation& run);
