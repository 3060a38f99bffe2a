// The ripple surface: a 100 x 100 spring-coupled height field.
#pragma once

class RippleSurface {
 public:
  explicit RippleSurface(int size);
  void makeDrop();
};

extern RippleSurface rippleSurface;
