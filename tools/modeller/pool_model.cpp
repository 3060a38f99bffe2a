// The pool model. Not yet modelled: it has no meshes.
#include "tools/modeller/models.h"

ModelData buildPoolModel() { return {"pool", {}}; }
