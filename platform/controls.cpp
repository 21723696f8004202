// Buttons, edit boxes, static texts and combo boxes: Qt peers with Win32's messages and notifications.
#include "platform/window_p.h"
#include "platform/gdi_p.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPaintEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QValidator>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/wordsort_p.h"

std::unique_ptr<WindowImpl> MakeCommonControlImpl(HWND h, const CString& lowerClass);

namespace
{

const char* TextOf(LPARAM lParam) { return lParam ? reinterpret_cast<const char*>(lParam) : ""; }

LRESULT CopyText(const CString& text, WPARAM size, LPARAM buffer)
{
    if (!buffer)
        return -1;
    std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), size_t(text.GetLength()) + 1);
    (void)size;
    return text.GetLength();
}

// Win32's '&' mnemonic marker, shown without the marker.
QString WithoutMnemonics(const CString& text)
{
    std::string out;
    const std::string& s = text.str();
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (s[i] == '&')
        {
            if (i + 1 < s.size() && s[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += s[i];
    }
    return ToQt(CString(out));
}

// ---------------------------------------------------------------------------------------------------------------
// Buttons.

// Check boxes and radio buttons whose click changes nothing by itself (BS_CHECKBOX, BS_RADIOBUTTON),
// and automatic radio buttons that clear the rest of their group.
template <class Base> class ManualButton : public Base
{
  public:
    ManualButton(HWND h, bool automatic, QWidget* parent) : Base(parent), m_h(h), m_auto(automatic) {}

  protected:
    // A Win32 button answers a click anywhere in its window, not only on its box and text.
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
    void nextCheckState() override
    {
        if (!m_auto)
            return;
        if constexpr (std::is_same_v<Base, QRadioButton>)
        {
            for (HWND s : m_h->parent ? m_h->parent->children : std::vector<HWND>{})
                if (s != m_h && s->className.CompareNoCase("Button") == 0 &&
                    (s->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && InSameGroup(s))
                    ::SendMessage(s, BM_SETCHECK, BST_UNCHECKED);
            ::SendMessage(m_h, BM_SETCHECK, BST_CHECKED); // moves the group's tab stop here too
        }
        else
            Base::nextCheckState();
    }

  private:
    bool InSameGroup(HWND other) const
    {
        auto& sib = m_h->parent->children;
        auto a = std::find(sib.begin(), sib.end(), m_h), b = std::find(sib.begin(), sib.end(), other);
        if (a == sib.end() || b == sib.end())
            return false;
        auto lo = std::min(a, b), hi = std::max(a, b);
        for (auto it = lo + 1; it <= hi; ++it)
            if ((*it)->style & WS_GROUP)
                return false;
        return true;
    }
    HWND m_h;
    bool m_auto;
};

class ButtonImpl : public WindowImpl
{
  public:
    explicit ButtonImpl(HWND h) : WindowImpl(h), m_type(h->style & BS_TYPEMASK) {}

    bool Lazy() const override { return true; }
    bool NeedsPeer(UINT message) const override
    {
        switch (message)
        {
        case BM_GETCHECK:
        case BM_SETCHECK:
        case BM_GETSTATE:
        case BM_SETSTYLE:
            return false;
        default:
            return WindowImpl::NeedsPeer(message);
        }
    }

    QWidget* CreatePeer(QWidget* parent, const CString& text) override
    {
        m_text = text;
        DWORD type = m_type; // the kind of button it was created as, whatever BM_SETSTYLE said since
        QString label = ToQt(text);
        switch (type)
        {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: {
            if (m_h->style & BS_PUSHLIKE) // a button that stays pressed while checked
            {
                auto* p = new ManualButton<QPushButton>(m_h, type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE, parent);
                p->setCheckable(true);
                p->setAutoDefault(false);
                p->setText(label);
                m_button = p;
                break;
            }
            auto* b = new ManualButton<QCheckBox>(m_h, type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE, parent);
            b->setText(label);
            b->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
            m_button = b;
            break;
        }
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: {
            auto* b = new ManualButton<QRadioButton>(m_h, type == BS_AUTORADIOBUTTON, parent);
            b->setAutoExclusive(false);
            b->setText(label);
            m_button = b;
            break;
        }
        case BS_GROUPBOX: {
            auto* g = new QGroupBox(WithoutMnemonics(text), parent); // no toolkit shortcut
            g->setFocusPolicy(Qt::NoFocus);
            g->setAttribute(Qt::WA_TransparentForMouseEvents);
            return g;
        }
        default: {
            auto* b = new QPushButton(label, parent);
            b->setAutoDefault(false);
            b->setDefault((m_h->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
            m_button = b;
            break;
        }
        }
        if (m_check != BST_UNCHECKED)
            SetCheck(m_check);
        m_button->setFocusPolicy(Qt::StrongFocus);
        m_button->setShortcut(QKeySequence()); // the dialog handles mnemonics, not the toolkit
        QObject::connect(m_button, &QAbstractButton::clicked, [this] { Notify(BN_CLICKED); });
        return m_button;
    }

    CString GetText() const override { return m_text; }
    void SetText(const CString& text) override
    {
        m_text = text;
        if (auto* g = qobject_cast<QGroupBox*>(m_h->peer.data()))
            g->setTitle(WithoutMnemonics(text));
        else if (m_button)
        {
            m_button->setText(ToQt(text));
            m_button->setShortcut(QKeySequence());
        }
    }

    UINT DlgCode(const MSG*) const override
    {
        switch (m_h->style & BS_TYPEMASK)
        {
        case BS_PUSHBUTTON:
        case BS_OWNERDRAW:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
        }
    }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case BM_GETCHECK:
            if (!m_h->peer)
                return m_check;
            if (auto* c = qobject_cast<QCheckBox*>(m_button))
                return c->checkState() == Qt::Checked ? BST_CHECKED
                       : c->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                                                                 : BST_UNCHECKED;
            return m_button && m_button->isCheckable() && m_button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            if (IsCheckBox())
            {
                // A state beyond what the box can show is its highest: checked for a two-state box.
                bool tristate = m_type == BS_3STATE || m_type == BS_AUTO3STATE;
                m_check = LRESULT(std::min<WPARAM>(wParam, tristate ? BST_INDETERMINATE : BST_CHECKED));
                SetCheck(m_check);
            }
            else if (IsRadio())
            {
                m_check = wParam != BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
                SetCheck(m_check);
                // The checked radio button is its group's tab stop, so Tab enters the group there.
                if (wParam != BST_UNCHECKED)
                    m_h->style |= WS_TABSTOP;
                else
                    m_h->style &= ~WS_TABSTOP;
            }
            return 0;
        case BM_GETSTATE: {
            LRESULT state = Proc(BM_GETCHECK, 0, 0);
            if (m_button && m_button->isDown())
                state |= BST_PUSHED;
            if (m_button && m_button->hasFocus())
                state |= BST_FOCUS;
            return state;
        }
        case BM_SETSTATE:
            if (m_button)
                m_button->setDown(wParam != 0);
            return 0;
        case BM_SETSTYLE: {
            DWORD type = DWORD(wParam) & BS_TYPEMASK;
            m_h->style = (m_h->style & ~0xFFFFu) | (DWORD(wParam) & 0xFFFF);
            if (auto* p = qobject_cast<QPushButton*>(m_button))
                p->setDefault(type == BS_DEFPUSHBUTTON);
            return 0;
        }
        case BM_CLICK:
            // Win32 presses the mouse on the button, which takes the focus as a click does.
            if (m_button && m_button->isEnabled())
            {
                if (m_button->focusPolicy() != Qt::NoFocus)
                    CWnd::FromHandle(m_h)->SetFocus();
                m_button->click();
            }
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (m_h->style & BS_NOTIFY)
                Notify(message == WM_SETFOCUS ? BN_SETFOCUS : BN_KILLFOCUS);
            return 0;
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

  private:
    bool IsCheckBox() const
    {
        return m_type == BS_CHECKBOX || m_type == BS_AUTOCHECKBOX || m_type == BS_3STATE || m_type == BS_AUTO3STATE;
    }
    bool IsRadio() const { return m_type == BS_RADIOBUTTON || m_type == BS_AUTORADIOBUTTON; }
    void SetCheck(LRESULT state)
    {
        if (auto* c = qobject_cast<QCheckBox*>(m_button))
            c->setCheckState(state == BST_CHECKED ? Qt::Checked
                             : state == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                          : Qt::Unchecked);
        else if (m_button && m_button->isCheckable())
            m_button->setChecked(state != BST_UNCHECKED);
    }

    DWORD m_type;
    QAbstractButton* m_button = nullptr;
    LRESULT m_check = BST_UNCHECKED; // kept while there is no peer; the peer's state after
};

// ---------------------------------------------------------------------------------------------------------------
// Edit boxes.

// What a person types into an edit field: ES_UPPERCASE, ES_LOWERCASE and ES_NUMBER act on it, as the Win32 edit
// does, and what the ANSI code page cannot hold is refused there, never kept as '?'.
class EditValidator : public QValidator
{
  public:
    EditValidator(HWND h, DWORD style, QLineEdit* edit)
        : QValidator(edit), m_h(h), m_style(style), m_accepted(edit->text())
    {
    }
    State validate(QString& input, int&) const override
    {
        if (m_style & ES_UPPERCASE)
            input = input.toUpper();
        else if (m_style & ES_LOWERCASE)
            input = input.toLower();
        if (m_style & ES_NUMBER)
            for (QChar c : input)
                if (!c.isDigit())
                    return Invalid;
        // Text the platform sets came from bytes: it fits by nature. A typed change is what differs from the
        // text last accepted.
        if (!IsWindow(m_h) || m_h->quiet > 0 || m_programmatic > 0)
        {
            m_accepted = input;
            return Acceptable;
        }
        qsizetype head = 0, tail = 0;
        while (head < input.size() && head < m_accepted.size() && input[head] == m_accepted[head])
            ++head;
        while (tail < input.size() - head && tail < m_accepted.size() - head &&
               input[input.size() - 1 - tail] == m_accepted[m_accepted.size() - 1 - tail])
            ++tail;
        QString added = input.mid(head, input.size() - head - tail);
        added.remove(QChar::ReplacementCharacter); // stands for bytes kept as given, as undo may bring back
        if (!added.isEmpty() && !pdt::win::CanHold(added))
        {
            pdt::win::RefuseText(m_h, added);
            return Invalid;
        }
        m_accepted = input;
        return Acceptable;
    }
    mutable int m_programmatic = 0; // >0 while the platform itself inserts text

  private:
    HWND m_h;
    DWORD m_style;
    mutable QString m_accepted;
};

// A multi-line edit refuses what the ANSI code page cannot hold, typed, composed or pasted.
class PlainEdit : public QPlainTextEdit
{
  public:
    PlainEdit(HWND h, QWidget* parent) : QPlainTextEdit(parent), m_h(h) {}

  protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (Refused(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier) ? QString() : e->text()))
            return e->accept();
        QPlainTextEdit::keyPressEvent(e);
    }
    void inputMethodEvent(QInputMethodEvent* e) override
    {
        if (Refused(e->commitString()))
        {
            QInputMethodEvent none; // drops the composition as well
            QPlainTextEdit::inputMethodEvent(&none);
            return e->accept();
        }
        QPlainTextEdit::inputMethodEvent(e);
    }
    void insertFromMimeData(const QMimeData* source) override
    {
        if (source && source->hasText() && Refused(source->text()))
            return;
        QPlainTextEdit::insertFromMimeData(source);
    }

  private:
    bool Refused(const QString& text) const
    {
        if (text.isEmpty() || text[0].unicode() < 0x20 || pdt::win::CanHold(text))
            return false;
        pdt::win::RefuseText(m_h, text);
        return true;
    }
    HWND m_h;
};

class EditImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;

    bool Lazy() const override { return true; }
    bool NeedsPeer(UINT message) const override
    {
        switch (message)
        {
        case EM_LIMITTEXT:
        case EM_GETLIMITTEXT:
        case EM_SETREADONLY:
        case EM_SETTABSTOPS:
            return false;
        default:
            return WindowImpl::NeedsPeer(message);
        }
    }

    QWidget* CreatePeer(QWidget* parent, const CString& text) override
    {
        // A multi-line edit takes its tab stops and its font before its text: each of them lays the whole text out
        // again once it is there.
        bool textLast = (m_h->style & ES_MULTILINE) && !text.IsEmpty();
        QWidget* w = MakeWidget(parent, textLast ? CString() : text);
        if (m_tabStops > 0)
            SetTabStops(m_tabStops);
        if (textLast)
        {
            if (auto* font = pdt::gdi::LookupAs<FontRecord>(m_h->font, GdiKind::Font))
                w->setFont(pdt::gdi::Realise(font));
            m_kept.Set(text, true);
            m_multi->setPlainText(m_kept.Shown());
        }
        if (m_textSet && m_line)
            SetSel(0, 0);
        return w;
    }

    // Win32 draws a read-only edit on the dialog's face, as it draws a static, so that nobody takes it for a field
    // to type into.
    template <class Widget>
    static void ShowReadOnly(Widget* w, bool readOnly)
    {
        w->setReadOnly(readOnly);
        if (!readOnly && !w->testAttribute(Qt::WA_SetPalette))
            return; // the toolkit's own look is the editable one
        QPalette p = w->palette();
        p.setColor(QPalette::Base, QApplication::palette().color(readOnly ? QPalette::Window : QPalette::Base));
        w->setPalette(p);
    }

    QWidget* MakeWidget(QWidget* parent, const CString& text)
    {
        DWORD s = m_h->style;
        bool border = (s & WS_BORDER) || (m_h->exStyle & WS_EX_CLIENTEDGE);
        if (s & ES_MULTILINE)
        {
            m_multi = new PlainEdit(m_h, parent);
            ShowReadOnly(m_multi, s & ES_READONLY);
            m_multi->setLineWrapMode((s & ES_AUTOHSCROLL) || (s & WS_HSCROLL) ? QPlainTextEdit::NoWrap
                                                                              : QPlainTextEdit::WidgetWidth);
            m_multi->setVerticalScrollBarPolicy((s & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            m_multi->setHorizontalScrollBarPolicy((s & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            m_multi->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
            m_multi->setTabChangesFocus(false);
            m_kept.Set(text, true);
            if (!text.IsEmpty()) // setting even an empty text costs a document relayout
                m_multi->setPlainText(m_kept.Shown());
            QObject::connect(m_multi, &QPlainTextEdit::textChanged, [this] { Changed(); });
            return m_multi;
        }
        m_line = new QLineEdit(parent);
        m_line->setFrame(border);
        ShowReadOnly(m_line, s & ES_READONLY);
        // The limit is kept here, not by the toolkit, which would also cut text set by code.
        m_line->setMaxLength(std::numeric_limits<int>::max());
        if (s & ES_PASSWORD)
            m_line->setEchoMode(QLineEdit::Password);
        m_line->setAlignment((s & ES_RIGHT) ? Qt::AlignRight : (s & ES_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft);
        m_kept.Set(text, false);
        if (!text.IsEmpty())
            m_line->setText(m_kept.Shown());
        m_validator = new EditValidator(m_h, s, m_line);
        m_line->setValidator(m_validator);
        QObject::connect(m_line, &QLineEdit::textChanged, [this] { Changed(); });
        return m_line;
    }

    CString GetText() const override
    {
        if (m_multi)
            return m_kept.Read(RawText());
        return m_line ? m_kept.Read(m_line->text()) : m_text;
    }

    void SetText(const CString& text) override
    {
        // Text the peer would give back unchanged waits for it in the record; other text needs the peer's rules.
        if (!m_h->peer && !KeepsAsIs(text))
            pdt::win::Peer(m_h);
        if (!m_h->peer)
        {
            m_text = text;
            m_textSet = true; // the peer starts with the caret at the start, as after WM_SETTEXT
        }
        {
            Quiet quiet(m_h);
            m_kept.Set(text, Multi());
            if (m_multi)
                m_multi->setPlainText(m_kept.Shown());
            else if (m_line)
                m_line->setText(m_kept.Shown());
            SetSel(0, 0);
        }
        // A single-line edit reports a change for every WM_SETTEXT, even to the same text; a multi-line one
        // reports none.
        if (!Multi())
        {
            Notify(EN_UPDATE);
            Notify(EN_CHANGE);
        }
    }

    UINT DlgCode(const MSG* msg) const override
    {
        UINT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (Multi() && msg && msg->wParam == VK_RETURN && (m_h->style & ES_WANTRETURN))
            code |= DLGC_WANTALLKEYS;
        return code;
    }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case EM_SETSEL:
            SetSel(int(wParam), int(lParam));
            return 0;
        case EM_GETSEL: {
            auto [start, end] = GetSel();
            if (wParam)
                *reinterpret_cast<DWORD*>(wParam) = DWORD(start);
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = DWORD(end);
            return MAKELONG(WORD(start), WORD(end));
        }
        case EM_REPLACESEL: {
            QString t = ToQt(TextOf(lParam));
            if (m_line)
            {
                ++m_validator->m_programmatic;
                m_line->insert(t);
                --m_validator->m_programmatic;
            }
            else if (m_multi)
                m_multi->insertPlainText(t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            return 0;
        }
        case EM_LIMITTEXT: {
            // 0 lifts the limit: to the most a multi-line edit can hold, or a single-line one's own ceiling.
            DWORD limit = wParam == 0 || wParam > 0xFFFFFFFF ? 0xFFFFFFFF : DWORD(wParam);
            m_limit = Multi() ? limit : std::min<DWORD>(limit, 0x7FFFFFFE);
            return 0;
        }
        case EM_GETLIMITTEXT:
            return m_limit;
        case WM_CHAR: {
            // The limit binds what is typed only; text set by code may be longer.
            bool inserts = (wParam >= 0x20 && wParam != 0x7F) || (m_multi && (wParam == '\r' || wParam == '\t'));
            bool readOnly = m_h->style & ES_READONLY;
            if (inserts && !readOnly)
            {
                auto [start, end] = GetSel();
                int add = wParam == '\r' ? 2 : 1;
                if (std::int64_t(GetText().GetLength()) - (end - start) + add > std::int64_t(m_limit))
                {
                    Notify(EN_MAXTEXT);
                    return 0;
                }
            }
            if (wParam == '\t' && m_multi)
            {
                pdt::win::SetPassToToolkit(); // only a multi-line edit types a tab
                return 0;
            }
            return WindowImpl::Proc(message, wParam, lParam);
        }
        case EM_SETREADONLY:
            if (wParam)
                m_h->style |= ES_READONLY;
            else
                m_h->style &= ~ES_READONLY;
            if (m_line)
                ShowReadOnly(m_line, wParam != 0);
            if (m_multi)
                ShowReadOnly(m_multi, wParam != 0);
            return TRUE;
        case EM_SETTABSTOPS:
            if (!Multi())
                return FALSE;
            m_tabStops = wParam == 0 ? 32 : lParam ? reinterpret_cast<const int*>(lParam)[0] : 32;
            if (m_multi)
                SetTabStops(m_tabStops);
            return TRUE;
        case EM_GETLINECOUNT:
            return m_multi ? m_multi->document()->blockCount() : 1;
        case EM_GETMODIFY:
            return m_line ? m_line->isModified() : m_multi ? m_multi->document()->isModified() : 0;
        case EM_SETMODIFY:
            if (m_line)
                m_line->setModified(wParam != 0);
            if (m_multi)
                m_multi->document()->setModified(wParam != 0);
            return 0;
        case WM_SETFOCUS:
            Notify(EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            Notify(EN_KILLFOCUS);
            return 0;
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
        case WM_CLEAR:
            if (m_line)
                message == WM_CUT ? m_line->cut() : message == WM_COPY ? m_line->copy() : message == WM_PASTE ? m_line->paste() : m_line->del();
            else if (m_multi)
                message == WM_CUT ? m_multi->cut() : message == WM_COPY ? m_multi->copy() : message == WM_PASTE ? m_multi->paste() : m_multi->textCursor().removeSelectedText();
            return 0;
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

  private:
    bool Multi() const { return m_h->style & ES_MULTILINE; }
    void SetTabStops(int du)
    {
        QPoint base = m_multi->window()->property("pdt_baseunits").toPoint();
        int baseX = base.x() > 0 ? base.x() : m_multi->fontMetrics().averageCharWidth();
        m_multi->setTabStopDistance(std::max(1, MulDiv(du, baseX, 4)));
    }
    // Plain ASCII (and a multi-line edit's tabs and CR LF line ends) comes back from the toolkit byte for byte.
    bool KeepsAsIs(const CString& text) const
    {
        const std::string& s = text.str();
        for (size_t i = 0; i < s.size(); ++i)
        {
            unsigned char c = static_cast<unsigned char>(s[i]);
            if (c >= 0x20 && c < 0x7F)
                continue;
            if (Multi() && c == '\t')
                continue;
            if (Multi() && c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            {
                ++i;
                continue;
            }
            return false;
        }
        return true;
    }
    // The document's text as it holds it: toPlainText would turn each no-break space into a blank.
    QString RawText() const
    {
        QString t = m_multi->document()->toRawText();
        for (QChar& c : t)
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
                c = QLatin1Char('\n');
        return t;
    }
    void Changed()
    {
        if (IsQuiet())
            return;
        Notify(EN_UPDATE);
        Notify(EN_CHANGE);
    }
    QString PlainText() const { return m_line ? m_line->text() : m_multi ? RawText() : QString(); }
    // Win32 offsets count the text's ANSI bytes, and a line end as its two characters "\r\n".
    static int Width(QChar c, bool multi)
    {
        if (c == QLatin1Char('\n') && multi)
            return 2;
        return c.unicode() < 0x80 ? 1 : std::max(1, FromQt(QString(c)).GetLength());
    }
    int WinOffset(int pos) const
    {
        QString t = PlainText();
        int n = 0;
        for (int i = 0; i < pos && i < int(t.size()); ++i)
            n += Width(t[i], m_multi != nullptr);
        return n;
    }
    int ToolkitOffset(int offset) const
    {
        QString t = PlainText();
        int n = 0;
        for (int i = 0; i < int(t.size()); ++i)
        {
            n += Width(t[i], m_multi != nullptr);
            if (n > offset)
                return i; // inside a line end or a double-byte character: before it
        }
        return int(t.size());
    }
    void SetSel(int start, int end)
    {
        int len = int(PlainText().size());
        if (start >= 0)
            start = ToolkitOffset(start);
        if (end >= 0)
            end = ToolkitOffset(end);
        if (start < 0)
        {
            // -1 removes the selection.
            if (m_line)
                m_line->deselect();
            else if (m_multi)
            {
                QTextCursor c = m_multi->textCursor();
                c.clearSelection();
                m_multi->setTextCursor(c);
            }
            return;
        }
        if (end < 0 || end > len)
            end = len;
        start = std::min(start, len);
        if (m_line)
            m_line->setSelection(start, end - start);
        else if (m_multi)
        {
            QTextCursor c = m_multi->textCursor();
            c.setPosition(start);
            c.setPosition(end, QTextCursor::KeepAnchor);
            m_multi->setTextCursor(c);
        }
    }
    std::pair<int, int> GetSel() const
    {
        if (m_line)
        {
            if (!m_line->hasSelectedText())
                return {WinOffset(m_line->cursorPosition()), WinOffset(m_line->cursorPosition())};
            int s = m_line->selectionStart();
            return {WinOffset(s), WinOffset(s + int(m_line->selectedText().size()))};
        }
        if (m_multi)
        {
            QTextCursor c = m_multi->textCursor();
            return {WinOffset(c.selectionStart()), WinOffset(c.selectionEnd())};
        }
        return {0, 0};
    }

    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_multi = nullptr;
    EditValidator* m_validator = nullptr;
    ShownBytes m_kept;     // what the peer was given, so untouched bytes come back as they were
    DWORD m_limit = 30000; // Win32's initial limit
    int m_tabStops = 0;    // EM_SETTABSTOPS's dialog units, 0 for the toolkit's own
    bool m_textSet = false;
};

// ---------------------------------------------------------------------------------------------------------------
// Static texts and frames.

// A static's label, and over it what its device contexts drew since it last painted itself.
class StaticLabel : public QLabel
{
  public:
    StaticLabel(HWND h, QWidget* parent) : QLabel(parent), m_h(h) {}

  protected:
    void paintEvent(QPaintEvent* e) override
    {
        // Invalidated: the static paints itself again and what was drawn over it is gone, as in Win32.
        if (IsWindow(m_h) && !m_h->invalid.isEmpty())
        {
            m_h->backing.reset();
            m_h->invalid = QRect();
        }
        QLabel::paintEvent(e);
        if (IsWindow(m_h) && m_h->backing)
        {
            QPainter p(this);
            p.drawImage(0, 0, *m_h->backing);
        }
    }

  private:
    HWND m_h;
};

class StaticImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;
    bool Lazy() const override { return true; }

    QImage* DrawnOver() override
    {
        if (!m_label)
            return nullptr;
        QSize size = m_label->size().expandedTo(QSize(1, 1));
        if (!m_h->backing || m_h->backing->size() != size)
        {
            // Drawing starts from what the static shows.
            m_h->backing.reset();
            QImage shown = m_label->grab().toImage().convertToFormat(QImage::Format_RGB32);
            auto img = std::make_unique<QImage>(size, QImage::Format_RGB32);
            img->fill(m_label->palette().color(QPalette::Window));
            QPainter p(img.get());
            p.drawImage(QRect(QPoint(0, 0), size), shown);
            p.end();
            m_h->backing = std::move(img);
        }
        return m_h->backing.get();
    }

    QWidget* CreatePeer(QWidget* parent, const CString& text) override
    {
        m_text = text;
        DWORD type = m_h->style & SS_TYPEMASK;
        switch (type)
        {
        case SS_ETCHEDHORZ:
        case SS_ETCHEDVERT:
        case SS_ETCHEDFRAME:
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME:
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT: {
            auto* f = new QFrame(parent);
            f->setFrameShape(type == SS_ETCHEDHORZ ? QFrame::HLine : type == SS_ETCHEDVERT ? QFrame::VLine : QFrame::Box);
            f->setFrameShadow(type >= SS_ETCHEDHORZ ? QFrame::Sunken : QFrame::Plain);
            return f;
        }
        default:
            break;
        }
        m_label = new StaticLabel(m_h, parent);
        m_label->setTextFormat(Qt::PlainText);
        m_label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
        Qt::Alignment h = type == SS_CENTER ? Qt::AlignHCenter : type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
        m_label->setAlignment(h | ((m_h->style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop));
        if ((m_h->style & SS_SUNKEN) || (m_h->exStyle & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE)))
            m_label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (!text.IsEmpty())
            Show();
        return m_label;
    }
    CString GetText() const override { return m_text; }
    void SetText(const CString& text) override
    {
        m_text = text;
        m_h->backing.reset(); // the new text repaints the whole static
        Show();
    }
    UINT DlgCode(const MSG*) const override { return DLGC_STATIC; }

  private:
    void Show()
    {
        if (m_label)
            m_label->setText((m_h->style & SS_NOPREFIX) ? ToQt(m_text) : WithoutMnemonics(m_text));
    }
    QLabel* m_label = nullptr;
};

// ---------------------------------------------------------------------------------------------------------------
// Combo boxes.

class PdtComboBox : public QComboBox
{
  public:
    PdtComboBox(HWND h, QWidget* parent) : QComboBox(parent), m_h(h) {}
    bool m_simple = false; // CBS_SIMPLE: the list is always shown under the edit and never drops
    void showPopup() override
    {
        if (m_simple)
            return;
        if (!m_h->quiet)
            ::SendMessage(m_h->parent, WM_COMMAND, MAKEWPARAM(WORD(m_h->id), CBN_DROPDOWN), LPARAM(m_h));
        QComboBox::showPopup();
        m_dropped = view()->isVisible();
        if (!m_watching)
        {
            // Sees the click or Enter that picks an item before the toolkit closes the list for it.
            view()->installEventFilter(this);
            view()->viewport()->installEventFilter(this);
            m_watching = true;
        }
    }
    void hidePopup() override
    {
        // The toolkit may leave the list up a moment longer to flash the chosen item: for Win32 it is closed.
        bool dropped = std::exchange(m_dropped, false);
        bool picked = std::exchange(m_picking, false);
        QComboBox::hidePopup();
        // Closing the list ends the choice, taken or not; a list that was not dropped does not close.
        if (dropped && !m_h->quiet && IsWindow(m_h))
        {
            Notify(picked ? CBN_SELENDOK : CBN_SELENDCANCEL);
            m_endReported = picked;
            Notify(CBN_CLOSEUP);
        }
    }
    // Whether the choice now reported already had its CBN_SELENDOK when the list closed.
    bool TakeEndReported()
    {
        return std::exchange(m_endReported, false);
    }
    bool Dropped() const
    {
        return m_dropped;
    }

  protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonPress)
            m_picking = false;
        else if (e->type() == QEvent::MouseButtonRelease && o == view()->viewport())
            m_picking = view()->viewport()->rect().contains(static_cast<QMouseEvent *>(e)->position().toPoint());
        else if (e->type() == QEvent::KeyPress && o == view())
        {
            int key = static_cast<QKeyEvent *>(e)->key();
            m_picking = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        return QComboBox::eventFilter(o, e);
    }

  private:
    void Notify(int code)
    {
        ::SendMessage(m_h->parent, WM_COMMAND, MAKEWPARAM(WORD(m_h->id), code), LPARAM(m_h));
    }
    HWND m_h;
    bool m_watching = false;
    bool m_dropped = false;
    bool m_picking = false;
    bool m_endReported = false;
};

constexpr int kBytesRole = Qt::UserRole + 1; // the item's own bytes, so any byte string round-trips
constexpr int kDataRole = Qt::UserRole + 2;

class ComboImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;

    // A drop-down list keeps its items in the record until it has a peer; the kinds with an edit make one at once.
    bool Lazy() const override { return (m_h->style & 3) == CBS_DROPDOWNLIST; }
    bool NeedsPeer(UINT message) const override
    {
        switch (message)
        {
        case CB_GETCOUNT:
        case CB_GETCURSEL:
        case CB_SETCURSEL:
        case CB_ADDSTRING:
        case CB_INSERTSTRING:
        case CB_DELETESTRING:
        case CB_RESETCONTENT:
        case CB_FINDSTRING:
        case CB_FINDSTRINGEXACT:
        case CB_SELECTSTRING:
        case CB_GETLBTEXT:
        case CB_GETLBTEXTLEN:
        case CB_GETITEMDATA:
        case CB_SETITEMDATA:
        case CB_GETDROPPEDSTATE:
            return false;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            return true;
        default:
            return WindowImpl::NeedsPeer(message);
        }
    }

    QWidget* CreatePeer(QWidget* parent, const CString& text) override
    {
        DWORD kind = m_h->style & 3;
        if (kind == CBS_SIMPLE)
            return CreateSimple(parent, text);
        m_combo = new PdtComboBox(m_h, parent);
        m_combo->setFocusPolicy(Qt::StrongFocus);
        if (kind != CBS_DROPDOWNLIST)
        {
            m_combo->setEditable(true);
            m_combo->setInsertPolicy(QComboBox::NoInsert);
            m_combo->setCompleter(nullptr);
            SetEditBytes(text);
            m_combo->setValidator(new EditValidator(m_h, 0, m_combo->lineEdit()));
            QObject::connect(m_combo->lineEdit(), &QLineEdit::textEdited, [this](const QString &typed) {
                m_edit = typed;
                Notify(CBN_EDITUPDATE);
                Notify(CBN_EDITCHANGE);
            });
        }
        QObject::connect(m_combo, qOverload<int>(&QComboBox::activated), [this](int) { Chosen(); });
        // What the record held until now.
        for (size_t i = 0; i < m_items.size(); ++i)
        {
            Insert(int(i), m_items[i].text);
            m_combo->setItemData(int(i), QVariant::fromValue(qulonglong(m_items[i].data)), kDataRole);
        }
        if (m_cur >= 0)
            m_combo->setCurrentIndex(m_cur);
        m_items.clear();
        return m_combo;
    }

    QRect AdjustRect(const QRect& r) const override
    {
        if (m_list)
            return r; // a simple combo box shows its list within its own height
        // The template's height includes the dropped list; the window is as high as the field.
        int field = m_combo->sizeHint().height();
        int item = std::max(1, m_combo->fontMetrics().height() + 2);
        m_combo->setMaxVisibleItems(std::max(1, (r.height() - field) / item));
        return QRect(r.left(), r.top(), r.width(), std::min(r.height(), field));
    }

    CString GetText() const override
    {
        if (!m_combo)
            return m_cur < 0 ? CString() : m_items[size_t(m_cur)].text;
        if (m_combo->isEditable())
            return m_kept.Read(m_combo->lineEdit()->text());
        int i = m_combo->currentIndex();
        return i < 0 ? CString() : ItemText(i);
    }
    void SetText(const CString& text) override
    {
        // A drop-down list has no edit to take the text: WM_SETTEXT changes nothing, its selection stays.
        Quiet quiet(m_h);
        if (m_combo && m_combo->isEditable())
        {
            SetEditBytes(text);
            m_combo->lineEdit()->setCursorPosition(0); // the edit's selection after WM_SETTEXT is (0, 0)
        }
    }

    UINT DlgCode(const MSG* msg) const override
    {
        UINT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
        if (!m_combo)
            return code;
        if (m_combo->isEditable())
            code |= DLGC_HASSETSEL;
        if (msg && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) && m_combo->Dropped())
            code |= DLGC_WANTALLKEYS;
        return code;
    }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_combo)
            return AnswerFromRecord(message, wParam, lParam);
        LRESULT r = Answer(message, wParam, lParam);
        // Whatever the message did to the edit is the text a CBN_SELCHANGE handler sees next.
        if (m_combo->isEditable())
            m_edit = m_combo->lineEdit()->text();
        return r;
    }

  private:
    // An edit with its list always open under it. Typing selects the item the text names exactly, without a
    // notification; a click in the list chooses as a drop-down's list does, without opening or closing.
    QWidget* CreateSimple(QWidget* parent, const CString& text)
    {
        auto* box = new QWidget(parent);
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        m_combo = new PdtComboBox(m_h, box);
        m_combo->m_simple = true;
        m_combo->setEditable(true);
        m_combo->setInsertPolicy(QComboBox::NoInsert);
        m_combo->setCompleter(nullptr);
        m_combo->setStyleSheet(QStringLiteral("QComboBox::drop-down { width: 0px; border: none; }"));
        m_list = new QListView(box);
        m_list->setModel(m_combo->model());
        m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_list->setFocusPolicy(Qt::NoFocus); // the edit keeps the focus, as in Win32
        layout->addWidget(m_combo);
        layout->addWidget(m_list, 1);
        box->setFocusProxy(m_combo);
        SetEditBytes(text);
        m_combo->setValidator(new EditValidator(m_h, 0, m_combo->lineEdit()));
        QObject::connect(m_combo->lineEdit(), &QLineEdit::textEdited, [this](const QString& typed) {
            m_edit = typed;
            {
                Quiet quiet(m_h);
                int cursor = m_combo->lineEdit()->cursorPosition();
                m_combo->setCurrentIndex(Find(-1, FromQt(typed), true));
                SetEdit(typed);
                m_combo->lineEdit()->setCursorPosition(cursor);
            }
            Notify(CBN_EDITUPDATE);
            Notify(CBN_EDITCHANGE);
        });
        QObject::connect(m_combo, qOverload<int>(&QComboBox::currentIndexChanged), [this](int i) {
            m_list->setCurrentIndex(m_combo->model()->index(i, 0));
            if (i < 0)
                m_list->clearSelection();
            else
                m_list->scrollTo(m_combo->model()->index(i, 0));
        });
        QObject::connect(m_list, &QAbstractItemView::clicked, [this](const QModelIndex& index) {
            if (!index.isValid() || !IsWindow(m_h))
                return;
            {
                Quiet quiet(m_h);
                m_combo->setCurrentIndex(index.row());
            }
            Chosen();
        });
        QObject::connect(m_combo, qOverload<int>(&QComboBox::activated), [this](int) { Chosen(); });
        return box;
    }

    // A drop-down list's list without its peer, as the peer keeps it: the current item stays current when
    // items come and go before it.
    LRESULT AnswerFromRecord(UINT message, WPARAM wParam, LPARAM lParam)
    {
        int count = int(m_items.size());
        int i = int(wParam);
        switch (message)
        {
        case CB_GETCOUNT:
            return count;
        case CB_GETCURSEL:
            return m_cur;
        case CB_SETCURSEL:
            m_cur = i < 0 || i >= count ? -1 : i;
            return m_cur < 0 ? CB_ERR : i;
        case CB_ADDSTRING:
        case CB_INSERTSTRING: {
            CString s(TextOf(lParam));
            int at = message == CB_INSERTSTRING ? (i == -1 ? count : i) : count;
            if (at < 0 || at > count)
                return CB_ERR;
            if (message == CB_ADDSTRING && (m_h->style & CBS_SORT))
            {
                at = 0;
                while (at < count && pdt::win::CompareWords(ItemText(at), s) <= 0)
                    ++at;
            }
            m_items.insert(m_items.begin() + at, Item{s, 0});
            if (m_cur >= at)
                ++m_cur;
            return at;
        }
        case CB_DELETESTRING:
            if (i < 0 || i >= count)
                return CB_ERR;
            m_items.erase(m_items.begin() + i);
            m_cur = m_cur == i ? -1 : m_cur > i ? m_cur - 1 : m_cur;
            return count - 1;
        case CB_RESETCONTENT:
            m_items.clear();
            m_cur = -1;
            return 0;
        case CB_FINDSTRING:
            return Find(i, CString(TextOf(lParam)), false);
        case CB_FINDSTRINGEXACT:
            return Find(i, CString(TextOf(lParam)), true);
        case CB_SELECTSTRING: {
            int found = Find(i, CString(TextOf(lParam)), false);
            if (found >= 0)
                m_cur = found;
            return found;
        }
        case CB_GETLBTEXT:
            return i < 0 || i >= count ? CB_ERR : CopyText(ItemText(i), 0, lParam);
        case CB_GETLBTEXTLEN:
            return i < 0 || i >= count ? CB_ERR : ItemText(i).GetLength();
        case CB_GETITEMDATA:
            return i < 0 || i >= count ? CB_ERR : LRESULT(m_items[size_t(i)].data);
        case CB_SETITEMDATA:
            if (i < 0 || i >= count)
                return CB_ERR;
            m_items[size_t(i)].data = qulonglong(lParam);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return FALSE;
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

    LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam)
    {
        Quiet quiet(m_h);
        int count = m_combo->count();
        switch (message)
        {
        case CB_GETCOUNT:
            return count;
        case CB_GETCURSEL:
            return m_combo->currentIndex();
        case CB_SETCURSEL: {
            int i = int(wParam);
            if (i < 0 || i >= count)
            {
                Select(-1);
                return CB_ERR;
            }
            Select(i);
            return i;
        }
        case CB_ADDSTRING: {
            CString s(TextOf(lParam));
            int at = count;
            if (m_h->style & CBS_SORT)
            {
                at = 0;
                while (at < count && pdt::win::CompareWords(ItemText(at), s) <= 0)
                    ++at;
            }
            Insert(at, s);
            return at;
        }
        case CB_INSERTSTRING: {
            int at = int(wParam);
            if (at == -1)
                at = count;
            if (at < 0 || at > count)
                return CB_ERR;
            Insert(at, CString(TextOf(lParam)));
            return at;
        }
        case CB_DELETESTRING: {
            int i = int(wParam);
            if (i < 0 || i >= count)
                return CB_ERR;
            bool wasCurrent = m_combo->currentIndex() == i;
            QString edit = m_combo->isEditable() ? m_combo->lineEdit()->text() : QString();
            m_combo->removeItem(i);
            if (wasCurrent)
                Select(-1);
            if (m_combo->isEditable())
                SetEdit(edit);
            return count - 1;
        }
        case CB_RESETCONTENT:
            m_combo->clear();
            if (m_combo->isEditable())
                m_combo->lineEdit()->clear();
            return 0;
        case CB_FINDSTRING:
            return Find(int(wParam), CString(TextOf(lParam)), false);
        case CB_FINDSTRINGEXACT:
            return Find(int(wParam), CString(TextOf(lParam)), true);
        case CB_SELECTSTRING: {
            int i = Find(int(wParam), CString(TextOf(lParam)), false);
            if (i >= 0)
                Select(i);
            return i;
        }
        case CB_GETLBTEXT:
            return int(wParam) < 0 || int(wParam) >= count ? CB_ERR : CopyText(ItemText(int(wParam)), 0, lParam);
        case CB_GETLBTEXTLEN:
            return int(wParam) < 0 || int(wParam) >= count ? CB_ERR : ItemText(int(wParam)).GetLength();
        case CB_GETITEMDATA:
            return int(wParam) < 0 || int(wParam) >= count ? CB_ERR
                                                           : LRESULT(m_combo->itemData(int(wParam), kDataRole).value<qulonglong>());
        case CB_SETITEMDATA:
            if (int(wParam) < 0 || int(wParam) >= count)
                return CB_ERR;
            m_combo->setItemData(int(wParam), QVariant::fromValue(qulonglong(lParam)), kDataRole);
            return TRUE;
        case CB_SHOWDROPDOWN:
            if (wParam)
                m_combo->showPopup();
            else
                m_combo->hidePopup();
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return m_combo->Dropped();
        case CB_LIMITTEXT:
            if (m_combo->isEditable())
                m_combo->lineEdit()->setMaxLength(wParam == 0 ? 0x7FFFFFFE : int(wParam));
            return TRUE;
        case CB_GETEDITSEL: {
            if (!m_combo->isEditable())
                return CB_ERR;
            QLineEdit* e = m_combo->lineEdit();
            int s = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
            int t = e->hasSelectedText() ? s + int(e->selectedText().size()) : s;
            if (wParam)
                *reinterpret_cast<DWORD *>(wParam) = DWORD(s);
            if (lParam)
                *reinterpret_cast<DWORD *>(lParam) = DWORD(t);
            return MAKELONG(WORD(s), WORD(t));
        }
        case CB_SETEDITSEL:
        case EM_SETSEL: {
            if (!m_combo->isEditable())
                return CB_ERR;
            int s = message == EM_SETSEL ? int(wParam) : short(LOWORD(lParam));
            int t = message == EM_SETSEL ? int(lParam) : short(HIWORD(lParam));
            QLineEdit* e = m_combo->lineEdit();
            int len = int(e->text().size());
            if (s < 0)
                e->deselect();
            else
            {
                if (t < 0 || t > len)
                    t = len;
                e->setSelection(std::min(s, len), t - std::min(s, len));
            }
            return TRUE;
        }
        case WM_SETFOCUS:
            // The first focus selects the edit's text, ready to be typed over, however the focus came.
            if (m_combo->isEditable() && !std::exchange(m_beenFocused, true))
                m_combo->lineEdit()->selectAll();
            --m_h->quiet;
            Notify(CBN_SETFOCUS);
            ++m_h->quiet;
            return 0;
        case WM_KILLFOCUS:
            --m_h->quiet;
            // Leaving the combo box ends any choice in progress: closing a dropped list says so itself.
            if (m_combo->Dropped())
                m_combo->hidePopup();
            else
                Notify(CBN_SELENDCANCEL);
            Notify(CBN_KILLFOCUS);
            ++m_h->quiet;
            return 0;
        default:
            --m_h->quiet;
            LRESULT r = WindowImpl::Proc(message, wParam, lParam);
            ++m_h->quiet;
            return r;
        }
    }

    CString ItemText(int i) const
    {
        if (!m_combo)
            return m_items[size_t(i)].text;
        return CString(m_combo->itemData(i, kBytesRole).toByteArray().toStdString());
    }
    void SetEdit(const QString &text)
    {
        m_combo->lineEdit()->setText(text);
        m_edit = text;
    }
    void SetEditBytes(const CString& bytes)
    {
        m_kept.Set(bytes, false);
        SetEdit(m_kept.Shown());
    }
    // The user chose an item: the choice ends (CBN_SELENDOK) and then the selection changes; a drop-down's
    // CBN_SELCHANGE handler still sees the old edit text, the edit shows the item afterwards.
    void Chosen()
    {
        bool ended = m_combo->TakeEndReported() || m_list; // a simple combo box's list never closes
        bool editable = m_combo->isEditable();
        if (editable)
        {
            Quiet quiet(m_h);
            m_combo->lineEdit()->setText(m_edit);
        }
        if (!ended)
            Notify(CBN_SELENDOK);
        Notify(CBN_SELCHANGE);
        if (editable && IsWindow(m_h))
        {
            Quiet quiet(m_h);
            int i = m_combo->currentIndex();
            if (i >= 0)
                SetEditBytes(ItemText(i));
            m_combo->lineEdit()->selectAll();
        }
    }
    void Insert(int at, const CString& s)
    {
        bool wasEmpty = m_combo->count() == 0;
        QString edit = m_combo->isEditable() ? m_combo->lineEdit()->text() : QString();
        m_combo->insertItem(at, ToQt(s));
        m_combo->setItemData(at, QByteArray::fromStdString(s.str()), kBytesRole);
        m_combo->setItemData(at, QVariant::fromValue(qulonglong(0)), kDataRole);
        // Qt selects the first item added to an empty list; Win32 selects nothing and keeps the edit text.
        if (wasEmpty)
            m_combo->setCurrentIndex(-1);
        if (m_combo->isEditable())
            m_combo->lineEdit()->setText(edit);
    }
    void Select(int i)
    {
        m_combo->setCurrentIndex(i);
        if (m_combo->isEditable() && i < 0)
            m_combo->lineEdit()->clear();
        else if (m_combo->isEditable())
            SetEditBytes(ItemText(i)); // the item's own bytes, whatever the code page makes of them
    }
    // Case-insensitive search after index `after`, wrapping round; prefix or whole string.
    int Find(int after, const CString& s, bool exact) const
    {
        int n = m_combo ? m_combo->count() : int(m_items.size());
        if (n == 0)
            return CB_ERR;
        int start = after < 0 || after >= n ? 0 : after + 1;
        for (int k = 0; k < n; ++k)
        {
            int i = (start + k) % n;
            CString t = ItemText(i);
            if (exact ? t.CompareNoCase(s) == 0 : t.Left(s.GetLength()).CompareNoCase(s) == 0)
                return i;
        }
        return CB_ERR;
    }

    struct Item
    {
        CString text;
        qulonglong data;
    };
    std::vector<Item> m_items; // a drop-down list's items while it has no peer
    int m_cur = -1;
    PdtComboBox* m_combo = nullptr;
    QListView* m_list = nullptr; // CBS_SIMPLE
    ShownBytes m_kept;           // the bytes the edit was last given
    QString m_edit; // the edit's text as Win32 has it: the toolkit puts a chosen item in before its notification
    bool m_beenFocused = false;
};

} // namespace

bool IsSystemControlClass(const CString& lower)
{
    static const char* kNames[] = {"button", "edit", "static", "combobox", "listbox", "syslistview32",
                                   "systreeview32", "scrollbar", "#32770"};
    for (const char* n : kNames)
        if (lower == n)
            return true;
    return false;
}

std::unique_ptr<WindowImpl> MakeControlImpl(HWND h, const CString& lower)
{
    if (lower == "button")
        return std::make_unique<ButtonImpl>(h);
    if (lower == "edit")
        return std::make_unique<EditImpl>(h);
    if (lower == "static")
        return std::make_unique<StaticImpl>(h);
    if (lower == "combobox")
        return std::make_unique<ComboImpl>(h);
    return MakeCommonControlImpl(h, lower);
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, WPARAM(&s), LPARAM(&e));
    start = int(s);
    end = int(e);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    int n = GetLBTextLen(index);
    if (n < 0)
    {
        text.Empty();
        return;
    }
    std::string buf(size_t(n) + 1, '\0');
    SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(buf.data()));
    text = CString(buf.c_str(), n);
}
