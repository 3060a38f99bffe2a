#include "app/banner.h"

#include <cstdio>

namespace {

const char* const bannerLines[] = {
    "\n\n\n",
    "                 *******************************************\n",
    "                 *  Kesh Valdrune by Halvorsk              *\n",
    "                 *******************************************\n",
    "                 *               Options                   *\n",
    "                 *******************************************\n",
    "                 *                                         *\n",
    "                 *  1.Right-click for Menu                 *\n",
    "                 *  2.Press 1,2,3,4 to choose element      *\n",
    "                 *  3.Right/Left arrow keys choose element *\n",
    "                 *  4.Up/Down Arrow keys Zoom In/Out       *\n",
    "                 *  5.'+'/'-' keys move up down            *\n",
    "                 *                                         *\n",
    "                 *******************************************\n",
    "\n\n",
    "                   Please Wait : Loading Textures\n\n",
};

}  // namespace

void printBanner() {
  for (const char* line : bannerLines) std::printf("%s", line);
  // The loaders' messages follow; show the banner now even when piped.
  std::fflush(stdout);
}
