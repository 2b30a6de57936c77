#include "model/result.h"

#include <gtest/gtest.h>

#include <memory>

namespace vantrels {
namespace {

Result<std::unique_ptr<int>> Parse(bool good) {
  if (!good) return UsageError("--pages needs FROM-TO");
  return std::make_unique<int>(7);
}

TEST(Result, CarriesAValueOrItsFailureAndRefusesTheWrongAccess) {
  Result<std::unique_ptr<int>> good = Parse(true);
  ASSERT_TRUE(good.ok());
  EXPECT_EQ(**good, 7);
  EXPECT_THROW(good.failure(), std::logic_error);
  const std::unique_ptr<int> moved = std::move(good).value();
  EXPECT_EQ(*moved, 7);

  const Result<std::unique_ptr<int>> bad = Parse(false);
  ASSERT_FALSE(bad);
  EXPECT_EQ(bad.failure(), (Failure{FailureKind::kUsage, "--pages needs FROM-TO"}));
  EXPECT_THROW(bad.value(), std::logic_error);

  const Status done;
  const Status failed = Rejected("cannot write book.pdf: No space left on device");
  EXPECT_TRUE(done.ok());
  EXPECT_THROW(done.failure(), std::logic_error);
  EXPECT_EQ(failed.failure().kind, FailureKind::kRejected);
}

}  // namespace
}  // namespace vantrels
