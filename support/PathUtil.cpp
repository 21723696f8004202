// File name helpers. Separators are searched for with CString so that, in a double-byte
// code page, a trail byte that happens to be 0x5C is not taken for a backslash.
#include "support/PathUtil.h"

#include <cstring>

CString RemoveExtensionName(const char* path)
{
    CString s(path);
    int dot = s.ReverseFind('.');
    if (dot < 0)
        return s;
    int folder = s.ReverseFind('/');
    int backslash = s.ReverseFind('\\');
    if (backslash > folder)
        folder = backslash;
    return dot > folder ? s.Left(dot) : s;
}

char* GetTitleOfName(const char* path, char* buffer, char separator)
{
    if (!buffer)
        return nullptr;
    if (!path)
    {
        buffer[0] = '\0';
        return buffer;
    }
    int cut = CString(path).ReverseFind(separator);
    const char* title = path + (cut < 0 ? 0 : cut + 1);
    std::memmove(buffer, title, std::strlen(title) + 1);
    return buffer;
}
