// Document device contexts: PNG pictures drawn as the screen draws, SVG and PDF written by the toolkit's vector
// writers, and files written whole or not at all.
#include "platform/testing/pdttest.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <fstream>

#include "platform/gdi_p.h"

using namespace pdt::test;

namespace
{

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A scene of everything a flowchart draws: a framed box, a wide frame, a dotted line, a polyline and text.
void DrawScene(CDC& dc)
{
    dc.FillSolidRect(0, 0, 120, 60, RGB(255, 255, 255));
    CBrush fill(RGB(128, 255, 128));
    CPen dotted(PS_DOT, 1, RGB(128, 128, 128)), wide(PS_INSIDEFRAME, 3, RGB(255, 0, 0));
    dc.SelectObject(&fill);
    dc.Rectangle(10, 10, 70, 40);
    dc.SelectObject(&wide);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(11, 11, 69, 39);
    dc.SelectObject(&dotted);
    dc.MoveTo(70, 25);
    dc.LineTo(110, 50);
    dc.SelectStockObject(BLACK_PEN);
    POINT arrow[] = {{100, 5}, {110, 10}, {100, 15}};
    dc.Polyline(arrow, 3);
    dc.SetBkMode(TRANSPARENT);
    CRect text(10, 10, 70, 40);
    dc.DrawText("Node", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectStockObject(WHITE_BRUSH);
}

DEVMODE Picture(int width, int height)
{
    DEVMODE mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    return mode;
}

int PdfPages(const std::string& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf.data(), qsizetype(pdf.size())).count(page));
}

} // namespace

TEST(Documents, APngIsThePictureAMemoryDcDraws)
{
    CClientDC screen(nullptr);
    CDC memory;
    CBitmap bitmap;
    memory.CreateCompatibleDC(&screen);
    bitmap.CreateCompatibleBitmap(&screen, 120, 60);
    CBitmap* old = memory.SelectObject(&bitmap);
    DrawScene(memory);

    std::string path = TempDir() + "/scene.png";
    CDC doc;
    DEVMODE mode = Picture(120, 60);
    ASSERT_TRUE(doc.CreateDC("PNG", nullptr, path.c_str(), &mode));
    EXPECT_TRUE(doc.IsPrinting());
    EXPECT_FALSE(memory.IsPrinting());
    ASSERT_EQ(doc.StartDoc("scene"), 1);
    ASSERT_EQ(doc.StartPage(), 1);
    DrawScene(doc);
    EXPECT_EQ(doc.StartPage(), 0) << "a page is open";
    doc.EndPage();
    EXPECT_EQ(doc.StartPage(), 0) << "a picture has one page";
    ASSERT_EQ(doc.EndDoc(), 1);

    QImage png(QString::fromStdString(path));
    ASSERT_EQ(png.size(), QSize(120, 60));
    int differ = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            differ += pdt::gdi::FromQRgb(png.pixel(x, y)) != memory.GetPixel(x, y);
    EXPECT_EQ(differ, 0);
    memory.SelectObject(old);
}

TEST(Documents, VectorFilesHoldTheDrawingAndMeasureInScreenUnits)
{
    std::string svgPath = TempDir() + "/scene.svg", pdfPath = TempDir() + "/scene.pdf";
    CDC svg;
    DEVMODE mode = Picture(120, 60);
    ASSERT_TRUE(svg.CreateDC("svg", nullptr, svgPath.c_str(), &mode)); // drivers in any letter case
    EXPECT_EQ(svg.GetDeviceCaps(HORZRES), 120);
    EXPECT_EQ(svg.GetDeviceCaps(LOGPIXELSX), 96);
    ASSERT_EQ(svg.StartDoc("scene"), 1);
    ASSERT_EQ(svg.StartPage(), 1);
    DrawScene(svg);
    // Clipping works on a page without pixels.
    svg.IntersectClipRect(10, 10, 70, 40);
    CRect box;
    EXPECT_EQ(svg.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 70, 40));
    EXPECT_TRUE(svg.PtVisible(20, 20));
    EXPECT_FALSE(svg.PtVisible(80, 20));
    svg.EndPage();
    ASSERT_EQ(svg.EndDoc(), 1);
    std::string text = Read(svgPath);
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find(">Node<"), std::string::npos) << "the text is text, not pixels";
    EXPECT_EQ(text.find("<image"), std::string::npos);

    // A PDF of A4 paper with 10 mm margins: 190 x 277 mm printable at 96 units an inch; three pages.
    CDC pdf;
    ASSERT_TRUE(pdf.CreateDC("PDF", nullptr, pdfPath.c_str(), nullptr));
    EXPECT_NEAR(pdf.GetDeviceCaps(HORZRES), 718, 1);
    EXPECT_NEAR(pdf.GetDeviceCaps(VERTRES), 1047, 2);
    EXPECT_NEAR(pdf.GetDeviceCaps(PHYSICALWIDTH), 794, 1);
    EXPECT_NEAR(pdf.GetDeviceCaps(PHYSICALOFFSETX), 38, 1);
    ASSERT_EQ(pdf.StartDoc("scene"), 1);
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_EQ(pdf.StartPage(), 1);
        DrawScene(pdf);
        pdf.EndPage();
    }
    ASSERT_EQ(pdf.EndDoc(), 1);
    std::string bytes = Read(pdfPath);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_EQ(PdfPages(bytes), 3);
}

TEST(Documents, AFileIsWrittenWholeOrNotAtAll)
{
    std::string path = TempDir() + "/kept.svg";
    std::ofstream(path) << "older";
    DEVMODE mode = Picture(50, 50);
    for (int way = 0; way < 3; ++way)
    {
        SCOPED_TRACE(way);
        CDC dc;
        ASSERT_TRUE(dc.CreateDC("SVG", nullptr, path.c_str(), &mode));
        ASSERT_EQ(dc.StartDoc("kept"), 1);
        ASSERT_EQ(dc.StartPage(), 1);
        DrawScene(dc);
        if (way == 0)
            EXPECT_EQ(dc.AbortDoc(), 1);
        else if (way == 1)
            EXPECT_EQ(dc.EndDoc(), SP_ERROR) << "a page is still open";
        // way 2: the DC goes away mid-document
    }
    EXPECT_EQ(Read(path), "older");

    struct Refused
    {
        const char* driver;
        const char* output;
        bool sized;
    } const refused[] = {{"EMF", "x.emf", true}, {"PNG", nullptr, true}, {"PNG", "x.png", false}, {"SVG", "", true}};
    for (const Refused& r : refused)
    {
        SCOPED_TRACE(r.driver);
        CDC dc;
        DEVMODE noSize;
        EXPECT_FALSE(dc.CreateDC(r.driver, nullptr, r.output, r.sized ? &mode : &noSize));
        EXPECT_EQ(dc.StartDoc("x"), SP_ERROR);
    }
    CDC intoFolder;
    ASSERT_TRUE(intoFolder.CreateDC("PDF", nullptr, TempDir().c_str(), nullptr));
    EXPECT_EQ(intoFolder.StartDoc("x"), SP_ERROR) << "a folder cannot be written as a file";
}
