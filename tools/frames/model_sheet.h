// The model contact sheet: every compiled-in model drawn through drawMesh,
// textured as the program textures it, from two angles side by side, one
// PNG per model (outDir/model-<name>.png).
#pragma once
#include <string>

// Opens its own window, loads the program's textures when a textures folder
// is present (else draws untextured), and writes the sheets. Returns the
// process status: 0 when every sheet was written.
int writeModelSheets(const std::string& outDir);
