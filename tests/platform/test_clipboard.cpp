// The clipboard's text formats through the toolkit's real clipboard, and the global memory that carries them.
#include "platform/testing/pdttest.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cstring>
#include <string>

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

TEST_F(Clipboard, AnsiTextGoesOutAsUnicodeWithNewlines)
{
    ASSERT_TRUE(wnd.OpenClipboard());
    EXPECT_TRUE(EmptyClipboard());
    HGLOBAL h = GlobalText("caf\xE9 \x80 5\r\nline two\r\n");
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("caf\u00E9 \u20AC 5\nline two\n"));
    EXPECT_EQ(GetClipboardOwner(), wnd.m_hWnd);

    // Read back through CF_TEXT: the same bytes.
    ASSERT_TRUE(OpenClipboard(wnd));
    HANDLE back = GetClipboardData(CF_TEXT);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(GlobalString(back), "caf\xE9 \x80 5\r\nline two\r\n");
    EXPECT_EQ(GetClipboardData(CF_TEXT), back) << "the same handle while the text stands";
    CloseClipboard();
}

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
