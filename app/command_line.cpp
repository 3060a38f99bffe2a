#include "app/command_line.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

ProgramOptions programOptions;

namespace {

const char* const programName = "kesh-valdrune";

// GLUT's X options and whether each takes a value; glutInit reads them.
struct GlutOption {
  const char* name;
  bool takesValue;
};
constexpr GlutOption glutOptions[] = {
    {"-display", true}, {"-geometry", true}, {"-direct", false}, {"-indirect", false},
    {"-iconic", false}, {"-gldebug", false}, {"-sync", false},
};

const GlutOption* glutOption(const char* argument) {
  for (const GlutOption& option : glutOptions) {
    if (std::strcmp(argument, option.name) == 0) return &option;
  }
  return nullptr;
}

// Codes above any character, so that none is taken for a short option.
enum OptionCode { helpCode = 256, versionCode, fullscreenCode, fpsCode, tourCode, seedCode };

const option longOptions[] = {
    {"help", no_argument, nullptr, helpCode},
    {"version", no_argument, nullptr, versionCode},
    {"fullscreen", no_argument, nullptr, fullscreenCode},
    {"fps", required_argument, nullptr, fpsCode},
    {"tour", no_argument, nullptr, tourCode},
    {"seed", required_argument, nullptr, seedCode},
    {nullptr, 0, nullptr, 0},
};

// What a value of each option must be, as its messages word it.
const char* const fpsValue = "a whole number from 1 to 1000";
const char* const seedValue = "a whole number from 0 to 4294967295";

void printHelp(std::FILE* out) {
  std::fprintf(
      out,
      "Usage: %s [OPTION]... [GLUT OPTION]...\n"
      "A real-time 3-D demonstration: the name flies in, then a turning stage shows\n"
      "four scenes, wind, earth, fire and water.\n"
      "\n"
      "Options:\n"
      "      --fullscreen  cover the whole screen\n"
      "      --fps N       draw at most N frames a second (1 to 1000); every animation\n"
      "                    moves a fixed step a frame, so this keeps its pace on a\n"
      "                    fast graphics card or a high-refresh screen\n"
      "      --tour        show every scene in turn, unattended; any key or mouse\n"
      "                    button hands the program back\n"
      "      --seed N      seed the bursts and drops with N (0 to 4294967295) instead\n"
      "                    of the time, so that a run repeats\n"
      "      --help        show this help and exit\n"
      "      --version     show the version and exit\n"
      "GLUT's X options, such as -display NAME and -geometry WxH+X+Y, are passed on.\n"
      "\n"
      "Keys: 1 2 3 4 bring wind, earth, fire, water to the front; Left and Right\n"
      "turn the stage; Up and Down zoom; + and - move the view; c explodes and r\n"
      "resets the fireballs; d drops into the pool; Escape quits. The right mouse\n"
      "button opens the menu.\n"
      "\n"
      "The textures are read from the folder 'textures' of the working directory;\n"
      "the installed %s command starts the program in its data folder.\n",
      programName, programName);
}

// Reports a mistake and where to look, as GNU programs do.
CommandLine misuse(std::FILE* errors, const std::string& message) {
  std::fprintf(errors, "%s: %s\nTry '%s --help'.\n", programName, message.c_str(), programName);
  return CommandLine::misused;
}

// A whole number from least to most, written in full; false otherwise.
bool readWholeNumber(const char* text, unsigned long long least, unsigned long long most,
                     unsigned long long& value) {
  if (text == nullptr || *text < '0' || *text > '9') return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(text, &end, 10);
  return errno == 0 && *end == '\0' && value >= least && value <= most;
}

}  // namespace

std::vector<std::string> longOptionNames() {
  std::vector<std::string> names;
  for (const option* entry = longOptions; entry->name; ++entry) names.push_back(entry->name);
  return names;
}

CommandLine readCommandLine(int& argc, char** argv, ProgramOptions& options, std::FILE* out,
                            std::FILE* errors) {
  // GLUT's options (and their values) stay for glutInit; the rest is ours.
  std::vector<char*> kept = {argv[0]};
  std::vector<char*> ours = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    const GlutOption* glut = glutOption(argv[i]);
    if (glut == nullptr) {
      ours.push_back(argv[i]);
      continue;
    }
    kept.push_back(argv[i]);
    if (std::strcmp(glut->name, "-geometry") == 0) options.geometryGiven = 1;
    if (glut->takesValue && i + 1 < argc) kept.push_back(argv[++i]);
  }
  ours.push_back(nullptr);

  const int ourCount = static_cast<int>(ours.size()) - 1;
  opterr = 0;
  optind = 1;
  for (;;) {
    const int code = getopt_long(ourCount, ours.data(), ":", longOptions, nullptr);
    if (code == -1) break;
    const char* given = ours[optind - 1];
    unsigned long long value = 0;
    switch (code) {
      case helpCode:
        printHelp(out);
        return CommandLine::finished;
      case versionCode:
        std::fprintf(out, "%s %s\n", programName, KESH_VERSION);
        return CommandLine::finished;
      case fullscreenCode:
        options.fullscreen = 1;
        break;
      case tourCode:
        options.tour = 1;
        break;
      case fpsCode:
        if (!readWholeNumber(optarg, leastFramesPerSecond, mostFramesPerSecond, value)) {
          return misuse(errors, std::string("--fps needs ") + fpsValue + ", not '" + optarg + "'");
        }
        options.framesPerSecond = static_cast<int>(value);
        break;
      case seedCode:
        if (!readWholeNumber(optarg, 0, 0xffffffffull, value)) {
          return misuse(errors, std::string("--seed needs ") + seedValue + ", not '" + optarg + "'");
        }
        options.seedGiven = 1;
        options.seed = static_cast<unsigned int>(value);
        break;
      case ':':
        return misuse(errors, std::string(given) + " needs " +
                                  (optopt == fpsCode ? fpsValue : seedValue));
      default:
        // An option of ours given a value it does not take, or one we do not know.
        if (optopt >= helpCode) {
          const std::string name(given, std::strcspn(given, "="));
          return misuse(errors, "option '" + name + "' takes no value");
        }
        return misuse(errors, std::string("unrecognised option '") + given + "'");
    }
  }
  if (optind < ourCount) {
    return misuse(errors, std::string("unexpected argument '") + ours[optind] + "'");
  }

  for (size_t i = 0; i < kept.size(); ++i) argv[i] = kept[i];
  argc = static_cast<int>(kept.size());
  argv[argc] = nullptr;
  return CommandLine::run;
}
