// Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/): parameter files of every
// format version, the response streams of the simulated device for each variant and procedure
// in the input layout of exchange_fuzz, and example command lines. Usage: fuzz_seed_corpus
// CORPUS_DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "fuzz_support.h"
#include "model/device_variant.h"
#include "model/par_file.h"
#include "model/parameter_set.h"
#include "sim/configuration_image.h"
#include "sim/device_model.h"
#include "sim/in_process_port.h"
#include "support/old_par_file.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace {

void Save(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::string Hex(std::uint8_t value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02x", value);
  return text;
}

// One code of each variant.
std::vector<std::uint8_t> OneCodePerVariant() {
  std::vector<std::uint8_t> codes;
  for (const auto variant :
       {model::DeviceVariant::V, model::DeviceVariant::G, model::DeviceVariant::U,
        model::DeviceVariant::UV, model::DeviceVariant::L}) {
    codes.push_back(model::ExecutionCodesOf(variant).front());
  }
  return codes;
}

void WriteParFiles(const fs::path& dir) {
  const auto codes = OneCodePerVariant();
  // Every layout the reader knows: before and after each part a version added.
  const float versions[] = {1.04f, 1.05f, 1.06f, 1.09f, 1.10f, 1.12f, 1.13f};
  for (std::size_t i = 0; i < std::size(versions); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "v%.2f_%s.par", versions[i],
                  Hex(codes[i % codes.size()]).c_str());
    Save(dir / name, testing::OldFile(versions[i], codes[i % codes.size()], 2, 1));
  }
  for (const std::uint8_t code : codes) {
    model::ParameterSet set{};
    model::MakeNewConfiguration(set, code, 0x21);
    Save(dir / ("v1.16_" + Hex(code) + ".par"), model::WriteParameterBytes(set));
  }
}

// The input exchange_fuzz reads: code index, version, procedure, then for each request the
// action 200 (replace the response), its length and the response the device gave.
void WriteExchangeStreams(const fs::path& dir) {
  const auto all = model::AllExecutionCodes();
  const std::uint8_t version = 0x21;
  for (const std::uint8_t code : OneCodePerVariant()) {
    std::uint8_t index = 0;
    while (all[index] != code) ++index;
    for (std::uint8_t procedure = 0; procedure < 3; ++procedure) {
      fuzz::HeldConfiguration held = fuzz::HoldNewConfiguration(code, version);
      const model::ParameterSet& configured = held.configured;
      sim::DeviceModel& device = held.device;
      sim::VirtualClock clock;
      sim::InProcessPort port(device, clock);
      std::vector<std::optional<std::vector<std::uint8_t>>> responses;
      port.responder().intercept =
          [&](const device::RequestFrame&) -> std::optional<std::vector<std::uint8_t>> {
        responses.emplace_back();
        return std::nullopt;
      };
      port.responder().trace = [&](char direction, std::span<const std::uint8_t> bytes) {
        if (direction == '>' && !responses.empty())
          responses.back().emplace(bytes.begin(), bytes.end());
      };
      fuzz::CountingUi ui;
      device::DeviceLink link(port, clock, ui);
      link.portPath = "/dev/fuzz";
      platform::ProgressState progress;
      model::ParameterSet target = configured;
      if (procedure == 0) link.ReadAllParameters(target, &progress);
      if (procedure == 1) link.WriteAllParameters(configured, &progress);
      if (procedure == 2) link.WriteReportHeaders(configured, &progress);

      std::vector<std::uint8_t> input = {index, version, procedure};
      for (const auto& response : responses) {
        if (!response || response->size() >= 40) {
          input.push_back(0);  // the device's own answer
          continue;
        }
        input.push_back(200);
        input.push_back(static_cast<std::uint8_t>(response->size()));
        input.insert(input.end(), response->begin(), response->end());
      }
      Save(dir / (Hex(code) + "_" + "rwt"[procedure] + ".bin"), input);
    }
  }
}

// Command lines as cli_args_fuzz takes them: the arguments after "tarvo", each ended by a 0.
void WriteCommandLines(const fs::path& dir) {
  const std::vector<std::vector<std::string>> lines = {
      {"new", "a.par", "--exec", "46", "--version", "53", "-o", "b.par", "--force"},
      {"info", "a.par"},
      {"upgrade", "old.par", "--output=new.par"},
      {"show", "a.par", "--form", "channel 2", "--format", "json"},
      {"set", "a.par", "K018=1", "K020=5,5", "П215=12", "--no-start-check"},
      {"texts", "a.par", "--header", "Строка 1\nСтрока 2", "--no-footer"},
      {"read", "--port", "/dev/ttyUSB0", "--speed", "9600", "-o", "r.par", "--trace"},
      {"write", "a.par", "--port=COM1", "--", "-file.par"},
      {"sim", "--exec", "47", "--drop", "3", "--reject", "0x83:15:2", "--hangup-after", "10"},
      {"set", "--help"},
  };
  int number = 0;
  for (const auto& line : lines) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (i > 0) bytes.push_back(0);
      bytes.insert(bytes.end(), line[i].begin(), line[i].end());
    }
    Save(dir / (std::to_string(++number) + "_" + line.front() + ".args"), bytes);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: fuzz_seed_corpus CORPUS_DIR\n");
    return 2;
  }
  const fs::path root = argv[1];
  fs::create_directories(root / "par_file_fuzz");
  fs::create_directories(root / "exchange_fuzz");
  fs::create_directories(root / "cli_args_fuzz");
  WriteParFiles(root / "par_file_fuzz");
  WriteExchangeStreams(root / "exchange_fuzz");
  WriteCommandLines(root / "cli_args_fuzz");
  return 0;
}
