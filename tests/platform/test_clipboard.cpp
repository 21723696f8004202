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

TEST_F(Clipboard, TextFromOtherApplicationsComesInAsAnsiWithCrLf)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8("na\u00EFve\nsecond\r\nthird \u4E2D"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(2)); // CF_BITMAP
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "the clipboard must be open";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalString(h), "na\xEFve\r\nsecond\r\nthird ?") << "what 1252 cannot hold becomes '?'";
    EXPECT_EQ(GlobalSize(h), std::strlen("na\xEFve\r\nsecond\r\nthird ?") + 1);

    HANDLE u = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(u, nullptr);
    const auto* units = static_cast<const char16_t*>(GlobalLock(u));
    EXPECT_EQ(QString::fromUtf16(units), QString::fromUtf8("na\u00EFve\r\nsecond\r\nthird \u4E2D"));
    GlobalUnlock(u);

    // A change made elsewhere is seen on the next read.
    QGuiApplication::clipboard()->setText(QStringLiteral("new"));
    EXPECT_EQ(GlobalString(GetClipboardData(CF_TEXT)), "new");
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

TEST(GlobalMemory, LockCountsSizesAndFreeing)
{
    HGLOBAL h = GlobalAlloc(GHND, 10);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 10u);
    char* p = static_cast<char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p, 10), std::string(10, '\0'));
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(h)) << "unlocked";
    EXPECT_FALSE(GlobalUnlock(h));
    std::strcpy(p, "abc");
    EXPECT_EQ(GlobalReAlloc(h, 20, GMEM_MOVEABLE), h);
    EXPECT_EQ(GlobalSize(h), 20u);
    EXPECT_STREQ(static_cast<char*>(GlobalLock(h)), "abc");
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h) << "freed twice";
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalLock(h), nullptr);

    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalLock(empty), nullptr) << "nothing to lock";
    GlobalFree(empty);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
}

} // namespace
