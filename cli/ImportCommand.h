#pragma once

struct Invocation;

// qen import (--ba FILE | --sos FILE): a design file of the roots of a filter given as
// the coefficients of H(z) or of second-order sections, in text or JSON; "-" reads
// standard input. The gain is dropped, as design files carry none, and said so.
int RunImport(const Invocation& run);
