#include "host/sim/SimDataFiles.h"

#include <cstdio>
#include <strings.h>

#include "platform/afxstr.h"

std::string TerminalFileName(const std::string& name)
{
    const size_t folder = name.find_last_of("\\/:");
    return folder == std::string::npos ? name : name.substr(folder + 1);
}

SimDataFile* SimDataFiles::Find(const std::string& name)
{
    const std::string wanted = TerminalFileName(name);
    for (SimDataFile& f : m_files)
        if (strcasecmp(f.name.c_str(), wanted.c_str()) == 0)
            return &f;
    return nullptr;
}

const SimDataFile* SimDataFiles::Find(const std::string& name) const
{
    return const_cast<SimDataFiles*>(this)->Find(name);
}

SimDataFile& SimDataFiles::Open(const std::string& name)
{
    if (SimDataFile* f = Find(name))
        return *f;
    m_files.push_back(SimDataFile{TerminalFileName(name), {}});
    return m_files.back();
}

bool SimDataFiles::Erase(const std::string& name)
{
    const std::string wanted = TerminalFileName(name);
    for (auto it = m_files.begin(); it != m_files.end(); ++it)
        if (strcasecmp(it->name.c_str(), wanted.c_str()) == 0)
        {
            m_files.erase(it);
            return true;
        }
    return false;
}

void SimDataFiles::Load(const std::string& name, const std::string& bytes)
{
    SimDataFile& f = Open(name);
    f.records.clear();
    size_t start = 0;
    while (start < bytes.size())
    {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            end += 2;
        else
            end += 1;
        std::string record = bytes.substr(start, end - start);
        if (record != "\r\n" && record != "\n" && record != "\r")
            f.records.push_back(record);
        start = end;
    }
}

size_t SimDataFiles::Bytes() const
{
    size_t n = 0;
    for (const SimDataFile& f : m_files)
        for (const std::string& r : f.records)
            n += r.size();
    return n;
}

std::string EscapeBytes(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes)
    {
        if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (c < 32 || c == 127)
        {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
        else
            out += char(c);
    }
    return out;
}

namespace
{
std::string ReadBytes(const std::string& bytes, int codePage, bool escapeControls)
{
    std::string out;
    for (size_t i = 0; i < bytes.size();)
    {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80)
        {
            out += escapeControls ? EscapeBytes(std::string(1, char(c))) : std::string(1, char(c));
            ++i;
            continue;
        }
        const size_t n = IsDBCSLeadByteEx(unsigned(codePage), c) && i + 1 < bytes.size() ? 2 : 1;
        const std::string piece = bytes.substr(i, n);
        const std::string utf8 = CodePageToUtf8(piece, codePage);
        if (utf8.find("\xEF\xBF\xBD") == std::string::npos)
            out += utf8;
        else
            for (unsigned char b : piece)
            {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", b);
                out += buf;
            }
        i += n;
    }
    return out;
}
} // namespace

std::string Utf8OfBytes(const std::string& bytes, int codePage)
{
    return ReadBytes(bytes, codePage, false);
}

std::string EscapeText(const std::string& bytes, int codePage)
{
    return ReadBytes(bytes, codePage, true);
}

std::string DataFileBytes(const std::string& contents, int codePage)
{
    std::string text = contents.compare(0, 3, "\xEF\xBB\xBF") == 0 ? contents.substr(3) : contents;
    if (CodePageToUtf8(text, 65001) != text || !CodePageHolds(text, codePage))
        return contents;
    return Utf8ToCodePage(text, codePage);
}

std::vector<std::string> SplitRecord(const std::string& record, int separator)
{
    std::string line = record;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == '\x03'))
        line.pop_back();
    std::vector<std::string> fields;
    if (separator <= 0 || separator > 255)
        return {line};
    size_t start = 0;
    for (;;)
    {
        size_t end = line.find(char(separator), start);
        fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return fields;
}

std::string SimDataFiles::Describe(int codePage) const
{
    if (m_files.empty())
        return "(no data files)\n";
    std::string out;
    for (const SimDataFile& f : m_files)
    {
        out += Utf8OfBytes(f.name, codePage) + " (" + std::to_string(f.records.size()) +
               (f.records.size() == 1 ? " record)\n" : " records)\n");
        for (const std::string& r : f.records)
            out += "  " + EscapeText(r, codePage) + "\n";
    }
    return out;
}
