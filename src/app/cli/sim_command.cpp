#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/sim_serve.h"
#include "model/document.h"
#include "platform/net/network_address.h"
#include "platform/system_port.h"
#include "sim/configuration_image.h"

namespace tarvo::app {

namespace {

std::optional<int> NumberOption(const ParsedArgs& args, const std::string& name, int low, int high,
                                std::string& error) {
  const std::string* text = args.Value(name);
  if (text == nullptr) return std::nullopt;
  try {
    std::size_t used = 0;
    const int value = std::stoi(*text, &used, 0);
    if (used == text->size() && value >= low && value <= high) return value;
  } catch (const std::exception&) {
  }
  error = name + ": нужно число от " + std::to_string(low) + " до " + std::to_string(high) +
          ", а не " + *text;
  return std::nullopt;
}

// Numbers separated by colons, each decimal or 0x-hexadecimal and not negative.
std::optional<std::vector<int>> ParseColonNumbers(const std::string& text) {
  std::vector<int> numbers;
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = text.find(':', start);
    const std::string part = text.substr(start, colon == std::string::npos ? colon : colon - start);
    try {
      std::size_t used = 0;
      const int value = std::stoi(part, &used, 0);
      if (used != part.size() || value < 0) return std::nullopt;
      numbers.push_back(value);
    } catch (const std::exception&) {
      return std::nullopt;
    }
    if (colon == std::string::npos) return numbers;
    start = colon + 1;
  }
}

// "ADDR:PARAM[:CODE]": 0x83:15 is node 3's parameter 15.
std::optional<sim::Rejection> ParseRejection(const std::string& text) {
  const auto numbers = ParseColonNumbers(text);
  if (!numbers || numbers->size() < 2 || numbers->size() > 3) return std::nullopt;
  for (int number : *numbers) {
    if (number > 255) return std::nullopt;
  }
  sim::Rejection rejection;
  rejection.address = (*numbers)[0];
  rejection.parameter = (*numbers)[1];
  if (numbers->size() == 3) rejection.code = (*numbers)[2];
  return rejection;
}

// "ADDR:PARAM" as --reject takes it, without a code.
std::optional<sim::CellAddress> ParseCellAddress(const std::string& text) {
  const auto rejection = ParseRejection(text);
  if (!rejection || std::count(text.begin(), text.end(), ':') != 1) return std::nullopt;
  return sim::CellAddress{rejection->address, rejection->parameter};
}

// "N:AMOUNT" for a fault of the N-th request; false with error set when the text is not one.
bool ParseRequestFault(const ParsedArgs& args, const std::string& name, const char* amount,
                       int highAmount, int& request, int& value, std::string& error) {
  const std::string* text = args.Value(name);
  if (text == nullptr) return true;
  const auto numbers = ParseColonNumbers(*text);
  if (numbers && numbers->size() == 2 && (*numbers)[0] >= 1 && (*numbers)[0] <= 1000000 &&
      (*numbers)[1] <= highAmount) {
    request = (*numbers)[0];
    value = (*numbers)[1];
    return true;
  }
  error = name + ": нужно N:" + amount + " (запрос от 1, " + amount + " до " +
          std::to_string(highAmount) + "), а не " + *text;
  return false;
}

std::optional<std::uint8_t> ParseAnyExecutionCode(const std::string& text) {
  if (auto known = ParseExecutionCode(text)) return known;
  if (text.size() != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
      !std::isxdigit(static_cast<unsigned char>(text[1]))) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(std::stoi(text, nullptr, 16));
}

void PrintFrame(std::ostream& err, std::int64_t ms, char direction,
                std::span<const std::uint8_t> bytes) {
  char head[40];
  std::snprintf(head, sizeof head, "[%7lld мс] %s", static_cast<long long>(ms),
                direction == '<' ? "запрос: " : "ответ:  ");
  err << head;
  for (std::uint8_t byte : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", byte);
    err << hex;
  }
  err << "\n";
  err.flush();
}

int RunSim(const ParsedArgs& args, CliIo& io) {
  if (const char* unavailable = SimulatorUnavailable()) return Failure(io, unavailable);
  if (!args.positional.empty()) {
    return UsageError(io, "sim", "лишний аргумент " + args.positional.front());
  }
  model::ParameterSet set{};
  set.Reset();
  bool loaded = false;
  if (const std::string* load = args.Value("--load")) {
    model::ConfigurationDocument document;
    std::string message;
    if (!document.Open(*load, message)) return Failure(io, message);
    set = document.Set();
    loaded = true;
  }
  model::DeviceIdentification ident = set.ident;
  if (const std::string* exec = args.Value("--exec")) {
    const auto code = ParseAnyExecutionCode(*exec);
    if (!code)
      return UsageError(io, "sim", "исполнение — две шестнадцатеричные цифры, а не " + *exec);
    ident.executionCode = *code;
  } else if (!loaded) {
    return UsageError(io, "sim", "нужно задать исполнение (--exec 47) или файл (--load ФАЙЛ.par)");
  }
  if (const std::string* text = args.Value("--version")) {
    const auto version = ParseSoftwareVersion(*text);
    if (!version) return UsageError(io, "sim", "версия ПО — одна или две цифры, а не " + *text);
    ident.softwareVersion = *version;
  } else if (!loaded) {
    ident.softwareVersion = 0x99;
  }

  std::string error;
  sim::Faults faults;
  auto number = [&](const char* name, int low, int high, int& out) {
    if (auto value = NumberOption(args, name, low, high, error)) out = *value;
  };
  number("--noise", 0, 200, faults.noiseBytes);
  number("--drop", 0, 1000000, faults.dropResponseTo);
  number("--bad-crc", 0, 1000000, faults.badCrcResponseTo);
  number("--delay", 0, 60000, faults.responseDelayMs);
  number("--pace", 0, 115200, faults.paceBaud);
  number("--hangup-after", 0, 1000000, faults.hangUpAfter);
  faults.echo = args.Has("--echo");
  if (error.empty() && ParseRequestFault(args, "--slow", "МС", 60000, faults.slowResponseTo,
                                         faults.slowResponseMs, error)) {
    ParseRequestFault(args, "--stall", "БАЙТ", 260, faults.stallResponseTo, faults.stallAfterBytes,
                      error);
  }
  if (!error.empty()) return UsageError(io, "sim", error);
  if (const std::string* text = args.Value("--reject")) {
    faults.reject = ParseRejection(*text);
    if (!faults.reject) {
      return UsageError(io, "sim", "--reject: нужно АДРЕС:ПАРАМЕТР[:КОД], например 0x83:15:3");
    }
  }
  if (const std::string* text = args.Value("--alter")) {
    faults.alter = ParseCellAddress(*text);
    if (!faults.alter) {
      return UsageError(io, "sim", "--alter: нужно АДРЕС:ПАРАМЕТР, например 1:7");
    }
  }

  if (const std::string* tcp = args.Value("--tcp");
      tcp && !platform::net::ParseListenAddress(*tcp)) {
    return UsageError(io, "sim", "--tcp: нужно [УЗЕЛ:]ПОРТ, например 127.0.0.1:4001, а не " + *tcp);
  }

  sim::DeviceModel device(ident);
  device.refuseReadEx = args.Has("--no-read-ex");
  const model::DeviceVariant variant = model::VariantOf(ident.executionCode);
  if (variant != model::DeviceVariant::None) {
    if (!loaded) model::MakeNewConfiguration(set, ident.executionCode, ident.softwareVersion);
    std::string message;
    if (!sim::LoadConfiguration(device, set, message)) return Failure(io, message);
  }

  sim::Responder responder(device, faults);
  platform::Clock& clock = platform::SystemClock();
  const std::int64_t start = clock.NowMs();
  if (args.Has("--trace")) {
    responder.trace = [&](char direction, std::span<const std::uint8_t> bytes) {
      PrintFrame(io.err, clock.NowMs() - start, direction, bytes);
    };
  }
  const std::string name = model::VariantName(variant);
  const auto banner = [&](const std::string& path) {
    io.err << "Имитатор " << (name.empty() ? "неизвестного вычислителя" : name) << " (исполнение "
           << Hex2(ident.executionCode) << ", версия ПО " << Hex2(ident.softwareVersion) << ", "
           << "каналов учета: " << device.channelCount << ", узлов учета: " << device.nodeCount
           << ") ждет обмена на " << path << ". Остановка: Ctrl+C.\n";
    io.err.flush();
  };
  SimLine line;
  line.tcp = args.Value("--tcp");
  line.onSpeed = [&](int baud) {
    if (baud > 0) io.err << "Линия настроена на " << baud << " бод.\n";
    io.err.flush();
  };
  if (!ServeUntilStopped(responder, io, line, banner, error)) {
    return Failure(io, "Имитатор: " + error);
  }
  if (responder.HungUp()) io.err << "Имитатор прервал связь (--hangup-after).\n";

  if (const std::string* save = args.Value("--save-on-exit")) {
    model::ConfigurationDocument document;
    std::string message;
    if (!sim::ReadConfiguration(device, document.Set(), message)) {
      return Failure(io, "Имитатор: не удалось прочитать свою конфигурацию: " + message);
    }
    if (!document.Store(*save, message)) return Failure(io, message);
    io.err << "Конфигурация имитатора сохранена: " << *save << "\n";
  }
  return kExitOk;
}

}  // namespace

Command SimCommand() {
  return {
      "sim",
      "имитатор вычислителя на псевдотерминале или порту TCP",
      "Использование: tarvo sim --exec КОД [--version ВЕРСИЯ] [--load ФАЙЛ.par]\n"
      "                 [--save-on-exit ФАЙЛ.par] [--tcp [УЗЕЛ:]ПОРТ] [неисправности] [--trace]\n\n"
      "Открывает псевдотерминал, печатает его путь первой строкой и до остановки (Ctrl+C,\n"
      "SIGTERM) отвечает на запросы программы как вычислитель. Путь передается командам\n"
      "read, write и write-texts в --port или через переменную TARVO_COM1. Скорость, которую\n"
      "программа задает линии, имитатор печатает при каждой ее смене.\n\n"
      "  --exec КОД            исполнение, две шестнадцатеричные цифры (по умолчанию из файла)\n"
      "  --version ВЕРСИЯ      версия ПО, две цифры (по умолчанию из файла, иначе 99)\n"
      "  --load ФАЙЛ           начальная конфигурация; без него — новая конфигурация исполнения\n"
      "  --save-on-exit ФАЙЛ   при остановке сохранить то, что записано в имитатор\n"
      "  --tcp [УЗЕЛ:]ПОРТ     отвечать не на псевдотерминале, а на порту TCP, как сервер\n"
      "                        последовательного порта (узел по умолчанию 127.0.0.1, порт 0 —\n"
      "                        любой свободный); первой строкой печатается tcp://УЗЕЛ:ПОРТ\n"
      "  --no-read-ex          отвечать ошибкой 1 на команду CMD_READ_EX, как старые вычислители\n"
      "  --trace               печатать каждый запрос и ответ\n\n"
      "Неисправности (запросы считаются с 1 от запуска имитатора, без кадров пробуждения):\n"
      "  --noise N             N байтов помех перед каждым ответом\n"
      "  --drop N              не отвечать на N-й запрос\n"
      "  --bad-crc N           испортить контрольную сумму ответа на N-й запрос\n"
      "  --delay МС            задержка перед каждым ответом\n"
      "  --reject А:П[:КОД]    отвергать запись параметра П по адресу А (0 — общие, 1..20 —\n"
      "                        каналы, 0x81..0x90 — узлы) с кодом ошибки КОД (по умолчанию 3)\n"
      "  --alter А:П           принимать запись параметра П по адресу А, но хранить другое\n"
      "                        значение (число на 1 больше), чтобы проверка записанного его нашла\n"
      "  --pace БОД            выдавать байты со скоростью линии (10 бит на байт)\n"
      "  --hangup-after N      ответить на N запросов и прервать связь\n"
      "  --slow N:МС           ответить на N-й запрос через МС (вместо --delay)\n"
      "  --stall N:БАЙТ        оборвать ответ на N-й запрос после БАЙТ байтов\n"
      "  --echo                возвращать каждый запрос (и пробуждение) перед ответом, как\n"
      "                        преобразователь RS-485 с эхом\n",
      {{"--exec", true, ""},
       {"--version", true, ""},
       {"--load", true, ""},
       {"--save-on-exit", true, ""},
       {"--tcp", true, ""},
       {"--no-read-ex", false, ""},
       {"--trace", false, ""},
       {"--noise", true, ""},
       {"--drop", true, ""},
       {"--bad-crc", true, ""},
       {"--delay", true, ""},
       {"--reject", true, ""},
       {"--alter", true, ""},
       {"--pace", true, ""},
       {"--hangup-after", true, ""},
       {"--slow", true, ""},
       {"--stall", true, ""},
       {"--echo", false, ""}},
      RunSim,
  };
}

}  // namespace tarvo::app
