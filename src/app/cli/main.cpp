#include <iostream>
#include <string>
#include <vector>

#include "app/cli/command.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = tarvo::platform::StartConsole(argc, argv);
  tarvo::app::CliIo io{std::cout, std::cerr};
  return tarvo::app::RunTarvo(args, io);
}
