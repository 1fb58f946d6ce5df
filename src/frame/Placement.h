// Where a stored window placement may be used. No window here.
#pragma once

// A stored placement is used only when the window has a size and lies on the
// primary screen, give or take 3 pixels on every side.
bool PlacementAccepted(int x, int y, int width, int height, int screenWidth, int screenHeight);
