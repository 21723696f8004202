// Window text as bytes: what a text control shows for the bytes it was given, and refusals of what the code
// page cannot hold.
#include "platform/window_p.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

void ShownBytes::Set(const CString& bytes, bool multiline)
{
    m_pieces.clear();
    m_multi = multiline;
    m_codePage = GetACP();
    const std::string& s = bytes.str();
    bool plain = true;
    for (size_t i = 0; i < s.size() && plain; ++i)
    {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (multiline && c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            ++i;
        else if (c >= 0x80 || c == '\r' || c == '\n')
            plain = false;
    }
    if (plain)
    {
        m_shown = QString::fromLatin1(s.data(), qsizetype(s.size()));
        if (multiline)
            m_shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        m_plain = true;
        return;
    }
    // One piece a character; a multi-line edit shows every line end, CR LF, lone LF or lone CR, as a line break.
    m_plain = false;
    m_shown.clear();
    for (size_t i = 0; i < s.size();)
    {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = 1;
        QString shown;
        if (multiline && (c == '\r' || c == '\n'))
        {
            n = c == '\r' && i + 1 < s.size() && s[i + 1] == '\n' ? 2 : 1;
            shown = QStringLiteral("\n");
        }
        else if (c < 0x80)
            shown = QChar(c);
        else
        {
            n = IsDBCSLeadByteEx(unsigned(m_codePage), c) && i + 1 < s.size() && s[i + 1] != '\0' ? 2 : 1;
            shown = QString::fromStdString(CodePageToUtf8(std::string_view(s).substr(i, n), m_codePage));
        }
        m_pieces.push_back(Piece{s.substr(i, n), shown});
        m_shown += shown;
        i += n;
    }
}

CString ShownBytes::Read(const QString& now) const
{
    if (m_plain && now == m_shown)
        return CString(now.toLatin1().replace("\n", m_multi ? "\r\n" : "\n").toStdString());
    if (m_plain || m_pieces.empty())
        return Convert(now);
    if (now == m_shown)
    {
        std::string out;
        for (const Piece& p : m_pieces)
            out += p.bytes;
        return CString(std::move(out));
    }
    // The person changed part of the text: what stands before and after the change keeps its bytes.
    size_t head = 0;
    qsizetype at = 0;
    while (head < m_pieces.size() && QStringView(now).mid(at).startsWith(m_pieces[head].shown))
        at += m_pieces[head++].shown.size();
    size_t tail = 0;
    qsizetype end = now.size();
    while (tail < m_pieces.size() - head)
    {
        const QString& piece = m_pieces[m_pieces.size() - 1 - tail].shown;
        if (end - piece.size() < at || !QStringView(now).left(end).endsWith(piece))
            break;
        end -= piece.size();
        ++tail;
    }
    std::string out;
    for (size_t i = 0; i < head; ++i)
        out += m_pieces[i].bytes;
    out += Convert(now.mid(at, end - at)).str();
    for (size_t i = m_pieces.size() - tail; i < m_pieces.size(); ++i)
        out += m_pieces[i].bytes;
    return CString(std::move(out));
}

CString ShownBytes::Convert(const QString& text) const
{
    QString t = text;
    if (m_multi)
        t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return CString(Utf8ToCodePage(t.toStdString(), m_codePage ? m_codePage : GetACP()));
}

namespace
{
QPointer<QLabel> g_balloon;
QString g_lastRefusal;
} // namespace

bool pdt::win::CanHold(const QString& text) { return CodePageHolds(text.toStdString(), GetACP()); }

void pdt::win::RefuseText(HWND h, const QString& text)
{
    // The first character the code page lacks, so the person sees which one it was.
    QString bad = text;
    for (qsizetype i = 0; i < text.size();)
    {
        qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (!CanHold(text.mid(i, n)))
        {
            bad = text.mid(i, n);
            break;
        }
        i += n;
    }
    MessageBeep(MB_ICONHAND);
    g_lastRefusal =
        QStringLiteral("Unacceptable Character\n\u201C%1\u201D cannot be typed here: the text is kept in code page %2.")
            .arg(bad, QString::fromStdString(CodePageName(GetACP())));
    QWidget* peer = IsWindow(h) ? h->peer.data() : nullptr;
    if (!g_balloon)
    {
        g_balloon = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        g_balloon->setObjectName(QStringLiteral("pdt_balloon"));
        g_balloon->setAttribute(Qt::WA_ShowWithoutActivating);
        g_balloon->setTextFormat(Qt::PlainText);
        g_balloon->setMargin(6);
        g_balloon->setFrameStyle(QFrame::Box | QFrame::Plain);
        g_balloon->setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; color: black; }"));
    }
    g_balloon->setText(g_lastRefusal);
    g_balloon->adjustSize();
    if (peer)
        g_balloon->move(peer->mapToGlobal(QPoint(peer->width() / 4, peer->height())));
    g_balloon->show();
    g_balloon->raise();
    // Gone after a while, as a Win32 balloon tip is; the next refusal starts the while again.
    auto* timer = g_balloon->findChild<QTimer*>();
    if (!timer)
    {
        timer = new QTimer(g_balloon);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, g_balloon, &QWidget::hide);
    }
    timer->start(6000);
}

QString pdt::win::LastRefusal() { return g_balloon && g_balloon->isVisible() ? g_lastRefusal : QString(); }

void pdt::win::ClearRefusal()
{
    g_lastRefusal.clear();
    if (g_balloon)
        g_balloon->hide();
}
