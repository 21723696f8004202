// Bitmap buttons: missing or broken bitmaps leave the button as it was.
#include <QAbstractButton>

#include "support_harness.h"

using namespace pdt::test;

namespace
{

class ButtonEx : public HostTest
{
  protected:
    QAbstractButton* Button(int id)
    {
        return qobject_cast<QAbstractButton*>(Peer(Item(host, id)));
    }
};

TEST_F(ButtonEx, MissingOrBrokenBitmapsLeaveTheButtonAsItWas)
{
    QAbstractButton* b = Button(IDC_BUTTON_GO);
    EXPECT_FALSE(host.m_go.SetMaskedBitmap(IDB_NOT_EMBEDDED, 8, 8, RGB(255, 255, 255)));
    EXPECT_FALSE(host.m_go.SetMaskedBitmap(IDB_TRUNCATED, 8, 8, RGB(255, 255, 255)));
    EXPECT_FALSE(host.m_go.SetMaskedBitmap(12345, 8, 8, RGB(255, 255, 255)));
    EXPECT_TRUE(b->icon().isNull());

    ASSERT_TRUE(host.m_go.SetMaskedBitmap(IDB_ARROW24, 8, 8, RGB(255, 255, 255)));
    qint64 shown = b->icon().cacheKey();
    EXPECT_FALSE(host.m_go.SetMaskedBitmap(IDB_TRUNCATED, 16, 16, RGB(0, 0, 0)));
    EXPECT_EQ(b->icon().cacheKey(), shown) << "a failed call keeps the bitmap already shown";
    EXPECT_EQ(b->iconSize(), QSize(8, 8));
    EXPECT_EQ(b->text(), "Go");

    CButtonEx unattached;
    EXPECT_FALSE(unattached.SetMaskedBitmap(IDB_ARROW24, 8, 8, RGB(255, 255, 255)));
}

} // namespace
