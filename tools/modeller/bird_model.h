// The bird statue's meshes: the model both as designed and as fitted to the
// boxes of its catalogue entry.
#pragma once
#include "assets/meshes/catalogue.h"
#include "assets/meshes/mesh_data.h"

// The statue as shaped, in model coordinates and with its catalogue names
// and counts, but before each mesh is stretched onto its box.
ModelData buildBirdDesign(const CatalogueModel& entry);
