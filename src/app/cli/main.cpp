#include <iostream>
#include <string>
#include <vector>

#include "app/cli/command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  tarvo::app::CliIo io{std::cout, std::cerr};
  return tarvo::app::RunTarvo(args, io);
}
