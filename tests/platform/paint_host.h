// Shared by the GDI, caret, clipboard and menu tests: a shown custom-drawn window of a registered class whose
// WM_PAINT records what it was asked to repaint and draws what a test gives it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/afxwin.h"
#include "platform/testing/pdttest.h"

namespace pdt::test
{

class PaintWnd : public CWnd
{
  public:
    std::function<void(CPaintDC&)> onPaint;
    std::vector<CRect> painted; // rcPaint of each WM_PAINT
    std::vector<UINT> commands; // WM_COMMAND ids
    std::function<void(CMenu*)> onInitMenuPopup;

    bool Open(int x = 40, int y = 40, int width = 200, int height = 120)
    {
        return CreatePlainWindow(*this, "PdtPaintTestWnd", CRect(x, y, x + width, y + height), WS_POPUP | WS_VISIBLE,
                                 GetStockObject(WHITE_BRUSH));
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }

    DECLARE_MESSAGE_MAP()

  private:
    void OnPaint()
    {
        CPaintDC dc(this);
        painted.push_back(dc.m_ps.rcPaint);
        if (onPaint)
            onPaint(dc);
    }
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM)
    {
        if (onInitMenuPopup)
            onInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
        return 0;
    }
};

inline const MessageMap& PaintWnd::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(),
                                {
                                    mm::Paint(&PaintWnd::OnPaint),
                                    mm::Message(WM_INITMENUPOPUP, &PaintWnd::OnInitMenuPopup),
                                });
    return map;
}

// A fixture with one shown window, white after its first paint.
class PaintTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(wnd.Open()); }
    void TearDown() override
    {
        wnd.DestroyWindow();
        Pump();
    }
    PaintWnd wnd;
};

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0),
                   kGreen = RGB(0, 128, 0), kBlue = RGB(0, 0, 255);

// A fixed-pitch font of the given character set.
inline void MakeFont(CFont& font, BYTE charset = ANSI_CHARSET, int height = -16, const char* face = "DejaVu Sans Mono")
{
    font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, 0, 0, 0, FIXED_PITCH | FF_MODERN, face);
}

} // namespace pdt::test
