// Message boxes, the beep, the string table, and the seams the test support uses.
#include "platform/window_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "platform/afxhooks.h"
#include "platform/afxres.h"

namespace
{
pdt::hooks::MessageBoxHandler g_messageBoxHandler;
int g_beeps = 0;

int g_quiet = 0; // CQuietMessageBoxes alive

// The answer of a box's default button.
int DefaultAnswer(UINT type)
{
    std::vector<int> ids;
    switch (type & MB_TYPEMASK)
    {
    case MB_OKCANCEL: ids = {IDOK, IDCANCEL}; break;
    case MB_ABORTRETRYIGNORE: ids = {IDABORT, IDRETRY, IDIGNORE}; break;
    case MB_YESNOCANCEL: ids = {IDYES, IDNO, IDCANCEL}; break;
    case MB_YESNO: ids = {IDYES, IDNO}; break;
    case MB_RETRYCANCEL: ids = {IDRETRY, IDCANCEL}; break;
    default: ids = {IDOK}; break;
    }
    return ids[std::min<size_t>((type & MB_DEFMASK) >> 8, ids.size() - 1)];
}

// The toolkit's box takes Enter (the default button), Space (the focused one) and a button's letter, with or
// without Alt, as Win32's does. Escape and the close box answer only where Win32's would: a box with Cancel, or
// with OK alone; a Yes/No or Abort/Retry/Ignore box must be answered with a button.
class Win32MessageBox : public QMessageBox
{
  public:
    using QMessageBox::QMessageBox;
    bool escapes = true;

  protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!escapes && e->matches(QKeySequence::Cancel))
            return e->accept();
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        if (!escapes && e->spontaneous())
            return e->ignore();
        QMessageBox::closeEvent(e);
    }
};

int ShowMessageBox(HWND owner, const CString& text, const CString& caption, UINT type)
{
    if (g_quiet > 0)
        return DefaultAnswer(type);
    if (g_messageBoxHandler)
        if (int answer = g_messageBoxHandler({owner, text, caption, type}))
            return answer; // 0: the handler lets the box show

    QWidget* parent = pdt::win::PeerWindow(owner);
    if (!parent)
        parent = QApplication::activeWindow();
    Win32MessageBox box(parent);
    box.setWindowTitle(ToQt(caption));
    box.setText(ToQt(text));
    switch (type & MB_ICONMASK)
    {
    case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice
    {
        int id;
        const char* label;
        QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (type & MB_TYPEMASK)
    {
    case MB_OKCANCEL: choices = {{IDOK, "OK", QMessageBox::AcceptRole}, {IDCANCEL, "Cancel", QMessageBox::RejectRole}}; break;
    case MB_ABORTRETRYIGNORE:
        choices = {{IDABORT, "&Abort", QMessageBox::RejectRole}, {IDRETRY, "&Retry", QMessageBox::AcceptRole},
                   {IDIGNORE, "&Ignore", QMessageBox::AcceptRole}};
        break;
    case MB_YESNOCANCEL:
        choices = {{IDYES, "&Yes", QMessageBox::YesRole}, {IDNO, "&No", QMessageBox::NoRole},
                   {IDCANCEL, "Cancel", QMessageBox::RejectRole}};
        break;
    case MB_YESNO: choices = {{IDYES, "&Yes", QMessageBox::YesRole}, {IDNO, "&No", QMessageBox::NoRole}}; break;
    case MB_RETRYCANCEL: choices = {{IDRETRY, "&Retry", QMessageBox::AcceptRole}, {IDCANCEL, "Cancel", QMessageBox::RejectRole}}; break;
    default: choices = {{IDOK, "OK", QMessageBox::AcceptRole}}; break;
    }
    std::vector<QAbstractButton*> buttons;
    for (const Choice& c : choices)
        buttons.push_back(box.addButton(QString::fromLatin1(c.label), c.role));
    size_t def = std::min<size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
    box.setDefaultButton(static_cast<QPushButton*>(buttons[def]));
    // Escape answers Cancel where there is one, else the only button (OK).
    box.escapes = false;
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i].id == IDCANCEL || choices.size() == 1)
        {
            box.setEscapeButton(buttons[i]);
            box.escapes = true;
        }
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return choices[i].id;
    return int((type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL);
}
} // namespace

CQuietMessageBoxes::CQuietMessageBoxes() { ++g_quiet; }
CQuietMessageBoxes::~CQuietMessageBoxes() { --g_quiet; }

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    // MFC's CWnd::MessageBox titles the box with the application's name when no caption is given.
    return ShowMessageBox(m_hWnd, text, caption ? CString(caption) : AfxGetAppName(), type);
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT)
{
    // As the framework does: a message without an icon gets the one that fits its buttons.
    if ((type & MB_ICONMASK) == 0)
    {
        switch (type & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL: type |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: type |= MB_ICONQUESTION; break;
        case MB_ABORTRETRYIGNORE:
        case MB_RETRYCANCEL: break;
        default: break;
        }
    }
    CWnd* main = AfxGetMainWnd();
    HWND owner = ::GetFocus();
    if (IsWindow(owner))
        owner = CWnd::FromHandle(owner)->GetTopLevelParent()->m_hWnd;
    else if (main)
        owner = main->m_hWnd;
    return ShowMessageBox(owner, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT idPrompt, UINT type, UINT helpId)
{
    CString text;
    if (!AfxLoadString(idPrompt, text))
        text.Format("Message %u", idPrompt);
    return AfxMessageBox(text, type, helpId);
}

BOOL AfxLoadString(UINT id, CString& text)
{
    const std::string* s = pdt::FindStringResource(int(id));
    if (!s)
    {
        text.Empty();
        return FALSE;
    }
    text = CString(*s);
    return TRUE;
}

BOOL MessageBeep(UINT)
{
    ++g_beeps;
    QApplication::beep();
    return TRUE;
}

void AfxThrowUserException() { throw CUserException(); }
void AfxThrowResourceException() { throw CResourceException(); }

namespace pdt::hooks
{
void SetMessageBoxHandler(MessageBoxHandler handler) { g_messageBoxHandler = std::move(handler); }
int BeepCount() { return g_beeps; }
void ResetBeepCount() { g_beeps = 0; }

bool SaveWindowImage(HWND h, const char* path)
{
    QWidget* w = pdt::win::Peer(h); // asked for pixels
    if (!w)
        return false;
    if (!w->isVisible())
        w->ensurePolished();
    QPixmap pm = w->grab();
    return !pm.isNull() && pm.save(QString::fromUtf8(path), "PNG");
}

void ProcessEvents()
{
    // A window system that answers by events (an X server exposes a window it has just mapped, confirms focus
    // and sizes) is waited for first, so that what a person would already see on the screen has happened.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::sync();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace pdt::hooks
