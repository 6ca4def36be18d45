#pragma once

class CSoundDevice;
struct Invocation;

// qen play DESIGN.pzd INPUT [--loop] [--device NAME] [--latency MS] | qen play
// --list-devices: plays a sound file through the design on a sound device, with the
// desktop program's live stream engine, until the file ends (or, looped, until SIGINT,
// SIGTERM, SIGHUP, SIGQUIT or SIGPIPE); or lists the devices. A stream that is lost
// ends it with a failure within a second; dropouts are counted at the end.
int RunPlay(const Invocation& run);
// RunPlay on the devices device reaches.
int PlayOn(CSoundDevice& device, const Invocation& run);
