// The fuzzers hand each input to the readers as a real file, so the readers
// run exactly as the program runs them: open by path, seek, measure, read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Writes bytes to the one input file of this process, in a private folder
// that is removed at exit, and returns its path written the way the program
// writes paths (the last separator a backslash).
const std::string& writeInputFile(const uint8_t* bytes, size_t size);

// Ends the process with a message when a property of a read does not hold;
// libFuzzer keeps the input that caused it.
void require(bool holds, const char* property);
