// The terminal screen as the screen targets drive it: one window for the whole run, given to each input in the
// state a new screen has. Creating the window and its font anew for every input cost far more than the input did,
// and left the toolkit's caches growing, so that every input also paid for a full leak scan.
#pragma once

#include <memory>

#include "fuzz/fuzz_support.h"
#include "simulation/PortableScreen.h"

namespace pdt::fuzz
{

// The screen with its state open to the targets' checks.
class FuzzScreen : public CPortableScreen
{
  public:
    static constexpr int kId = 4254;

    FuzzScreen() : CPortableScreen(RGB(0xC8, 0xE0, 0x90))
    {
    }
    using CPortableScreen::GetCharRect, CPortableScreen::OnChar, CPortableScreen::OnClearAll, CPortableScreen::OnCopy,
        CPortableScreen::OnLButtonDown, CPortableScreen::OnLButtonUp, CPortableScreen::OnMouseMove,
        CPortableScreen::OnPaste, CPortableScreen::OnSetFocus;
    using CPortableScreen::m_bCaretCreated, CPortableScreen::m_bScroll, CPortableScreen::m_cLeadByte,
        CPortableScreen::m_nBufSize, CPortableScreen::m_nCols, CPortableScreen::m_nRows, CPortableScreen::m_pScreen,
        CPortableScreen::m_ptCursor;

    bool Open()
    {
        return Create(WindowSize(), CRect(CPoint(8, 8), WindowSize()), kId, &HostWindow()) != 0;
    }

    // Everything an input could have left behind goes back to how a new screen has it; Initial then sets up the
    // buffer and the font for the next input's model and size.
    void Reset()
    {
        if (::GetCapture() == m_hWnd)
            ReleaseCapture();
        // The caret is as high as a cell: made again when the next input gives the screen the focus.
        if (m_bCaretCreated)
        {
            ::DestroyCaret();
            m_bCaretCreated = false;
        }
        m_sizeWindow = WindowSize(); // Initial fits the model's screen into the size the window was created with
        m_ptCursor = m_ptSelStart = m_ptSelEnd = m_ptLastHit = CPoint();
        m_bSimulation = m_bScroll = m_bMouseDown = m_bSelAnchored = m_bSelecting = false;
        m_bCursorEnabled = true;
        Validate(); // what the last input left to repaint is not this input's to paint
    }

  private:
    static CSize WindowSize()
    {
        return CSize(600, 300);
    }
};

// The one screen of type S (a FuzzScreen), reset for a new input. It goes at exit before what its creation made
// first (the host window, its class's message map), as a window owned by a dialog would.
template <class S> S &ScreenForInput()
{
    static std::unique_ptr<S> screen = [] {
        StartToolkit();
        auto s = std::make_unique<S>();
        if (!s->Open())
            Broken("the screen window was not created");
        return s;
    }();
    screen->Reset();
    return *screen;
}

} // namespace pdt::fuzz
