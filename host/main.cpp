// gaugehost: the substitute simulator for gauge modules. See docs/ for how to use it.
#include <iostream>

#include "host/cli/cli.h"

int main(int argc, char** argv) { return gaugehost::run_cli(argc, argv, std::cout, std::cerr); }
