// Opening the program's data files. Paths are written with a backslash
// separator ("textures\stone.raw"); they are opened here with '/' instead.
#pragma once
#include <cstdio>
#include <string>

// The path as the host file system wants it: every '\' becomes '/'.
std::string hostPath(const char* path);

// Opens a data file for binary reading; nullptr when it cannot be opened or
// is no regular file (a folder, a FIFO, a device).
// Messages about the file keep the path as the caller wrote it.
std::FILE* openDataFile(const char* path);
