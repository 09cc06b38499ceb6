#include "session/reset_questions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/scripted_operator.h"

namespace qlr {
namespace {

TEST(ResetQuestionsTest, NoToTheFirstEndsItThenOneQuestionPerKindOfTrigger) {
  testing::ScriptedOperator op;
  EXPECT_FALSE(AskResetChoices(op));  // No to the first question
  for (Answer a : {Answer::Yes, Answer::Yes, Answer::No}) op.AnswerNext(a);
  const std::optional<ResetChoices> choices = AskResetChoices(op);
  ASSERT_TRUE(choices && choices->standard_triggers && !choices->other_triggers);
  EXPECT_EQ(op.asked,
            (std::vector<std::string>{"Are you sure you want to reset all scheduling values?",
                                      "Are you sure you want to reset all scheduling values?",
                                      "Do you want to delete standard trigger files?",
                                      "Do you want to delete non-standard trigger files?"}));
}

}  // namespace
}  // namespace qlr
