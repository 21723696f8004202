// A terminal screen kept as text: the runner's output operations on a grid of one-byte cells, with the portable
// screen's rules in simulation mode (scrolling on, double-byte pairs in Chinese and Japanese). Scripted runs and
// transcripts read it back as text.
#pragma once

#include <string>
#include <vector>

#include "host/sim/SimTerminal.h"

class TextScreen : public SimTerminal
{
  public:
    // columns x rows; language: the job's language code (1 Chinese and 2 Japanese pair bytes); codePage: the one
    // its bytes are in (0: the language's own, GBK for Chinese).
    TextScreen(CSize size, int language, int codePage = 0);

    CSize GetSize() const override { return m_size; }
    void ClearScreen() override;
    void ClearAfter(int x, int y) override;
    void SetCursorPosition(int x, int y) override;
    CPoint GetCursorPosition() const override { return m_cursor; }
    void PrintString(const char* text) override;
    void EnableCursor(bool show) override { m_bCursor = show; }
    void Beep() override { ++m_nBeeps; }

    // Each row as bytes, every cell one byte (an empty cell a blank), the full width of the screen.
    std::vector<std::string> Rows() const;
    // The rows as bytes, trailing blanks of each row and trailing empty rows dropped, rows joined by "\n".
    std::string Text() const;
    // The same in UTF-8, read in the job's code page (GBK, Big5, Shift JIS, or Windows-1252).
    std::string Utf8Text() const;
    int Beeps() const { return m_nBeeps; }
    bool IsCursorShown() const { return m_bCursor; }
    char Cell(int x, int y) const;

  private:
    void PrintByte(unsigned char c);
    void Put(unsigned char c);
    void Step();
    void Scroll();

    CSize m_size;
    int m_nLanguage;
    int m_nCodePage;
    std::vector<char> m_cells;
    CPoint m_cursor;
    unsigned char m_cLead = 0;
    bool m_bCursor = true;
    int m_nBeeps = 0;
};

// The code page a job language's bytes are in: 936 Chinese, 932 Japanese, 1252 the others.
int CodePageOfLanguage(int language);
