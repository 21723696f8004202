#include "host/app/PortableScreenTerminal.h"

#include <string>

#include "simulation/PortableScreen.h"

PortableScreenTerminal::PortableScreenTerminal(CPortableScreen& screen, CSize size) : m_screen(screen), m_size(size)
{
    m_screen.EnableSimulation(true);
}

void PortableScreenTerminal::ClearScreen()
{
    m_screen.ClearScreen();
}

void PortableScreenTerminal::ClearAfter(int x, int y)
{
    m_screen.ClearAfter(x, y);
}

void PortableScreenTerminal::SetCursorPosition(int x, int y)
{
    m_screen.SetCursorPosition(x, y);
}

CPoint PortableScreenTerminal::GetCursorPosition() const
{
    const WORD pos = m_screen.GetCursorPosition();
    return CPoint(pos & 0xFF, pos >> 8);
}

void PortableScreenTerminal::PrintString(const char* text)
{
    // The screen walks a writable string; the runner's text is its own.
    std::string copy(text ? text : "");
    m_screen.PrintStringTty(copy.data());
}

void PortableScreenTerminal::EnableCursor(bool show)
{
    m_screen.EnableCursor(show ? 1 : 0);
}

void PortableScreenTerminal::Beep()
{
    ++m_nBeeps;
    MessageBeep(MB_OK);
}

void PortableScreenTerminal::Flush()
{
    m_screen.RefreshScreen(false, true);
}
