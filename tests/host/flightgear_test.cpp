// The FlightGear link: the frame parser's refusals, the shipped protocol files against the
// ownership table, the panel's frame, and real datagrams on loopback. Good frames, and a field out
// of range held, are flown by tests/checks/flight/flightgear_replay.check.
#include "host/sim/flightgear/flightgear_link.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "host/base/host_error.h"
#include "host/sim/flight/flight_tokens.h"

namespace gaugehost::flightgear {
namespace {

namespace token = flight::token;

const std::string kGood =
    "161.50,0.2480,3401.0,-14.20,-1.50,5.20,272.00,270.00,269.50,271.00,0.050,0.300,1.020,"
    "47.245378,6.689511,3420.0,0,12.5,1,1,0.050,1,0,1,-0.100,270.00,0,0,0.000,0,0,0,0.000,0.00,"
    "1,7.10,1,2.00,0,0,0";

TEST(FlightGearFrame, RefusesMalformedFrames) {
  const struct {
    std::string text;
    std::string problem;
  } cases[] = {
      {"", "an empty frame"},
      {"1,2,3", "3 fields, expected 41"},
      {kGood + ",7", "more than 41 fields"},
      {"x" + kGood, "field 1 (indicated airspeed, kt) is not a number"},
      {"161.5,nan" + kGood.substr(kGood.find(',', 7)), "field 2 (Mach) is not a number"},
      {"161.5,,3401" + kGood.substr(kGood.find(',', 12)), "field 2 (Mach) is not a number"},
      {"1e999" + kGood.substr(kGood.find(',')), "field 1 (indicated airspeed, kt) is not a number"},
      {kGood + "\n" + kGood, "a line break inside the frame"},
      {std::string(5000, '1'), "a frame longer than 4096 bytes"},
  };
  for (const auto& c : cases) {
    const Frame frame = parse_frame(c.text);
    EXPECT_EQ(frame.status, Frame::Status::malformed) << c.text.substr(0, 40);
    EXPECT_EQ(frame.problem, c.problem) << c.text.substr(0, 40);
  }
}

// Each shipped protocol file lists its owner's rows of the ownership table, in order.
TEST(FlightGearFrame, ShippedProtocolsAreTheOwnershipTable) {
  const struct {
    const char* file;
    const char* direction;
    std::span<const LinkValue> rows;
  } protocols[] = {{"corvane.xml", "output", field_table()},
                   {"corvane-in.xml", "input", panel_table()}};
  const std::regex chunk(
      "<chunk>\\s*<name>([^<]*)</name>\\s*<type>([^<]*)</type>\\s*<format>([^<]*)</format>\\s*"
      "<node>([^<]*)</node>\\s*</chunk>");
  for (const auto& [file, direction, rows] : protocols) {
    std::ifstream in(std::string(CRV5_SOURCE_DIR) + "/panels/corvane/flightgear/" + file);
    const std::string xml{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::string> shipped, table;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), chunk); it != std::sregex_iterator();
         ++it)
      shipped.push_back(it->str(1) + " " + it->str(2) + " " + it->str(3) + " " + it->str(4));
    for (const LinkValue& row : rows)
      table.push_back(std::string(row.name) + " " + row.type + " " + row.format + " " + row.property);
    EXPECT_EQ(shipped, table) << file;
    for (const std::string& setting : {"<" + std::string(direction) + ">",
                                       std::string("<binary_mode>false</binary_mode>"),
                                       std::string("<var_separator>,</var_separator>"),
                                       std::string("<line_separator>newline</line_separator>")})
      EXPECT_NE(xml.find(setting), std::string::npos) << file << " " << setting;
  }
}

// The panel's frame: each value in its row's format, clamped to what FlightGear takes; COM1 on
// its 25 kHz channel (the head shows 118.27, the radio is on 118.275).
TEST(FlightGearFrame, PanelFrameCarriesThePanelsSettings) {
  SimState sim;
  const std::pair<uint32_t, double> settings[] = {
      {kThrottle, 0.5},         {kGearLever, 16384},      {kFlapsPercent, 33.3333},
      {kSpoilersHandle, 99999}, {kParkingBrake, 16384},   {kCom1Packed, 0x1827},
      {kNav1Packed, 0x1340},    {kNav2Packed, 0x1680},    {kAdfPacked, 0x0345},
      {kAdfExtended, 0x105},    {kTransponderPacked, 0x7700}, {kNav1Course, 370},
      {kNav2Course, -10},       {kHeadingBug, 90},        {kBaroSetting, 1013.25},
      {kBatterySwitch, 1},      {kAvionicsSwitch, 0}};
  for (const auto& [id, value] : settings) sim.set_var(id, value);
  EXPECT_EQ(encode_panel_frame(panel_values(sim)),
            "0.500,0.500,1,0.333,1.000,1,1,118.275,113.40,116.80,1345.5,7700,10.0,350.0,90.0,29.9212,1,0\n");
}

// The panel's frame goes when it changes and twice a second otherwise; a FlightGear that is gone
// only counts frames not sent.
TEST(FlightGearLink, SendsThePanelFrameOnChangeAndAtASteadyRate) {
  auto flightgear = std::make_unique<UdpInput>(0);
  FlightGearLink link(std::make_unique<RecordedInput>(std::vector<std::string>{}, "nothing"),
                      std::make_unique<UdpOutput>("127.0.0.1", flightgear->port()));
  SimState sim;
  const auto sent_after = [&](int updates) {
    for (int i = 0; i < updates; ++i) link.advance(sim, 1.0 / 18);
    return link.sent();
  };
  EXPECT_EQ(sent_after(1), 1u);
  EXPECT_EQ(flightgear->receive(), encode_panel_frame(panel_values(sim)));
  EXPECT_EQ(sent_after(1), 1u);  // unchanged
  sim.set_var(kThrottle, 0.7);
  EXPECT_EQ(sent_after(1), 2u);
  EXPECT_EQ(sent_after(8), 2u);
  EXPECT_EQ(sent_after(1), 3u);  // half a second on
  flightgear.reset();
  for (int i = 0; i < 3; ++i) {
    sim.set_var(kThrottle, 0.1 * i);
    link.advance(sim, 1.0 / 18);
  }
  EXPECT_EQ(link.sent() + link.send_failures(), 6u);
  EXPECT_GT(link.send_failures(), 0u);
  EXPECT_NE(link.status().find("not sent"), std::string::npos) << link.status();
}

// Datagrams on loopback to a port of the system's choosing: under a flood of garbage every update
// still takes the real frame sent before it.
TEST(FlightGearLink, AFloodOfGarbageDatagramsLosesNoRealFrame) {
  auto input = std::make_unique<UdpInput>(0);
  const uint16_t port = input->port();
  sockaddr_in to{.sin_family = AF_INET, .sin_port = htons(port),
                 .sin_addr = {.s_addr = htonl(INADDR_LOOPBACK)}};
  FlightGearLink link(std::move(input));
  const int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(sender, 0);
  const auto send = [&](const std::string& d) {
    return ::sendto(sender, d.data(), d.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  };
  SimState sim;
  constexpr int kUpdates = 30, kGarbage = 200;  // within the smallest buffer systems grant
  for (int update = 0; update < kUpdates; ++update) {
    for (int i = 0; i < kGarbage; ++i) send("garbage " + std::to_string(i) + "\n");
    ASSERT_GT(send(std::to_string(100 + update) + kGood.substr(kGood.find('.')) + "\n"), 0);
    link.advance(sim, 1.0 / 18);  // loopback delivers before sendto returns
    ASSERT_EQ(sim.var(token::kIndicatedAirspeed), 100.5 + update) << update;
  }
  ::close(sender);
  EXPECT_EQ(link.frames(), uint64_t(kUpdates));
  EXPECT_EQ(link.malformed(), uint64_t(kUpdates * kGarbage));
  EXPECT_NE(link.status().find("FlightGear on UDP 127.0.0.1:" + std::to_string(port) + ": live"),
            std::string::npos)
      << link.status();
  for (int i = 0; i < 19; ++i) link.advance(sim, 1.0 / 18);
  EXPECT_NE(link.status().find("no frame for 1 s, the last values held (30 frames), 6000 malformed"),
            std::string::npos)
      << link.status();
  EXPECT_THROW(UdpInput(0, "not-an-address"), gaugehost::HostError);
}

}  // namespace
}  // namespace gaugehost::flightgear
