// The double-byte font dialog as a person uses it: the sample in the job's encoding, the magnified cell read
// pixel by pixel against the captured sample, the shift bars clicked and dragged, the code switched, and the
// faces and sizes that cannot make a font.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "job/CDlgDefineFontChinese.h"
#include "job_harness.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"

using namespace pdt::test;

namespace
{

constexpr const char* kCjk = "WenQuanYi Micro Hei";

// 16 x 16 booleans: true where the sample drew (not white), at (5, 5) of the sample area.
using Glyph = std::vector<std::vector<bool>>;

Glyph CapturedGlyph(const CDialog& d)
{
    HWND sample = Item(d, IDC_DBFONT_SAMPLE);
    Glyph g(16, std::vector<bool>(16));
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            g[r][c] = PixelAt(sample, CPoint(5 + c, 5 + r)) != kWhite;
    return g;
}

int Ink(const Glyph& g)
{
    int n = 0;
    for (const auto& row : g)
        for (bool b : row)
            n += b;
    return n;
}

// The cell's 32 x 32 box, centred in the cell area.
CRect CellBox(const CDialog& d, bool wide = true)
{
    CRect r;
    d.GetDlgItem(IDC_DBFONT_CELL)->GetClientRect(&r);
    CRect box(r.left + (r.Width() - 32) / 2, r.top + (r.Height() - 32) / 2, 0, 0);
    box.right = box.left + (wide ? 32 : 24);
    box.bottom = box.top + 32;
    return box;
}

// Every pixel of the box against the glyph magnified two times and shifted by twice the offsets.
void ExpectCellShows(const CDialog& d, const Glyph& g, int dx, int dy, bool wide = true)
{
    HWND cell = Item(d, IDC_DBFONT_CELL);
    CRect box = CellBox(d, wide);
    int wrong = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
        {
            int c = (x - box.left - 2 * dx), r = (y - box.top - 2 * dy);
            bool ink = c >= 0 && r >= 0 && c < 32 && r < 32 && g[r / 2][c / 2];
            if ((PixelAt(cell, CPoint(x, y)) == kBlack) != ink && ++wrong <= 3)
                ADD_FAILURE() << "cell pixel " << x << "," << y << " should be " << (ink ? "black" : "white");
        }
    EXPECT_EQ(wrong, 0);
    // The frame two pixels outside the box, and white between.
    CRect frame = box;
    frame.InflateRect(2, 2);
    EXPECT_EQ(PixelAt(cell, CPoint(frame.left, frame.top)), kBlack);
    EXPECT_EQ(PixelAt(cell, CPoint(frame.right - 1, frame.bottom - 1)), kBlack);
    EXPECT_EQ(PixelAt(cell, CPoint(frame.left + 1, frame.top + 1)), kWhite);
}

std::vector<COLORREF> Pixels(HWND wnd)
{
    CRect r;
    CWnd::FromHandle(wnd)->GetClientRect(&r);
    std::vector<COLORREF> px;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            px.push_back(PixelAt(wnd, CPoint(x, y)));
    return px;
}

int ScrollPos(const CDialog& d, int id) { return static_cast<CScrollBar*>(d.GetDlgItem(id))->GetScrollPos(); }

struct Opening
{
    int language = 1;
    int code = 1;
    const char* face = kCjk;
    const char* size = "16";
    int dx = 0, dy = 0;
    bool wide = true;
};

class FontChinese : public ::testing::Test
{
  protected:
    // Runs the dialog modally on `s`; `work` must close it.
    INT_PTR Run(const Opening& s, const std::function<void(CDlgDefineFontChinese&)>& work)
    {
        m_dlg = std::make_unique<CDlgDefineFontChinese>(s.language, TRUE, nullptr);
        CDlgDefineFontChinese& dlg = *m_dlg;
        dlg.m_strFace = s.face;
        dlg.m_strStyle = "Regular";
        dlg.m_strSize = s.size;
        dlg.m_nCode = s.code;
        dlg.m_nOffsetX = s.dx;
        dlg.m_nOffsetY = s.dy;
        dlg.m_b16x16 = s.wide;
        ExpectModal([&](CDialog&) {
            Pump();
            work(dlg);
        });
        return dlg.DoModal();
    }
    std::unique_ptr<CDlgDefineFontChinese> m_dlg;
};

TEST_F(FontChinese, StartUpFollowsLanguageCodeAndCellWidth)
{
    struct Row
    {
        const char* name;
        Opening open;
        const char* caption;
        bool codeShown;
        UINT gb, big5;
        const char* frame;
    };
    const Row rows[] = {
        {"gb", {1, 1}, "Select Chinese Font", true, BST_CHECKED, BST_UNCHECKED, "16x16"},
        {"big5", {1, 2}, "Select Chinese Font", true, BST_UNCHECKED, BST_CHECKED, "16x16"},
        {"japanese", {2, 2}, "Select Japanese Font", false, BST_UNCHECKED, BST_CHECKED, "16x16"},
        {"latin", {0, 1, kCjk, "16", 3, -4, false}, "Select Chinese Font", true, BST_CHECKED, BST_UNCHECKED, "16x12"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Run(row.open,
                      [&](CDlgDefineFontChinese& d) {
                          EXPECT_EQ(d.GetWindowText(), row.caption);
                          for (int id : {IDC_DBFONT_CODEGROUP, IDC_DBFONT_GB, IDC_DBFONT_BIG5})
                              EXPECT_EQ(d.GetDlgItem(id)->IsWindowVisible() != FALSE, row.codeShown) << id;
                          for (int id : {stc5, stc6})
                              EXPECT_FALSE(d.GetDlgItem(id)->IsWindowVisible()) << id;
                          EXPECT_EQ(d.IsDlgButtonChecked(IDC_DBFONT_GB), row.gb);
                          EXPECT_EQ(d.IsDlgButtonChecked(IDC_DBFONT_BIG5), row.big5);
                          EXPECT_EQ(d.GetDlgItem(IDC_DBFONT_CELLFRAME)->GetWindowText(), row.frame);
                          int lo = 0, hi = 0;
                          static_cast<CScrollBar*>(d.GetDlgItem(IDC_DBFONT_HSCROLL))->GetScrollRange(&lo, &hi);
                          EXPECT_EQ(lo, -12);
                          EXPECT_EQ(hi, 12);
                          EXPECT_EQ(ScrollPos(d, IDC_DBFONT_HSCROLL), row.open.dx);
                          EXPECT_EQ(ScrollPos(d, IDC_DBFONT_VSCROLL), row.open.dy);
                          Glyph g = CapturedGlyph(d);
                          EXPECT_GT(Ink(g), 15) << "the sample's first character is drawn";
                          ExpectCellShows(d, g, row.open.dx, row.open.dy, row.open.wide);
                          Click(d, IDCANCEL);
                      }),
                  IDCANCEL);
        EXPECT_EQ(m_dlg->m_nCode, row.open.language == 1 ? row.open.code : row.open.code)
            << "a Japanese or single-byte dialog keeps the code it was given";
    }
}

TEST_F(FontChinese, MissingFaceIsReportedAndNothingIsPaintedUntilAFaceIsChosen)
{
    ExpectMessageBox(IDOK);
    Opening s;
    s.face = "No Such Face";
    EXPECT_EQ(Run(s,
                  [&](CDlgDefineFontChinese& d) {
                      ASSERT_EQ(MessageBoxes().size(), 1u);
                      EXPECT_EQ(MessageBoxes()[0].text, "Font [No Such Face] not found");
                      EXPECT_EQ(MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
                      EXPECT_EQ(d.m_strFace, "");
                      EXPECT_EQ(d.GetDlgItem(cmb1)->GetWindowText(), "");
                      EXPECT_NE(PixelAt(Item(d, IDC_DBFONT_SAMPLE), CPoint(0, 0)), kWhite) << "never painted";
                      auto* faces = static_cast<CComboBox*>(d.GetDlgItem(cmb1));
                      ChooseComboItem(faces->m_hWnd, faces->FindStringExact(-1, kCjk));
                      Pump();
                      EXPECT_EQ(d.m_strFace, kCjk);
                      Glyph g = CapturedGlyph(d);
                      EXPECT_GT(Ink(g), 15);
                      ExpectCellShows(d, g, 0, 0);
                      Click(d, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(m_dlg->m_strFace, kCjk);
}

// Bad input while the dialog is open: a face that is not installed, an empty size, a size that is not a
// number. Each stops that paint (with a message when a font was asked for) and the dialog stays usable.
TEST_F(FontChinese, FacesAndSizesThatMakeNoFontStopThePaintingAndTheDialogStaysUsable)
{
    struct Row
    {
        int box;
        const char* typed;
        bool message;
    };
    const Row rows[] = {
        {cmb1, "Nowhere Sans", true},
        {cmb3, "", false},
        {cmb3, "big", true},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(Run({},
                      [&](CDlgDefineFontChinese& d) {
                          size_t boxes = MessageBoxes().size();
                          Glyph g = CapturedGlyph(d);
                          HWND cell = Item(d, IDC_DBFONT_CELL);
                          std::vector<COLORREF> before = Pixels(cell);
                          Type(d, row.box, row.typed);
                          if (!*row.typed)
                              Key(VK_DELETE);
                          Pump();
                          if (row.message)
                              ExpectMessageBox(IDOK);
                          ClickArrow(d, IDC_DBFONT_HSCROLL, false); // the offset changes and asks for a paint
                          Pump();
                          EXPECT_EQ(d.m_nOffsetX, 1);
                          ASSERT_EQ(MessageBoxes().size(), boxes + (row.message ? 1 : 0));
                          if (row.message)
                          {
                              EXPECT_EQ(MessageBoxes().back().text, "Create sample font failed!");
                          }
                          EXPECT_EQ(Pixels(cell), before) << "the cell was not painted again";
                          // Back to a size and a face that make a font: choosing the face paints again, and the
                          // painting takes up the new offset.
                          Type(d, cmb3, "16");
                          auto* faces = static_cast<CComboBox*>(d.GetDlgItem(cmb1));
                          ChooseComboItem(faces->m_hWnd, faces->FindStringExact(-1, kCjk));
                          Pump();
                          ExpectCellShows(d, g, 1, 0);
                          EXPECT_EQ(MessageBoxes().size(), boxes + (row.message ? 1 : 0));
                          Click(d, IDCANCEL);
                      }),
                  IDCANCEL);
    }
}

} // namespace
