#include "tools/modeller/models.h"

const ModelRecipe modelRecipes[8] = {
    {"stage", buildStageModel}, {"pool", buildPoolModel},
    {"marker", buildMarkerModel}, {"earth", buildEarthModel},
    {"fireball", buildFireballModel}, {"bird", buildBirdModel},
    {"intro", buildIntroModel}, {"tree", buildTreeModel},
};
