// Shared set-up for the fire tests: the fire module back in its start state
// before each test, and small readers of its state.
#pragma once
#include <gtest/gtest.h>

#include "assets/models.h"
#include "scenes/fire/fire_burst.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/fire/fire_state.h"

class FireTest : public testing::Test {
 protected:
  void SetUp() override {
    // The start values, on the same particle arrays.
    fireState = FireState{fireState.fireParticlePositions, fireState.fireParticleDirections};
    fireballModel.setCornerColorA(fireBlack);
    fireballModel.setCornerColorB(fireWhite);
    fireballModel.setCornerColorC(fireWhite);
  }

  // Runs n updates.
  static void update(int n) {
    for (int i = 0; i < n; ++i) fireEffect.update();
  }

  // Corner colour 0 (A), 1 (B) or 2 (C) as a readable triple.
  static std::vector<float> corner(int which) {
    const float* c = fireballModel.cornerColours[which];
    return {c[0], c[1], c[2]};
  }

  static bool coloursAre(const float* a, const float* bc) {
    return corner(0) == std::vector<float>(a, a + 3) && corner(1) == std::vector<float>(bc, bc + 3) &&
           corner(2) == std::vector<float>(bc, bc + 3);
  }

  static const float* position(int particle) {
    return fireState.fireParticlePositions + particle * fireParticleFloats;
  }
  static const float* direction(int particle) {
    return fireState.fireParticleDirections + particle * fireParticleFloats;
  }
};
