// The right-button menu tree.
#pragma once

// Creates the four option submenus, then the main menu, and attaches the main
// menu to the right mouse button.
void buildMenus();
