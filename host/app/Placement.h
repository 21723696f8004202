// Where a window opened for something on the screen goes: beside it, never over it, and wholly on the screen.
#pragma once

#include "platform/afxwin.h"

// The screen area that windows may use (without panels) around a point, in screen coordinates.
CRect WorkAreaAt(CPoint pt);

// The place for a window now at `current` that belongs to `anchor`, in `work`: where it is when it covers no part of
// the anchor and lies wholly in the work area (a place the person chose), else right of the anchor, left, below
// or above, the first that fits; else pushed into the work area on the side with the most room.
CRect PlaceBeside(const CRect& current, const CRect& anchor, const CRect& work);
