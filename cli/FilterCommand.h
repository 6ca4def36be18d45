#pragma once

struct Invocation;

// qen filter DESIGN.pzd INPUT OUTPUT: runs the design over a sound file as the desktop
// program's Filter Audio File command does. A progress bar goes to err only when
// standard error is a terminal and --quiet is not given; SIGINT, SIGTERM, SIGHUP,
// SIGQUIT and SIGPIPE stop the run and leave OUTPUT as it was.
int RunFilter(const Invocation& run);
