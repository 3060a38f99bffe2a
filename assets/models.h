// The eight compiled-in models and their draw operations.
#pragma once

struct MeshModel {
  void drawAll() const;
  void drawLand() const;
  void drawOcean() const;
};

extern const MeshModel stageModel;
extern const MeshModel markerModel;
extern const MeshModel birdModel;
extern const MeshModel poolModel;
extern const MeshModel earthModel;
extern const MeshModel treeModel;
extern const MeshModel introModel;
extern const MeshModel fireballModel;
