#include "support/ButtonEx.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <map>
#include <tuple>

#include "platform/afxres.h"
#include "platform/window_p.h"

namespace
{
constexpr int kMaxIconSide = 1024;

// The toolkit shows what it can of a truncated file; a button shows a whole bitmap or none.
bool HasAllPixels(std::string_view b, const QImage& image)
{
    auto u = [&](size_t at, int bytes) {
        uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | uint8_t(b[at + size_t(i)]);
        return v;
    };
    if (b.size() < 30)
        return false;
    bool core = u(14, 4) == 12;
    uint64_t bits = u(core ? 24 : 28, 2);
    uint64_t stride = (uint64_t(image.width()) * bits + 31) / 32 * 4;
    return b.size() >= u(10, 4) + stride * uint64_t(image.height());
}
} // namespace

BOOL CButtonEx::SetMaskedBitmap(UINT bitmapId, int width, int height, COLORREF mask)
{
    // Every button but a group box shows a picture.
    if (!IsWindow(m_hWnd) || m_hWnd->className.CompareNoCase("Button") != 0 ||
        (m_hWnd->style & BS_TYPEMASK) == BS_GROUPBOX)
        return FALSE;
    // Many pages show the same picture: it is read and masked once.
    static std::map<std::tuple<UINT, int, int, COLORREF>, QImage> made;
    auto id = std::make_tuple(bitmapId, width, height, mask);
    auto it = made.find(id);
    if (it == made.end())
    {
        // The toolkit reads the resource's BMP bytes, as the platform's LoadBitmap does.
        std::optional<std::string_view> data = pdt::FindBitmapData(int(bitmapId));
        QImage image;
        if (!data || !image.loadFromData(reinterpret_cast<const uchar*>(data->data()), int(data->size()), "BMP") ||
            image.isNull() || !HasAllPixels(*data, image))
            return FALSE;

        image = image.convertToFormat(QImage::Format_ARGB32);
        QRgb key = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
        for (int y = 0; y < image.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = qRgba(0, 0, 0, 0);
        }
        // A size that is not positive (or absurd) means the bitmap's own.
        QSize size(width > 0 && width <= kMaxIconSide ? width : image.width(),
                   height > 0 && height <= kMaxIconSide ? height : image.height());
        if (size != image.size())
            image = image.scaled(size); // nearest pixel: crisp, as StretchBlt draws it
        it = made.emplace(id, std::move(image)).first;
    }
    QImage image = it->second;
    pdt::win::WithPeer(m_hWnd, [image](QWidget* w) {
        if (auto* button = qobject_cast<QAbstractButton*>(w))
        {
            button->setIcon(QIcon(QPixmap::fromImage(image)));
            button->setIconSize(image.size());
        }
    });
    return TRUE;
}
