// Developer tool: solves a saved scenario headless and prints its steps.
#include <iostream>
#include <string>
#include <vector>

#include "document/SolveTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return document::RunSolveTool(args, std::cout, std::cerr);
}
