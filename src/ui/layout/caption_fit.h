#pragma once
// Captions whole and frames unbroken. The layout was drawn for narrower fonts
// than most systems have: once every control of a window exists, and after
// every move to a screen of another DPI, a check box or label whose caption
// does not fit takes room to its right that no other control uses, and what
// reaches past a frame's border paints only inside it.

#include <windows.h>

void FitCaptions(HWND window);
