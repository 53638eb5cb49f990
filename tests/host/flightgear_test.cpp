// The FlightGear link: the frame parser (a pure function of the text), the shipped protocol
// files against the ownership table, recorded frames driving the variables, the panel's frame,
// and real datagrams on loopback, bounded in count and time.
#include "host/sim/flightgear/flightgear_link.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "host/base/host_error.h"
#include "host/sim/flight/flight_tokens.h"

namespace gaugehost::flightgear {
namespace {

namespace token = flight::token;

const std::string kGood =
    "161.50,0.2480,3401.0,-14.20,-1.50,5.20,272.00,270.00,269.50,271.00,0.050,0.300,1.020,"
    "47.245378,6.689511,3420.0,0,12.5,1,1,0.050,1,0,1,-0.100,270.00,0,0,0.000,0,0,0,0.000,0.00,"
    "1,7.10,1,2.00,0,0,0";

TEST(FlightGearFrame, ParsesEveryFieldAndMarksThoseOutOfRange) {
  const Frame frame = parse_frame(kGood + "\r\n");
  ASSERT_EQ(frame.status, Frame::Status::ok) << frame.problem;
  EXPECT_EQ(frame.values[size_t(Field::indicated_airspeed_kt)], 161.5);
  EXPECT_EQ(frame.values[size_t(Field::roll_deg)], 5.2);
  EXPECT_EQ(frame.values[size_t(Field::outside_temperature_c)], 12.5);
  for (bool in_range : frame.in_range) EXPECT_TRUE(in_range);
  const Frame fast = parse_frame("9999" + kGood.substr(kGood.find(',')));
  ASSERT_EQ(fast.status, Frame::Status::ok);
  EXPECT_FALSE(fast.in_range[size_t(Field::indicated_airspeed_kt)]);
  EXPECT_TRUE(fast.in_range[size_t(Field::mach)]);
}

TEST(FlightGearFrame, RefusesMalformedFrames) {
  const struct {
    std::string text;
    std::string problem;
  } cases[] = {
      {"", "an empty frame"},
      {"\n", "an empty frame"},
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
  for (const auto& protocol : protocols) {
    std::ifstream file(std::string(CRV5_SOURCE_DIR) + "/panels/corvane/flightgear/" +
                       protocol.file);
    std::stringstream text;
    text << file.rdbuf();
    const std::string xml = text.str();
    size_t index = 0;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), chunk);
         it != std::sregex_iterator(); ++it, ++index) {
      ASSERT_LT(index, protocol.rows.size()) << protocol.file;
      const LinkValue& row = protocol.rows[index];
      EXPECT_EQ((*it)[1], row.name) << protocol.file;
      EXPECT_EQ((*it)[2], row.type) << protocol.file;
      EXPECT_EQ((*it)[3], row.format) << protocol.file;
      EXPECT_EQ((*it)[4], row.property) << protocol.file;
    }
    EXPECT_EQ(index, protocol.rows.size()) << protocol.file;
    for (const std::string& setting :
         {"<" + std::string(protocol.direction) + ">", std::string("<binary_mode>false</binary_mode>"),
          std::string("<var_separator>,</var_separator>"),
          std::string("<line_separator>newline</line_separator>")})
      EXPECT_NE(xml.find(setting), std::string::npos) << protocol.file << " " << setting;
  }
}

// The panel's frame: each value in its row's format, clamped to what FlightGear takes.
TEST(FlightGearFrame, PanelFrameCarriesThePanelsSettings) {
  SimState sim;
  const std::pair<uint32_t, double> settings[] = {
      {kThrottle, 0.5},         {kGearLever, 16384},      {kFlapsPercent, 33.3333},
      {kSpoilersHandle, 99999}, {kParkingBrake, 16384},   {kCom1Packed, 0x1835},
      {kNav1Packed, 0x1340},    {kNav2Packed, 0x1680},    {kAdfPacked, 0x0345},
      {kAdfExtended, 0x105},    {kTransponderPacked, 0x7700}, {kNav1Course, 370},
      {kNav2Course, -10},       {kHeadingBug, 90},        {kBaroSetting, 1013.25},
      {kBatterySwitch, 1},      {kAvionicsSwitch, 0}};
  for (const auto& [id, value] : settings) sim.set_var(id, value);
  EXPECT_EQ(encode_panel_frame(panel_values(sim)),
            "0.500,0.500,1,0.333,1.000,1,1,118.350,113.40,116.80,1345.5,7700,10.0,350.0,90.0,29.9212,1,0\n");
}

// The recording: two good frames, a gap, a cut frame, text for a number, an airspeed out of range
// (tests/checks/flight/flightgear_replay.check holds the values through them).
TEST(FlightGearLink, RecordedFramesConvertToTheVariablesAndTheStatusTellsOfGaps) {
  FlightGearLink link(recorded_frames(CRV5_SOURCE_DIR "/tests/flightgear/recorded.txt"));
  SimState sim;
  EXPECT_NE(link.status().find("waiting for the first frame"), std::string::npos);
  link.advance(sim, 1.0 / 18);
  EXPECT_NEAR(sim.var(token::kMach), 0.248 * 20480, 1e-9);
  EXPECT_NEAR(sim.var(token::kVerticalSpeed), -14.2 * 0.3048 * 256, 1e-6);
  EXPECT_NEAR(sim.var(token::kTurnRate), 0.3 * 4.5 * 256, 1e-9);
  EXPECT_NEAR(sim.var(token::kLoadFactor), 1.02 * 624, 1e-9);
  // FlightGear's receivers: on the localiser (no bearing), glide slope needle up, DME, ADF.
  EXPECT_EQ(sim.var(token::kNav1Flags),
            token::kFlagNoBearing | token::kFlagGlideSlope | token::kFlagDme);
  EXPECT_NEAR(sim.var(token::kNav1GlideSlope), 11.9, 1e-9);
  EXPECT_EQ(sim.var(token::kNav1ToFrom), 1);
  EXPECT_EQ(sim.var(token::kNav2Flags), token::kFlagNoBearing);
  EXPECT_EQ(sim.var(token::kAdfSignal), 255);
  for (int i = 0; i < 23; ++i) link.advance(sim, 1.0 / 18);  // the recording has ended
  EXPECT_NE(link.status().find("no frame for 1 s, the last values held (3 frames), 2 malformed"),
            std::string::npos)
      << link.status();
}

// Datagrams on loopback to a port of the system's choosing.
TEST(FlightGearLink, ReadsDatagramsOnLoopback) {
  auto input = std::make_unique<UdpInput>(0);
  const uint16_t port = input->port();
  FlightGearLink link(std::move(input));
  const int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(sender, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const std::string datagrams[] = {"garbage\n", kGood + "\n", std::string(70000, 'x')};
  for (const std::string& d : datagrams)
    ASSERT_EQ(::sendto(sender, d.data(), d.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to),
              ssize_t(d.size()) > 65507 ? -1 : ssize_t(d.size()));
  ::close(sender);
  SimState sim;
  // Loopback delivers at once; a few updates at most take what was sent, without waiting.
  for (int i = 0; i < 10 && link.frames() == 0; ++i) {
    link.advance(sim, 1.0 / 18);
    if (link.frames() == 0) usleep(10000);
  }
  EXPECT_EQ(link.frames(), 1u);
  EXPECT_EQ(link.malformed(), 1u);
  EXPECT_EQ(sim.var(token::kIndicatedAirspeed), 161.5);
  EXPECT_NE(link.status().find("FlightGear on UDP 127.0.0.1:" + std::to_string(port) + ": live"),
            std::string::npos)
      << link.status();
  EXPECT_THROW(UdpInput(0, "not-an-address"), gaugehost::HostError);
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

// Under a flood of garbage datagrams every update still takes the real frame sent before it.
TEST(FlightGearLink, AFloodOfGarbageLosesNoRealFrame) {
  auto input = std::make_unique<UdpInput>(0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(input->port());
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
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
    const std::string speed = std::to_string(100 + update);
    ASSERT_GT(send(speed + kGood.substr(kGood.find('.')) + "\n"), 0);
    // Loopback delivers before sendto returns.
    link.advance(sim, 1.0 / 18);
    ASSERT_EQ(sim.var(token::kIndicatedAirspeed), 100.5 + update) << update;
  }
  ::close(sender);
  EXPECT_EQ(link.frames(), uint64_t(kUpdates));
  EXPECT_EQ(link.malformed(), uint64_t(kUpdates * kGarbage));
}

}  // namespace
}  // namespace gaugehost::flightgear
