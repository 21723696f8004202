#include "support_harness.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QImage>

#include <ostream>

#include "platform/afxres.h"

namespace pdt::test
{

namespace
{

struct Embedded
{
    explicit Embedded(std::string text) : bytes(text.begin(), text.end())
    {
    }
    EmbeddedFile As(const char* name) const
    {
        return {name, bytes.data(), bytes.size()};
    }
    std::vector<unsigned char> bytes;
};

const char kScript[] = R"(
#define IDD_SUPPORT_HOST 9700
IDD_SUPPORT_HOST DIALOGEX 0, 0, 220, 140
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Support host"
FONT 8, "MS Shell Dlg", 400, 0, 0x1
BEGIN
    PUSHBUTTON      "Node",101,7,7,60,14
    PUSHBUTTON      "Text",102,7,25,60,14
    PUSHBUTTON      "",103,7,43,30,14
    PUSHBUTTON      "Go",104,7,61,60,14
    COMBOBOX        106,80,7,100,80,CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
    COMBOBOX        107,80,25,100,80,CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP
    EDITTEXT        108,100,43,110,40,ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL
    DEFPUSHBUTTON   "OK",IDOK,106,119,50,14
    PUSHBUTTON      "Cancel",IDCANCEL,163,119,50,14
END
9710 DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION "List"
FONT 8, "MS Shell Dlg", 400, 0, 0x1
BEGIN
    CONTROL         "",110,"SysListView32",LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP,7,7,186,100
END
9701 BITMAP "res\\arrow24.bmp"
9703 BITMAP "res\\truncated.bmp"
9704 BITMAP "res\\absent.bmp"
)";

} // namespace

// A BMP file of an image drawn pixel by pixel, written by the toolkit.
std::string MakeBmp(int width, int height, const std::function<QRgb(int x, int y)>& pixel)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixel(x, y));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

bool ArrowPixel(int x, int y)
{
    return x >= 1 && x <= 4 && y >= x - 1 && y <= 8 - x;
}

void EnsureSupportTestResources()
{
    struct Resources
    {
        Embedded script{kScript};
        Embedded arrow{
            MakeBmp(8, 8, [](int x, int y) { return ArrowPixel(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255); })};
        Embedded truncated{MakeBmp(8, 8, [](int, int) { return qRgb(0, 0, 0); }).substr(0, 80)};
        ResourceModule module{
            "supporttests",
            "support_tests.rc",
            {script.As("support_tests.rc"), arrow.As("res/arrow24.bmp"), truncated.As("res/truncated.bmp")}};
    };
    static Resources resources;
}

QImage IconImage(HWND button)
{
    auto* b = qobject_cast<QAbstractButton*>(Peer(button));
    if (!b || b->icon().isNull())
        return QImage();
    return b->icon().pixmap(b->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
}

std::ostream& operator<<(std::ostream& os, const PickerEvent& e)
{
    const char* name = e.message == CPN_DROPDOWN       ? "DROPDOWN"
                       : e.message == CPN_CLOSEUP      ? "CLOSEUP"
                       : e.message == CPN_SELENDOK     ? "SELENDOK"
                       : e.message == CPN_SELENDCANCEL ? "SELENDCANCEL"
                                                       : "?";
    return os << "{" << name << ", 0x" << std::hex << e.colour << std::dec << ", " << e.id << "}";
}

const MessageMap& SupportHost::GetThisMessageMap()
{
    static const MessageMap map(&RecordingDialog::GetThisMessageMap(),
                                {
                                    mm::Message(CPN_DROPDOWN, &SupportHost::OnPicker<CPN_DROPDOWN>),
                                    mm::Message(CPN_CLOSEUP, &SupportHost::OnPicker<CPN_CLOSEUP>),
                                    mm::Message(CPN_SELENDOK, &SupportHost::OnPicker<CPN_SELENDOK>),
                                    mm::Message(CPN_SELENDCANCEL, &SupportHost::OnPicker<CPN_SELENDCANCEL>),
                                });
    return map;
}

BOOL SupportHost::OnInitDialog()
{
    RecordingDialog::OnInitDialog();
    m_node.SubclassDlgItem(IDC_PICK_NODE, this);
    m_text.SubclassDlgItem(IDC_PICK_TEXT, this);
    m_bare.SubclassDlgItem(IDC_PICK_BARE, this);
    m_go.SubclassDlgItem(IDC_BUTTON_GO, this);
    return TRUE;
}

} // namespace pdt::test
