// The simulated terminal screen: a grid of one-byte cells that is a small text editor for a node's screen text
// and, in simulation mode, the terminal's display driven by the host's output calls.
#pragma once

#include "framework/Export.h"

#include "platform/afxgdi.h"
#include "platform/afxwin.h"

// Pixels between two cells of a row and between two rows.
constexpr int SCREEN_CELL_GAP_X = 4;
constexpr int SCREEN_CELL_GAP_Y = 6;

// Hosts reach the members directly, so the layout is packed as theirs is; the members are ordered so that each
// still sits on its natural boundary, and the class as a whole keeps the alignment of its base.
#pragma pack(push, 1)
class PDTDLG_API alignas(8) CPortableScreen : public CWnd
{
  public:
    explicit CPortableScreen(COLORREF crBack);
    ~CPortableScreen() override;

    // Set-up and prompt text.
    int Create(CSize size, CRect rect, UINT nID, CWnd* pParent);
    bool Initial(const char* pszModel, CSize size, int nLanguage);
    virtual void SetPrompt(const char* pszText);
    virtual CString GetPrompt();
    void SetupFont(int);
    void ChangeScreenBkgrdColor(COLORREF);

    // Output.
    void EnableSimulation(bool bEnable);
    void EnableScroll(int n);
    void EnableCursor(int n);
    WORD GetCursorPosition();
    void SetCursorPosition(int x, int y);
    void ForwardCursor();
    void ScrollScreen();
    void ClearScreen();
    void ClearAfter(int x, int y);
    void RefreshScreen(bool bErase, bool bUpdateNow);
    bool PrintChar(UINT nChar, CPoint* pPos, char* pBuf);
    void PrintChnChar(WORD wChar, CPoint* pPos, char* pBuf);
    void PrintCharTty(char c);
    void PrintStringTty(char* s);

    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    // Buffer.
    int GetCharIndex(int x, int y);
    bool GetNextPos(CPoint pos, CPoint& next);
    bool GetPrevPos(CPoint pos, CPoint& prev);
    CRect GetCharRect(int x, int y);
    bool SetText(const char* pszText, int x, int y);
    CString GetSelectedText(int nStart, int nEnd);

    // Editing.
    bool InsertChar(UINT nChar, CPoint& pos, char* pBuf);
    bool DeleteChar(CPoint pos, char* pBuf);
    bool MoveBuffer(CPoint from, CPoint to, char* pBuf, bool bInsert);

    // Cursor mark, mouse, clipboard.
    void ShowCursor();
    void HideCursor();
    void DrawCursor(CPoint cell, CDC* pDC, CPen* pen);
    bool HitTest(CPoint point, CPoint& cell);
    void CancelSelection();
    bool CheckClipboard();

    // Message handlers.
    UINT OnGetDlgCode();
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    int OnCreate(LPVOID lpCreateStruct);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    void OnClearAll();
    void OnCopy();
    void OnPaste();
    void OnRedraw();
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

    // Eight-byte members first, then four-byte, then single bytes.
    char* m_pScreen = nullptr;
    char* m_pMoveBuf = nullptr;
    char* m_pBackup = nullptr;
    CString m_strModel;
    CBrush m_brBack;
    CFont m_font;
    CPen m_penGrid;
    CPen m_penSelect;
    CPen m_penCursor;
    CPen m_penErase;

    int m_nCols = 0;
    int m_nRows = 0;
    int m_nBufSize = 0;
    CPoint m_ptCursor;
    int m_nLanguage = 0;
    CSize m_sizeWindow;
    int m_nMarginLeft = 0;
    int m_nMarginTop = 0;
    int m_nMarginRight = 0;
    int m_nMarginBottom = 0;
    int m_nCharWidth = 0;
    int m_nCharHeight = 0;
    COLORREF m_crGrid = 0;
    COLORREF m_crSelect = 0;
    COLORREF m_crBack = 0;
    CPoint m_ptSelStart;
    CPoint m_ptSelEnd;
    CPoint m_ptLastHit;

  private:
    int m_nMarkHeld = 0;        // >0: a string is being printed; its cursor mark moves once, at the end
    int m_nCodePage = 0;        // code page of the cells' bytes, from the font's character set; 0 before Initial
    bool m_bScrollHeld = false; // a scroll while the mark is held: one repaint request when the string ends

  protected:
    BYTE m_cLeadByte = 0;
    bool m_bSimulation = false;
    bool m_bScroll = false;
    bool m_bCursorEnabled = true;
    bool m_bCaretCreated = false;
    bool m_bMouseDown = false;
    bool m_bSelAnchored = false;
    bool m_bSelecting = false;

  private:
    // Inline twins of GetCharIndex and GetNextPos, so that the editor's loops make no calls.
    int CellIndex(int x, int y) const
    {
        if (x < 0 || y < 0)
            return 0;
        long long i = (long long)m_nCols * y + x;
        return i < m_nBufSize ? int(i) : 0;
    }
    bool NextCell(CPoint pos, CPoint& next) const
    {
        if (pos.x + 1 < m_nCols)
            next = CPoint(pos.x + 1, pos.y);
        else if (pos.y < m_nRows - 1)
            next = CPoint(0, pos.y + 1);
        else
        {
            next = CPoint(pos.x + 1, pos.y);
            return false;
        }
        return true;
    }
    void MoveCursorTo(CPoint pos);
    void StepCursor();
    void ScrollRows();
    const char* PrintRun(const char* p);
    bool IsDoubleByte() const { return m_nLanguage == 1 || m_nLanguage == 2; }
    BYTE CellAt(CPoint pos) const { return BYTE(m_pScreen[CellIndex(pos.x, pos.y)]); }
    // After the cells changed: asks for a repaint of the cells that differ from what the window shows, with their
    // neighbours as far as a glyph reaches; all of it when the window may show something else
    // (PortableScreenWindow.cpp).
    void InvalidateChanged();
    char* Shown() const;
};
#pragma pack(pop)
