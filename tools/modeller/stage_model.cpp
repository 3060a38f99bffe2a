// The stage model. Not yet modelled: it has no meshes.
#include "tools/modeller/models.h"

ModelData buildStageModel() { return {"stage", {}}; }
