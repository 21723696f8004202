// Private to the platform's sources: the records behind GDI handles.
#pragma once

#include <QFont>

#include "platform/afxgdi.h"

struct FontRecord
{
    LOGFONT lf;
    CFont wrapper; // what CFont::FromHandle returns
};

namespace pdt::gdi
{
QFont ToQFont(const LOGFONT& lf);
LOGFONT FromQFont(const QFont& f);
} // namespace pdt::gdi
