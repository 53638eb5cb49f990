// Host calls and the text and number helpers every gauge uses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/parameter_text.h"
#include "module/services.h"
#include "module/text.h"
#include "tests/support/test_host.h"

namespace {

using crv5::testing::TestHost;

TEST(Services, EveryReadIsAFreshLookupWithAZeroedRecord) {
  TestHost host;
  host.set(625, 42.5);
  EXPECT_EQ(crv5::read_var(625), 42.5);
  EXPECT_EQ(crv5::read_var(625), 42.5);
  ASSERT_EQ(host.lookups.size(), 2u);
  for (const ModuleVar& record : host.lookups)
    EXPECT_TRUE(record.id == 625 && record.var_ptr == nullptr && record.var_type == 0 &&
                record.value.raw == 0 && record.prev_value.raw == 0);
  // Integer variables are read from the low half.
  host.set_u32(16, 0x1825);
  EXPECT_EQ(crv5::read_var_u32(16), 0x1825u);
  EXPECT_EQ(crv5::read_var(999), 0.0);  // a variable the host does not fill reads 0
}

TEST(Services, WithoutAHostReadsAreZeroAndSendsDoNothing) {
  EXPECT_EQ(crv5::host_services(), nullptr);
  EXPECT_EQ(crv5::read_var(625), 0.0);
  crv5::send_event(0x10324);
  double result = 7;
  crv5::calculate("(A:FUEL TANK EXTERNAL1 LEVEL,percent)", &result);
  EXPECT_EQ(result, 7);
}

// The comment characters are the engine number's table (turbine_speed_test); here the rule that
// only the first occurrence counts.
TEST(FindCommand, TakesTheFirstOccurrenceBeforeAnyComment) {
  EXPECT_EQ(crv5::find_command(nullptr, '2'), nullptr);
  EXPECT_STREQ(crv5::find_command("x2 # engine two", '2'), "2 # engine two");
  EXPECT_EQ(crv5::find_command("/2 2", '2'), nullptr);
}

TEST(ReadInt, ReadsLikeAtoiWithoutOverflow) {
  EXPECT_EQ(crv5::read_int("  42abc"), 42);
  EXPECT_EQ(crv5::read_int("-17"), -17);
  EXPECT_EQ(crv5::read_int("+8"), 8);
  EXPECT_EQ(crv5::read_int("abc"), 0);
  EXPECT_EQ(crv5::read_int(nullptr), 0);
  EXPECT_EQ(crv5::read_int("99999999999999999999"), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(crv5::read_int("-99999999999999999999"), std::numeric_limits<int32_t>::min());
}

TEST(TruncateToInt, IsDefinedForEveryFloat) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(crv5::truncate_to_int(2.9), 2);
  EXPECT_EQ(crv5::truncate_to_int(-2.9), -2);
  EXPECT_EQ(crv5::truncate_to_int(std::nan("")), 0);
  EXPECT_EQ(crv5::truncate_to_int(INFINITY), kMax);
  EXPECT_EQ(crv5::truncate_to_int(-INFINITY), kMin);
  EXPECT_EQ(crv5::truncate_to_int(2147483647.9), kMax);
  EXPECT_EQ(crv5::truncate_to_int(-2147483648.9), kMin);
}

}  // namespace
