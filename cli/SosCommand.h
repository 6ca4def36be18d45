#pragma once

struct Invocation;

// qen sos DESIGN.pzd: the second-order sections the design runs as, as text or JSON,
// optionally scaled to unit peak gain as the audio filter runs them.
int RunSos(const Invocation& run);
