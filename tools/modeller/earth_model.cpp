// The earth model. Not yet modelled: it has no meshes.
#include "tools/modeller/models.h"

ModelData buildEarthModel() { return {"earth", {}}; }
