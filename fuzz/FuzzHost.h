// The host every fuzz program runs in, set up once per process.
#pragma once

#include <string_view>

class HostSession;

// The host with the module loaded and one drawing open as the current
// document, in a project folder made in a scratch directory that is also the
// working directory (anything an input writes stays there; removed at exit).
// The example product layer is loaded when ORVANE_SUPPORT finds it.
// Command-line output is discarded.
HostSession& fuzzHost();

// Replaces the current document by a new empty drawing of the project, so
// that each input starts from the same state.
void freshFuzzDocument();

// Whether an AutoLISP form's text mentions a word the fuzz programs leave out:
// loops that need not end, and functions that reach outside the scratch
// directory or the process (files, environment, documents, the module).
bool mentionsUnboundedOrOutside(std::string_view text);
