// The wind scene: the swaying tree in its place on the stage.
#pragma once

// The tree's colour, a light grey under its textures; the model sheets draw
// it the same.
constexpr float treeGrey = 0.9f;

void drawWindScene();
