// CString: a byte string in the ANSI code page, shaped like MFC's.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

class CString
{
  public:
    CString() = default;
    CString(const char* psz) : m_s(psz ? psz : "") {}
    CString(const char* p, int n) : m_s(p ? std::string(p, n > 0 ? size_t(n) : 0) : std::string()) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? size_t(repeat) : 0, ch) {}
    CString(std::string s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}

    int GetLength() const { return int(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const { return m_s.at(size_t(i)); }
    void SetAt(int i, char ch) { m_s.at(size_t(i)) = ch; }
    char operator[](int i) const { return GetAt(i); }
    operator const char*() const { return m_s.c_str(); }
    const char* c_str() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    CString& operator=(const char* psz) { m_s = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const char* psz) { if (psz) m_s += psz; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }

    // In a double-byte ANSI code page (932, 936, 949, 950) the searches, Replace, Remove, case
    // mapping and trimming step over two-byte characters as MBCS MFC does, so a trail byte of
    // 0x5C is never taken for a backslash. Counts and indexes are still in bytes.
    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const; // ASCII letters only, as the C runtime does in the "C" locale

    CString Left(int n) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int n) const;
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;
    int Replace(const char* oldText, const char* newText);
    int Replace(char oldCh, char newCh);
    int Remove(char ch);
    int Insert(int index, const char* psz);
    int Delete(int index, int count = 1);

    void MakeUpper();
    void MakeLower();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimLeft(const char* chars);
    CString& TrimRight(const char* chars);

    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    char* GetBuffer(int minLength);
    char* GetBuffer() { return GetBuffer(0); }
    void ReleaseBuffer(int newLength = -1);

    // Conversions between the bytes and UTF-8, in the ANSI code page (see SetAnsiCodePage).
    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

  private:
    std::string m_s;
};

// The process's ANSI code page (1252 by default): the one CString bytes are read in.
int GetACP();
void SetAnsiCodePage(int codePage);

// Converts bytes in a Windows code page (1252, 932, 936, 950, 65001 ...) to UTF-8 and back.
// Bytes that cannot be converted become '?' (to bytes) or U+FFFD (to UTF-8); nothing throws.
std::string CodePageToUtf8(std::string_view bytes, int codePage);
std::string Utf8ToCodePage(std::string_view utf8, int codePage);
// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view bytes);
// Whether every character of the UTF-8 text has bytes in the code page (so Utf8ToCodePage puts no '?').
bool CodePageHolds(std::string_view utf8, int codePage);
// Whether the byte starts a two-byte character in the code page (932, 936, 949, 950), as Win32's IsDBCSLeadByteEx.
bool IsDBCSLeadByteEx(unsigned codePage, unsigned char testChar);
// How people know the code page: "932 (Japanese, Shift-JIS)".
std::string CodePageName(int codePage);
