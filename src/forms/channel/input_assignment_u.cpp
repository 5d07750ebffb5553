#include "forms/channel/input_assignment_u.h"

#include <cstdio>
#include <string>

#include "forms/form_messages.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

constexpr int kLastInput = 48;
constexpr int kFirstPressureTemperatureInput = 17;

constexpr const char* kFlowInputsMessage =
    "Ошибочно задан параметр <Назначение каналов преобразователей Q (dP)>";
constexpr const char* kPressureTemperatureMessage =
    "Ошибочно задан параметр <Назначение каналов преобразователей P, T>";

// The three refusals of one input: used by another channel, the barometric input, the outdoor
// air input.
struct InputMessages {
  const char* usedElsewhere;
  const char* barometric;
  const char* outdoorAir;
};

const InputMessages kFlowMessages = {
    "Канал измерения %d-го преобразователя расхода (перепада давления) уже задействован на "
    "трубопроводе %02d",
    "Канал измерения %d-го преобразователя расхода (перепада давления) не должен совпадать с "
    "каналом измерения барометрического давления!",
    "Канал измерения %d-го преобразователя расхода (перепада давления) не должен совпадать с "
    "каналом измерения температуры наружного воздуха!"};
const InputMessages kPressureMessages = {
    "Канал измерения давления уже задействован на трубопроводе %02d",
    "Канал измерения давления не должен совпадать с каналом измерения барометрического давления!",
    "Канал измерения давления не должен совпадать с каналом измерения температуры наружного "
    "воздуха!"};
const InputMessages kTemperatureMessages = {
    "Канал измерения температуры уже задействован на трубопроводе %02d",
    "Канал измерения температуры не должен совпадать с каналом измерения барометрического "
    "давления!",
    "Канал измерения температуры не должен совпадать с каналом измерения температуры наружного "
    "воздуха!"};

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

int TwoDigits(const model::DigitString& digits, int first) {
  const char high = digits.chars[first];
  const char low = digits.chars[first + 1];
  if (high < '0' || high > '9' || low < '0' || low > '9') return 0;
  return (high - '0') * 10 + (low - '0');
}

// Tests one assigned input; the flow transducer number goes before the owner in the message.
bool CheckInput(int input, int owner, const SystemInputs& system, const InputMessages& messages,
                int transducer, platform::Ui& ui) {
  if (owner != 0) {
    return ShowError(ui, transducer > 0 ? Format(messages.usedElsewhere, transducer, owner)
                                        : Format(messages.usedElsewhere, owner));
  }
  if (input == system.barometric) return ShowError(ui, Format(messages.barometric, transducer));
  if (input == system.outdoorAir) return ShowError(ui, Format(messages.outdoorAir, transducer));
  return true;
}

// Reads every cell of a row; the first cell that is not digits or lies outside the allowed set,
// or -1 when every cell was read.
template <std::size_t N, typename Allowed>
int ReadCells(const Row& row, int (&inputs)[N], Allowed allowed) {
  if (row.cells.size() != N) return 0;
  for (std::size_t i = 0; i < N; ++i) {
    const auto input = ReadInputCell(row.cells[i].text);
    if (!input || !allowed(*input)) return static_cast<int>(i);
    inputs[i] = *input;
  }
  return -1;
}

}  // namespace

std::optional<int> ReadInputCell(std::string_view cell) {
  // The cell takes two characters; a longer text only comes from a stored number above 99.
  if (CharCount(cell) > kInputCellLength) return std::nullopt;
  std::string text(cell);
  text.resize(kInputCellLength, '0');
  if (model::HasCharOutside(text, '0', '9')) return std::nullopt;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

SystemInputs SystemInputsOf(const model::ParameterSet& set) {
  return {TwoDigits(set.modeSpec, 4), TwoDigits(set.modeSpec, 6)};
}

bool ReadInputAssignment(const Row& flowRow, const Row& pressureTemperatureRow,
                         const model::ParameterSet& set, int channelIndex,
                         model::ChannelRecord& record, platform::Ui& ui) {
  const SystemInputs system = SystemInputsOf(set);

  int flow[3] = {};
  if (const int bad = ReadCells(flowRow, flow, [](int n) { return n <= kLastInput; }); bad >= 0) {
    ShowError(ui, kFlowInputsMessage);
    return MarkRefused(flowRow, bad);
  }
  for (int k = 0; k < 3; ++k) {
    if (flow[k] == 0) continue;
    const int owner = set.FindInputOwner(channelIndex, flow[k], false, false);
    if (!CheckInput(flow[k], owner, system, kFlowMessages, k + 1, ui)) {
      return MarkRefused(flowRow, k);
    }
  }
  for (int k = 0; k < 3; ++k) record.flowInputs[k] = static_cast<std::uint8_t>(flow[k]);

  int pt[2] = {};
  if (const int bad = ReadCells(
          pressureTemperatureRow, pt,
          [](int n) { return n == 0 || (n >= kFirstPressureTemperatureInput && n <= kLastInput); });
      bad >= 0) {
    ShowError(ui, kPressureTemperatureMessage);
    return MarkRefused(pressureTemperatureRow, bad);
  }
  // Several channels may share one pressure or one temperature input.
  if (pt[0] != 0 && !CheckInput(pt[0], set.FindInputOwner(channelIndex, pt[0], true, false), system,
                                kPressureMessages, 0, ui)) {
    return MarkRefused(pressureTemperatureRow, 0);
  }
  if (pt[1] != 0 && !CheckInput(pt[1], set.FindInputOwner(channelIndex, pt[1], false, true), system,
                                kTemperatureMessages, 0, ui)) {
    return MarkRefused(pressureTemperatureRow, 1);
  }
  record.pressureInput = static_cast<std::uint8_t>(pt[0]);
  record.temperatureInput = static_cast<std::uint8_t>(pt[1]);
  return true;
}

}  // namespace tarvo::forms
