// Soak: the real program under a stream of random input for a fixed time
// (KESH_SOAK_SECONDS, 60 by default; make soak runs an hour): thousands of
// keys, every handled key, the arrows and keys it ignores, and random picks
// of every menu entry and submenu entry but "QUIT". Afterwards it must still
// run, its title must still show a frame rate every second, its resident
// memory must not have grown since the warm-up, and Escape must end it with
// status 0. The warm-up first tours every menu entry and key once, so that
// each scene, option and effect has been shown before memory is measured.
// The figures go to standard output and <build>/e2e/soak-report.txt.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/running_program.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string buildDir = KESH_BUILD_DIR;
const std::string program = buildDir + "/kesh-valdrune";

constexpr int defaultSoakSeconds = 60;
constexpr unsigned int defaultSeed = 9;
// A menu that has not opened this long after its click is clicked for again
// (the click may have closed a menu left open instead); only after
// hangTimeoutMs in all does a pick count as failed.
constexpr int popupRetryMs = 5000;
constexpr int keysPerBatch = 30;
constexpr int batchesPerMenuPick = 3;
// The first half of the run, at most five minutes, is warm-up: the driver's
// caches and buffers and the allocator settle there.
constexpr double warmUpShare = 0.5;
constexpr int longestWarmUpSeconds = 300;
// Resident memory is sampled this often for the report, at least every 10 s.
constexpr int reportSamples = 30;
constexpr int shortestSampleSeconds = 10;
// Resident memory may wander this much after the warm-up without counting as growth.
constexpr long allowedGrowthKb = 4096;
// Frames a turn of the stage takes at most (a half turn counts on its 31st),
// with the camera's return; a best view's travel or its return (68 at most);
// Explode until the merged fireball has settled after its burst; drops'
// rings spreading.
constexpr int turnFrames = 45;
constexpr int toggleFrames = 2;
constexpr int travelFrames = 75;
constexpr int burstFrames = 200;
constexpr int dropFrames = 60;

// How often the title must be set again at the end, once a second.
constexpr int leastTitleSettings = 3;

// Keys as xdotool names them. Escape is left out: it ends the program.
const std::vector<std::string> handledKeys = {"plus", "minus", "1", "2", "3", "4", "c", "d", "r"};
const std::vector<std::string> arrowKeys = {"Left", "Right", "Up", "Down"};
const std::vector<std::string> ignoredKeys = {"q", "C", "D", "R", "5", "0", "a", "z", "space",
                                              "Return", "Tab", "BackSpace", "Delete", "F1",
                                              "Home", "Page_Up", "Insert"};

// A menu entry by position: in the main menu, or in the submenu that the
// main menu's entry at mainPosition opens.
struct MenuEntry {
  const char* label;
  int mainPosition;
  int subPosition;  // -1: the main menu's own entry
  int subEntries;   // entries of that submenu
};

constexpr int mainEntries = 14;
const std::vector<MenuEntry> menuEntries = {
    {"Select Wind (1)", 0, -1, 0},     {"Leaves On/Off", 1, 0, 3},
    {"Branches On/Off", 1, 1, 3},      {"Wind Best Zoom", 1, 2, 3},
    {"Select Earth (2)", 2, -1, 0},    {"Water On/Off", 3, 0, 2},
    {"Earth Best Zoom", 3, 1, 2},      {"Select Fire (3)", 4, -1, 0},
    {"Explode", 5, 0, 3},              {"Reset", 5, 1, 3},
    {"Fire Best Zoom", 5, 2, 3},       {"Select Water (4)", 6, -1, 0},
    {"Draw Birds On/Off", 7, 0, 3},    {"Make Drop", 7, 1, 3},
    {"Water Best Zoom", 7, 2, 3},      {"Zoom In", 8, -1, 0},
    {"Zoom Out", 9, -1, 0},            {"Move Up", 10, -1, 0},
    {"Move Down", 11, -1, 0},          {"Reset Zoom", 12, -1, 0}};

// Where right-clicks open the menu: inside the window, leaving room on the
// screen for the menu and a submenu beside it.
constexpr int clickLeft = 40, clickRight = 560, clickTop = 40, clickBottom = 380;
constexpr int entryInset = 30;  // pixels in from a menu's left edge
// A point in the window but clear of any menu opened there: a click on it
// closes open menus without picking anything.
constexpr int clearX = 1000, clearY = 750;

// The run's length in seconds: KESH_SOAK_SECONDS, else one minute.
int soakSeconds() {
  const char* value = std::getenv("KESH_SOAK_SECONDS");
  return value ? std::max(1, std::atoi(value)) : defaultSoakSeconds;
}

// The seed of the random input: KESH_SOAK_SEED, else a fixed one.
unsigned int soakSeed() {
  const char* value = std::getenv("KESH_SOAK_SEED");
  return value ? static_cast<unsigned int>(std::strtoul(value, nullptr, 10)) : defaultSeed;
}

// Seconds from start until now.
double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A point as xdotool takes it.
std::string at(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

// The y of the middle of entry position in a menu box of entries entries.
int entryY(const WindowBox& box, int entries, int position) {
  return box.y + static_cast<int>(box.height * (position + 0.5) / entries);
}

// The figures of one soak run.
struct SoakFigures {
  int keysHandled = 0, keysArrow = 0, keysIgnored = 0;
  std::map<std::string, int> picks;
  int failedPicks = 0;
  long rssStart = -1, rssWarm = -1, rssEnd = -1, rssPeak = -1;
  std::vector<std::pair<int, long>> rssSamples;  // seconds into the run, kB
};

// The random input: keys in batches and menu picks, from one seeded stream.
class Soak {
 public:
  Soak(RunningProgram& run, Window window, unsigned int seed)
      : run_(run), window_(window), random_(seed) {}

  // Each scene in front in turn with everything it can show (its effects,
  // its options off and on again, its best view and back), each waited for
  // in frames: the renderer then has met the states random input can lead
  // to, whatever the machine's speed, before memory is measured.
  void visitScenes(SoakFigures& figures) {
    struct Visit {
      const char* key;
      const char* effects;  // keys, and how many frames they take to play out
      int effectFrames;
      std::vector<const char*> entries;  // menu entries picked in turn
    };
    const Visit visits[] = {
        {"1", "", 0, {"Leaves On/Off", "Leaves On/Off", "Branches On/Off", "Branches On/Off",
                      "Wind Best Zoom", "Reset Zoom"}},
        {"2", "", 0, {"Water On/Off", "Water On/Off", "Earth Best Zoom", "Reset Zoom"}},
        {"3", "c", burstFrames, {"Fire Best Zoom", "Reset Zoom"}},
        {"4", "d d", dropFrames,
         {"Draw Birds On/Off", "Draw Birds On/Off", "Water Best Zoom", "Reset Zoom"}},
    };
    for (const Visit& visit : visits) {
      sendKeys(figures, visit.key);
      run_.waitForFrames(turnFrames);
      if (*visit.effects) {
        sendKeys(figures, visit.effects);
        run_.waitForFrames(visit.effectFrames);
      }
      for (const char* label : visit.entries) {
        if (!pickMenuEntry(figures, entryLabelled(label))) ++figures.failedPicks;
        const bool travels = std::string(label).find("Zoom") != std::string::npos;
        run_.waitForFrames(travels ? travelFrames : toggleFrames);
      }
    }
    sendKeys(figures, "r");
  }

  // Every key once, then every menu entry once.
  void tour(SoakFigures& figures) {
    std::string keys;
    for (const std::vector<std::string>* names : {&handledKeys, &arrowKeys, &ignoredKeys}) {
      for (const std::string& name : *names) keys += " " + name;
    }
    figures.keysHandled += static_cast<int>(handledKeys.size());
    figures.keysArrow += static_cast<int>(arrowKeys.size());
    figures.keysIgnored += static_cast<int>(ignoredKeys.size());
    RunningProgram::xdotool("key --window " + std::to_string(window_) + keys);
    for (const MenuEntry& entry : menuEntries) {
      if (!pickMenuEntry(figures, entry)) ++figures.failedPicks;
    }
  }

  // Sends keys (xdotool's names, separated by spaces) to the window, all
  // counted as handled keys.
  void sendKeys(SoakFigures& figures, const std::string& keys) {
    figures.keysHandled += static_cast<int>(std::count(keys.begin(), keys.end(), ' ') + 1);
    RunningProgram::xdotool("key --window " + std::to_string(window_) + " " + keys);
  }

  // The menu entry with that label.
  static const MenuEntry& entryLabelled(const std::string& label) {
    for (const MenuEntry& entry : menuEntries) {
      if (label == entry.label) return entry;
    }
    return menuEntries.front();
  }

  // Sends one batch of random keys to the window.
  void sendKeys(SoakFigures& figures) {
    std::string keys;
    for (int i = 0; i < keysPerBatch; ++i) {
      const int group = pick(3);
      const std::vector<std::string>& names =
          group == 0 ? handledKeys : group == 1 ? arrowKeys : ignoredKeys;
      keys += " " + names[pick(static_cast<int>(names.size()))];
      (group == 0 ? figures.keysHandled : group == 1 ? figures.keysArrow : figures.keysIgnored)++;
    }
    RunningProgram::xdotool("key --window " + std::to_string(window_) + keys);
  }

  // Picks a random menu entry; false if a menu did not appear.
  bool pickMenuEntry(SoakFigures& figures) {
    return pickMenuEntry(figures, menuEntries[pick(static_cast<int>(menuEntries.size()))]);
  }

  // Opens the menu at a random place and picks entry; false if a menu did
  // not appear before the program counts as hung.
  bool pickMenuEntry(SoakFigures& figures, const MenuEntry& entry) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(hangTimeoutMs);
    const Window menu = openMenu(deadline);
    if (menu == 0) return false;
    const WindowBox box = run_.box(menu);
    const int mainY = entryY(box, mainEntries, entry.mainPosition);
    if (entry.subPosition < 0) {
      RunningProgram::xdotool("mousemove " + at(box.x + entryInset, mainY) + " sleep 0.05 click 1");
    } else {
      RunningProgram::xdotool("mousemove " + at(box.x + entryInset, mainY));
      const Window submenu = run_.waitForPopup(msLeft(deadline));
      if (submenu == 0) return false;
      const WindowBox sub = run_.box(submenu);
      RunningProgram::xdotool("mousemove " + at(sub.x + entryInset,
                                                entryY(sub, entry.subEntries, entry.subPosition)) +
                              " sleep 0.05 click 1");
    }
    ++figures.picks[entry.label];
    return true;
  }

 private:
  static int msLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
  }

  // Closes any menu still open (a pick that missed its entry leaves it so)
  // with a click clear of it, and waits until it is gone.
  bool closeMenus(Clock::time_point deadline) {
    if (run_.waitForPopupsClosed(0)) return true;
    RunningProgram::xdotool("mousemove " + at(clearX, clearY) + " click 1");
    return run_.waitForPopupsClosed(msLeft(deadline));
  }

  // Right-clicks a random place of the window until the main menu opens.
  Window openMenu(Clock::time_point deadline) {
    while (msLeft(deadline) > 0) {
      if (!closeMenus(deadline)) return 0;
      const int x = clickLeft + pick(clickRight - clickLeft);
      const int y = clickTop + pick(clickBottom - clickTop);
      RunningProgram::xdotool("mousemove " + at(x, y) + " click 3");
      const Window menu = run_.waitForPopup(std::min(popupRetryMs, msLeft(deadline)));
      if (menu != 0) return menu;
    }
    return 0;
  }

  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  RunningProgram& run_;
  Window window_;
  std::mt19937 random_;
};

// The figures as text, one line each, and one line per menu entry picked.
std::string report(int seconds, unsigned int seed, const SoakFigures& figures,
                   const RunningProgram& run) {
  std::ostringstream text;
  const int keys = figures.keysHandled + figures.keysArrow + figures.keysIgnored;
  int picks = 0;
  for (const auto& [label, count] : figures.picks) picks += count;
  int lowest = -1, highest = -1;
  for (const std::string& title : run.titles()) {
    const int rate = RunningProgram::titleRate(title);
    if (rate <= 0) continue;
    lowest = lowest < 0 ? rate : std::min(lowest, rate);
    highest = std::max(highest, rate);
  }
  text << "soak: " << seconds << " s of random input, seed " << seed << "\n"
       << "keys sent: " << keys << " (handled " << figures.keysHandled << ", arrows "
       << figures.keysArrow << ", ignored " << figures.keysIgnored << ")\n"
       << "menu picks: " << picks << " (" << figures.failedPicks << " menus did not open)\n";
  for (const auto& [label, count] : figures.picks) text << "  " << label << ": " << count << "\n";
  text << "resident memory (kB): start " << figures.rssStart << ", after warm-up "
       << figures.rssWarm << ", end " << figures.rssEnd << ", peak after warm-up "
       << figures.rssPeak << "\n";
  for (const auto& [second, kb] : figures.rssSamples) {
    text << "  at " << second << " s: " << kb << " kB\n";
  }
  text << "frame rate in the title: " << lowest << " to " << highest << " fps, "
       << run.titleSettings() << " title updates\n";
  return text.str();
}

TEST(Soak, SurvivesRandomKeysAndMenuPicksWithoutGrowing) {
  const int seconds = soakSeconds();
  const unsigned int seed = soakSeed();
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u) << run.errors();
  ASSERT_TRUE(run.waitForTitle([](const std::string& t) { return RunningProgram::titleRate(t) >= 0; }));

  SoakFigures figures;
  figures.rssStart = run.residentKilobytes();
  Soak soak(run, window, seed);
  const double warmUp = std::min<double>(seconds * warmUpShare, longestWarmUpSeconds);
  const int samplePeriod = std::max(shortestSampleSeconds, seconds / reportSamples);
  const Clock::time_point start = Clock::now();
  soak.visitScenes(figures);
  soak.tour(figures);
  // The warm-up lasts at least until the visits and the tour are done; the
  // measured part after it keeps its length however long they took.
  const double measuredFrom = std::max(warmUp, secondsSince(start));
  const double endAt = std::max<double>(seconds, measuredFrom + (seconds - warmUp));
  for (int batch = 0; secondsSince(start) < endAt; ++batch) {
    soak.sendKeys(figures);
    if (batch % batchesPerMenuPick == batchesPerMenuPick - 1 && !soak.pickMenuEntry(figures)) {
      ++figures.failedPicks;
    }
    ASSERT_TRUE(run.alive()) << "ended after " << secondsSince(start) << " s\n" << run.errors();
    const long rss = run.residentKilobytes();
    const double now = secondsSince(start);
    if (figures.rssWarm < 0 && now >= measuredFrom) figures.rssWarm = rss;
    if (figures.rssWarm >= 0) figures.rssPeak = std::max(figures.rssPeak, rss);
    const int second = static_cast<int>(now) / samplePeriod * samplePeriod;
    if (figures.rssSamples.empty() || figures.rssSamples.back().first != second) {
      figures.rssSamples.push_back({second, rss});
    }
  }
  figures.rssEnd = run.residentKilobytes();

  // The title goes on showing the rate once a second.
  EXPECT_TRUE(run.waitForTitleSettings(leastTitleSettings));
  EXPECT_GT(RunningProgram::titleRate(run.titles().back()), 0) << run.titles().back();
  EXPECT_TRUE(run.alive());

  const std::string figuresText = report(seconds, seed, figures, run);
  std::printf("%s", figuresText.c_str());
  mkdir((buildDir + "/e2e").c_str(), 0755);
  std::ofstream(buildDir + "/e2e/soak-report.txt") << figuresText;

  EXPECT_LE(figures.rssEnd - figures.rssWarm, allowedGrowthKb) << figuresText;
  EXPECT_LE(figures.rssPeak - figures.rssWarm, allowedGrowthKb) << figuresText;
  EXPECT_EQ(figures.failedPicks, 0) << figuresText;

  // A menu left open would take the key: a click clear of it closes it.
  RunningProgram::xdotool("mousemove " + at(clearX, clearY) + " click 1");
  EXPECT_TRUE(run.waitForPopupsClosed());
  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.errors(), "");
}

}  // namespace
