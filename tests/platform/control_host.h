// Shared by the list box, list view, tree view and scroll bar tests: a plain parent window that records what
// its controls tell it.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>

#include <functional>
#include <map>
#include <vector>

#include "platform/afxcmn.h"
#include "platform/testing/pdttest.h"
#include "platform/window_p.h"

namespace pdt::test
{

// One message the parent heard, with the fields the tests look at copied out of its structure.
struct Heard
{
    UINT message = 0; // WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_CONTEXTMENU
    int id = 0;
    int code = 0; // notification code, or scroll code
    HWND from = nullptr;
    // List views.
    int item = -1;
    int subItem = 0;
    UINT oldState = 0, newState = 0, changed = 0;
    LPARAM param = 0;
    // Tree views.
    UINT action = 0;
    HTREEITEM oldItem = nullptr, newItem = nullptr;
    LPARAM oldParam = 0, newParam = 0;
    UINT newItemState = 0;
    // Key notifications.
    WORD vk = 0;
    // Scroll bars.
    int pos = 0;
};

class HostWnd : public CWnd
{
  public:
    std::vector<Heard> heard;
    std::map<int, LRESULT> answers;            // a WM_NOTIFY code's answer (TRUE refuses a change)
    std::function<void(const Heard&)> onHeard; // runs as the parent hears each message
    std::vector<HTREEITEM> mapSelChanged;      // TVN_SELCHANGED of control kTreeId, through the message map

    static constexpr int kTreeId = 300;

    bool Open() { return CreatePlainWindow(*this, "PdtControlTestHost", CRect(100, 100, 560, 460)); }

    // A child control of a system class, attached to `wrapper` when given.
    HWND Make(const char* className, DWORD style, const CRect& r, int id, CWnd* wrapper = nullptr, DWORD exStyle = 0)
    {
        HWND h = pdt::win::CreateWindowRecord(className, "", style | WS_CHILD | WS_VISIBLE, exStyle,
                                              QRect(r.left, r.top, r.Width(), r.Height()), m_hWnd, id, wrapper);
        Pump();
        return h;
    }

    std::vector<int> Codes(UINT message) const
    {
        std::vector<int> codes;
        for (const Heard& h : heard)
            if (h.message == message)
                codes.push_back(h.code);
        return codes;
    }
    std::vector<Heard> Of(int code) const // notifications only
    {
        std::vector<Heard> out;
        for (const Heard& h : heard)
            if (h.code == code && (h.message == WM_COMMAND || h.message == WM_NOTIFY))
                out.push_back(h);
        return out;
    }
    int Count(int code) const { return int(Of(code).size()); }
    // Position of the first notification with `code`, or -1.
    int IndexOf(int code) const
    {
        for (size_t i = 0; i < heard.size(); ++i)
            if (heard[i].code == code && (heard[i].message == WM_COMMAND || heard[i].message == WM_NOTIFY))
                return int(i);
        return -1;
    }
    void Forget() { heard.clear(); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        Heard h;
        h.message = WM_COMMAND;
        h.id = LOWORD(wParam);
        h.code = HIWORD(wParam);
        h.from = reinterpret_cast<HWND>(lParam);
        Record(h);
        return CWnd::OnCommand(wParam, lParam);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        Heard h;
        h.message = WM_NOTIFY;
        h.id = int(hdr->idFrom);
        h.code = hdr->code;
        h.from = hdr->hwndFrom;
        CString cls = GetWindowClassName(hdr->hwndFrom);
        if (cls.CompareNoCase("SysListView32") == 0)
        {
            if (h.code == LVN_KEYDOWN)
                h.vk = reinterpret_cast<NMLVKEYDOWN*>(hdr)->wVKey;
            else if (h.code != NM_SETFOCUS && h.code != NM_KILLFOCUS)
            {
                auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
                h.item = nm->iItem;
                h.subItem = nm->iSubItem;
                h.oldState = nm->uOldState;
                h.newState = nm->uNewState;
                h.changed = nm->uChanged;
                h.param = nm->lParam;
            }
        }
        else if (cls.CompareNoCase("SysTreeView32") == 0)
        {
            if (h.code == TVN_KEYDOWN)
                h.vk = reinterpret_cast<NMTVKEYDOWN*>(hdr)->wVKey;
            else if (h.code <= TVN_SELCHANGING && h.code >= TVN_KEYDOWN)
            {
                auto* nm = reinterpret_cast<NMTREEVIEW*>(hdr);
                h.action = nm->action;
                h.oldItem = nm->itemOld.hItem;
                h.newItem = nm->itemNew.hItem;
                h.oldParam = nm->itemOld.lParam;
                h.newParam = nm->itemNew.lParam;
                h.newItemState = nm->itemNew.state;
            }
        }
        Record(h);
        if (auto it = answers.find(h.code); it != answers.end())
        {
            *result = it->second;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, result);
    }

    DECLARE_MESSAGE_MAP()

  private:
    void Record(const Heard& h)
    {
        heard.push_back(h);
        if (onHeard)
            onHeard(h);
    }
    void OnScroll(UINT message, UINT code, UINT pos, CScrollBar* bar)
    {
        Heard h;
        h.message = message;
        h.code = int(code);
        h.pos = int(pos);
        h.from = bar ? bar->m_hWnd : nullptr;
        h.id = bar ? bar->GetDlgCtrlID() : 0;
        Record(h);
    }
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) { OnScroll(WM_HSCROLL, code, pos, bar); }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) { OnScroll(WM_VSCROLL, code, pos, bar); }
    void OnContextMenu(CWnd* wnd, CPoint)
    {
        Heard h;
        h.message = WM_CONTEXTMENU;
        h.from = wnd ? wnd->m_hWnd : nullptr;
        Record(h);
    }
    void OnTreeSelChanged(NMHDR* hdr, LRESULT* result)
    {
        mapSelChanged.push_back(reinterpret_cast<NMTREEVIEW*>(hdr)->itemNew.hItem);
        *result = 0;
    }
};

inline const MessageMap& HostWnd::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(),
                                {
                                    mm::Scroll(WM_HSCROLL, &HostWnd::OnHScroll),
                                    mm::Scroll(WM_VSCROLL, &HostWnd::OnVScroll),
                                    mm::ContextMenu(&HostWnd::OnContextMenu),
                                    mm::Notify(kTreeId, TVN_SELCHANGED, &HostWnd::OnTreeSelChanged),
                                });
    return map;
}

// A fixture with a shown parent window; controls are made as its children.
class ControlTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    void TearDown() override
    {
        host.DestroyWindow();
        Pump();
    }
    HostWnd host;
};

inline QAbstractItemView* ViewOf(HWND h) { return qobject_cast<QAbstractItemView*>(Peer(h)); }

// The middle of a row of an item view, in client coordinates.
inline CPoint RowCenter(HWND h, int row, int column = 0)
{
    QAbstractItemView* view = ViewOf(h);
    QRect r = view->visualRect(view->model()->index(row, column));
    QPoint c = view->viewport()->mapTo(Peer(h), r.center());
    return CPoint(c.x(), c.y());
}

} // namespace pdt::test
