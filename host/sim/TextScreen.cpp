#include "host/sim/TextScreen.h"

#include "platform/afxstr.h"

TextScreen::TextScreen(CSize size, int language, int codePage)
    : m_size(CSize(size.cx > 0 ? size.cx : 1, size.cy > 0 ? size.cy : 1)), m_nLanguage(language),
      m_nCodePage(codePage ? codePage : CodePageOfLanguage(language)),
      m_cells(size_t(m_size.cx * m_size.cy) + 3, 0)
{
}

int CodePageOfLanguage(int language)
{
    return language == 1 ? 936 : language == 2 ? 932 : 1252;
}

void TextScreen::ClearScreen()
{
    std::fill(m_cells.begin(), m_cells.end(), 0);
    m_cLead = 0;
    m_cursor = CPoint(0, 0);
}

void TextScreen::ClearAfter(int x, int y)
{
    if (y >= m_size.cy || y < 0)
    {
        SetCursorPosition(x, y);
        return;
    }
    for (int i = m_size.cx * y + std::max(0, std::min(x, int(m_size.cx))); i < m_size.cx * m_size.cy; ++i)
        m_cells[size_t(i)] = 0;
    m_cursor = CPoint(0, y);
}

void TextScreen::SetCursorPosition(int x, int y)
{
    m_cursor = CPoint(std::max(0, std::min(x, int(m_size.cx) - 1)), std::max(0, std::min(y, int(m_size.cy) - 1)));
}

void TextScreen::PrintString(const char* text)
{
    for (const char* p = text; p && *p;)
    {
        unsigned char b = static_cast<unsigned char>(*p++);
        if (b == 27)
        {
            // ESC [ x prints x as it is; a string without the bracket stops here, as the portable screen does.
            while (*p && *p != '[')
                ++p;
            if (!*p || !p[1])
                return;
            b = static_cast<unsigned char>(p[1]);
            p += 2;
        }
        PrintByte(b);
    }
}

void TextScreen::PrintByte(unsigned char c)
{
    if (m_cLead)
    {
        // Any byte completes a pair, as on the terminal.
        Put(m_cLead);
        m_cells[size_t(m_size.cx * m_cursor.y + m_cursor.x) + 1] = char(c);
        m_cLead = 0;
        Step();
        Step();
        return;
    }
    if ((m_nLanguage == 1 && c >= 128) || (m_nLanguage == 2 && ((c >= 129 && c <= 159) || c >= 224)))
    {
        m_cLead = c;
        return;
    }
    switch (c)
    {
    case 13:
        m_cursor.x = 0;
        break;
    case 10:
        if (m_cursor.y < m_size.cy - 1)
            ++m_cursor.y;
        else
            Scroll();
        break;
    case 8:
        if (m_cursor.x > 0 || m_cursor.y > 0)
        {
            m_cells[size_t(m_size.cx * m_cursor.y + m_cursor.x)] = 0;
            m_cursor = m_cursor.x > 0 ? CPoint(m_cursor.x - 1, m_cursor.y) : CPoint(m_size.cx - 1, m_cursor.y - 1);
            m_cells[size_t(m_size.cx * m_cursor.y + m_cursor.x)] = ' ';
        }
        break;
    case 7:
        ++m_nBeeps;
        break;
    case 0:
    case 9:
    case 27:
        break;
    default:
        if (c < 32)
        {
            ++m_nBeeps; // the screen refuses other control codes with the error beep
            return;
        }
        Put(c);
        // A byte with bit 7 set counts as half of a two-cell character in the double-byte languages.
        Step();
        if ((m_nLanguage == 1 || m_nLanguage == 2) && c >= 128)
            Step();
        break;
    }
    m_cLead = 0;
}

void TextScreen::Put(unsigned char c)
{
    m_cells[size_t(m_size.cx * m_cursor.y + m_cursor.x)] = char(c);
}

void TextScreen::Step()
{
    if (++m_cursor.x < m_size.cx)
        return;
    m_cursor.x = 0;
    if (++m_cursor.y < m_size.cy)
        return;
    m_cursor.y = m_size.cy - 1;
    Scroll();
}

void TextScreen::Scroll()
{
    const size_t row = size_t(m_size.cx);
    std::copy(m_cells.begin() + long(row), m_cells.begin() + long(row * size_t(m_size.cy)), m_cells.begin());
    std::fill(m_cells.begin() + long(row * size_t(m_size.cy - 1)), m_cells.begin() + long(row * size_t(m_size.cy)),
              0);
}

char TextScreen::Cell(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_size.cx || y >= m_size.cy)
        return 0;
    return m_cells[size_t(m_size.cx * y + x)];
}

std::string TextScreen::Text() const
{
    std::vector<std::string> rows;
    bool carried = false; // the row's first cell is the second byte of the previous row's last character
    for (int y = 0; y < m_size.cy; ++y)
    {
        std::string row;
        for (int x = carried ? 1 : 0; x < m_size.cx; ++x)
        {
            char c = m_cells[size_t(m_size.cx * y + x)];
            row += c == 0 || c == 13 ? ' ' : c;
        }
        // A pair that starts in the last column keeps its second byte with it.
        carried = false;
        if (m_nLanguage == 1 || m_nLanguage == 2)
        {
            bool lead = false;
            for (unsigned char c : row)
                lead = lead ? false : c >= 128;
            if (lead && y + 1 < m_size.cy)
            {
                row += m_cells[size_t(m_size.cx * (y + 1))];
                carried = true;
            }
        }
        while (!row.empty() && row.back() == ' ')
            row.pop_back();
        rows.push_back(row);
    }
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    std::string text;
    for (size_t i = 0; i < rows.size(); ++i)
        text += (i ? "\n" : "") + rows[i];
    return text;
}

std::vector<std::string> TextScreen::Rows() const
{
    std::vector<std::string> rows;
    for (int y = 0; y < m_size.cy; ++y)
    {
        std::string row;
        for (int x = 0; x < m_size.cx; ++x)
        {
            char c = m_cells[size_t(m_size.cx * y + x)];
            row += c == 0 || c == 13 ? ' ' : c;
        }
        rows.push_back(row);
    }
    return rows;
}

std::string TextScreen::Utf8Text() const
{
    return CodePageToUtf8(Text(), m_nCodePage);
}
