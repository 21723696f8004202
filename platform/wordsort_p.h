// Private to the platform's sources: the order of sorted list boxes, combo boxes and tree views.
#pragma once

#include "platform/afxstr.h"

namespace pdt::win
{
// Win32's case-insensitive word sort (as lstrcmpi and the sorted lists use it): punctuation before digits
// before letters, digits one by one, hyphens and apostrophes weighed only when all else is equal.
// Negative, zero or positive, as strcmp.
int CompareWords(const CString &a, const CString &b);
} // namespace pdt::win
