// Soak: the real program under random keys and menu picks (all but QUIT) for
// KESH_SOAK_SECONDS (60 by default; make soak runs an hour), after a warm-up
// that plays out every scene's effects, then every key and entry once. It
// must still run and show a rate, its resident memory must not grow after the
// warm-up, and Escape must end it with status 0. The figures go to standard
// output and <build>/e2e/soak-report.txt.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/e2e/running_program.h"

namespace {

using Clock = std::chrono::steady_clock;

// Keys as xdotool names them, handled, arrows and ignored; Escape would end it.
const std::vector<std::vector<std::string>> keyGroups = {
    {"plus", "minus", "1", "2", "3", "4", "c", "d", "r"},
    {"Left", "Right", "Up", "Down"},
    {"q", "C", "D", "R", "5", "0", "a", "z", "space", "Return", "Tab", "BackSpace", "Delete", "F1", "Home"}};

// The main menu's 14 entries; the scenes' submenus hang from entries 1, 3, 5
// and 7, with the frames each of their entries takes to play out (a toggle,
// a best view's travel, a burst, a drop's rings).
constexpr int mainEntries = 14, quitEntry = 13, resetZoomEntry = 12, travelFrames = 75;
const std::vector<std::pair<int, std::vector<int>>> submenus = {
    {1, {2, 2, travelFrames}}, {3, {2, travelFrames}}, {5, {200, 2, travelFrames}}, {7, {2, 60, travelFrames}}};

struct Entry {
  int main, sub = -1, subEntries = 0;
};

// Every entry but QUIT and those that only open a submenu.
const std::vector<Entry> everyEntry = [] {
  std::vector<Entry> entries;
  for (int main = 0; main < quitEntry; ++main) {
    if (std::none_of(submenus.begin(), submenus.end(), [main](const auto& s) { return s.first == main; })) {
      entries.push_back({main});
    }
  }
  for (const auto& [main, frames] : submenus) {
    for (int sub = 0; sub < static_cast<int>(frames.size()); ++sub) {
      entries.push_back({main, sub, static_cast<int>(frames.size())});
    }
  }
  return entries;
}();

long residentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

class Soak {
 public:
  explicit Soak(RunningProgram& run) : run_(run) {
    const char* seed = std::getenv("KESH_SOAK_SEED");
    random_.seed(seed ? std::stoul(seed) : 9);
  }

  void keys(const std::string& names) {
    run_.xdotool("key --window " + std::to_string(run_.window()) + " " + names);
    keysSent += static_cast<int>(std::count(names.begin(), names.end(), ' ') + 1);
  }

  void randomKeys() {
    std::string names;
    for (int i = 0; i < 30; ++i) {
      const auto& group = keyGroups[pick(keyGroups.size())];
      names += (i ? " " : "") + group[pick(group.size())];
    }
    keys(names);
  }

  // Opens the menu at a random place and picks entry; a menu that does not
  // open before the hang limit counts as a failed pick.
  void pickEntry(const Entry& entry) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(hangTimeoutMs);
    Window menu = openMenu(deadline);
    if (menu && entry.sub >= 0) {
      pointAt(run_.box(menu), mainEntries, entry.main, "");
      menu = run_.waitForPopup(msLeft(deadline));
    }
    const bool sub = entry.sub >= 0;
    menu && pointAt(run_.box(menu), sub ? entry.subEntries : mainEntries, sub ? entry.sub : entry.main, " click 1")
        ? ++picks
        : ++failedPicks;
  }

  void pickRandomEntry() { pickEntry(everyEntry[pick(everyEntry.size())]); }

  int keysSent = 0, picks = 0, failedPicks = 0;

 private:
  static int msLeft(Clock::time_point deadline) {
    return static_cast<int>(std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
  }

  // Points at entry position of a menu box of entries entries, then does what follows.
  bool pointAt(const WindowBox& menu, int entries, int position, const std::string& then) {
    const int y = menu.y + menu.height * (2 * position + 1) / (2 * entries);
    return run_.xdotool("mousemove " + std::to_string(menu.x + 30) + " " + std::to_string(y) + " sleep 0.05" + then);
  }

  // Right-clicks the window until the main menu opens, first closing with a
  // click clear of it any menu a missed pick left open.
  Window openMenu(Clock::time_point deadline) {
    while (msLeft(deadline) > 0) {
      if (!run_.waitForPopupsClosed(0)) {
        run_.xdotool("mousemove 1000 750 click 1");
        if (!run_.waitForPopupsClosed(msLeft(deadline))) return 0;
      }
      run_.xdotool("mousemove " + std::to_string(40 + pick(520)) + " " + std::to_string(40 + pick(340)) + " click 3");
      // No menu after a while: the click may have closed one instead.
      if (const Window menu = run_.waitForPopup(std::min(5000, msLeft(deadline)))) return menu;
    }
    return 0;
  }

  int pick(size_t count) { return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random_); }

  RunningProgram& run_;
  std::mt19937 random_;
};

TEST(Soak, SurvivesRandomKeysAndMenuPicksWithoutGrowing) {
  const char* setting = std::getenv("KESH_SOAK_SECONDS");
  const double seconds = setting ? std::max(1, std::atoi(setting)) : 60;
  RunningProgram run;
  ASSERT_TRUE(run.start(KESH_BUILD_DIR "/kesh-valdrune", KESH_BUILD_DIR));
  ASSERT_NE(run.waitForWindow(), 0u) << run.errors();
  ASSERT_TRUE(run.waitForFrames(1));
  const long rssStart = residentKilobytes(run.pid());
  const auto start = Clock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };

  Soak soak(run);
  for (int scene = 0; scene < 4; ++scene) {
    soak.keys(std::to_string(scene + 1));
    run.waitForFrames(45);  // the stage's turn
    const auto& [main, frames] = submenus[scene];
    for (int sub = 0; sub < static_cast<int>(frames.size()); ++sub) {
      soak.pickEntry({main, sub, static_cast<int>(frames.size())});
      run.waitForFrames(frames[sub]);
    }
    soak.pickEntry({resetZoomEntry});
    run.waitForFrames(travelFrames);
  }
  for (const auto& group : keyGroups) {
    for (const std::string& key : group) soak.keys(key);
  }
  for (const Entry& entry : everyEntry) soak.pickEntry(entry);

  // Half the run (at most five minutes, at least the visits above) is warm-up
  // for the driver's caches and the allocator; the measured part keeps its length.
  const double warmUp = std::min(seconds / 2, 300.0), measuredFrom = std::max(warmUp, elapsed());
  long rssWarm = -1, rssPeak = -1;
  for (int batch = 1; elapsed() < measuredFrom + seconds - warmUp; ++batch) {
    soak.randomKeys();
    if (batch % 3 == 0) soak.pickRandomEntry();
    ASSERT_TRUE(run.alive()) << "ended after " << elapsed() << " s\n" << run.errors();
    const long rss = residentKilobytes(run.pid());
    if (rssWarm < 0 && elapsed() >= measuredFrom) rssWarm = rss;
    if (rssWarm >= 0) rssPeak = std::max(rssPeak, rss);
  }
  const long rssEnd = residentKilobytes(run.pid());
  EXPECT_TRUE(run.waitForFrames(3)) << "the title stopped showing the rate";

  std::ostringstream figures;
  figures << "soak: " << elapsed() << " s, " << soak.keysSent << " keys, " << soak.picks << " menu picks ("
          << soak.failedPicks << " menus did not open)\nresident memory (kB): start " << rssStart
          << ", after warm-up " << rssWarm << ", end " << rssEnd << ", peak after warm-up " << rssPeak
          << "\ntitle updates: " << run.titleSettings() << "\n";
  std::printf("%s", figures.str().c_str());
  mkdir(KESH_BUILD_DIR "/e2e", 0755);
  std::ofstream(KESH_BUILD_DIR "/e2e/soak-report.txt") << figures.str();
  constexpr long allowedGrowthKb = 4096;  // how far memory may wander after the warm-up
  EXPECT_LE(rssEnd - rssWarm, allowedGrowthKb);
  EXPECT_LE(rssPeak - rssWarm, allowedGrowthKb);
  EXPECT_EQ(soak.failedPicks, 0);

  // A menu left open would take the key: a click clear of it closes it.
  run.xdotool("mousemove 1000 750 click 1");
  EXPECT_TRUE(run.waitForPopupsClosed());
  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.errors(), "");
}

}  // namespace
