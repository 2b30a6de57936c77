#include "gui/user_command.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vantrels {
namespace {

using Shown = std::vector<std::string>;

TEST(RunCommand, AFailureIsShownAsItIsAndTheUnexpectedInTheCommandsFrame) {
  const MessageFrame frame{"Program Error : ", " occured in ViewForward_Click"};
  const struct {
    const char* what;
    std::function<Status()> command;
    bool succeeded;
    Shown shown;
  } cases[] = {
      {"success", [] { return Status{}; }, true, {}},
      {"expected failure",
       [] { return Status(Rejected(" Last Page can't move forward")); },
       false,
       {" Last Page can't move forward"}},
      {"cancelled",
       [] {
         return Status(Failure{FailureKind::kCancelled, "unseen"});
       },
       false,
       {}},
      {"unexpected",
       []() -> Status { throw std::runtime_error("boom"); },
       false,
       {"Program Error : boom occured in ViewForward_Click"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingMessages messages;
    EXPECT_EQ(RunCommand(messages, frame, c.command), c.succeeded);
    EXPECT_EQ(messages.shown, c.shown);
  }

  // A command without a result, in a frame that keeps its own text only.
  RecordingMessages messages;
  EXPECT_FALSE(RunCommand(messages, inherited::kPreviewFailure,
                          [] { throw std::logic_error("not shown"); }));
  EXPECT_EQ(messages.shown, Shown{"Error occured in Command3_click"});
}

}  // namespace
}  // namespace vantrels
