#include "host/app/Export.h"

#include <algorithm>
#include <memory>
#include <ostream>

#include "host/app/FlowchartView.h"
#include "host/app/WindowClass.h"
#include "host/jobfile/JobFile.h"
#include "host/model/JobDocument.h"

ExportKind ExportKindOf(const CString& path)
{
    CString lower = path;
    lower.MakeLower();
    for (auto [ext, kind] : {std::pair{".png", EXPORT_PNG}, {".svg", EXPORT_SVG}, {".pdf", EXPORT_PDF}})
        if (lower.GetLength() > 4 && lower.Right(4) == ext)
            return kind;
    return EXPORT_NONE;
}

PageGrid PagesFor(const CRect& used, CSize page)
{
    PageGrid g{used, page};
    if (used.IsRectEmpty() || page.cx <= 0 || page.cy <= 0)
        g.columns = g.rows = used.IsRectEmpty() ? 1 : 0;
    else
    {
        g.columns = (used.Width() + page.cx - 1) / page.cx;
        g.rows = (used.Height() + page.cy - 1) / page.cy;
    }
    return g;
}

CPoint PageGrid::Origin(int index) const
{
    return used.TopLeft() + CPoint(index % std::max(columns, 1) * page.cx, index / std::max(columns, 1) * page.cy);
}

bool PrintFlowchart(FlowchartView& view, CDC& dc, const CString& title)
{
    PageGrid grid = PagesFor(view.GetUsedRect(), CSize(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)));
    if (grid.Count() == 0 || dc.StartDoc(title) == SP_ERROR)
        return false;
    for (int i = 0; i < grid.Count(); ++i)
    {
        if (dc.StartPage() <= 0)
        {
            dc.AbortDoc();
            return false;
        }
        view.DrawOnPage(dc, grid.Origin(i));
        dc.EndPage();
    }
    return dc.EndDoc() != SP_ERROR;
}

bool ExportFlowchart(FlowchartView& view, const CString& path, CString* why)
{
    auto fail = [&](const char* reason) {
        if (why)
            *why = reason;
        return false;
    };
    ExportKind kind = ExportKindOf(path);
    if (kind == EXPORT_NONE)
        return fail("Give the file the extension .png, .svg or .pdf.");
    CRect used = view.GetUsedRect();
    if (used.IsRectEmpty())
        used = CRect(CPoint(), view.GetPageSize());
    CDC dc;
    DEVMODE mode;
    if (kind != EXPORT_PDF)
    {
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmPelsWidth = DWORD(used.Width());
        mode.dmPelsHeight = DWORD(used.Height());
    }
    else
    {
        mode.dmFields = DM_ORIENTATION;
        mode.dmOrientation = DMORIENT_PORTRAIT;
    }
    static const char* const kDrivers[] = {"", "PNG", "SVG", "PDF"};
    if (!dc.CreateDC(kDrivers[kind], nullptr, path, &mode))
        return fail("The picture is too large or the format is not available.");
    if (kind == EXPORT_PDF)
    {
        // The paper turned the way that needs fewer pages.
        CSize page(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        if (PagesFor(used, CSize(page.cy, page.cx)).Count() < PagesFor(used, page).Count())
        {
            dc.DeleteDC();
            mode.dmOrientation = DMORIENT_LANDSCAPE;
            dc.CreateDC("PDF", nullptr, path, &mode);
        }
    }
    CString title = view.GetDocument() ? view.GetDocument()->GetTitle() : CString();
    if (kind == EXPORT_PDF)
        return PrintFlowchart(view, dc, title) || fail("The file could not be written.");
    if (dc.StartDoc(title) == SP_ERROR || dc.StartPage() <= 0)
        return fail("The file could not be written.");
    view.DrawOnPage(dc, used.TopLeft());
    dc.EndPage();
    return dc.EndDoc() != SP_ERROR || fail("The file could not be written.");
}

int RunExportCommand(const char* job, const char* out, std::ostream& err)
{
    std::string why;
    std::unique_ptr<JobDocument> doc = LoadJobFile(job, &why);
    if (!doc)
    {
        err << "jobhost: " << why << "\n";
        return 1;
    }
    // The view measures its labels on a window of its own; nobody sees it.
    RegisterHostClass("PdtExportHolder");
    CWnd holder;
    FlowchartView view;
    if (!holder.CreateEx(0, "PdtExportHolder", "", WS_POPUP, CRect(0, 0, 640, 480), nullptr, 0) ||
        !view.Create(&holder, CRect(0, 0, 640, 480), 1))
    {
        err << "jobhost: cannot make the flowchart's window\n";
        return 1;
    }
    view.SetDocument(doc.get());
    CString reason;
    bool ok = ExportFlowchart(view, out, &reason);
    view.SetDocument(nullptr);
    view.DestroyWindow();
    holder.DestroyWindow();
    if (!ok)
        err << "jobhost: Cannot export to " << out << ". " << reason.c_str() << "\n";
    return ok ? 0 : 1;
}
