// The wind scene: the swaying tree in its place on the stage.
#pragma once

void drawWindScene();
