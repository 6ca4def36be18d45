#pragma once

struct Invocation;

// qen export DESIGN.pzd --format c|python|json|csv: the design's peak-scaled sections in
// an arithmetic, as code or data for another program (ExportText).
int RunExport(const Invocation& run);
