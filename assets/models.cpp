#include "assets/models.h"

const MeshModel stageModel;
const MeshModel markerModel;
const MeshModel birdModel;
const MeshModel poolModel;
const MeshModel earthModel;
const MeshModel treeModel;
const MeshModel introModel;
const MeshModel fireballModel;

void MeshModel::drawAll() const {}
void MeshModel::drawLand() const {}
void MeshModel::drawOcean() const {}
