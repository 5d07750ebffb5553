#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "forms/node/node_rules.h"
#include "forms/number_row.h"
#include "forms/property_sheet.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// How a node row's cell is filled from the record and read back on leaving.
enum class NodeCell {
  TypeAndComposition,  // type digit, then one digit per channel 1..C: digits only, type, rule
  Type,                // one digit, a type of the page's rules
  Composition,         // ten digits "0".."6" for channels firstChannel + 1 ..
  GasVolumeUnit,       // "%d": 1 or 1000
  ReportHour,          // "%02d": 0..23 but neither 2 nor 3
  Algorithm,           // one digit at most `upper`, else `message`
  Number,              // range check of `field` with `lower`, `upper` and the template `message`
  ZeroOrNumber,        // as Number, but 0 passes unchecked
  Tnsh,                // the first tnsh.size() Tнш digits
};

// One row of a node page as data. Number rows take their code from ParameterCode, the others
// are "П" with the node number and two digits.
struct NodeRowSpec {
  NodeCell cell;
  int number;
  const char* description;
  FloatField field = nullptr;
  float lower = 0;
  float upper = 0;
  const char* message = "";
  std::int32_t model::NodeRecord::*algorithm = nullptr;
  int firstChannel = 0;
  std::span<const DigitRange> tnsh = {};
  std::uint8_t onlyExecutionCode = 0;  // shown only for this execution code; 0: always
};

// A variant's node page: its rows top to bottom, the node types it allows with their rules on
// the composition, and which nodes may share a channel.
struct NodePageSpec {
  model::DeviceVariant variant;
  std::span<const NodeRowSpec> rows;
  std::span<const NodeTypeRule> types;
  Membership membership;
};

// What every node page shares: filled once when first shown; each leave reads the rows top to
// bottom into a reset working copy, checking the type rule and membership right after the last
// composition row, stops at the first failure with one message, and replaces the node's whole
// record (CopyNode), so fields no row carries take their reset values. A hidden row is not read:
// its field keeps the reset value. Node pages have no exemption for the leave at the sheet's
// opening.
class NodePage : public Page {
 public:
  NodePage(model::ParameterSet& set, int nodeIndex, const NodePageSpec& spec);

  int NodeIndex() const { return index_; }

  void Fill() final;

 protected:
  bool Accept(platform::Ui& ui) final;

 private:
  int ChannelCount() const;
  void FillRow(Row& row, const NodeRowSpec& spec);
  bool ReadRow(const Row& row, const NodeRowSpec& spec, model::ParameterSet& working,
               platform::Ui& ui) const;

  model::ParameterSet& set_;
  const NodePageSpec& spec_;
  int index_;
  std::size_t lastCompositionRow_ = 0;
  bool filled_ = false;
};

// A fixed node code: "П%d" (or "П%02d" in variant У) with the node number, then two digits.
std::string NodeCode(model::DeviceVariant variant, int nodeIndex, int number);

// One character per digit byte; a byte above 9 (never written by a page) shows as "?", which
// the page then refuses, so the other digits keep their places.
std::string DigitsText(const std::uint8_t* digits, int count);

}  // namespace tarvo::forms
