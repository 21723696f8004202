// What the job runner needs of a terminal: the screen's output operations and a beep. Keys go the other way,
// into the runner, as key ids of the terminal's keymap. Tests implement it as a text screen (TextScreen.h);
// the simulation window with the library's portable screen.
#pragma once

#include "platform/afxtypes.h"

class SimTerminal
{
  public:
    virtual ~SimTerminal() = default;

    virtual CSize GetSize() const = 0; // columns, rows
    virtual void ClearScreen() = 0;    // every cell empty, cursor home
    virtual void ClearAfter(int x, int y) = 0;
    virtual void SetCursorPosition(int x, int y) = 0;
    virtual CPoint GetCursorPosition() const = 0;
    // Bytes of the terminal's output stream in the job's code page: CR, LF, backspace and bell act, a double-byte
    // character takes two cells, ESC [ makes the next byte literal.
    virtual void PrintString(const char* text) = 0;
    virtual void EnableCursor(bool show) = 0;
    virtual void Beep() = 0;
    // The runner has finished a batch of output and waits: a window repaints now.
    virtual void Flush() {}
};
