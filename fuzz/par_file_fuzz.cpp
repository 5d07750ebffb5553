// Any bytes as a parameter file: the reader never crashes, refuses or reads whole, and what it
// reads survives a write and a second read unchanged.
#include <cstdlib>
#include <cstring>

#include "model/par_file.h"

using namespace tarvo::model;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ParameterSet set{};
  set.Reset();
  const ParameterSet before = set;
  const ParReadResult result = ReadParameterBytes({data, size}, set);
  if (!result.ok) {
    if (!set.SameContent(before) || result.reason.empty()) std::abort();
    return 0;
  }
  if (set.channelCount < 0 || set.channelCount > kMaxChannels || set.nodeCount < 0 ||
      set.nodeCount > kMaxNodes) {
    std::abort();
  }
  const auto written = WriteParameterBytes(set);
  if (written.size() != kParFileSize) std::abort();
  ParameterSet again{};
  again.Reset();
  if (!ReadParameterBytes(written, again).ok || !again.SameContent(set)) std::abort();
  return 0;
}
