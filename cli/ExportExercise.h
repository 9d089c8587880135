// titralab-export's exercise commands: making an exercise from a description, recording a
// student's answers into their file, and marking answered files against the key.
#pragma once

namespace titralab::cli {

// The command line asks for one of them: --make-exercise, --mark-exercise, --student or
// --answer.
bool asksForExercise(int argc, char** argv);

// Runs it; returns the tool's exit status (0 done, 1 a file refused or not written, 2 a
// command line refused).
int runExercise(int argc, char** argv);

} // namespace titralab::cli
