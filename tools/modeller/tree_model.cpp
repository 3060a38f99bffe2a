// The tree model. Not yet modelled: it has no meshes.
#include "tools/modeller/models.h"

ModelData buildTreeModel() { return {"tree", {}}; }
