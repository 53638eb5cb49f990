// The turbine-speed dials' rebinding to another engine: the engine number in the placement's
// text, the stride tables and every kind of record rewritten. Their needles, tooltips and a dial
// moved once and for all are checked end to end by tests/checks/host/turbine_dials.check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/parameter_text.h"
#include "instruments/engine_rebinding.h"
#include "module/records.h"
#include "tests/support/test_host.h"

namespace {

using namespace crv5::testing;

TEST(EngineNumber, IsTheFirstDigitFoundBeforeAComment) {
  const struct { const char* parameters; int engine; } cases[] = {
      {nullptr, 1}, {"", 1},   {"4", 4},
      {"12", 1},    // "1" is searched first
      {"32", 2},    // "2" is searched before "3"
      {"// 2", 1},  {"'2", 1}, {"2 # second engine", 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(crv5::parameter_text::engine_number(c.parameters), c.engine) << (c.parameters ? c.parameters : "null");
}

TEST(EngineRebinding, StrideTablesMoveOnlyEngineOneIds) {
  EXPECT_EQ(crv5::rebind_var(626, 2), 645u);
  EXPECT_EQ(crv5::rebind_var(626, 3), 664u);
  EXPECT_EQ(crv5::rebind_var(626, 4), 683u);
  EXPECT_EQ(crv5::rebind_var(161, 2), 196u);  // last id of a row
  EXPECT_EQ(crv5::rebind_var(162, 2), 162u);  // first id past it
  EXPECT_EQ(crv5::rebind_var(645, 2), 645u);  // already moved: outside every row
  EXPECT_EQ(crv5::rebind_var(895, 3), 897u);
  EXPECT_EQ(crv5::rebind_event(0x10187, 2), 0x1018du);
  EXPECT_EQ(crv5::rebind_event(0x1018c, 2), 0x10192u);
  EXPECT_EQ(crv5::rebind_event(0x1018d, 2), 0x1018du);
  EXPECT_EQ(crv5::rebind_event(0x103be, 4), 0x103c1u);
  EXPECT_EQ(crv5::rebind_help_id(12449, 3), 12451);
  EXPECT_EQ(crv5::rebind_help_id(43810, 3), 43810);
}

// A gauge built for the rebinding tests: one of each source-carrying element kind, and a mouse
// list with a tooltip and a child area.
namespace probe {
using namespace crv5;
extern ElementIcon icon;
extern ElementString text;
extern ElementSlider slider;
extern ElementMovingImage drum;
extern ElementSprite sprite;
ElementNeedle root = {.header = {.kind = kElementNeedle, .next = children<&icon, &text>},
                      .source = var(626)};
ElementIcon icon = {.header = {.kind = kElementIcon, .next = children<&slider>},
                    .source = var(558)};
ElementSlider slider = {.header = {.kind = kElementSlider},
                        .x = {.source = var(127)}, .y = {.source = var(700)}};
ElementString text = {.header = {.kind = kElementString, .next = children<&drum, &sprite>},
                      .source = {var(390), var(801), var(5)}};
ElementMovingImage drum = {.header = {.kind = kElementMovingImage},
                           .x = {.source = var(732)}, .y = {.source = var(761)}};
ElementSprite sprite = {.header = {.kind = kElementSprite}, .x = {.source = var(608)},
                        .y = {.source = var(899)}, .rotation = {.source = var(899)}};
MouseRect mouse[] = {
    mouse_parent({}, 12449),
    {.kind = kMouseTooltip, .box = {0, 0, 12457, 12465}, .help_id = 12481, .tooltip_text = "probe"},
    mouse_parent({10, 10, 5, 5}, 12486),
    mouse_parent_end(),
    mouse_key_child({0, 0, 10, 10}, kCursorHand, kMouseLeftSingle, 0x103be),
    mouse_parent_end(),
    mouse_end(),
};
GaugeHeader gauge = gauge_header("Probe", 100, element_list<&root>, mouse);
}  // namespace probe

TEST(EngineRebinding, RewritesEverySourceEventAndTooltipHelpInPlace) {
  probe::gauge.parameters = "3";
  crv5::rebind_to_engine(probe::gauge);
  // Engine 3: each id two strides of its own row on; 5 lies outside every row.
  using probe::drum, probe::icon, probe::root, probe::slider, probe::sprite, probe::text;
  EXPECT_EQ((std::vector<uint32_t>{root.source.id, icon.source.id, slider.x.source.id,
                                   slider.y.source.id, text.source[0].id, text.source[1].id,
                                   text.source[2].id, drum.x.source.id, drum.y.source.id,
                                   sprite.x.source.id, sprite.rotation.source.id}),
            (std::vector<uint32_t>{626 + 2 * 19, 558 + 2 * 10, 127 + 2 * 35, 700 + 2 * 8,
                                   390 + 2 * 39, 801 + 2, 5, 732 + 4, 761 + 4, 608 + 2, 899 + 2}));
  // Tooltip: its help ids, the main one and the metric and US ones in its box; parents stay.
  EXPECT_EQ(probe::mouse[1].help_id, 12483);
  EXPECT_EQ(probe::mouse[1].box.width, 12459);
  EXPECT_EQ(probe::mouse[1].box.height, 12467);
  EXPECT_EQ(probe::mouse[1].box.x, 0);
  EXPECT_EQ(probe::mouse[0].help_id, 12449);
  EXPECT_EQ(probe::mouse[2].help_id, 12486);
  EXPECT_EQ(probe::mouse[4].event_id, 0x103c0u);
}

}  // namespace
