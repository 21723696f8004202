// The job runner's terminal on the library's portable screen in simulation mode.
#pragma once

#include "host/sim/SimTerminal.h"

class CPortableScreen;

class PortableScreenTerminal : public SimTerminal
{
  public:
    // The screen must have been set up (Initial) for the terminal's size; the adapter puts it in simulation mode.
    PortableScreenTerminal(CPortableScreen& screen, CSize size);

    CSize GetSize() const override { return m_size; }
    void ClearScreen() override;
    void ClearAfter(int x, int y) override;
    void SetCursorPosition(int x, int y) override;
    CPoint GetCursorPosition() const override;
    void PrintString(const char* text) override;
    void EnableCursor(bool show) override;
    void Beep() override;
    void Flush() override;

    int Beeps() const { return m_nBeeps; }

  private:
    CPortableScreen& m_screen;
    CSize m_size;
    int m_nBeeps = 0;
};
