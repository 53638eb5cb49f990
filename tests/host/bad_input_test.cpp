// What gaugehost does with bad input: files that are no files of their kind, modules cut short,
// panels whose numbers cannot be laid out, long runs, long names. Each gives one clear line and
// exit status 2, or stays bounded.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "host/loader/module_copy.h"
#include "host/panel/session.h"
#include "tests/host/host_support.h"

namespace gaugehost {
namespace {

using namespace tests;

// The first line of a run's output that is not the closing count of a check run.
std::string error_line(const CommandRun& run) {
  std::istringstream lines(run.out + run.err);
  std::string line;
  while (std::getline(lines, line))
    if (!line.ends_with(" passed, 0 failed")) return line;
  return "";
}

TEST(BadInput, FilesThatAreNoPanelOrCheckFileAreOneLineNamingThem) {
  const fs::path folder = test_folder();
  const std::string dir = (folder / "a_folder").string();
  fs::create_directories(dir);
  const std::string fifo = (folder / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string big = write_file(folder / "big.check", "").string();
  fs::resize_file(big, (16 << 20) + 1);  // sparse: costs no disk
  const std::string empty_panel = write_file(folder / "empty.cfg", "").string();
  auto check_file = [&](const std::string& name, const std::string& text) {
    return write_file(folder / name, text).string();
  };
  const std::string out = (folder / "never.png").string();

  const struct {
    std::vector<std::string> args;
    std::string message;  // a part of the error line
  } cases[] = {
      {{"check", dir}, dir + ": a folder, not a check file"},
      {{"check", "/dev/zero"}, "/dev/zero: not a regular file"},
      {{"check", fifo}, fifo + ": not a regular file"},
      {{"check", big}, big + ": the check file is larger than 16 MiB"},
      {{"check", folder / "missing.check"}, "missing.check: no such check file"},
      {{"check", check_file("dir.check", "panel a_folder\n")},
       "dir.check:1: " + dir + ": a folder, not a panel configuration"},
      {{"check", check_file("empty.check", "panel empty.cfg\n")},
       empty_panel + ": no [WindowNN] or [VcockpitNN] section"},
      {{"render", "--panel", fifo, "--out", out}, fifo + ": not a regular file"},
      {{"check", check_file("long.check", "gauge " + std::string(10'000'000, 'N') + "\n")},
       "long.check:1: unknown gauge \"NNNNN"},
      {{"--module", dir, "list"}, dir + ": no such module file"},
      {{"lint", "/nonexistent/panel.cfg"}, "/nonexistent/panel.cfg: no such panel configuration"},
  };
  for (const auto& [args, message] : cases) {
    const CommandRun run = gaugehost(args);
    const std::string line = error_line(run);
    EXPECT_EQ(run.status, 2) << args[1];
    EXPECT_NE(line.find(message), std::string::npos) << args[1] << " -> " << line.substr(0, 300);
    EXPECT_LT(line.size(), 400u) << args[1];
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST(BadInput, AModuleCutShortIsRefusedBeforeLoadingAndLeavesNoCopy) {
  const fs::path folder = test_folder();
  std::ifstream in(kModule, std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(whole.size(), 100000u);
  // Cut inside the identification, the ELF header, the program headers and the segments (the
  // resources alone make the loadable part far longer than 128 KiB; what follows it, the debug
  // information and the section headers, is not needed to load).
  for (size_t cut : {0, 10, 63, 64, 100, 1000, 4096, 0x10000, 0x20000}) {
    const std::string cut_module =
        write_file(folder / "CRV5_Instr.gau", whole.substr(0, cut)).string();
    const CommandRun run = gaugehost({"--module", cut_module, "list"});
    const std::string output = run.out + run.err;
    EXPECT_EQ(run.status, 2) << cut;
    EXPECT_TRUE(output.starts_with("gaugehost: " + cut_module + ": not a loadable module: "))
        << cut << ": " << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  }
  const std::string text = write_file(folder / "text.gau", "not a library").string();
  EXPECT_NE(gaugehost({"--module", text, "list"}).err.find("not an ELF file"), std::string::npos);
  // A module past the size bound (sparse: the real headers, then a hole) is refused before a
  // byte of it is copied.
  const fs::path huge = write_file(folder / "huge.gau", whole.substr(0, 0x20000));
  fs::resize_file(huge, kModuleSizeLimit + 1);
  EXPECT_NE(gaugehost({"--module", huge.string(), "list"}).err.find("larger than 256 MiB"),
            std::string::npos);
  EXPECT_TRUE(fs::is_empty(module_copy_folder()));
  // Loading the whole module still works, and no copy of any load is left behind.
  EXPECT_EQ(gaugehost({"list"}).status, 0);
  EXPECT_TRUE(fs::is_empty(module_copy_folder()));
}

TEST(BadInput, GaugesThatCannotBeLaidOutNameTheirLine) {
  Session session(Module::load(kModule));
  const std::string tall = "Throttle_Quadrant";  // taller than wide, placed without its height
  const std::pair<std::string, std::string> cases[] = {
      {"[Window00]\ngauge00=CRV5_Instr!Engine_RPM, 8000, 0, 8000, 10\n",
       "p.cfg:1: [Window00] needs 16000 x 10 pixels for its gauges, more than 8192 x 8192"},
      {"[Window00]\ngauge00=CRV5_Instr!" + tall + ", 0, 0, 8192\n",
       "p.cfg:2: gauge \"" + tall + "\" at width 8192 would be"},
  };
  for (const auto& c : cases) {
    const std::string error =
        error_of([&] { session.load_panel(parse_panel_config(c.first, "p.cfg")); });
    EXPECT_TRUE(error.starts_with(c.second)) << error;
  }
  EXPECT_TRUE(session.gauges().empty());
  // A window as big as may be, with a window_size, is fine.
  session.load_panel(parse_panel_config(
      "[Window00]\nsize_mm=8192,8192\ngauge00=CRV5_Instr!Engine_RPM, 8000, -8192, 8192\n",
      "p.cfg"));
  EXPECT_EQ(session.windows().at(0).window_size.width, 8192);
}

TEST(BadInput, AnEndlessStreamOfKeyEventsKeepsOnlyTheLatest) {
  SimState sim;
  const uint32_t total = 3 * SimState::kKeptEvents + 7;
  for (uint32_t i = 0; i < total; ++i) sim.record_event(KeyEvent{0x10001, i});
  EXPECT_EQ(sim.events_not_kept(), total - SimState::kKeptEvents);
  const std::vector<KeyEvent> kept = sim.take_events();
  ASSERT_EQ(kept.size(), SimState::kKeptEvents);
  EXPECT_EQ(kept.back().value, total - 1);
  EXPECT_EQ(kept.front().value, total - SimState::kKeptEvents);
  // A take starts afresh.
  sim.record_event(KeyEvent{0x10002, 1});
  EXPECT_EQ(sim.events_not_kept(), 0u);
  EXPECT_EQ(sim.take_events(), (std::vector<KeyEvent>{{0x10002, 1}}));
}

}  // namespace
}  // namespace gaugehost
