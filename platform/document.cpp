// Documents: device contexts that write PNG, SVG and PDF files or print. A file is written whole or not at all
// (through a temporary that replaces it at EndDoc), so a failed or abandoned export leaves an older file as it was.
#include "platform/gdi_p.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QSvgGenerator>

namespace
{
constexpr int kUnitsPerInch = 96;

QPageSize PaperOf(const DEVMODE* mode)
{
    if (!mode || !(mode->dmFields & DM_PAPERSIZE))
        return QPageSize(QPageSize::A4);
    switch (mode->dmPaperSize)
    {
    case DMPAPER_LETTER: return QPageSize(QPageSize::Letter);
    case DMPAPER_LEGAL: return QPageSize(QPageSize::Legal);
    case DMPAPER_A3: return QPageSize(QPageSize::A3);
    default: return QPageSize(QPageSize::A4);
    }
}

QPageLayout::Orientation OrientationOf(const DEVMODE* mode)
{
    bool landscape = mode && (mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE;
    return landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The picture's size from DEVMODE, when it gives one that a file can hold.
QSize PictureOf(const DEVMODE* mode)
{
    if (!mode || !(mode->dmFields & DM_PELSWIDTH) || !(mode->dmFields & DM_PELSHEIGHT))
        return QSize();
    QSize size(int(std::min<DWORD>(mode->dmPelsWidth, 32767)), int(std::min<DWORD>(mode->dmPelsHeight, 32767)));
    return size.isEmpty() ? QSize() : size;
}

DocumentDevice* Doc(HDC h)
{
    DCRecord* d = pdt::gdi::LiveDC(h);
    return d && d->kind == DCRecord::Kind::Document ? d->doc.get() : nullptr;
}

// What the painter of a page of a paged device is set to: 96 units an inch from the printable area's corner.
void ScaleToUnits(QPainter& p, const QPaintDevice& device)
{
    p.scale(double(device.logicalDpiX()) / kUnitsPerInch, double(device.logicalDpiY()) / kUnitsPerInch);
}
} // namespace

DocumentDevice::DocumentDevice() = default;
DocumentDevice::~DocumentDevice() = default;

QPagedPaintDevice* DocumentDevice::Paged() const { return dynamic_cast<QPagedPaintDevice*>(device.get()); }

QRect DocumentDevice::Page() const
{
    if (QPagedPaintDevice* paged = Paged())
        return QRect(QPoint(), paged->pageLayout().paintRectPixels(kUnitsPerInch).size());
    return QRect(QPoint(), size);
}

int pdt::gdi::DocumentPages(HDC h)
{
    const DocumentDevice* doc = Doc(h);
    return doc ? doc->pages : 0;
}

HDC pdt::gdi::CreatePrinterDC(std::shared_ptr<QPaintDevice> printer)
{
    auto doc = std::make_unique<DocumentDevice>();
    doc->format = DocumentDevice::Format::Printer;
    doc->device = std::move(printer);
    return doc->Paged() ? NewDocumentDC(std::move(doc)) : nullptr;
}

QPainter* pdt::gdi::VectorPainter(const DCRecord* d)
{
    const DocumentDevice* doc = d ? d->doc.get() : nullptr;
    return doc && doc->inPage && doc->format != DocumentDevice::Format::Png ? doc->painter.get() : nullptr;
}

std::optional<QRect> pdt::gdi::DocumentArea(const DCRecord* d)
{
    const DocumentDevice* doc = d ? d->doc.get() : nullptr;
    return doc && doc->inPage ? std::optional<QRect>(doc->Page()) : std::nullopt;
}

int pdt::gdi::DocumentCaps(const DCRecord* d, int index)
{
    const DocumentDevice& doc = *d->doc;
    QRect page = doc.Page();
    QRect paper = page;
    QPagedPaintDevice* paged = doc.Paged();
    if (paged)
        paper = paged->pageLayout().fullRectPixels(kUnitsPerInch);
    QPoint offset = paged ? paged->pageLayout().paintRectPixels(kUnitsPerInch).topLeft() : QPoint();
    switch (index)
    {
    case TECHNOLOGY: return doc.format == DocumentDevice::Format::Printer ? DT_RASPRINTER : DT_METAFILE;
    case LOGPIXELSX:
    case LOGPIXELSY: return kUnitsPerInch;
    case HORZRES: return page.width();
    case VERTRES: return page.height();
    case HORZSIZE: return MulDiv(page.width(), 254, kUnitsPerInch * 10);
    case VERTSIZE: return MulDiv(page.height(), 254, kUnitsPerInch * 10);
    case PHYSICALWIDTH: return paper.width();
    case PHYSICALHEIGHT: return paper.height();
    case PHYSICALOFFSETX: return offset.x();
    case PHYSICALOFFSETY: return offset.y();
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return doc.format == DocumentDevice::Format::Png ? RC_BITBLT | RC_STRETCHBLT : 0;
    default: return 0;
    }
}

BOOL CDC::CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const DEVMODE* mode)
{
    if (m_hDC || !driver)
        return FALSE;
    auto doc = std::make_unique<DocumentDevice>();
    QString name = QString::fromUtf8(driver).toUpper();
    if (name == QLatin1String("WINSPOOL"))
    {
        QPrinterInfo info = device && *device ? QPrinterInfo::printerInfo(QString::fromUtf8(device)) : QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return FALSE;
        auto printer = std::make_shared<QPrinter>(info, QPrinter::HighResolution);
        printer->setPageSize(PaperOf(mode));
        printer->setPageOrientation(OrientationOf(mode));
        HDC h = pdt::gdi::CreatePrinterDC(std::move(printer));
        return Attach(h);
    }
    if (!output || !*output)
        return FALSE;
    doc->output = QString::fromUtf8(output);
    doc->size = PictureOf(mode);
    if (name == QLatin1String("PNG"))
        doc->format = DocumentDevice::Format::Png;
    else if (name == QLatin1String("SVG"))
        doc->format = DocumentDevice::Format::Svg;
    else if (name == QLatin1String("PDF"))
        doc->format = DocumentDevice::Format::Pdf;
    else
        return FALSE;
    if (doc->format != DocumentDevice::Format::Pdf && doc->size.isEmpty())
        return FALSE; // a picture needs its size
    doc->file = std::make_unique<QSaveFile>(doc->output);
    if (doc->format == DocumentDevice::Format::Svg)
    {
        auto svg = std::make_shared<QSvgGenerator>();
        svg->setOutputDevice(doc->file.get());
        svg->setSize(doc->size);
        svg->setViewBox(QRect(QPoint(), doc->size));
        svg->setResolution(kUnitsPerInch);
        doc->device = svg;
    }
    else if (doc->format == DocumentDevice::Format::Pdf)
    {
        auto pdf = std::make_shared<QPdfWriter>(doc->file.get());
        pdf->setResolution(kUnitsPerInch);
        pdf->setCreator(QStringLiteral("pdtdlg"));
        if (doc->size.isEmpty())
            pdf->setPageLayout(QPageLayout(PaperOf(mode), OrientationOf(mode), QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        else
            pdf->setPageLayout(QPageLayout(QPageSize(QSizeF(doc->size) * 72.0 / kUnitsPerInch, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        doc->device = pdf;
    }
    return Attach(pdt::gdi::NewDocumentDC(std::move(doc)));
}

namespace
{
void Discard(DocumentDevice& doc)
{
    doc.inPage = false;
    doc.started = false;
    doc.painter.reset();
    if (doc.format != DocumentDevice::Format::Printer)
        doc.device.reset();
    doc.file.reset(); // uncommitted: the file stays as it was
}
} // namespace

int CDC::StartDoc(LPDOCINFO info)
{
    DocumentDevice* doc = Doc(m_hDC);
    if (!doc || doc->started || (info && info->cbSize < int(sizeof(int))))
        return SP_ERROR;
    doc->pages = 0;
    if (doc->format == DocumentDevice::Format::Printer)
    {
        auto* printer = dynamic_cast<QPrinter*>(doc->device.get());
        if (printer && info && info->lpszDocName)
            printer->setDocName(QString::fromUtf8(info->lpszDocName));
        if (printer && info && info->lpszOutput && *info->lpszOutput)
            printer->setOutputFileName(QString::fromUtf8(info->lpszOutput)); // printing to a file is PDF
        doc->started = true;
        return 1;
    }
    if (!doc->file || (doc->format != DocumentDevice::Format::Png && !doc->file->open(QIODevice::WriteOnly)))
        return SP_ERROR;
    QString title = info && info->lpszDocName ? QString::fromUtf8(info->lpszDocName) : QFileInfo(doc->output).completeBaseName();
    if (auto* svg = dynamic_cast<QSvgGenerator*>(doc->device.get()))
        svg->setTitle(title);
    if (auto* pdf = dynamic_cast<QPdfWriter*>(doc->device.get()))
        pdf->setTitle(title);
    doc->started = true;
    return 1;
}

int CDC::StartDoc(LPCTSTR docName)
{
    DOCINFO info;
    info.lpszDocName = docName;
    return StartDoc(&info);
}

int CDC::StartPage()
{
    DocumentDevice* doc = Doc(m_hDC);
    if (!doc || !doc->started || doc->inPage)
        return 0;
    if (doc->format == DocumentDevice::Format::Png || doc->format == DocumentDevice::Format::Svg)
    {
        if (doc->pages > 0)
            return 0; // a picture is one page
        if (doc->format == DocumentDevice::Format::Png)
        {
            doc->image = QImage(doc->size, QImage::Format_RGB32);
            doc->image.fill(Qt::white);
        }
    }
    if (doc->format != DocumentDevice::Format::Png)
    {
        if (!doc->painter)
        {
            doc->painter = std::make_unique<QPainter>();
            if (!doc->painter->begin(doc->device.get()))
            {
                doc->painter.reset();
                return 0;
            }
        }
        else if (doc->Paged() && !doc->Paged()->newPage())
            return 0;
        doc->painter->resetTransform();
        if (doc->Paged())
            ScaleToUnits(*doc->painter, *doc->device);
        doc->painter->setRenderHint(QPainter::Antialiasing, false);
    }
    DCRecord* d = pdt::gdi::LiveDC(m_hDC);
    d->st.clip.reset();
    doc->inPage = true;
    return 1;
}

int CDC::EndPage()
{
    DocumentDevice* doc = Doc(m_hDC);
    if (!doc || !doc->inPage)
        return 0;
    doc->inPage = false;
    ++doc->pages;
    return 1;
}

int CDC::EndDoc()
{
    DocumentDevice* doc = Doc(m_hDC);
    if (!doc || !doc->started || doc->inPage)
        return SP_ERROR;
    bool ok = doc->pages > 0;
    if (doc->painter)
        ok = doc->painter->end() && ok;
    doc->painter.reset();
    if (doc->file)
    {
        if (doc->format == DocumentDevice::Format::Png)
            ok = ok && doc->file->open(QIODevice::WriteOnly) && doc->image.save(doc->file.get(), "PNG");
        doc->device.reset(); // writers flush into the file as they go away
        ok = ok && doc->file->commit();
    }
    Discard(*doc);
    return ok ? 1 : SP_ERROR;
}

int CDC::AbortDoc()
{
    DocumentDevice* doc = Doc(m_hDC);
    if (!doc || !doc->started)
        return SP_ERROR;
    if (auto* printer = dynamic_cast<QPrinter*>(doc->device.get()); printer && doc->painter)
        printer->abort();
    Discard(*doc);
    return 1;
}

BOOL CDC::IsPrinting() const { return Doc(m_hDC) != nullptr; }
