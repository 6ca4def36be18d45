#pragma once

struct Invocation;

// qen sos DESIGN.pzd: the second-order sections the design runs as, as text or JSON,
// optionally scaled to unit peak gain as the audio filter runs them (--normalize) or
// with every prefix of the cascade at unit peak gain (--scale peak).
int RunSos(const Invocation& run);
