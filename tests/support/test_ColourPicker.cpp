// The colour picker used as a person uses it: click the button, pick from the palette (a cell, "Default",
// "More Colors..."), or dismiss it; the parent hears of each outcome and may replace the choice.
#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QTest>

#include "support/Seams.h"
#include "support_harness.h"

using namespace pdt::test;

namespace
{

class ColourPicker : public HostTest
{
  protected:
    void TearDown() override
    {
        pdt::support::SetColourDialogHandler(nullptr);
        HostTest::TearDown();
    }

    static QWidget* Palette()
    {
        QWidget* w = QApplication::activePopupWidget();
        return w && w->objectName() == "colour-palette" && w->isVisible() ? w : nullptr;
    }
    // Clicks an entry of the open palette by name: "default", "more", "cell-RRGGBB".
    static void Pick(const char* name)
    {
        QWidget* palette = Palette();
        ASSERT_NE(palette, nullptr) << "the palette is not open";
        auto* entry = palette->findChild<QAbstractButton*>(name);
        ASSERT_NE(entry, nullptr) << "no palette entry " << name;
        QTest::mouseClick(entry, Qt::LeftButton, {}, entry->rect().center());
        Pump();
    }
    void Open(int id)
    {
        Click(Item(host, id));
        Pump();
        ASSERT_NE(Palette(), nullptr) << "a click on the picker opens the palette";
    }
    // The colour in the middle of the picker's swatch.
    QColor Swatch(int id)
    {
        QImage icon = IconImage(Item(host, id));
        return icon.isNull() ? QColor() : icon.pixelColor(icon.width() / 2, icon.height() / 2);
    }
    static PickerEvent Ev(UINT message, COLORREF colour, int id) { return {message, colour, id}; }
    // The outcome of a palette the person closed without a choice.
    static std::vector<PickerEvent> Dismissed(COLORREF colour, int id)
    {
        return {Ev(CPN_DROPDOWN, colour, id), Ev(CPN_SELENDCANCEL, colour, id), Ev(CPN_CLOSEUP, colour, id)};
    }
};

TEST_F(ColourPicker, ChoosingACellSetsTheColourAndTellsTheParent)
{
    host.m_node.SetColour(RGB(0, 0, 255));
    EXPECT_EQ(Swatch(IDC_PICK_NODE), QColor(0, 0, 255));
    Open(IDC_PICK_NODE);
    EXPECT_TRUE(host.m_node.IsPaletteOpen());
    EXPECT_EQ(host.events, (std::vector<PickerEvent>{Ev(CPN_DROPDOWN, RGB(0, 0, 255), IDC_PICK_NODE)}));

    Pick("cell-FF0000");
    EXPECT_EQ(Palette(), nullptr) << "a choice closes the palette";
    EXPECT_FALSE(host.m_node.IsPaletteOpen());
    EXPECT_EQ(host.m_node.GetColour(), RGB(255, 0, 0));
    EXPECT_EQ(Swatch(IDC_PICK_NODE), QColor(255, 0, 0));
    EXPECT_EQ(host.events, (std::vector<PickerEvent>{Ev(CPN_DROPDOWN, RGB(0, 0, 255), IDC_PICK_NODE),
                                                     Ev(CPN_SELENDOK, RGB(255, 0, 0), IDC_PICK_NODE),
                                                     Ev(CPN_CLOSEUP, RGB(255, 0, 0), IDC_PICK_NODE)}));
    EXPECT_EQ(host.m_text.GetColour(), CLR_DEFAULT) << "the other picker is untouched";
}

TEST_F(ColourPicker, EscapeClosesThePaletteWithoutAChoice)
{
    host.m_node.SetColour(RGB(0, 255, 255));
    Open(IDC_PICK_NODE);
    Key(VK_ESCAPE);
    Pump();
    EXPECT_EQ(Palette(), nullptr);
    EXPECT_EQ(host.m_node.GetColour(), RGB(0, 255, 255));
    EXPECT_EQ(Swatch(IDC_PICK_NODE), QColor(0, 255, 255));
    EXPECT_EQ(host.events, Dismissed(RGB(0, 255, 255), IDC_PICK_NODE));
    EXPECT_TRUE(host.IsWindowVisible()) << "Escape closes the palette, not the dialog";
}

TEST_F(ColourPicker, MoreColorsAsksTheColourDialogStartingFromTheCurrentColourAndCancelKeepsIt)
{
    std::vector<COLORREF> asked;
    bool confirm = true;
    pdt::support::SetColourDialogHandler([&](COLORREF initial, COLORREF& chosen) {
        asked.push_back(initial);
        chosen = RGB(0x12, 0x34, 0x56);
        return confirm;
    });
    host.m_node.SetColour(RGB(0xC0, 0xC0, 0xC0));
    Open(IDC_PICK_NODE);
    Pick("more");
    EXPECT_EQ(asked, std::vector<COLORREF>{RGB(0xC0, 0xC0, 0xC0)});
    EXPECT_EQ(Palette(), nullptr);
    EXPECT_EQ(host.m_node.GetColour(), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(Swatch(IDC_PICK_NODE), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(host.events[1], Ev(CPN_SELENDOK, RGB(0x12, 0x34, 0x56), IDC_PICK_NODE));

    // A cancelled colour dialog changes nothing.
    host.events.clear();
    confirm = false;
    Open(IDC_PICK_NODE);
    Pick("more");
    EXPECT_EQ(host.m_node.GetColour(), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(host.events, Dismissed(RGB(0x12, 0x34, 0x56), IDC_PICK_NODE));
}

TEST_F(ColourPicker, PickerWithoutTextIsAllSwatchAndADisabledOneDoesNotOpen)
{
    host.m_bare.SetColour(RGB(0, 128, 128));
    QImage icon = IconImage(Item(host, IDC_PICK_BARE));
    CRect r;
    host.m_bare.GetClientRect(&r);
    EXPECT_GE(icon.width(), r.Width() / 2) << "the swatch fills the button";
    EXPECT_EQ(Swatch(IDC_PICK_BARE), QColor(0, 128, 128));

    host.m_node.EnableWindow(FALSE);
    Click(Item(host, IDC_PICK_NODE));
    Pump();
    EXPECT_EQ(Palette(), nullptr);
    EXPECT_TRUE(host.events.empty());
}

TEST_F(ColourPicker, DialogClosedFromTheParentsHandlerOrWhileOpen)
{
    // The parent closes the dialog in its handler: the picker must not touch itself afterwards.
    host.onChosen = [](SupportHost& h, COLORREF, int) { h.DestroyWindow(); };
    Open(IDC_PICK_NODE);
    Pick("cell-0000FF");
    EXPECT_FALSE(IsWindow(host.m_hWnd));
    ASSERT_FALSE(host.events.empty());
    EXPECT_EQ(host.events.back(), Ev(CPN_SELENDOK, RGB(0, 0, 255), IDC_PICK_NODE));

    // A dialog that goes away with a palette open takes the palette with it.
    {
        SupportHost other;
        ASSERT_TRUE(other.Create(IDD_SUPPORT_HOST));
        other.ShowWindow(SW_SHOW);
        Pump();
        Click(Item(other, IDC_PICK_TEXT));
        Pump();
        ASSERT_NE(Palette(), nullptr);
    }
    Pump();
    EXPECT_EQ(Palette(), nullptr);
}

} // namespace
