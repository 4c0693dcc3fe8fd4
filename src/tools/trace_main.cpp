// quorvenda-trace: runs one repaint against the recording surface and prints
// what it draws on the off-screen surface, one call a line, so that anyone can
// see without Windows what the dial shows for a day, a window size and a pair
// of data files.
#include <iostream>
#include <string>
#include <vector>

#include "tools/trace_run.h"

int main(int argc, char** argv) {
    return quorvenda::runTrace(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
