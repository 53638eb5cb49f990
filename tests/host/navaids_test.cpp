// The navigation aids: their file, and what the receivers make of them against hand-computed
// cases (radials, course deviation, TO/FROM, the cone of confusion, range, DME slant range,
// localiser and glide slope, ADF bearing; markers passed: tests/checks/flight/ils_approach.check).
#include "host/sim/nav/navaids.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/base/host_error.h"
#include "host/sim/nav/radio_receivers.h"
#include "tests/host/host_support.h"

namespace gaugehost::nav {
namespace {

constexpr double kNm = 1852;
constexpr double kRad = M_PI / 180;

// Stations on the equator, where a degree of longitude is 111.195 km.
NavaidDatabase equator(double variation = 0) {
  return parse_navaids("variation " + std::to_string(variation) + R"(
VOR  TST 113.40  0.0  0.0     0  100  dme
VOR  FAR 114.00  0.0  0.0     0  10
LOC  ILS 110.30  0.0  0.0     0  18  090  5.0
GS   ILS 110.30  0.0 -0.01    0  10  3.0
NDB  NB  345.0   0.0  0.0     0  25
MARKER outer     0.0 -0.05    0
)",
                       "test");
}

Antenna at(double lat, double lon, double altitude_m = 1000, double heading = 0) {
  return {{lat, lon}, altitude_m, heading};
}

struct VorCase {
  double variation;
  double course;
  double radial;      // expected, magnetic
  int to_from;        // expected
  double deviation;   // expected
};

// The aircraft due west of the station (true radial 270), 0.5 degrees (30 nm) out.
TEST(Navaids, VorRadialDeviationAndToFrom) {
  const VorCase cases[] = {
      {0, 90, 270, 1, 0},          // inbound on course
      {0, 80, 270, 1, 127},        // 10 degrees off, course line to the right: full scale
      {0, 270, 270, 2, 0},         // outbound on course
      {0, 265, 270, 2, -63.5},
      {10, 260, 260, 2, 0},        // 10 degrees east variation: the radial is 260 magnetic
  };
  for (const VorCase& c : cases) {
    const NavReception r = receive_nav(equator(c.variation), 113.40, c.course, at(0, -0.5, 3000));
    ASSERT_TRUE(r.received);
    EXPECT_NEAR(r.radial, c.radial, 0.01) << c.course;
    EXPECT_EQ(r.to_from, c.to_from) << c.course;
    EXPECT_NEAR(r.deviation, c.deviation, 0.3) << c.course;
    EXPECT_FALSE(r.localiser);
  }
}

TEST(Navaids, ConeOfConfusionAndRangeGiveNoUsableStation) {
  // 111 m from the station at 3000 m: inside the cone, neither TO nor FROM.
  const NavReception over = receive_nav(equator(), 113.40, 90, at(0, 0.001, 3000));
  EXPECT_TRUE(over.received);
  EXPECT_EQ(over.to_from, 0);
  // Just outside the cone (3000 m x tan 40 = 2517 m): usable again.
  EXPECT_NE(receive_nav(equator(), 113.40, 90, at(0, 0.03, 3000)).to_from, 0);
  // FAR reaches 10 nm: at 9 nm received, at 11 nm not; nothing on an unused frequency.
  EXPECT_TRUE(receive_nav(equator(), 114.00, 0, at(0, 9 * kNm / 111195, 0)).received);
  const NavReception beyond = receive_nav(equator(), 114.00, 0, at(0, 11 * kNm / 111195, 0));
  EXPECT_FALSE(beyond.received);
  EXPECT_EQ(beyond.to_from, 0);
  EXPECT_FALSE(receive_nav(equator(), 115.00, 0, at(0, -0.1)).received);
  EXPECT_EQ(receive_marker(equator(), at(0, -0.05, -10)), MarkerKind::none);  // below its beacon
}

TEST(Navaids, DmeIsTheSlantRange) {
  // Over the station at one nautical mile of height: 1 nm; 3 nm out at 4 nm of height: 5 nm.
  EXPECT_NEAR(receive_nav(equator(), 113.40, 0, at(0, 0, kNm)).dme_nm, 1, 1e-6);
  const NavReception r = receive_nav(equator(), 113.40, 0, at(0, -3 * kNm / 111195, 4 * kNm));
  EXPECT_TRUE(r.dme);
  EXPECT_NEAR(r.dme_nm, 5, 0.01);
  EXPECT_FALSE(receive_nav(equator(), 114.00, 0, at(0, -0.01)).dme);  // FAR has none
}

TEST(Navaids, LocaliserAndGlideSlope) {
  // On the centreline 0.1 degrees west (the localiser's course is 090).
  NavReception r = receive_nav(equator(), 110.30, 0, at(0, -0.1, 10007 * std::tan(3 * kRad)));
  EXPECT_TRUE(r.localiser);
  EXPECT_EQ(r.to_from, 1);
  EXPECT_NEAR(r.deviation, 0, 0.01);
  EXPECT_TRUE(r.glide_slope);
  EXPECT_NEAR(r.glide_slope_dev, 0, 0.5);
  // 0.35 degrees above the path: half scale, needle down (positive).
  r = receive_nav(equator(), 110.30, 0, at(0, -0.1, 10007 * std::tan(3.35 * kRad)));
  EXPECT_NEAR(r.glide_slope_dev, 59.5, 1);
  // North of the centreline: the course lies to the right (0.57 degrees of 2.5 half-width).
  r = receive_nav(equator(), 110.30, 0, at(0.001, -0.1));
  EXPECT_NEAR(r.deviation, 0.573 / 2.5 * 127, 0.5);
  // Far off the course: no glide slope; beyond the glide slope's 10 nm: none either.
  EXPECT_FALSE(receive_nav(equator(), 110.30, 0, at(0.05, -0.1)).glide_slope);
  EXPECT_FALSE(receive_nav(equator(), 110.30, 0, at(0, -0.2)).glide_slope);
}

TEST(Navaids, AdfRelativeBearingAndSignal) {
  AdfReception r = receive_adf(equator(), 345.0, at(0, -0.1, 1000, 0));
  EXPECT_EQ(r.signal, 255);
  EXPECT_NEAR(r.relative_bearing, 90, 0.01);
  r = receive_adf(equator(), 345.5, at(0, -0.1, 1000, 90));
  EXPECT_NEAR(r.relative_bearing, 0, 0.01);
  EXPECT_EQ(receive_adf(equator(), 347.0, at(0, -0.1)).signal, 0);
  EXPECT_FALSE(receive_adf(equator(), 345.0, at(0, -1)).received);  // 60 nm: beyond 25
}

TEST(Navaids, FileErrorsNameFileLineAndProblem) {
  const std::pair<const char*, const char*> cases[] = {
      {"VOR A 113.4 0 0 0 100\nVOR B 99.0 0 0 0 100\n",
       "2: bad frequency in MHz \"99.0\", expected a number from 108 to 117.95"},
      {"TACAN X 1 2 3\n",
       "1: unknown record \"TACAN\", expected variation, VOR, LOC, GS, DME, NDB or MARKER"},
      {"\n# only\nLOC I 110.3 0 0 0 18 90\n",
       "3: expected: LOC IDENT MHZ LAT LON ELEV_FT RANGE_NM COURSE WIDTH"},
      {"MARKER far 0 0 0\n", "1: bad marker kind far, expected outer, middle or inner"},
      {"VOR A 113.4 0 0 0 100 tacan\n", "1: expected dme or nothing after the range"},
      {"", " no stations"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tests::error_of([&] { parse_navaids(c.first, "aids.txt"); }),
              std::string("aids.txt:") + c.second);
  EXPECT_NO_THROW(read_navaids(default_navaid_file()));  // the project's own file
}

}  // namespace
}  // namespace gaugehost::nav
