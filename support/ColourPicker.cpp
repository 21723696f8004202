#include "support/ColourPicker.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "platform/window_p.h"
#include "support/Seams.h"

namespace
{

pdt::support::ColourDialogHandler g_colourDialog;

struct NamedColour
{
    COLORREF colour;
    const char* name;
};

// Five shades (dark to pale) of seven hues and a grey ramp: the 16 VGA colours and their light tints.
constexpr int kColumns = 8;
constexpr NamedColour kPalette[] = {
    {RGB(0x80, 0x00, 0x00), "Maroon"},        {RGB(0x80, 0x40, 0x00), "Brown"},
    {RGB(0x80, 0x80, 0x00), "Olive"},         {RGB(0x00, 0x80, 0x00), "Green"},
    {RGB(0x00, 0x80, 0x80), "Teal"},          {RGB(0x00, 0x00, 0x80), "Navy"},
    {RGB(0x80, 0x00, 0x80), "Purple"},        {RGB(0x00, 0x00, 0x00), "Black"},

    {RGB(0xC0, 0x00, 0x00), "Dark Red"},      {RGB(0xC0, 0x60, 0x00), "Dark Orange"},
    {RGB(0xC0, 0xC0, 0x00), "Dark Yellow"},   {RGB(0x00, 0xC0, 0x00), "Medium Green"},
    {RGB(0x00, 0xC0, 0xC0), "Dark Cyan"},     {RGB(0x00, 0x00, 0xC0), "Medium Blue"},
    {RGB(0xC0, 0x00, 0xC0), "Dark Magenta"},  {RGB(0x40, 0x40, 0x40), "Dark Grey"},

    {RGB(0xFF, 0x00, 0x00), "Red"},           {RGB(0xFF, 0x80, 0x00), "Orange"},
    {RGB(0xFF, 0xFF, 0x00), "Yellow"},        {RGB(0x00, 0xFF, 0x00), "Lime"},
    {RGB(0x00, 0xFF, 0xFF), "Cyan"},          {RGB(0x00, 0x00, 0xFF), "Blue"},
    {RGB(0xFF, 0x00, 0xFF), "Magenta"},       {RGB(0x80, 0x80, 0x80), "Grey"},

    {RGB(0xFF, 0x80, 0x80), "Light Red"},     {RGB(0xFF, 0xC0, 0x80), "Light Orange"},
    {RGB(0xFF, 0xFF, 0x80), "Light Yellow"},  {RGB(0x80, 0xFF, 0x80), "Light Green"},
    {RGB(0x80, 0xFF, 0xFF), "Light Cyan"},    {RGB(0x80, 0x80, 0xFF), "Light Blue"},
    {RGB(0xFF, 0x80, 0xFF), "Light Magenta"}, {RGB(0xC0, 0xC0, 0xC0), "Silver"},

    {RGB(0xFF, 0xC0, 0xC0), "Pink"},          {RGB(0xFF, 0xE0, 0xC0), "Peach"},
    {RGB(0xFF, 0xFF, 0xC0), "Cream"},         {RGB(0xC0, 0xFF, 0xC0), "Pale Green"},
    {RGB(0xC0, 0xFF, 0xFF), "Pale Cyan"},     {RGB(0xC0, 0xC0, 0xFF), "Lavender"},
    {RGB(0xFF, 0xC0, 0xFF), "Pale Magenta"},  {RGB(0xFF, 0xFF, 0xFF), "White"},
};
static_assert(std::size(kPalette) == 40 && std::size(kPalette) % kColumns == 0);

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QPixmap Swatch(COLORREF colour, QSize size)
{
    QPixmap pm(size.expandedTo(QSize(2, 2)));
    pm.fill(ToQColor(colour));
    QPainter p(&pm);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

bool RunColourDialog(COLORREF initial, COLORREF& chosen, QWidget* parent)
{
    if (g_colourDialog)
        return g_colourDialog(initial, chosen);
    QColor c =
        QColorDialog::getColor(ToQColor(initial), parent, QStringLiteral("Colour"), QColorDialog::DontUseNativeDialog);
    if (!c.isValid())
        return false;
    chosen = RGB(BYTE(c.red()), BYTE(c.green()), BYTE(c.blue()));
    return true;
}

// The dropped-down palette. Reports once: a colour, "Default" (CLR_DEFAULT), a colour from the colour dialog,
// or nothing when it is dismissed (Escape, a click elsewhere).
class PaletteWidget : public QFrame
{
  public:
    using Done = std::function<void(bool chosen, COLORREF colour)>;

    PaletteWidget(QWidget* anchor, COLORREF current, COLORREF defaultColour, const CString& defaultText,
                  const CString& customText, Done done)
        : QFrame(anchor, Qt::Popup), m_initial(current == CLR_DEFAULT ? defaultColour : current),
          m_done(std::move(done))
    {
        setObjectName(QStringLiteral("colour-palette"));
        setAttribute(Qt::WA_NoMouseReplay); // a click on the picker while open only closes the palette
        setFrameShape(QFrame::StyledPanel);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->setSpacing(4);
        if (!defaultText.IsEmpty())
        {
            auto* b = new QPushButton(QIcon(Swatch(defaultColour, QSize(14, 14))), ToQt(defaultText), this);
            b->setObjectName(QStringLiteral("default"));
            b->installEventFilter(this);
            b->setCheckable(true);
            b->setChecked(current == CLR_DEFAULT);
            QObject::connect(b, &QPushButton::clicked, this, [this] { Choose(CLR_DEFAULT); });
            layout->addWidget(b);
            m_focusFirst = b;
        }
        auto* grid = new QGridLayout;
        grid->setSpacing(1);
        for (size_t i = 0; i < std::size(kPalette); ++i)
        {
            COLORREF c = kPalette[i].colour;
            auto* cell = new QToolButton(this);
            cell->setObjectName(QString::asprintf("cell-%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c)));
            cell->setIcon(QIcon(Swatch(c, QSize(14, 14))));
            cell->setIconSize(QSize(14, 14));
            cell->setAutoRaise(true);
            cell->setCheckable(true);
            cell->setChecked(current == c);
            cell->setToolTip(QString::fromLatin1(kPalette[i].name));
            cell->setFocusPolicy(Qt::StrongFocus);
            QObject::connect(cell, &QToolButton::clicked, this, [this, c] { Choose(c); });
            grid->addWidget(cell, int(i) / kColumns, int(i) % kColumns);
            cell->installEventFilter(this);
            m_cells.push_back(cell);
            if (current == c)
                m_focusFirst = cell;
        }
        layout->addLayout(grid);
        if (!customText.IsEmpty())
        {
            auto* b = new QPushButton(ToQt(customText), this);
            b->setObjectName(QStringLiteral("more"));
            b->installEventFilter(this);
            QObject::connect(b, &QPushButton::clicked, this, [this] { More(); });
            layout->addWidget(b);
        }
        if (!m_focusFirst)
            m_focusFirst = m_cells.front();
    }

    // The picker is going away: no more reports.
    void Detach()
    {
        m_done = nullptr;
    }

    void Open(QWidget* anchor)
    {
        adjustSize();
        QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
        if (QScreen* s = anchor->screen())
        {
            QRect avail = s->availableGeometry();
            if (at.y() + height() > avail.bottom() + 1)
                at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height()); // no room below: above the button
            at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() + 1 - width())));
            at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - height())));
        }
        move(at);
        show();
        m_focusFirst->setFocus(Qt::PopupFocusReason);
    }

  protected:
    void hideEvent(QHideEvent* e) override
    {
        QFrame::hideEvent(e);
        if (!m_finished)
        {
            m_finished = true;
            Report(false, 0);
            deleteLater();
        }
    }

    // The cells' own arrow keys walk the focus chain (and the "Default" entry with it); here they walk the grid.
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return QFrame::eventFilter(watched, e);
        auto* key = static_cast<QKeyEvent*>(e);
        auto* button = qobject_cast<QAbstractButton*>(watched);
        switch (key->key())
        {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (button)
                button->click();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: {
            auto it = std::find(m_cells.begin(), m_cells.end(), watched);
            if (it == m_cells.end())
                return false;
            int n = int(m_cells.size());
            int step = key->key() == Qt::Key_Left    ? -1
                       : key->key() == Qt::Key_Right ? 1
                       : key->key() == Qt::Key_Up    ? -kColumns
                                                     : kColumns;
            int at = (int(it - m_cells.begin()) + step + n) % n;
            m_cells[size_t(at)]->setFocus(Qt::TabFocusReason);
            return true;
        }
        default:
            return QFrame::eventFilter(watched, e);
        }
    }

  private:
    void Choose(COLORREF c)
    {
        if (m_finished)
            return;
        m_finished = true;
        hide();
        Report(true, c);
        deleteLater();
    }

    void More()
    {
        if (m_finished)
            return;
        m_finished = true;
        hide(); // the colour dialog is modal; a popup left open would take its clicks
        QPointer<PaletteWidget> self(this);
        COLORREF chosen = m_initial;
        bool ok = RunColourDialog(m_initial, chosen, parentWidget() ? parentWidget()->window() : nullptr);
        if (!self)
            return;
        Report(ok, chosen);
        deleteLater();
    }

    void Report(bool chosen, COLORREF c)
    {
        Done done = std::move(m_done);
        m_done = nullptr;
        if (done)
            done(chosen, c);
    }

    COLORREF m_initial;
    Done m_done;
    bool m_finished = false;
    std::vector<QToolButton*> m_cells;
    QWidget* m_focusFirst = nullptr;
};

} // namespace

namespace pdt::support
{
void SetColourDialogHandler(ColourDialogHandler handler)
{
    g_colourDialog = std::move(handler);
}
} // namespace pdt::support

struct CColourPicker::PeerLink
{
    QObject context; // the button's click connection lives as long as this link
    QPointer<QAbstractButton> button;
    QPointer<PaletteWidget> palette;
    ~PeerLink()
    {
        // Hiding it now would hand the focus back to the dialog, which may be half destroyed (a picker member
        // goes before its dialog's window does); it closes from the event loop instead.
        if (palette)
        {
            palette->Detach();
            palette->deleteLater();
        }
    }
};

CColourPicker::CColourPicker() : m_life(std::make_shared<int>(0))
{
}
CColourPicker::~CColourPicker() = default;

void CColourPicker::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    LinkPeer();
}

void CColourPicker::LinkPeer()
{
    if (IsWindow(m_hWnd) && !m_hWnd->peer)
    {
        // On a page not shown yet: the swatch is drawn when the button gets its widget.
        m_link.reset();
        if (m_linkWaits != m_hWnd)
        {
            m_linkWaits = m_hWnd;
            std::weak_ptr<int> life = m_life;
            pdt::win::WithPeer(m_hWnd, [this, life](QWidget*) {
                if (life.expired())
                    return;
                m_linkWaits = nullptr;
                LinkPeer();
            });
        }
        return;
    }
    auto* button = IsWindow(m_hWnd) ? qobject_cast<QAbstractButton*>(pdt::win::Peer(m_hWnd)) : nullptr;
    if (m_link && m_link->button == button && button)
        return;
    m_link.reset();
    if (!button)
        return;
    m_link = std::make_unique<PeerLink>();
    m_link->button = button;
    // Connected after the button's own BN_CLICKED notification, so the parent hears of the click first.
    QObject::connect(button, &QAbstractButton::clicked, &m_link->context, [this] { ShowPalette(); });
    UpdateSwatch();
}

void CColourPicker::SetColour(COLORREF colour)
{
    m_colour = colour;
    LinkPeer();
    UpdateSwatch();
}

void CColourPicker::SetDefaultColour(COLORREF colour)
{
    m_defaultColour = colour & 0xFFFFFF;
    UpdateSwatch();
}

BOOL CColourPicker::IsPaletteOpen() const
{
    return m_link && m_link->palette && m_link->palette->isVisible();
}

void CColourPicker::UpdateSwatch()
{
    if (!m_link || !m_link->button)
        return;
    QAbstractButton* b = m_link->button;
    COLORREF shown = (m_colour == CLR_DEFAULT ? m_defaultColour : m_colour) & 0xFFFFFF;
    int h = std::clamp(b->height() - 10, 8, 14);
    int w = b->text().isEmpty() ? std::max(8, b->width() - 14) : h * 2;
    QSize size(w, h);
    b->setIcon(QIcon(Swatch(shown, size)));
    b->setIconSize(size);
}

void CColourPicker::ShowPalette()
{
    LinkPeer();
    if (!m_link || !m_link->button || IsPaletteOpen() || !IsWindowEnabled())
        return;
    std::weak_ptr<int> life = m_life;
    HWND h = m_hWnd;
    ::SendMessage(::GetParent(h), CPN_DROPDOWN, WPARAM(m_colour), LPARAM(::GetDlgCtrlID(h)));
    if (life.expired() || !IsWindow(h) || !m_link || !m_link->button)
        return;
    auto* palette = new PaletteWidget(m_link->button, m_colour, m_defaultColour, m_defaultText, m_customText,
                                      [this](bool chosen, COLORREF c) { Finish(chosen, c); });
    m_link->palette = palette;
    palette->Open(m_link->button);
}

void CColourPicker::Finish(bool chosen, COLORREF colour)
{
    std::weak_ptr<int> life = m_life;
    HWND h = m_hWnd;
    HWND parent = ::GetParent(h);
    LPARAM id = ::GetDlgCtrlID(h);
    if (chosen)
    {
        SetColour(colour);
        ::SendMessage(parent, CPN_SELENDOK, WPARAM(colour), id);
    }
    else
        ::SendMessage(parent, CPN_SELENDCANCEL, WPARAM(m_colour), id);
    // The parent may have closed the dialog (and this picker with it) while handling the choice.
    if (life.expired() || !IsWindow(h))
        return;
    ::SendMessage(parent, CPN_CLOSEUP, WPARAM(m_colour), id);
}
