#include "support/Print.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

#include "platform/gdi_p.h"
#include "platform/window_p.h"
#include "support/Seams.h"
#include "support/Support.h"

namespace
{
pdt::support::PrintHandler g_print;

// One printer for the process: what Page Setup chose is what Print and Print Preview use.
std::shared_ptr<QPrinter>& Printer()
{
    static std::shared_ptr<QPrinter> printer;
    if (!printer)
        printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    return printer;
}

QWidget* Owner(CWnd* parent) { return parent ? pdt::win::PeerWindow(parent->m_hWnd) : nullptr; }
} // namespace

namespace pdt::support
{

void SetPrintHandler(PrintHandler handler) { g_print = std::move(handler); }

HDC ChoosePrinter(CWnd* parent)
{
    std::shared_ptr<QPrinter> printer = Printer();
    if (g_print)
    {
        CString file = g_print(PrintRequest{PrintRequest::Print});
        if (file.IsEmpty())
            return nullptr;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(ToQt(file));
    }
    else
    {
        QPrintDialog dialog(printer.get(), Owner(parent));
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
    }
    return pdt::gdi::CreatePrinterDC(printer);
}

bool PageSetup(CWnd* parent)
{
    if (g_print)
        return !g_print(PrintRequest{PrintRequest::Setup}).IsEmpty();
    QPageSetupDialog dialog(Printer().get(), Owner(parent));
    return dialog.exec() == QDialog::Accepted;
}

void PrintPreview(CWnd* parent, const std::function<void(CDC& dc)>& print)
{
    // The preview's printers are lent for one drawing each.
    auto draw = [&](QPrinter* printer) {
        CDC dc;
        dc.Attach(pdt::gdi::CreatePrinterDC(std::shared_ptr<QPaintDevice>(std::shared_ptr<QPaintDevice>(), printer)));
        print(dc);
        int pages = pdt::gdi::DocumentPages(dc.m_hDC);
        dc.DeleteDC();
        return pages;
    };
    if (g_print)
    {
        // The pages as the preview would draw them: into a PDF nobody keeps.
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(Printer()->pageLayout());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/dev/null"));
        PrintRequest request{PrintRequest::Preview};
        request.pages = draw(&printer);
        g_print(request);
        return;
    }
    QPrintPreviewDialog dialog(Printer().get(), Owner(parent));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) { draw(printer); });
    dialog.exec();
}

} // namespace pdt::support
