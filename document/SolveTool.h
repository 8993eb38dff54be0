// The developer tool tavro2-solve:
//   tavro2-solve [--seed N] [--out DIR] FILE.tvr
// opens the scenario, solves it as Solve does (messages go to standard
// error), writes the dump files into DIR (default: the current directory)
// and prints one header line and one TAB-separated line per model step.
// Exit status 0 only when the solve ran.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace document {

// The column names of the step lines, in order.
extern const char* const kSolveToolColumns[18];

int RunSolveTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace document
