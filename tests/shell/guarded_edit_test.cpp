#include "shell/guarded_edit.h"

#include <gtest/gtest.h>

#include "shell/check_for_start.h"

namespace tarvo::shell {
namespace {

model::ConfigurationDocument NewDocument() {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x47);
  return document;
}

TEST(GuardedEditTest, CancelRestoresTheWholeSet) {
  auto document = NewDocument();
  const model::ParameterSet before = document.Set();
  const FormResult result = GuardedEdit(document, [](model::ParameterSet& set) {
    set.channels[1].Slot(5) = model::Float32::Of(7.0f);  // committed by a page meanwhile
    set.nodes[0].reportHour = 4;
    return FormResult::Cancel;
  });
  EXPECT_EQ(result, FormResult::Cancel);
  EXPECT_TRUE(document.Set().SameContent(before));
  EXPECT_FALSE(document.Modified());
}

TEST(GuardedEditTest, OkMarksModifiedOnlyWhenTheContentDiffers) {
  auto document = NewDocument();
  GuardedEdit(document, [](model::ParameterSet& set) {
    set.pageFilled[0] = 1;  // transient: not content
    set.comPort = 3;
    return FormResult::Ok;
  });
  EXPECT_FALSE(document.Modified());
  GuardedEdit(document, [](model::ParameterSet& set) {
    set.daylightSaving = 1;
    return FormResult::Ok;
  });
  EXPECT_TRUE(document.Modified());
  // A flag already set stays set even when nothing changes.
  GuardedEdit(document, [](model::ParameterSet&) { return FormResult::Ok; });
  EXPECT_TRUE(document.Modified());
}

TEST(GuardedEditTest, ToggledSwitchTwiceStillMarksModified) {
  auto document = NewDocument();
  const model::ParameterSet before = document.Set();
  ToggleCheckForStart(document);
  EXPECT_EQ(document.Set().checkForStart, 0);
  ToggleCheckForStart(document);
  EXPECT_EQ(document.Set().checkForStart, 1);
  EXPECT_TRUE(document.Set().SameContent(before));
  EXPECT_TRUE(document.Modified());
}

}  // namespace
}  // namespace tarvo::shell
