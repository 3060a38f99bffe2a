// The intro model. Not yet modelled: it has no meshes.
#include "tools/modeller/models.h"

ModelData buildIntroModel() { return {"intro", {}}; }
