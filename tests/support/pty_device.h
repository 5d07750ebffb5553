#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>

#include "model/parameter_set.h"
#include "sim/configuration_image.h"
#include "sim/pty_server.h"

namespace tarvo::testing {

// The simulated device serving a pseudo-terminal from a thread of its own. An intercept, given
// before the thread starts, sees every request on that thread.
class PtyDevice {
 public:
  using Intercept = decltype(sim::Responder::intercept);

  PtyDevice(std::uint8_t exec, std::uint8_t version, sim::Faults faults, Intercept intercept = {})
      : device_({exec, version, {0, 0}}), responder_(device_, faults), server_(responder_) {
    model::ParameterSet set{};
    model::MakeNewConfiguration(set, exec, version);
    std::string message;
    EXPECT_TRUE(sim::LoadConfiguration(device_, set, message));
    responder_.intercept = std::move(intercept);
    std::string error;
    EXPECT_TRUE(server_.Open(path_, error)) << error;
    thread_ = std::thread([this] { server_.Serve(stop_); });
  }
  ~PtyDevice() {
    stop_ = true;
    thread_.join();
  }
  PtyDevice(const PtyDevice&) = delete;
  PtyDevice& operator=(const PtyDevice&) = delete;

  const std::string& path() const { return path_; }
  sim::DeviceModel& device() { return device_; }

 private:
  sim::DeviceModel device_;
  sim::Responder responder_;
  sim::PtyServer server_;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace tarvo::testing
