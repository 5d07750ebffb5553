#pragma once

#include <memory>
#include <string>

#include "forms/property_sheet.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

inline constexpr const char* kNodeTypeMessage = "Ошибочно задан тип узла учета";
inline constexpr const char* kNodeCompositionMessage = "Ошибочно задан состав узла учета";

// What every node page shares: filled once when first shown; each leave validates into a
// reset working copy and replaces the node's whole record (CopyNode), so fields no row carries
// take their reset values. Node pages have no exemption for the leave at the sheet's opening.
class NodePage : public Page {
 public:
  NodePage(model::ParameterSet& set, int nodeIndex);

  int NodeIndex() const { return index_; }

  void Fill() final;
  bool Accept(platform::Ui& ui) final;

 protected:
  virtual void FillCells() = 0;
  // Reads and checks the rows top to bottom into the working copy's record of this node.
  virtual bool CheckRows(model::ParameterSet& working, platform::Ui& ui) = 0;

  int ChannelCount() const;
  int NodeCount() const;

  model::ParameterSet& set_;

 private:
  int index_;
  bool filled_ = false;
};

// A fixed node code: "П%d" (or "П%02d" in variant У) with the node number, then two digits.
std::string NodeCode(model::DeviceVariant variant, int nodeIndex, int number);

// The type digit followed by one composition digit per channel 1..channelCount.
std::string TypeAndCompositionText(const model::NodeRecord& node, int channelCount);

// Reads a type and composition text (at most channelCount + 1 characters) into the record: the
// type from the first character, then channels 1, 2, ...; the rest 0. False with the
// composition message when a character is not a digit. An empty text reads as true with
// hasType false.
bool ReadTypeAndComposition(std::string_view text, int channelCount, model::NodeRecord& node,
                            bool& hasType, platform::Ui& ui);

// Refuses a channel of this node that another node (in the set) already holds.
bool CheckMembership(const model::ParameterSet& set, int nodeIndex, const model::NodeRecord& node,
                     platform::Ui& ui);

// The leading decimal integer of a text as the C library's atoi reads it: blanks, an optional
// sign, then digits; no number gives 0. A negative number stays negative, so a field kept as an
// unsigned byte sees it as a large value and refuses it.
int LeadingNumber(std::string_view text);

}  // namespace tarvo::forms
