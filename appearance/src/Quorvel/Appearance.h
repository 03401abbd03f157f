#pragma once

// The desktop's light and dark preference and a follower that switches the product's themes
// with it: a library of its own, so that a product that does not follow never loads D-Bus.
#include <Quorvel/App/Appearance/DesktopAppearance.h>
#include <Quorvel/App/Appearance/ThemeFollower.h>
