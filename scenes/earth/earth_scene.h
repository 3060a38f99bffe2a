// The earth scene: the turning landscape and its rocking water sheet.
#pragma once

void drawEarthScene();
