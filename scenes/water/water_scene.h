// The water scene: pool, floor, birds and the ripple surface.
#pragma once

void drawWaterScene();
