#include "host/app/Toolbar.h"

#include "host/app/HostCommands.h"
#include "host/app/WindowClass.h"
#include "host/model/HostNode.h"

namespace
{
constexpr char kClassName[] = "PdtToolbar";
constexpr int kPad = 3, kGap = 2, kSeparator = 10;
} // namespace

const MessageMap& Toolbar::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(), {mm::Paint(&Toolbar::OnPaint)});
    return map;
}

BOOL Toolbar::Create(CWnd* owner, UINT id)
{
    RegisterHostClass(kClassName);
    m_pOwner = owner;
    if (!CreateEx(0, kClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, m_nHeight), owner, id))
        return FALSE;

    struct Tool
    {
        UINT command;
        const char* text;
        DWORD style;
        CString tip;
    };
    std::vector<Tool> tools;
    auto newNode = [&](int kind) {
        tools.push_back({ID_NODE_NEW_FIRST + UINT(kind), HostNode::KindName(kind), BS_PUSHBUTTON,
                         CString("New ") + HostNode::KindName(kind) + " node"});
    };
    for (int kind : NODE_KIND_SLOTS) // as the New Node menu lists them: the comment last
        if (kind != NODE_COMMENT)
            newNode(kind);
    newNode(NODE_COMMENT);
    tools.push_back({0, nullptr, 0, {}});
    tools.push_back({ID_NODE_LINK, "Link", BS_CHECKBOX | BS_PUSHLIKE, "Link nodes: drag from one node to another"});
    tools.push_back({0, nullptr, 0, {}});
    tools.push_back({ID_EDIT_FIND, "Find", BS_PUSHBUTTON, "Find in the job"});
    tools.push_back({ID_SIMULATE_RUN, "Run", BS_PUSHBUTTON, "Run the job on a simulated terminal"});

    m_tips.Create(this);
    CClientDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    int x = kPad;
    for (const Tool& t : tools)
    {
        if (!t.command)
        {
            x += kSeparator;
            continue;
        }
        int width = dc.GetTextExtent(t.text).cx + 16;
        auto button = std::make_unique<CButton>();
        button->CreateEx(0, "BUTTON", t.text, WS_CHILD | WS_VISIBLE | t.style,
                         CRect(x, kPad, x + width, m_nHeight - kPad), this, t.command);
        x += width + kGap;
        const char* keys = ShortcutKeys(t.command);
        m_tips.AddTool(button.get(), keys ? t.tip + " (" + keys + ")" : t.tip);
        m_buttons.push_back(std::move(button));
    }
    return TRUE;
}

CWnd* Toolbar::GetButton(UINT command) const
{
    for (const auto& b : m_buttons)
        if (UINT(b->GetDlgCtrlID()) == command)
            return b.get();
    return nullptr;
}

void Toolbar::SetLinkTool(bool on)
{
    if (CWnd* b = GetButton(ID_NODE_LINK))
        b->SendMessage(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
}

void Toolbar::EnableCommand(UINT command, bool enable)
{
    if (CWnd* b = GetButton(command); b && bool(b->IsWindowEnabled()) != enable)
        b->EnableWindow(enable);
}

// A button's click is its command, sent on to the owner as the menu item sends it.
BOOL Toolbar::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED || !GetButton(LOWORD(wParam)))
        return FALSE;
    m_pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
    if (onUsed && IsWindow(m_hWnd))
        onUsed();
    return TRUE;
}

void Toolbar::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
}
