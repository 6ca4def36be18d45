#pragma once

struct Invocation;

// qen freq, delay, impulse, step and ramp: a design's frequency response, group delay
// and time responses as points, one line each. Each takes one design file.
int RunFreq(const Invocation& run);
int RunDelay(const Invocation& run);
int RunImpulse(const Invocation& run);
int RunStep(const Invocation& run);
int RunRamp(const Invocation& run);
