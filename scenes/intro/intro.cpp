#include "scenes/intro/intro.h"

Intro intro;

void Intro::drawIntro() {}

int Intro::updateIntro() { return 0; }
