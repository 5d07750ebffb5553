#include "platform/net/port_by_name.h"

#include "platform/net/network_address.h"

namespace tarvo::platform::net {

bool PortByName::Open(const std::string& path, std::string& reason) {
  active_->Close();
  active_ = IsNetworkPortName(path) ? network_.get() : device_.get();
  return active_->Open(path, reason);
}

}  // namespace tarvo::platform::net
