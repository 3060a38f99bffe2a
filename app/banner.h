// The help banner printed to the console at start-up.
#pragma once

// Prints the banner and the loading line to standard output.
void printBanner();
