// Window positions kept in the settings file: stored, restored (with or without the size), and refused when
// the stored value is damaged or would put the window where nobody can reach it.
#include <QGuiApplication>
#include <QScreen>

#include "support_harness.h"

using namespace pdt::test;

namespace
{

// A plain top-level window that can be moved and sized freely (dialogs from templates have a fixed size).
class WindowPosition : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        m_screen = CRect(screen.left(), screen.top(), screen.right() + 1, screen.bottom() + 1);
        ASSERT_TRUE(CreatePlainWindow(host, "SupportTestFrame",
                                      CRect(m_screen.left + 100, m_screen.top + 100, m_screen.left + 400,
                                            m_screen.top + 300),
                                      WS_POPUP | WS_CAPTION | WS_VISIBLE));
    }
    void TearDown() override
    {
        host.DestroyWindow();
        Pump();
    }
    CRect Rect() const
    {
        CRect r;
        host.GetWindowRect(&r);
        return r;
    }
    // Stores a raw value and checks it is refused without moving the window.
    void ExpectRefused(const char* value, int flags = 0)
    {
        store.WriteString("Windows", "Host", value);
        CRect before = Rect();
        EXPECT_FALSE(SetWindowPosition(&host, "Windows", "Host", store, flags)) << "\"" << value << "\"";
        EXPECT_EQ(Rect(), before) << "\"" << value << "\"";
    }

    CWnd host;
    CAppProfile store{TempDir() + "/settings.ini"};
    CRect m_screen;
};

TEST_F(WindowPosition, StoredPositionAndSizeComeBackOrThePositionAlone)
{
    host.MoveWindow(m_screen.left + 40, m_screen.top + 30, 300, 200);
    CRect placed = Rect();
    ASSERT_TRUE(PutWindowPosition(&host, "Windows", "Host", store));
    EXPECT_EQ(store.GetString("Windows", "Host", ""),
              CString(std::to_string(placed.left) + "," + std::to_string(placed.top) + "," +
                      std::to_string(placed.right) + "," + std::to_string(placed.bottom)));

    host.MoveWindow(m_screen.left + 5, m_screen.top + 5, 250, 150);
    ASSERT_TRUE(SetWindowPosition(&host, "Windows", "Host", store, 0));
    EXPECT_EQ(Rect(), placed);

    store.WriteString("Windows", "Host", " 20 , 25 ,220, 175 ");
    ASSERT_TRUE(SetWindowPosition(&host, "Windows", "Host", store, 0));
    EXPECT_EQ(Rect(), CRect(20, 25, 220, 175)) << "a hand-written value with spaces";

    // Position only: the current size stays.
    host.MoveWindow(m_screen.left + 60, m_screen.top + 50, 320, 220);
    ASSERT_TRUE(PutWindowPosition(&host, "Windows", "Host", store));
    host.MoveWindow(m_screen.left + 10, m_screen.top + 10, 260, 180);
    CRect sized = Rect();
    ASSERT_TRUE(SetWindowPosition(&host, "Windows", "Host", store, 1));
    CRect r = Rect();
    EXPECT_EQ(r.TopLeft(), CPoint(m_screen.left + 60, m_screen.top + 50));
    EXPECT_EQ(r.Size(), sized.Size());
}

// A size from a larger desktop (or a damaged file) is cut to the screen, and the window kept on it.
TEST_F(WindowPosition, AStoredSizeLargerThanTheScreenIsCutToIt)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    CString huge;
    huge.Format("%d,%d,%d,%d", area.left() + 50, area.top() + 40, area.left() + 50 + 4490, area.top() + 40 + 4210);
    store.WriteString("Windows", "Host", huge);
    ASSERT_TRUE(SetWindowPosition(&host, "Windows", "Host", store, 0));
    CRect r = Rect();
    EXPECT_EQ(r.Width(), area.width());
    EXPECT_EQ(r.Height(), area.height());
    EXPECT_EQ(r.TopLeft(), CPoint(area.left(), area.top())) << "slid back onto the screen";
}

TEST_F(WindowPosition, DamagedValuesAreRefused)
{
    host.MoveWindow(m_screen.left + 15, m_screen.top + 15, 200, 150);
    for (const char* bad : {"", "abc", "1,2,3", "1,2,3,4,5", "10,10,5,50", "10,10,10,10", "10;10;200;200",
                            "10,10,200,200x", "10,,200,200", "99999999999,0,100,100", "0,0,2147483647,2147483647",
                            "0,0,100000000,100", "0x10,0x10,0x100,0x100", "1.5,2,300,300"})
        ExpectRefused(bad);
    ExpectRefused("10,10,5,50", 1); // damaged even when only the position is wanted
    EXPECT_FALSE(SetWindowPosition(&host, "Windows", "Missing", store, 0));
}

TEST_F(WindowPosition, PositionsOffEveryScreenAreRefusedAndBadArgumentsDoNothing)
{
    host.MoveWindow(m_screen.left + 15, m_screen.top + 15, 200, 150);
    CString v;
    // Entirely off to the left, right, above, below.
    for (CRect r : {CRect(-5000, 10, -4700, 210), CRect(m_screen.right + 100, 10, m_screen.right + 400, 210),
                    CRect(10, -3000, 310, -2800), CRect(10, m_screen.bottom + 50, 310, m_screen.bottom + 250),
                    // Title bar just above the screen, body visible: cannot be dragged back.
                    CRect(10, m_screen.top - 100, 310, m_screen.top + 200),
                    // Only a sliver of the title at the right edge.
                    CRect(m_screen.right - 10, 20, m_screen.right + 290, 220)})
    {
        v.Format("%d,%d,%d,%d", int(r.left), int(r.top), int(r.right), int(r.bottom));
        ExpectRefused(v);
    }
    // Partly off the screen, with enough of the title on it: accepted.
    v.Format("%d,%d,%d,%d", m_screen.left - 100, m_screen.top + 10, m_screen.left + 200, m_screen.top + 210);
    store.WriteString("Windows", "Host", v);
    EXPECT_TRUE(SetWindowPosition(&host, "Windows", "Host", store, 0));
    EXPECT_EQ(Rect().TopLeft(), CPoint(m_screen.left - 100, m_screen.top + 10));
    // Position only: the check uses the size the window will keep. A narrow rectangle off the left edge is
    // unreachable; the same position with a 400-pixel window is not.
    v.Format("%d,%d,%d,%d", m_screen.left - 350, m_screen.top + 20, m_screen.left - 300, m_screen.top + 70);
    host.MoveWindow(m_screen.left + 15, m_screen.top + 15, 400, 150);
    ExpectRefused(v, 0);
    EXPECT_TRUE(SetWindowPosition(&host, "Windows", "Host", store, 1));
    EXPECT_EQ(Rect(), CRect(m_screen.left - 350, m_screen.top + 20, m_screen.left + 50, m_screen.top + 170));

    // Bad arguments do nothing.
    store.WriteString("Windows", "Host", "10,10,200,200");
    CWnd notAWindow;
    EXPECT_FALSE(SetWindowPosition(&notAWindow, "Windows", "Host", store, 0));
    EXPECT_FALSE(SetWindowPosition(&host, nullptr, "Host", store, 0));
    EXPECT_FALSE(PutWindowPosition(nullptr, "Windows", "Other", store));
    EXPECT_FALSE(PutWindowPosition(&host, "Windows", nullptr, store));
    EXPECT_EQ(store.GetString("Windows", "Other", "<none>"), "<none>");
}

} // namespace
