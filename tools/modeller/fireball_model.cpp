// The fireball model. Not yet modelled: it has no meshes.
#include "tools/modeller/models.h"

ModelData buildFireballModel() { return {"fireball", {}}; }
