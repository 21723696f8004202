// The font dialog as a person uses it: OK and Cancel, and refused sizes.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QStringList>

#include <cstring>

#include "platform/afxdd.h"
#include "platform/afxdlgs.h"
#include "platform/afxres.h"
#include "platform/testing/pdttest.h"

using namespace pdt::test;

namespace
{

CComboBox& ComboOf(CDialog& d, int id) { return *static_cast<CComboBox*>(d.GetDlgItem(id)); }

int IndexOf(CComboBox& combo, const char* text)
{
    int at = combo.FindStringExact(-1, text);
    EXPECT_GE(at, 0) << "no entry " << text;
    return at;
}

LOGFONT Font(const char* face, LONG height, LONG weight = FW_NORMAL)
{
    LOGFONT lf;
    std::memset(&lf, 0x5A, sizeof(lf)); // bytes that no complete answer leaves behind
    lf.lfHeight = height;
    lf.lfWidth = lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = 0;
    lf.lfEscapement = lf.lfOrientation = 900;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, face); // the tail keeps its 0x5A bytes
    return lf;
}

CString FirstFamily()
{
    for (const QString& f : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(f))
            return CString(f.toStdString());
    return CString();
}

class FontDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_face = FirstFamily();
        if (QFontDatabase::families().size() < 2)
            GTEST_SKIP() << "needs two installed font families";
    }
    CString m_face;
};

TEST_F(FontDialog, UnchangedOkGivesBackTheSameSizeEnterConfirmsATypedOneAndCancelChangesNoByte)
{
    LOGFONT lf = Font(m_face, -13);
    CFontDialog unchanged(&lf);
    ExpectModal([](CDialog& d) { Click(d, IDOK); });
    ASSERT_EQ(unchanged.DoModal(), IDOK);
    EXPECT_EQ(unchanged.GetSize(), 100);
    EXPECT_EQ(unchanged.m_lf.lfHeight, -13);
    EXPECT_EQ(unchanged.GetStyleName(), "Regular");

    CFontDialog typed;
    ExpectModal([](CDialog& d) {
        Type(d, cmb3, "10.5");
        Key(VK_RETURN);
    });
    ASSERT_EQ(typed.DoModal(), IDOK);
    EXPECT_EQ(typed.GetSize(), 105);
    EXPECT_EQ(typed.m_lf.lfHeight, -14);
    EXPECT_NE(typed.GetFaceName(), "") << "without an initial font a face is chosen for the user";

    const LOGFONT before = lf;
    CFontDialog cancelled(&lf);
    ExpectModal([](CDialog& d) {
        ChooseComboItem(ComboOf(d, cmb2), IndexOf(ComboOf(d, cmb2), "Italic"));
        Type(d, cmb3, "36");
        Click(d, chx1);
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(std::memcmp(&lf, &before, sizeof(LOGFONT)), 0);
    EXPECT_EQ(std::memcmp(&cancelled.m_lf, &before, sizeof(LOGFONT)), 0);
}

TEST_F(FontDialog, SizesOutsideTheLimitAreNotListedAndTypedOnesAreRefused)
{
    CFontDialog dlg(nullptr, CF_SCREENFONTS | CF_EFFECTS | CF_LIMITSIZE);
    dlg.m_cf.nSizeMin = 5;
    dlg.m_cf.nSizeMax = 32;
    ExpectModal([](CDialog& d) {
        CString first, last;
        ComboOf(d, cmb3).GetLBText(0, first);
        ComboOf(d, cmb3).GetLBText(ComboOf(d, cmb3).GetCount() - 1, last);
        EXPECT_EQ(first + "-" + last, "8-28");

        Type(d, cmb3, "40");
        ExpectMessageBox(IDOK);
        Click(d, IDOK);
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].text, "Size must be between 5 and 32 points.");
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), cmb3);

        Type(d, cmb3, "big");
        ExpectMessageBox(IDOK);
        Click(d, IDOK);
        ASSERT_EQ(MessageBoxes().size(), 2u);
        EXPECT_EQ(MessageBoxes()[1].text, "Size must be a number.");

        Type(d, cmb3, "5");
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetSize(), 50);
}

} // namespace
