#include "app/cli/sim_serve.h"

namespace tarvo::app {

// The simulator answers on a pseudo-terminal, which Windows does not have.
const char* SimulatorUnavailable() {
  return "Имитатор вычислителя в Windows недоступен: он работает только в Linux, на "
         "псевдотерминале.";
}

bool ServeUntilStopped(sim::Responder&, CliIo&, const SimLine&,
                       const std::function<void(const std::string&)>&, std::string& error) {
  error = SimulatorUnavailable();
  return false;
}

}  // namespace tarvo::app
