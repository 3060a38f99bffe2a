// The fire scene: eight tumbling fireballs, their explode-and-merge sequence
// and the 14000-point burst.
#pragma once

// One global object; its state is the record fireState (fire_state.h).
class FireEffect {
 public:
  void init();     // points the client vertex array at the particles
  void update();   // one animation step
  void explode();  // sends the fireballs inwards
  void reset();    // puts them back on their circles
  void draw();     // burst and fireballs in the current frame
};

extern FireEffect fireEffect;

// Places the fire on the stage and draws it.
void drawFireScene();
