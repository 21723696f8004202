// Output to two terminals at once: a scripted run keeps the text screen it prints and draws the same output on the
// portable screen it renders. Questions about the screen are answered by the first.
#pragma once

#include "host/sim/SimTerminal.h"

class TeeTerminal : public SimTerminal
{
  public:
    TeeTerminal(SimTerminal& first, SimTerminal& second) : m_first(first), m_second(second) {}

    CSize GetSize() const override { return m_first.GetSize(); }
    void ClearScreen() override { m_first.ClearScreen(), m_second.ClearScreen(); }
    void ClearAfter(int x, int y) override { m_first.ClearAfter(x, y), m_second.ClearAfter(x, y); }
    void SetCursorPosition(int x, int y) override { m_first.SetCursorPosition(x, y), m_second.SetCursorPosition(x, y); }
    CPoint GetCursorPosition() const override { return m_first.GetCursorPosition(); }
    void PrintString(const char* text) override { m_first.PrintString(text), m_second.PrintString(text); }
    void EnableCursor(bool show) override { m_first.EnableCursor(show), m_second.EnableCursor(show); }
    void Beep() override { m_first.Beep(), m_second.Beep(); }
    void Flush() override { m_first.Flush(), m_second.Flush(); }

  private:
    SimTerminal& m_first;
    SimTerminal& m_second;
};
