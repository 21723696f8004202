// A program's own clipboard formats: registered by name, carried under that name as a MIME type beside the text,
// read back byte for byte.
#include "platform/testing/pdttest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstring>
#include <string>

using namespace pdt::test;

namespace
{

class ClipboardFormats : public PaintTest
{
  protected:
    void TearDown() override
    {
        CloseClipboard();
        QGuiApplication::clipboard()->clear();
        PaintTest::TearDown();
    }
    static HGLOBAL Bytes(const std::string& s)
    {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, s.size());
        std::memcpy(GlobalLock(h), s.data(), s.size());
        GlobalUnlock(h);
        return h;
    }
    static std::string Read(HANDLE h)
    {
        const char* p = static_cast<const char*>(GlobalLock(h));
        std::string s = p ? std::string(p, GlobalSize(h)) : "<null>";
        GlobalUnlock(h);
        return s;
    }
};

TEST_F(ClipboardFormats, OwnDataAndTextTravelTogetherAndComeBackByteForByte)
{
    const UINT own = RegisterClipboardFormat("application/x-test-data");
    const std::string data("{\"a\": 1}\0\xFF tail", 14);
    ASSERT_TRUE(wnd.OpenClipboard());
    EmptyClipboard();
    HGLOBAL h = Bytes(data);
    EXPECT_EQ(SetClipboardData(own, h), h);
    EXPECT_NE(SetClipboardData(CF_TEXT, GlobalText("names")), nullptr);
    EXPECT_EQ(GlobalFree(h), h) << "the clipboard's handle now";
    CloseClipboard();

    const QMimeData* shown = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->data("application/x-test-data"), QByteArray(data.data(), qsizetype(data.size())))
        << "other programs find it under its name";
    EXPECT_EQ(shown->text(), "names") << "the text stays beside it";
    EXPECT_TRUE(IsClipboardFormatAvailable(own));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE back = GetClipboardData(own);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Read(back), data);
    EXPECT_EQ(GlobalSize(back), data.size());
    EmptyClipboard();
    EXPECT_EQ(GetClipboardData(own), nullptr) << "emptied";
    CloseClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(own));
}

TEST_F(ClipboardFormats, DataAnotherProgramPutComesIn)
{
    const UINT own = RegisterClipboardFormat("application/x-test-other");
    EXPECT_FALSE(IsClipboardFormatAvailable(own));
    auto* data = new QMimeData;
    data->setData("application/x-test-other", QByteArray("from elsewhere"));
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_TRUE(IsClipboardFormatAvailable(own));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(own);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(Read(h), "from elsewhere");
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    CloseClipboard();
}

} // namespace
