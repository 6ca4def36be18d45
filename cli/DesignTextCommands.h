#pragma once

struct Invocation;

// qen info, hz and de: a design described in words, as its transfer function H(z) and as
// its difference equation. Each takes one design file.
int RunInfo(const Invocation& run);
int RunHz(const Invocation& run);
int RunDe(const Invocation& run);
