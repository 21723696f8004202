#include "support/ButtonEx.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "platform/afxres.h"
#include "platform/window_p.h"
#include "support/Bitmap.h"

namespace
{
constexpr int kMaxIconSide = 1024;
}

BOOL CButtonEx::SetMaskedBitmap(UINT bitmapId, int width, int height, COLORREF mask)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    auto* button = qobject_cast<QAbstractButton*>(m_hWnd->widget.data());
    if (!button)
        return FALSE;
    std::optional<std::string_view> data = pdt::FindBitmapData(int(bitmapId));
    pdt::support::DecodedBitmap bmp;
    if (!data || !pdt::support::DecodeBmp(*data, bmp))
        return FALSE;

    QImage image(bmp.width, bmp.height, QImage::Format_ARGB32);
    COLORREF key = mask & 0xFFFFFF;
    for (int y = 0; y < bmp.height; ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bmp.width; ++x)
        {
            COLORREF c = bmp.At(x, y);
            line[x] = c == key ? qRgba(0, 0, 0, 0) : qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
        }
    }
    // A size that is not positive (or absurd) means the bitmap's own.
    QSize size(width > 0 && width <= kMaxIconSide ? width : bmp.width,
               height > 0 && height <= kMaxIconSide ? height : bmp.height);
    if (size != image.size())
        image = image.scaled(size); // nearest pixel: crisp, as StretchBlt draws it
    button->setIcon(QIcon(QPixmap::fromImage(image)));
    button->setIconSize(size);
    return TRUE;
}
