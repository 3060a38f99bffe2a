#include "scenes/fire/fire_effect.h"

FireEffect fireEffect;

void FireEffect::init() {}
void FireEffect::update() {}
void FireEffect::explode() {}
void FireEffect::reset() {}
void FireEffect::draw() {}

void drawFireScene() {}
