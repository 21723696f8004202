// A push button that can show a small bitmap from the resources beside (or instead of) its text.
#pragma once

#include "platform/afxwin.h"

class CButtonEx : public CButton
{
  public:
    // Shows bitmap `bitmapId` at width x height pixels (its own size when either is not positive), with every
    // pixel of colour `mask` transparent. FALSE, and the button as it was, for a missing or unreadable bitmap or
    // a window that is not a button.
    BOOL SetMaskedBitmap(UINT bitmapId, int width, int height, COLORREF mask);
};
