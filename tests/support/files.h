// Reading the files tests look at.
#pragma once
#include <string>

// A whole file's bytes; empty if it cannot be read.
std::string readFile(const std::string& path);
