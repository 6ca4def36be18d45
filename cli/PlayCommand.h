#pragma once

struct Invocation;

// qen play DESIGN.pzd INPUT | qen play --list-devices: plays a sound file through the
// design on a sound device, with the desktop program's live stream engine, until the
// file ends (or, looped, until SIGINT, SIGTERM or SIGHUP); or lists the devices.
int RunPlay(const Invocation& run);
