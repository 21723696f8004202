// Getting the flowchart out of jobhost: File > Export as PNG (the window's own picture), SVG (text a program can
// read, in the job's own characters) and PDF (as many pages as the flowchart needs), and printing with a preview.
#include "app_harness.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "host/app/Export.h"
#include "support/Print.h"

using namespace pdt::test;

namespace
{

QString ReadText(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

int PdfPages(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(f.readAll()).count(page));
}

// The texts of an SVG document; empty when it is not well-formed XML.
QStringList SvgTexts(const QString& svg)
{
    QStringList texts;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return xml.hasError() ? QStringList() : texts;
}

class Export : public MainWindowTest
{
  protected:
    void TearDown() override
    {
        pdt::support::SetPrintHandler(nullptr);
        MainWindowTest::TearDown();
    }

    // File > Export, answering the file dialog with `path`.
    void ExportAs(const std::string& path)
    {
        pdt::support::SetFileDialogHandler([&](const pdt::support::FileDialogRequest& r) {
            EXPECT_FALSE(r.open);
            return CString(path);
        });
        Menu("File", ID_FILE_EXPORT);
    }
};

TEST_F(Export, APngIsWhatTheWindowShowsWithoutTheSelection)
{
    Open();
    CRect used = View().GetUsedRect();
    View().ScrollTo(used.TopLeft());
    View().SelectNode(Node("Main Menu"));
    Pump();
    ASSERT_EQ(View().GetScrollPosition(), used.TopLeft()) << "the window must show the used part from its corner";
    std::string png = TempDir() + "/job.png", shown = TempDir() + "/shown.png";
    ExportAs(png);
    View().SelectNode(nullptr);
    Pump();
    ASSERT_TRUE(SavePng(ViewWnd(), shown));
    QImage exported(QString::fromStdString(png)), window(QString::fromStdString(shown));
    ASSERT_EQ(exported.size(), QSize(used.Width(), used.Height()));
    CRect view = View().GetViewRect();
    int w = std::min(exported.width(), view.Width()), h = std::min(exported.height(), view.Height()), differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            differ += exported.pixel(x, y) != window.pixel(x, y);
    EXPECT_EQ(differ, 0) << "over " << w << " x " << h;

    View().SetZoom(50, CPoint());
    std::string zoomed = TempDir() + "/zoomed.png";
    ExportAs(zoomed);
    EXPECT_EQ(QImage(QString::fromStdString(zoomed)), exported) << "the page's own size at any zoom";
    EXPECT_EQ(View().GetZoom(), 50);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(Export, AnSvgHoldsEveryNodesNameInTheJobsCharacters)
{
    auto doc = MakeSampleJob();
    doc->m_nLanguage = 1;
    doc->m_language.nDBFontCode = 1;
    doc->FindNodeByName("Totals")->m_strName = Utf8ToCodePage("\xE5\x90\x88\xE8\xAE\xA1", 936).c_str(); // 合计
    Open(std::move(doc));
    std::string svg = TempDir() + "/job.svg";
    ExportAs(svg);
    QString text = ReadText(svg);
    QStringList texts = SvgTexts(text);
    ASSERT_FALSE(texts.isEmpty()) << "not well-formed: " << text.left(200).toStdString();
    for (int i = 0; i < Doc().GetNodeCount(); ++i)
    {
        const HostNode& node = *Doc().GetNodeAt(i);
        if (node.m_nKind == NODE_COMMENT)
            continue;
        QString name = QString::fromStdString(CodePageToUtf8(node.m_strName.str(), 936));
        EXPECT_TRUE(texts.contains(name)) << name.toStdString();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("\u5408\u8BA1")));
    EXPECT_FALSE(text.contains(QLatin1String("<image"))) << "vector, not a picture of pixels";
}

TEST_F(Export, APdfHasThePagesTheFlowchartNeedsAndRefusalsSayWhy)
{
    Open();
    std::string pdf = TempDir() + "/job.pdf";
    ExportAs(pdf);
    EXPECT_EQ(PdfPages(pdf), 1) << "the sample fits one A4 page turned sideways";
    // A node far to the right: 3,000 units are three sideways pages of 1,047 wide, one high.
    Node("Exit")->m_ptPosition.x = 2900;
    ExportAs(pdf);
    EXPECT_EQ(PdfPages(pdf), 3);

    std::string folder = TempDir() + "/folder.svg"; // a folder cannot be written as a file
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(folder)));
    for (const std::string& bad : {TempDir() + "/job.txt", folder})
    {
        SCOPED_TRACE(bad);
        ExpectMessageBox(IDOK);
        ExportAs(bad);
    }
    ASSERT_EQ(MessageBoxes().size(), 2u);
    EXPECT_NE(MessageBoxes()[0].text.Find(".png, .svg or .pdf"), -1) << MessageBoxes()[0].text.c_str();
    EXPECT_NE(MessageBoxes()[1].text.Find("could not be written"), -1) << MessageBoxes()[1].text.c_str();
    EXPECT_EQ(PdfPages(pdf), 3) << "the last good export is still there";
}

TEST_F(Export, PrintAndItsPreviewGiveTheSamePages)
{
    Open();
    Node("Exit")->m_ptPosition.x = 2900;
    std::string printed = TempDir() + "/printed.pdf";
    std::vector<pdt::support::PrintRequest> asked;
    pdt::support::SetPrintHandler([&](const pdt::support::PrintRequest& r) {
        asked.push_back(r);
        return r.kind == pdt::support::PrintRequest::Print ? CString(printed) : CString("OK");
    });
    Menu("File", ID_FILE_PAGE_SETUP);
    Menu("File", ID_FILE_PRINT_PREVIEW);
    Menu("File", ID_FILE_PRINT);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].kind, pdt::support::PrintRequest::Setup);
    EXPECT_EQ(asked[1].kind, pdt::support::PrintRequest::Preview);
    int pages = PdfPages(printed);
    EXPECT_GE(pages, 3) << "3,000 units wide on a printer's portrait pages";
    EXPECT_EQ(asked[1].pages, pages);
    // Ctrl+P is Print; Cancel in the print dialog prints nothing.
    pdt::support::SetPrintHandler([&](const pdt::support::PrintRequest& r) {
        asked.push_back(r);
        return CString();
    });
    View().SetFocus();
    Key('P', false, true);
    Pump();
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[3].kind, pdt::support::PrintRequest::Print);
    EXPECT_TRUE(MessageBoxes().empty());
}

} // namespace
