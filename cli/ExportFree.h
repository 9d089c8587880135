// titralab-export --study free: a titration of any solution by any solution, typed as lists of
// items, computed by the general engine.
#pragma once

namespace titralab::cli {

// Whether the command line asks for the free study ("--study free").
bool asksForFreeStudy(int argc, char** argv);

// Reads the free study's options, computes and prints; returns the tool's exit status.
int runFreeStudy(int argc, char** argv);

} // namespace titralab::cli
