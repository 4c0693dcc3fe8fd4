#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace quorvenda {

// Runs quorvenda-trace's command line: the drawing calls of one repaint go to
// `out`, one a line, and a usage error to `err`. Returns the exit code: 0, 1
// when `out` could not be written, 2 for a bad argument.
int runTrace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvenda
