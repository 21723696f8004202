// The clipboard: who may open, empty and set it, as Win32 allows.
#include "platform/testing/pdttest.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace pdt::test;

namespace
{

class Clipboard : public PaintTest
{
  protected:
    void TearDown() override
    {
        CloseClipboard();
        QGuiApplication::clipboard()->clear();
        PaintTest::TearDown();
    }
};

TEST_F(Clipboard, OpeningEmptyingAndSettingFollowWin32Rules)
{
    HGLOBAL h = GlobalText("x");
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr) << "not open";
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(CloseClipboard());

    PaintWnd other;
    ASSERT_TRUE(other.Open(300, 40));
    ASSERT_TRUE(wnd.OpenClipboard());
    EXPECT_EQ(GetOpenClipboardWindow(), wnd.m_hWnd);
    EXPECT_FALSE(other.OpenClipboard()) << "another window has it open";
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "no delayed rendering";
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GlobalFree(h), h) << "the clipboard owns it now";
    EXPECT_TRUE(CloseClipboard());
    EXPECT_TRUE(other.OpenClipboard());
    EXPECT_EQ(GlobalString(GetClipboardData(CF_TEXT)), "x");
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), other.m_hWnd);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    CloseClipboard();
    other.DestroyWindow();
}

} // namespace
