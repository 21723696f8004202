// Tooltips: a tip shows once the pointer rests on a tool, names what the tool's window says is under the pointer,
// and goes with the pointer leaving the tool, a press, or the control turned off.
#include "platform/testing/pdttest.h"

#include "platform/afxcmn.h"

using namespace pdt::test;

namespace
{

// A window with two tools: a fixed text on its left half, and on its right half whatever it says is under the
// pointer (nothing on the right quarter).
class Tooled : public CWnd
{
  public:
    CToolTipCtrl tips;
    CString said;
    int asked = 0;

    bool Open()
    {
        if (!CreatePlainWindow(*this, "PdtTooled", CRect(100, 100, 500, 200)))
            return false;
        tips.Create(this);
        tips.SetDelayTime(TTDT_INITIAL, 0);
        CRect left(0, 0, 200, 100), right(200, 0, 400, 100);
        return tips.AddTool(this, "Left half", &left, 1) && tips.AddTool(this, LPSTR_TEXTCALLBACK, &right, 2);
    }
    CString Rest(CPoint pt)
    {
        MouseMoveTo(m_hWnd, pt, false);
        Pump();
        Pump();
        return tips.GetShownText();
    }

    DECLARE_MESSAGE_MAP()

  private:
    void OnTip(NMHDR* hdr, LRESULT*)
    {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(hdr);
        ++asked;
        int x = short(LOWORD(info->lParam));
        said.Format("Column %d", x / 50);
        if (x < 300)
            info->lpszText = const_cast<char*>(said.c_str());
        else
            info->szText[0] = '\0';
    }
};

const MessageMap& Tooled::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(), {mm::Notify(2, TTN_GETDISPINFO, &Tooled::OnTip)});
    return map;
}

} // namespace

TEST(ToolTips, ATipFollowsThePointerOverItsToolsAndGoesAsAPersonExpects)
{
    Tooled w;
    ASSERT_TRUE(w.Open());
    EXPECT_EQ(w.tips.GetToolCount(), 2);
    EXPECT_EQ(w.Rest(CPoint(50, 50)), "Left half");
    EXPECT_EQ(w.Rest(CPoint(210, 50)), "Column 4") << "the window is asked when the pointer reaches its tool";
    EXPECT_EQ(w.Rest(CPoint(260, 50)), "Column 5") << "and again as the pointer moves over it";
    EXPECT_EQ(w.Rest(CPoint(350, 50)), "") << "no text: no tip";
    EXPECT_EQ(w.Rest(CPoint(260, 50)), "Column 5");

    ClickAt(w.m_hWnd, CPoint(260, 50));
    Pump();
    EXPECT_EQ(w.tips.GetShownText(), "") << "a press takes the tip away";
    EXPECT_EQ(w.Rest(CPoint(270, 50)), "") << "and it stays away over the same tool";
    EXPECT_EQ(w.Rest(CPoint(50, 50)), "Left half") << "until the pointer reaches another";

    w.tips.UpdateTipText("Left, renamed", &w, 1);
    w.tips.Pop();
    EXPECT_EQ(w.tips.GetShownText(), "");
    EXPECT_EQ(w.Rest(CPoint(260, 50)), "Column 5");
    EXPECT_EQ(w.Rest(CPoint(60, 50)), "Left, renamed");

    w.tips.Activate(FALSE);
    EXPECT_EQ(w.tips.GetShownText(), "");
    EXPECT_EQ(w.Rest(CPoint(260, 50)), "");
    w.tips.Activate(TRUE);
    w.tips.DelTool(&w, 2);
    EXPECT_EQ(w.Rest(CPoint(260, 50)), "");
    EXPECT_EQ(w.tips.GetToolCount(), 1);
    int asked = w.asked;
    w.DestroyWindow();
    Pump();
    EXPECT_EQ(w.asked, asked);
}
