// The parsed form of a resource script (.rc): dialog templates, menus, string table and bitmaps.
// Plain data, no Qt: the resource compiler and the runtime resource chain share it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pdt::rc
{

struct ControlTemplate
{
    std::string className; // "Button", "Edit", "Static", "ComboBox", "ListBox", "SysListView32", "SysTreeView32",
                           // "ScrollBar" or a registered custom class
    std::string text;      // caption bytes as written (Windows-1252 in the script); "#N" for a resource number
    int id = -1;
    uint32_t style = 0;    // complete style: statement defaults, WS_CHILD | WS_VISIBLE, the script's flags and NOTs
    uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    int line = 0;                     // line in the script, for messages
};

struct DialogTemplate
{
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::string caption;
    std::string fontFace; // empty: no FONT statement
    int fontSize = 0;     // points
    int fontWeight = 400;
    bool fontItalic = false;
    int fontCharset = 1;
    std::string className;
    std::string menu;
    std::vector<ControlTemplate> controls; // in script order (= Z order and tab order)
    int line = 0;
};

struct MenuItem
{
    std::string text; // with '&' mnemonics and '\t' accelerator text as written
    int id = 0;
    uint32_t flags = 0; // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
    std::vector<MenuItem> children;
};

struct MenuTemplate
{
    int id = 0;
    std::vector<MenuItem> items;
};

struct ResourceScript
{
    std::map<int, DialogTemplate> dialogs;
    std::map<int, MenuTemplate> menus;
    std::map<int, std::string> strings; // string table
    std::map<int, std::string> bitmaps; // id -> file name as written (relative to the script)
    struct Location
    {
        std::string file; // the script or the included file that holds the statement
        int line = 0;
    };
    std::map<int, Location> bitmapLocations; // where each BITMAP statement is, for messages about its file
    std::map<std::string, long> defines;

    const DialogTemplate* FindDialog(int id) const;
    const MenuTemplate* FindMenu(int id) const;
    const std::string* FindString(int id) const;
};

class ParseError : public std::runtime_error
{
  public:
    ParseError(std::string file, int line, const std::string& message);
    const std::string& file() const { return m_file; }
    int line() const { return m_line; }

  private:
    std::string m_file;
    int m_line;
};

// Supplies the text of a file named by #include (resource.h and the like); nullopt when it does not exist.
using IncludeResolver = std::function<std::optional<std::string>(const std::string& name)>;

// Parses a resource script. Throws ParseError with the file and line of the first problem.
ResourceScript ParseResourceScript(std::string_view text, const std::string& fileName, const IncludeResolver& includes);

} // namespace pdt::rc
