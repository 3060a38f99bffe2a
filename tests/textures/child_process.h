// Runs a piece of code in a forked child with its standard output captured,
// to observe code that ends the process.
#pragma once
#include <functional>
#include <string>

// How the child ended: its exit status (or returnedNormally when the code
// came back instead of ending the process), and what it printed.
struct ChildOutcome {
  bool exited = false;  // false: killed by a signal
  int status = -1;
  std::string printed;
};

// The status a child reports when the code under test returned.
constexpr int returnedNormally = 99;

ChildOutcome runInChild(const std::function<void()>& body);
