// The bird model. Not yet modelled: it has no meshes.
#include "tools/modeller/models.h"

ModelData buildBirdModel() { return {"bird", {}}; }
