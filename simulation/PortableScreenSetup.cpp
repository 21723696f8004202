// Portable screen: construction, window creation, sizing and font for a terminal model, and the prompt text.
#include "simulation/PortableScreen.h"

#include <cstdlib>
#include <cstring>

#include "support/AppProfile.h"

namespace
{
const char kClassName[] = "CCorvel_PortableScreen";
const char kSection[] = "Settings";

// CreateFont's defaults, all zero in Win32.
constexpr BYTE kDefaultOutPrecision = 0, kDefaultClipPrecision = 0, kDefaultQuality = 0;

// Larger screens than any terminal has; keeps the buffer arithmetic far from overflow.
constexpr int kMaxCells = 1 << 20;

constexpr int kMargin = 6;

// The code page the screen's bytes are in: the one the font's character set draws them in.
int CodePageOfCharSet(BYTE charSet)
{
    switch (charSet)
    {
    case SHIFTJIS_CHARSET:
        return 932;
    case GB2312_CHARSET:
        return 936;
    case CHINESEBIG5_CHARSET:
        return 950;
    case HANGUL_CHARSET:
        return 949;
    default:
        return GetACP();
    }
}
} // namespace

CPortableScreen::CPortableScreen(COLORREF crBack) : m_crGrid(0xA1A1A1), m_crSelect(0xFF00FF), m_crBack(crBack)
{
    m_brBack.CreateSolidBrush(m_crBack);
    WNDCLASS wc{};
    if (!GetClassInfo(AfxGetInstanceHandle(), kClassName, &wc))
    {
        wc = WNDCLASS{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.cbClsExtra = 0;
        wc.cbWndExtra = 0;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = nullptr;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = m_brBack.GetSafeHandle();
        wc.lpszMenuName = nullptr;
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
}

CPortableScreen::~CPortableScreen()
{
    // The window goes first, so that no message arrives at a half-destroyed screen.
    DestroyWindow();
    delete[] m_pScreen;
    delete[] m_pMoveBuf;
    delete[] m_pBackup;
    m_pScreen = m_pMoveBuf = m_pBackup = nullptr;
}

int CPortableScreen::Create(CSize size, CRect rect, UINT nID, CWnd* pParent)
{
    m_sizeWindow = size;
    CRect at(rect.left, rect.top, rect.left, rect.top);
    return CreateEx(WS_EX_CLIENTEDGE, kClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, at, pParent, nID) ? 1 : 0;
}

int CPortableScreen::OnCreate(LPVOID)
{
    if (Default() == -1)
        return -1;
    m_penGrid.CreatePen(PS_SOLID, 1, m_crGrid);
    m_penSelect.CreatePen(PS_SOLID, 3, m_crSelect);
    m_penCursor.CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    m_penErase.CreatePen(PS_SOLID, 3, m_crBack);
    return 0;
}

void CPortableScreen::SetupFont(int) {}
void CPortableScreen::ChangeScreenBkgrdColor(COLORREF) {}

bool CPortableScreen::Initial(const char* pszModel, CSize size, int nLanguage)
{
    m_strModel = pszModel ? pszModel : "";
    m_nLanguage = nLanguage;

    int dpiX = 96, dpiY = 96;
    {
        CClientDC dc(this);
        if (dc.GetSafeHdc())
        {
            dpiX = dc.GetDeviceCaps(LOGPIXELSX);
            dpiY = dc.GetDeviceCaps(LOGPIXELSY);
        }
    }

    // The model's physical screen, in pixels of this display.
    double H = m_sizeWindow.cy;
    int width, height;
    if (m_strModel == "M-10" || m_strModel == "M-13" || m_strModel == "N-13" || m_strModel == "R-50" ||
        m_strModel == "R-50G")
    {
        width = int(dpiX * 1.9);
        height = int(dpiY * 1.3);
    }
    else if (m_strModel == "M-20" || m_strModel == "M-20X")
    {
        width = int(dpiX * 2.6);
        height = int(dpiY * 1.41);
    }
    else
    {
        width = int(H * 1.469);
        height = int(H);
    }
    double target = H * 90 / 100;
    if (target > height && height > 0)
    {
        m_sizeWindow.cx = int(((target - height) / height + 1) * width);
        m_sizeWindow.cy = int(target);
    }

    int cols = size.cx, rows = size.cy;
    if (cols < 1 || rows < 1 || (long long)cols * rows > kMaxCells)
        return false;
    delete[] m_pScreen;
    delete[] m_pMoveBuf;
    delete[] m_pBackup;
    m_nCols = cols;
    m_nRows = rows;
    m_nBufSize = cols * rows + 3;
    m_pScreen = new char[size_t(m_nBufSize)]();
    m_pMoveBuf = new char[size_t(m_nBufSize)]();
    // The move backup, then the cells as the window shows them and three flags on how it drew them (Shown()).
    m_pBackup = new char[size_t(m_nBufSize) * 2 + 3]();
    m_cLeadByte = 0;

    m_nMarginLeft = m_nMarginTop = m_nMarginRight = m_nMarginBottom = kMargin;

    int eX = GetSystemMetrics(SM_CXEDGE), eY = GetSystemMetrics(SM_CYEDGE);
    m_nCharWidth = (m_sizeWindow.cx - ((cols - 1) * SCREEN_CELL_GAP_X + 2 * eX + m_nMarginRight + m_nMarginLeft)) / cols;
    m_nCharHeight = (m_sizeWindow.cy - ((rows - 1) * SCREEN_CELL_GAP_Y + m_nMarginTop + 2 * eY + m_nMarginBottom)) / rows;

    int spareX = (m_sizeWindow.cx - 2 * eX - cols * (m_nCharWidth + SCREEN_CELL_GAP_X) + SCREEN_CELL_GAP_X) / 2;
    int spareY = (m_sizeWindow.cy - 2 * eY - rows * (m_nCharHeight + SCREEN_CELL_GAP_Y) + SCREEN_CELL_GAP_Y) / 2;
    if (spareX > m_nMarginLeft)
        m_sizeWindow.cx -= 2 * (spareX - m_nMarginLeft);
    if (spareY > m_nMarginTop)
        m_sizeWindow.cy -= 2 * (spareY - m_nMarginTop);

    // The grid sits one pixel higher than centred.
    m_nMarginBottom += 1;
    m_nMarginTop -= 1;

    SetWindowPos(nullptr, 0, 0, m_sizeWindow.cx, m_sizeWindow.cy, SWP_NOMOVE | SWP_NOZORDER);

    // A cell smaller than a pixel can hold no glyph; the fit loop below could never end.
    if (m_nCharWidth < 1 || m_nCharHeight < 1)
        return false;

    int fontWidth = m_nCharWidth, fontHeight = m_nCharHeight;
    CString preset = theReg.GetString(kSection, "FONT_SCREEN_PRESET", "0");
    if (!preset.IsEmpty() && preset[0] != '0' && preset.GetLength() >= 9)
    {
        int w = std::atoi(preset.Mid(2, 3).c_str());
        int h = std::atoi(preset.Mid(6).c_str());
        if (w > 0 && h > 0 && w <= m_nCharWidth && h <= m_nCharHeight)
        {
            fontWidth = w;
            fontHeight = h;
        }
    }

    BYTE charSet = BYTE(theReg.GetInt(kSection, "FONT_CHARSET", DEFAULT_CHARSET));
    // Left at the default, the set follows the job's language: the system's own set would draw a Chinese or
    // Japanese job's double-byte text as pairs of single-byte characters. A Chinese job in Big5 says so by the
    // code page its host converts window text with.
    if (charSet == DEFAULT_CHARSET && m_nLanguage == 1)
        charSet = GetACP() == 950 ? CHINESEBIG5_CHARSET : GB2312_CHARSET;
    else if (charSet == DEFAULT_CHARSET && m_nLanguage == 2)
        charSet = SHIFTJIS_CHARSET;
    m_nCodePage = CodePageOfCharSet(charSet);
    CString face = IsDoubleByte() ? theReg.GetString(kSection, "FONTTYPE_SCREEN", "Lucida Console")
                                  : CString("Lucida Console");
    auto create = [&] {
        return m_font.CreateFont(fontHeight, fontWidth, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE, charSet,
                                 kDefaultOutPrecision, kDefaultClipPrecision, kDefaultQuality, FIXED_PITCH, face);
    };
    m_font.DeleteObject();
    if (!create())
        return false;

    // Shrink the font a pixel at a time until "W" fits the cell; each round takes a pixel off, so it ends.
    for (;;)
    {
        CSize extent;
        {
            CClientDC dc(this);
            CFont* old = dc.SelectObject(&m_font);
            extent = dc.GetTextExtent("W", 1);
            dc.SelectObject(old);
        }
        bool changed = false;
        if (extent.cx > m_nCharWidth)
        {
            --fontWidth;
            changed = true;
        }
        if (extent.cy > m_nCharHeight)
        {
            --fontHeight;
            changed = true;
        }
        if (!changed)
            break;
        if (fontWidth < 1 || fontHeight < 1)
        {
            m_font.DeleteObject();
            return false;
        }
        m_font.DeleteObject();
        if (!create())
            return false;
    }

    if (!preset.IsEmpty() && preset[0] == '0')
    {
        CString value;
        value.Format("1,%03d,%03d", fontWidth, fontHeight);
        theReg.WriteString(kSection, "FONT_SCREEN_PRESET", value);
    }
    SetFont(&m_font, TRUE);
    return true;
}

// ---------------------------------------------------------------------------------------------------------------
// Prompt text.

void CPortableScreen::SetPrompt(const char* pszText)
{
    if (!m_pScreen)
        return;
    std::memset(m_pScreen, 0, size_t(m_nBufSize));
    SetText(pszText ? pszText : "", 0, 0);
    Invalidate(TRUE);
}

CString CPortableScreen::GetPrompt() { return GetSelectedText(-1, -1); }

bool CPortableScreen::SetText(const char* pszText, int x, int y)
{
    if (!m_pScreen || !pszText)
        return false;
    std::memcpy(m_pBackup, m_pScreen, size_t(m_nBufSize));
    if (y >= m_nRows)
        return false;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    const char* p = pszText;
    for (;;)
    {
        if (x >= m_nCols)
        {
            // A full row wraps without a mark.
            if (y >= m_nRows - 1)
                return false;
            x = 0;
            ++y;
            continue;
        }
        char b = *p++;
        if (b == 0)
            return true;
        if (b == 13 || b == 10)
        {
            if (b == 13 && *p == 10)
                ++p;
            if (y >= m_nRows - 1)
                return false;
            m_pScreen[CellIndex(x, y)] = 13;
            x = 0;
            ++y;
            continue;
        }
        m_pScreen[CellIndex(x, y)] = b;
        ++x;
    }
}

CString CPortableScreen::GetSelectedText(int nStart, int nEnd)
{
    CString result;
    if (!m_pScreen)
        return result;
    if (nEnd == -1)
        nEnd = m_nBufSize;
    std::string text;
    int trailing = 0;
    for (int y = 0; y < m_nRows; ++y)
        for (int x = 0; x < m_nCols; ++x)
        {
            int i = CellIndex(x, y);
            if (i < nStart)
                continue;
            if (i > nEnd)
                goto done;
            BYTE b = BYTE(m_pScreen[i]);
            if (b == 0 || b == 13)
            {
                text += "\r\n";
                trailing = b == 0 ? trailing + 1 : 0;
                break;
            }
            trailing = 0;
            text += char(b);
        }
done:
    if (trailing > 0)
        text.resize(text.size() - 2 * size_t(trailing));
    return CString(text.c_str(), int(text.size()));
}
