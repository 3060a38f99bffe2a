// Helpers for the install and package tests: running shell commands, looking
// at installed files, and one complete run of an installed launcher.
#pragma once
#include <string>
#include <vector>

#include "tests/support/files.h"

// The texture file names the program reads, in the manifest's order.
extern const std::vector<std::string> textureNames;

// What a shell command printed (standard output and error together) and its
// exit status (-1 when it did not exit normally).
struct CommandResult {
  int status = -1;
  std::string output;
};
CommandResult runCommand(const std::string& command);

// A path quoted for the shell.
std::string shellQuoted(const std::string& path);

bool isFile(const std::string& path);
bool isExecutableFile(const std::string& path);

// Every menu label the program builds (entries and submenus), read from the
// source that builds the menus, in order.
std::vector<std::string> programMenuLabels();

// Starts the launcher in workdir, waits for the window under the program's
// title, checks the banner, presses Escape and expects status 0. Records
// failures with the test framework.
void expectRunEndsOnEscape(const std::string& launcher, const std::string& workdir);
