#include "platform/testing/pdttest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QUrl>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <tuple>
#include <utility>

#include <csignal>
#include <cstdlib>
#include <string>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/window_p.h"

namespace
{

std::deque<int> g_expectedBoxes;
std::vector<pdt::test::SeenMessageBox> g_seenBoxes;
std::deque<int> g_expectedPopups;
std::vector<pdt::hooks::PopupMenuRequest> g_seenPopups;
pdt::hooks::PopupMenuHandler g_popupHandler; // the tests' answers
int g_beepBase = 0;
std::string g_tempDir;


// The offscreen platform activates windows lazily; a person's keyboard always types into the window in front.
void Activate(QWidget* w)
{
    if (!w)
        return;
    QWidget* top = w->window();
    if (QApplication::activeWindow() != top)
    {
        top->activateWindow();
        QApplication::setActiveWindow(top);
    }
}

QWidget* FocusTarget()
{
    QWidget* front = QApplication::activeModalWidget();
    if (!front)
        front = QApplication::activeWindow();
    Activate(front);
    QWidget* w = QApplication::focusWidget();
    return w ? w : front;
}

Qt::Key QtKeyFromVk(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key(Qt::Key_A + int(vk - 'A'));
    if (vk >= '0' && vk <= '9')
        return Qt::Key(Qt::Key_0 + int(vk - '0'));
    if (vk >= VK_F1 && vk <= VK_F12)
        return Qt::Key(Qt::Key_F1 + int(vk - VK_F1));
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return Qt::Key(Qt::Key_0 + int(vk - VK_NUMPAD0));
    switch (vk)
    {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_OEM_1: return Qt::Key_Semicolon;
    case VK_OEM_PLUS: return Qt::Key_Equal;
    case VK_OEM_COMMA: return Qt::Key_Comma;
    case VK_OEM_MINUS: return Qt::Key_Minus;
    case VK_OEM_PERIOD: return Qt::Key_Period;
    case VK_OEM_2: return Qt::Key_Slash;
    case VK_OEM_3: return Qt::Key_QuoteLeft;
    case VK_OEM_4: return Qt::Key_BracketLeft;
    case VK_OEM_5: return Qt::Key_Backslash;
    case VK_OEM_6: return Qt::Key_BracketRight;
    case VK_OEM_7: return Qt::Key_Apostrophe;
    default: return Qt::Key_unknown;
    }
}

Qt::KeyboardModifiers Mods(bool shift, bool ctrl, bool alt, UINT vk)
{
    Qt::KeyboardModifiers m;
    if (shift)
        m |= Qt::ShiftModifier;
    if (ctrl)
        m |= Qt::ControlModifier;
    if (alt)
        m |= Qt::AltModifier;
    if ((vk >= VK_NUMPAD0 && vk <= VK_DIVIDE))
        m |= Qt::KeypadModifier;
    return m;
}

int AnswerExpectedBox(const pdt::hooks::MessageBoxRequest& r)
{
    g_seenBoxes.push_back({r.text, r.caption, r.type});
    if (g_expectedBoxes.empty())
    {
        ADD_FAILURE() << "unexpected message box: " << r.text.c_str();
        return int((r.type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL);
    }
    int answer = g_expectedBoxes.front();
    g_expectedBoxes.pop_front();
    return answer;
}

class Cleanup : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        g_tempDir.clear();
        g_expectedBoxes.clear();
        g_seenBoxes.clear();
        g_expectedPopups.clear();
        g_seenPopups.clear();
        g_beepBase = pdt::hooks::BeepCount();
        pdt::win::ClearRefusal();
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        pdt::hooks::ProcessEvents();
        size_t modal = pdt::hooks::PendingModalHandlers();
        pdt::hooks::ClearModalHandlers();
        size_t boxes = g_expectedBoxes.size();
        g_expectedBoxes.clear();
        size_t popups = g_expectedPopups.size();
        g_expectedPopups.clear();
        if (!g_tempDir.empty())
        {
            std::error_code ignored;
            std::filesystem::remove_all(g_tempDir, ignored);
        }
        // Reported as plain output: a listener cannot fail the test that just ended.
        if (popups)
        {
            fprintf(stderr, "pdttest: %zu expected popup menu(s) never appeared\n", popups);
            std::_Exit(1);
        }
        if (modal || boxes)
        {
            fprintf(stderr, "pdttest: %zu expected modal dialog(s) and %zu message box(es) never appeared\n", modal,
                    boxes);
            std::_Exit(1);
        }
    }
};

} // namespace

namespace pdt::test
{

HWND Item(const CWnd& dlg, int id)
{
    HWND h = ::GetDlgItem(dlg.m_hWnd, id);
    EXPECT_NE(h, nullptr) << "no control " << id;
    return h;
}

QWidget* Peer(HWND h) { return pdt::win::Peer(h); }

int FocusId() { return ::GetDlgCtrlID(::GetFocus()); }

// Where a point of a window lands under a real mouse: the innermost visible widget there (an item view's
// viewport, a drop-down's edit), in that widget's coordinates.
std::pair<QWidget*, QPoint> Landing(QWidget* w, QPoint p)
{
    QWidget* target = w->childAt(p);
    return target ? std::make_pair(target, target->mapFrom(w, p)) : std::make_pair(w, p);
}

void Click(HWND ctl)
{
    QWidget* w = Peer(ctl);
    ASSERT_NE(w, nullptr);
    Activate(w); // a click activates the window it lands in, whatever the window system did before
    auto [target, p] = Landing(w, w->rect().center());
    QTest::mouseClick(target, Qt::LeftButton, {}, p);
}
void Click(const CWnd& dlg, int id) { Click(Item(dlg, id)); }

void ClickAt(HWND wnd, CPoint pt, bool right, UINT keys)
{
    QWidget* w = Peer(wnd);
    ASSERT_NE(w, nullptr);
    Activate(w);
    auto [target, p] = Landing(w, QPoint(pt.x, pt.y));
    Qt::KeyboardModifiers mods;
    if (keys & MK_SHIFT)
        mods |= Qt::ShiftModifier;
    if (keys & MK_CONTROL)
        mods |= Qt::ControlModifier;
    QTest::mouseClick(target, right ? Qt::RightButton : Qt::LeftButton, mods, p);
    Pump();
}

bool DropFiles(HWND wnd, CPoint pt, const std::vector<std::string>& paths)
{
    QWidget* w = Peer(wnd);
    if (!w)
        return false;
    auto [target, p] = Landing(w, QPoint(pt.x, pt.y));
    while (target && !target->acceptDrops())
    {
        p = target->mapToParent(p);
        target = target->isWindow() ? nullptr : target->parentWidget();
    }
    if (!target)
        return false;
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data.setUrls(urls);
    QDragEnterEvent enter(p, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(p), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    Pump();
    return drop.isAccepted();
}

void DoubleClick(HWND ctl)
{
    QWidget* w = Peer(ctl);
    ASSERT_NE(w, nullptr);
    QPoint c = w->rect().center();
    DoubleClickAt(ctl, CPoint(c.x(), c.y()));
}

void DoubleClickAt(HWND wnd, CPoint pt)
{
    QWidget* w = Peer(wnd);
    ASSERT_NE(w, nullptr);
    // What a widget receives for a double click: press, release, the double click in place of the second press,
    // release. (QTest's own double click sends the double-click event alone, without its press and release.)
    QPoint p;
    std::tie(w, p) = Landing(w, QPoint(pt.x, pt.y));
    QPointer<QWidget> alive = w; // a handler may close the window half way
    QTest::mousePress(w, Qt::LeftButton, {}, p);
    if (alive)
        QTest::mouseRelease(w, Qt::LeftButton, {}, p);
    if (alive)
    {
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &dbl);
    }
    if (alive)
        QTest::mouseRelease(w, Qt::LeftButton, {}, p);
    Pump();
}

void CloseBox(HWND wnd)
{
    QWidget* w = Peer(wnd);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isWindow()) << "only a top-level window has a close box";
    // The window manager asks the window to close, as a click on the box does; what the window posts in
    // answer (a dialog's IDCANCEL) runs before the click is over.
    QCloseEvent close;
    QApplication::sendEvent(w, &close);
    Pump();
}

void Drag(HWND wnd, CPoint from, CPoint to)
{
    QWidget* window = Peer(wnd);
    ASSERT_NE(window, nullptr);
    // The widget pressed on keeps the mouse until it is released.
    auto [w, start] = Landing(window, QPoint(from.x, from.y));
    QPoint end = w->mapFrom(window, QPoint(to.x, to.y));
    QTest::mousePress(w, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(end), w->mapToGlobal(QPointF(end)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, end);
}

namespace
{
void SendMouse(HWND wnd, CPoint pt, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QWidget* window = Peer(wnd);
    ASSERT_NE(window, nullptr);
    auto [w, p] = Landing(window, QPoint(pt.x, pt.y));
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
    Pump();
}
} // namespace

void MouseDownAt(HWND wnd, CPoint pt)
{
    SendMouse(wnd, pt, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
}
void MouseMoveTo(HWND wnd, CPoint pt, bool leftDown)
{
    SendMouse(wnd, pt, QEvent::MouseMove, Qt::NoButton, leftDown ? Qt::LeftButton : Qt::NoButton);
}
void MouseUpAt(HWND wnd, CPoint pt)
{
    SendMouse(wnd, pt, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

void Focus(HWND ctl)
{
    Activate(Peer(ctl));
    CWnd::FromHandle(ctl)->SetFocus();
    Pump();
}

void Type(const char* text)
{
    for (const char* p = text; p && *p; ++p)
    {
        QWidget* target = FocusTarget();
        if (!target)
            return;
        bool shifted = false;
        UINT vk = VirtualKeyFromChar(*p, &shifted);
        QString t = QString::fromStdString(CodePageToUtf8(std::string(1, *p), GetACP()));
        Qt::Key key = vk ? QtKeyFromVk(vk) : Qt::Key_unknown;
        if (*p == '\r' || *p == '\n')
            key = Qt::Key_Return, t = QStringLiteral("\r");
        QTest::sendKeyEvent(QTest::KeyAction::Click, target, key, t, shifted ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void TypeUnicode(const char* utf8)
{
    QString text = QString::fromUtf8(utf8);
    for (qsizetype i = 0; i < text.size();)
    {
        qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QWidget* target = FocusTarget();
        if (!target)
            return;
        QString t = text.mid(i, n);
        Qt::Key key = t[0].unicode() < 0x80 ? QtKeyFromVk(VirtualKeyFromChar(char(t[0].unicode()))) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::KeyAction::Click, target, key, t, Qt::NoModifier);
        i += n;
    }
    Pump();
}

void Compose(const char* utf8)
{
    QWidget* target = FocusTarget();
    if (!target)
        return;
    QInputMethodEvent composing(QString::fromUtf8(utf8), {});
    QApplication::sendEvent(target, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8(utf8));
    QApplication::sendEvent(target, &commit);
    Pump();
}

std::string RefusalShown()
{
    return pdt::win::LastRefusal().toStdString();
}

void ForgetRefusal() { pdt::win::ClearRefusal(); }

void ExpectShownMessageBox(std::string* text, std::string* caption)
{
    g_expectedBoxes.push_back(0);
    QTimer::singleShot(0, [text, caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->buttons().isEmpty())
            return;
        *text = box->text().toStdString();
        *caption = box->windowTitle().toStdString();
        box->buttons().front()->click();
    });
}

void Type(const CWnd& dlg, int id, const char* text)
{
    HWND h = Item(dlg, id);
    Focus(h);
    ::SendMessage(h, EM_SETSEL, 0, -1);
    ::SendMessage(h, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
    Type(text);
}

void Key(UINT vk, bool shift, bool ctrl, bool alt)
{
    QWidget* target = FocusTarget();
    ASSERT_NE(target, nullptr) << "no window has the focus";
    QTest::keyClick(target, QtKeyFromVk(vk), Mods(shift, ctrl, alt, vk));
}
void KeyDown(UINT vk)
{
    if (QWidget* target = FocusTarget())
        QTest::keyPress(target, QtKeyFromVk(vk), Mods(false, false, false, vk));
}
void KeyUp(UINT vk)
{
    if (QWidget* target = FocusTarget())
        QTest::keyRelease(target, QtKeyFromVk(vk), Mods(false, false, false, vk));
}

void ChooseComboItem(HWND combo, int index)
{
    // A simple combo box's list is always there: the item is clicked where it stands.
    QWidget* peer = Peer(combo);
    auto* list = peer && !qobject_cast<QComboBox*>(peer) ? peer->findChild<QListView*>() : nullptr;
    if (list)
    {
        ASSERT_TRUE(index >= 0 && index < list->model()->rowCount());
        QModelIndex item = list->model()->index(index, 0);
        list->scrollTo(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
        Pump();
        return;
    }
    auto* box = qobject_cast<QComboBox*>(Peer(combo));
    ASSERT_NE(box, nullptr) << "not a combo box";
    ASSERT_TRUE(index >= 0 && index < box->count());
    box->showPopup();
    QAbstractItemView* view = box->view();
    QRect r = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    Pump();
}

std::vector<CString> ItemTexts(HWND list)
{
    bool combo = GetWindowClassName(list).CompareNoCase("ComboBox") == 0;
    std::vector<CString> items;
    int count = int(::SendMessage(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        CString text;
        int length = int(::SendMessage(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, WPARAM(i), 0));
        ::SendMessage(list, combo ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(i), LPARAM(text.GetBuffer(length + 1)));
        text.ReleaseBuffer();
        items.push_back(text);
    }
    return items;
}

void ExpectModal(std::function<void(CDialog&)> handler)
{
    pdt::hooks::PushModalHandler([handler = std::move(handler)](CDialog& dlg) {
        Activate(Peer(dlg.m_hWnd));
        handler(dlg);
        if (IsWindow(dlg.m_hWnd) && dlg.IsWindowVisible())
        {
            ADD_FAILURE() << "dialog " << dlg.GetTemplateID() << " was still open after its handler";
            dlg.EndDialog(IDCANCEL);
        }
    });
}

void ExpectMessageBox(int answer) { g_expectedBoxes.push_back(answer); }

void ExpectPopupMenu(int chooseId) { g_expectedPopups.push_back(chooseId); }

std::vector<CString> KeysInRealPopups(const std::vector<UINT>& keys, const std::function<void()>& open)
{
    std::vector<CString> seen;
    size_t next = 0;
    int idle = 0;
    QTimer timer;
    timer.setInterval(20); // a window system may take a moment to show a popup
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup || !popup->isVisible())
            return;
        if (next == keys.size())
        {
            if (++idle > 10)
            {
                ADD_FAILURE() << "a popup is still up after the last key";
                while (QWidget* p = QApplication::activePopupWidget())
                    p->close();
            }
            return;
        }
        const QList<QAction*> actions = popup->actions();
        seen.push_back(actions.isEmpty() ? CString() : FromQt(actions.first()->text()));
        QTest::keyClick(popup, QtKeyFromVk(keys[next++]));
    });
    auto answers = std::exchange(g_popupHandler, nullptr);
    pdt::hooks::SetPopupMenuHandler({});
    timer.start();
    open();
    timer.stop();
    g_popupHandler = answers;
    pdt::hooks::SetPopupMenuHandler(g_popupHandler);
    EXPECT_EQ(next, keys.size()) << "the popups closed before every key was pressed";
    return seen;
}
const std::vector<pdt::hooks::PopupMenuRequest>& PopupMenus() { return g_seenPopups; }

std::vector<std::string> InToolkitWindows(const std::vector<std::function<void()>>& steps,
                                          const std::function<void()>& open)
{
    std::vector<std::string> seen;
    size_t next = 0;
    int idle = 0;
    bool busy = false;
    QTimer timer;
    timer.setInterval(20); // a window system may take a moment to show and focus a window
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* front = QApplication::activeModalWidget();
        if (busy || !front || !front->isVisible() || pdt::win::OwnWindowOf(front))
            return;
        if (next == steps.size())
        {
            if (++idle > 25)
            {
                ADD_FAILURE() << "\"" << front->windowTitle().toStdString() << "\" is still up after the last step";
                front->close();
                if (auto* d = qobject_cast<QDialog*>(front))
                    d->reject();
            }
            return;
        }
        Activate(front);
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != front)
            return; // not focused yet
        seen.push_back(front->windowTitle().toStdString());
        busy = true; // a step may run a loop of its own
        steps[next++]();
        busy = false;
    });
    pdt::hooks::SetMessageBoxHandler({});
    timer.start();
    open();
    timer.stop();
    pdt::hooks::SetMessageBoxHandler(AnswerExpectedBox);
    EXPECT_EQ(next, steps.size()) << "the toolkit's windows closed before every step ran";
    return seen;
}

std::string MessageBoxTextInFront()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box ? box->text().toStdString() : std::string();
}

COLORREF PixelAt(HWND wnd, CPoint pt)
{
    if (!IsWindow(wnd))
    {
        ADD_FAILURE() << "PixelAt: no such window";
        return CLR_INVALID;
    }
    CWnd::FromHandle(wnd)->UpdateWindow(); // pending paints first
    CClientDC dc(CWnd::FromHandle(wnd));
    return dc.GetPixel(pt);
}

COLORREF ShownPixelAt(HWND wnd, CPoint pt)
{
    QWidget* w = Peer(wnd);
    if (!w)
    {
        ADD_FAILURE() << "ShownPixelAt: no such window";
        return CLR_INVALID;
    }
    // What the window system was last given, not a fresh rendering: drawing that never asked the peer to repaint
    // does not show here.
    Pump();
    if (!w->rect().contains(pt.x, pt.y))
        return CLR_INVALID;
    QWidget* top = w->window();
    QPoint at = w->mapTo(top, QPoint(pt.x, pt.y));
    QScreen* screen = top->screen();
    QImage shown = screen ? screen->grabWindow(top->winId(), at.x(), at.y(), 1, 1).toImage() : QImage();
    if (shown.isNull())
        return CLR_INVALID;
    QRgb c = shown.pixel(0, 0);
    return RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c)));
}
const std::vector<SeenMessageBox>& MessageBoxes() { return g_seenBoxes; }
int Beeps() { return pdt::hooks::BeepCount() - g_beepBase; }

void Pump()
{
    for (int i = 0; i < 3; ++i)
        pdt::hooks::ProcessEvents();
}

std::string ToolTipShown(int waitMs, const std::string& other)
{
    QTest::qWaitFor([&] { return QToolTip::isVisible() && QToolTip::text().toStdString() != other; }, waitMs);
    return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

bool SavePng(HWND wnd, const std::string& path) { return pdt::hooks::SaveWindowImage(wnd, path.c_str()); }

std::string OutputPath(const std::string& name)
{
    QDir dir(QDir::current().absoluteFilePath(QStringLiteral("test-images")));
    dir.mkpath(QStringLiteral("."));
    return dir.absoluteFilePath(QString::fromStdString(name)).toStdString();
}

std::string TempDir()
{
    if (g_tempDir.empty())
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "pdttestXXXXXX").string();
        EXPECT_NE(mkdtemp(tmpl.data()), nullptr) << "cannot make a temporary folder";
        g_tempDir = tmpl;
    }
    return g_tempDir;
}

int RecordingDialog::Count(int id, int code) const
{
    int n = 0;
    for (const Notification& note : notes)
        n += note.id == id && note.code == code;
    return n;
}

std::vector<int> RecordingDialog::Codes(int id) const
{
    std::vector<int> codes;
    for (const Notification& note : notes)
        if (note.id == id)
            codes.push_back(note.code);
    return codes;
}

BOOL RecordingDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    notes.push_back({LOWORD(wParam), int(HIWORD(wParam))});
    return CDialog::OnCommand(wParam, lParam);
}

void RecordingDialog::OnOK()
{
    ++oks;
    if (closes)
        CDialog::OnOK();
}

void RecordingDialog::OnCancel()
{
    ++cancels;
    if (closes)
        CDialog::OnCancel();
}

bool CreatePlainWindow(CWnd& wnd, const char* className, const CRect& r, DWORD style, HANDLE background)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = className;
    wc.hbrBackground = background;
    AfxRegisterClass(&wc);
    if (!wnd.CreateEx(0, className, className, style, r, nullptr, 0))
        return false;
    if (style & WS_VISIBLE)
    {
        wnd.ShowWindow(SW_SHOW);
        // What a test does next assumes the window is on the screen and painted once, as a person would see it;
        // a window system that maps windows by request and answer (an X server) takes a moment for that.
        if (QWidget* peer = Peer(wnd.m_hWnd); peer && !QTest::qWaitForWindowExposed(peer))
            return false; // a test on a window nobody can see would fail later, and less clearly
    }
    Pump();
    return true;
}

HGLOBAL GlobalText(const std::string& s)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1);
    std::memcpy(GlobalLock(h), s.c_str(), s.size() + 1);
    GlobalUnlock(h);
    return h;
}

std::string GlobalString(HANDLE h)
{
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string s = p ? std::string(p) : std::string("<null>");
    GlobalUnlock(h);
    return s;
}

void SetClipboardText(const char* text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (text)
        ::SetClipboardData(CF_TEXT, GlobalText(text));
    ::CloseClipboard();
}

std::string ClipboardText()
{
    if (!::OpenClipboard(nullptr))
        return "<not opened>";
    HANDLE mem = ::GetClipboardData(CF_TEXT);
    std::string text = mem ? GlobalString(mem) : "<no text>";
    ::CloseClipboard();
    return text;
}

} // namespace pdt::test

namespace
{

// Real windows need an X server. Without a display, or when asked for one of its own (so that test programs
// running side by side never take each other's focus), the program starts an Xvfb that lives as long as it does.
class PrivateXServer
{
  public:
    PrivateXServer()
    {
        if (qgetenv("QT_QPA_PLATFORM") != "xcb")
            return;
        if (qEnvironmentVariableIsSet("DISPLAY") && qgetenv("PDTDLG_TEST_XSERVER") != "private")
            return;
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0)
        {
            prctl(PR_SET_PDEATHSIG, SIGTERM); // an aborted test takes its server along
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            freopen("/dev/null", "w", stderr);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c;
        while (m_pid > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
        {
            std::fprintf(stderr, "pdttest: Xvfb did not start\n");
            std::exit(1);
        }
        qputenv("DISPLAY", QByteArray(":") + number.c_str());
    }
    ~PrivateXServer()
    {
        if (m_pid > 0)
        {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

  private:
    pid_t m_pid = -1;
};

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrivateXServer xserver; // outlives the application below
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pdtdlg"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new Cleanup);
    pdt::hooks::SetMessageBoxHandler(AnswerExpectedBox);
    g_popupHandler = [](const pdt::hooks::PopupMenuRequest& r) {
        g_seenPopups.push_back(r);
        if (g_expectedPopups.empty())
        {
            ADD_FAILURE() << "unexpected popup menu";
            return 0;
        }
        int answer = g_expectedPopups.front();
        g_expectedPopups.pop_front();
        return answer;
    };
    pdt::hooks::SetPopupMenuHandler(g_popupHandler);
    pdt::hooks::SetFallbackModalHandler([](CDialog& dlg) {
        ADD_FAILURE() << "unexpected modal dialog " << dlg.GetTemplateID();
        dlg.EndDialog(IDCANCEL);
    });
    int rc = RUN_ALL_TESTS();
    pdt::hooks::ProcessEvents();
    return rc;
}

namespace pdt::test
{

bool HostWnd::Open() { return CreatePlainWindow(*this, "PdtControlTestHost", CRect(100, 100, 560, 460)); }

HWND HostWnd::Make(const char* className, DWORD style, const CRect& r, int id, CWnd* wrapper, DWORD exStyle)
{
    HWND h = pdt::win::CreateWindowRecord(className, "", style | WS_CHILD | WS_VISIBLE, exStyle,
                                          QRect(r.left, r.top, r.Width(), r.Height()), m_hWnd, id, wrapper);
    Pump();
    return h;
}

std::vector<int> HostWnd::Codes(UINT message) const
{
    std::vector<int> codes;
    for (const Heard& h : heard)
        if (h.message == message)
            codes.push_back(h.code);
    return codes;
}

std::vector<Heard> HostWnd::Of(int code) const
{
    std::vector<Heard> out;
    for (const Heard& h : heard)
        if (h.code == code && (h.message == WM_COMMAND || h.message == WM_NOTIFY))
            out.push_back(h);
    return out;
}

int HostWnd::IndexOf(int code) const
{
    for (size_t i = 0; i < heard.size(); ++i)
        if (heard[i].code == code && (heard[i].message == WM_COMMAND || heard[i].message == WM_NOTIFY))
            return int(i);
    return -1;
}

BOOL HostWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    Heard h;
    h.message = WM_COMMAND;
    h.id = LOWORD(wParam);
    h.code = HIWORD(wParam);
    h.from = reinterpret_cast<HWND>(lParam);
    Record(h);
    return CWnd::OnCommand(wParam, lParam);
}

BOOL HostWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
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

void HostWnd::Record(const Heard& h)
{
    heard.push_back(h);
    if (onHeard)
        onHeard(h);
}

void HostWnd::OnScroll(UINT message, UINT code, UINT pos, CScrollBar* bar)
{
    Heard h;
    h.message = message;
    h.code = int(code);
    h.pos = int(pos);
    h.from = bar ? bar->m_hWnd : nullptr;
    h.id = bar ? bar->GetDlgCtrlID() : 0;
    Record(h);
}

void HostWnd::OnContextMenu(CWnd* wnd, CPoint)
{
    Heard h;
    h.message = WM_CONTEXTMENU;
    h.from = wnd ? wnd->m_hWnd : nullptr;
    Record(h);
}

const MessageMap& HostWnd::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(), {
                                                                mm::Scroll(WM_HSCROLL, &HostWnd::OnHScroll),
                                                                mm::Scroll(WM_VSCROLL, &HostWnd::OnVScroll),
                                                                mm::ContextMenu(&HostWnd::OnContextMenu),
                                                            });
    return map;
}

QAbstractItemView* ViewOf(HWND h) { return qobject_cast<QAbstractItemView*>(Peer(h)); }

CRect ScrollBarPart(HWND bar, int subControl)
{
    auto* w = qobject_cast<QScrollBar*>(Peer(bar));
    if (!w)
        return CRect();
    QStyleOptionSlider opt;
    opt.initFrom(w);
    opt.subControls = QStyle::SC_All;
    opt.orientation = w->orientation();
    opt.minimum = w->minimum();
    opt.maximum = w->maximum();
    opt.sliderPosition = w->sliderPosition();
    opt.sliderValue = w->value();
    opt.singleStep = w->singleStep();
    opt.pageStep = w->pageStep();
    opt.upsideDown = false;
    if (w->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    QRect r = w->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SubControl(subControl), w);
    return CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

CPoint RowCenter(HWND h, int row, int column)
{
    QAbstractItemView* view = ViewOf(h);
    QRect r = view->visualRect(view->model()->index(row, column));
    QPoint c = view->viewport()->mapTo(Peer(h), r.center());
    return CPoint(c.x(), c.y());
}

bool PaintWnd::Open(int x, int y, int width, int height)
{
    return CreatePlainWindow(*this, "PdtPaintTestWnd", CRect(x, y, x + width, y + height), WS_POPUP | WS_VISIBLE,
                             GetStockObject(WHITE_BRUSH));
}

BOOL PaintWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    commands.push_back(LOWORD(wParam));
    return CWnd::OnCommand(wParam, lParam);
}

void PaintWnd::OnPaint()
{
    CPaintDC dc(this);
    painted.push_back(dc.m_ps.rcPaint);
    if (onPaint)
        onPaint(dc);
}

LRESULT PaintWnd::OnInitMenuPopup(WPARAM wParam, LPARAM)
{
    if (onInitMenuPopup)
        onInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
    return 0;
}

LRESULT PaintWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    if (menuSelects.empty() || menuSelects.back() != std::make_pair(wParam, lParam))
        menuSelects.emplace_back(wParam, lParam);
    return 0;
}

const MessageMap& PaintWnd::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(),
                                {
                                    mm::Paint(&PaintWnd::OnPaint),
                                    mm::Message(WM_INITMENUPOPUP, &PaintWnd::OnInitMenuPopup),
                                    mm::Message(WM_MENUSELECT, &PaintWnd::OnMenuSelect),
                                });
    return map;
}

} // namespace pdt::test
