#include "support_harness.h"

#include <QAbstractButton>
#include <QImage>
#include <QPixmap>

#include <memory>
#include <ostream>

#include "platform/afxres.h"

namespace pdt::test
{

namespace
{

void Put16(std::string& s, uint32_t v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

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
    PUSHBUTTON      "",105,70,61,20,14
    COMBOBOX        106,80,7,100,80,CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
    COMBOBOX        107,80,25,100,80,CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP
    EDITTEXT        108,100,43,110,40,ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL
    EDITTEXT        109,100,88,110,12,ES_AUTOHSCROLL
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
9702 BITMAP "res\\palette8.bmp"
9703 BITMAP "res\\truncated.bmp"
9704 BITMAP "res\\absent.bmp"
)";

} // namespace

std::string MakeBmp(const BmpLayout& layout)
{
    int w = layout.width, h = layout.height, bpp = layout.bitCount;
    size_t stride = size_t(((w * bpp + 31) / 32) * 4);
    std::string pixels;
    for (int row = 0; row < h; ++row)
    {
        int y = layout.topDown ? row : h - 1 - row;
        std::string line(stride, '\0');
        for (int x = 0; x < w; ++x)
        {
            uint32_t v = layout.value ? layout.value(x, y) : 0;
            switch (bpp)
            {
            case 1:
            case 4:
            case 8: {
                size_t bit = size_t(x) * size_t(bpp);
                line[bit / 8] = char(uint8_t(line[bit / 8]) | uint8_t(v << (8 - bpp - bit % 8)));
                break;
            }
            case 16:
                line[size_t(x) * 2] = char(v & 0xFF);
                line[size_t(x) * 2 + 1] = char((v >> 8) & 0xFF);
                break;
            case 24:
                line[size_t(x) * 3] = char(GetBValue(v));
                line[size_t(x) * 3 + 1] = char(GetGValue(v));
                line[size_t(x) * 3 + 2] = char(GetRValue(v));
                break;
            case 32:
                if (layout.masks.empty())
                    v = (uint32_t(GetRValue(v)) << 16) | (uint32_t(GetGValue(v)) << 8) | GetBValue(v);
                line[size_t(x) * 4] = char(v & 0xFF);
                line[size_t(x) * 4 + 1] = char((v >> 8) & 0xFF);
                line[size_t(x) * 4 + 2] = char((v >> 16) & 0xFF);
                line[size_t(x) * 4 + 3] = char((v >> 24) & 0xFF);
                break;
            }
        }
        pixels += line;
    }
    std::string info;
    if (layout.coreHeader)
    {
        Put32(info, 12);
        Put16(info, uint32_t(w));
        Put16(info, uint32_t(h));
        Put16(info, 1);
        Put16(info, uint32_t(bpp));
        for (COLORREF c : layout.palette)
            info += std::string{char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c))};
    }
    else
    {
        Put32(info, 40);
        Put32(info, uint32_t(w));
        Put32(info, uint32_t(layout.topDown ? -h : h));
        Put16(info, 1);
        Put16(info, uint32_t(bpp));
        Put32(info, layout.compression);
        Put32(info, uint32_t(pixels.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, uint32_t(layout.palette.size()));
        Put32(info, 0);
        for (uint32_t m : layout.masks)
            Put32(info, m);
        for (COLORREF c : layout.palette)
            info += std::string{char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c)), '\0'};
    }
    std::string file = "BM";
    Put32(file, uint32_t(14 + info.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, uint32_t(14 + info.size()));
    return file + info + pixels;
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
        Embedded arrow{MakeBmp({.width = 8, .height = 8, .bitCount = 24, .value = [](int x, int y) {
                                    return ArrowPixel(x, y) ? RGB(0, 0, 0) : RGB(255, 255, 255);
                                }})};
        Embedded palette8{MakeBmp({.width = 5,
                                   .height = 3,
                                   .bitCount = 8,
                                   .palette = {RGB(255, 0, 255), RGB(0, 0, 255), RGB(255, 255, 0)},
                                   .value = [](int x, int y) { return uint32_t(x == 2   ? 1
                                                                               : y == 0 ? 2
                                                                                        : 0); }})};
        Embedded truncated{MakeBmp({.width = 8, .height = 8, .bitCount = 24}).substr(0, 80)};
        ResourceModule module{"supporttests",
                              "support_tests.rc",
                              {script.As("support_tests.rc"), arrow.As("res/arrow24.bmp"),
                               palette8.As("res/palette8.bmp"), truncated.As("res/truncated.bmp")}};
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
    m_icon.SubclassDlgItem(IDC_BUTTON_ICON, this);
    return TRUE;
}

} // namespace pdt::test
