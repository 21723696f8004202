// The settings store: an INI file, rewritten atomically on every change (see AppProfile.h).
#include "support/AppProfile.h"
#include "support/Seams.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

CAppProfile theReg;

namespace
{

pdt::support::ProfileWriteFilter& WriteFilter()
{
    static pdt::support::ProfileWriteFilter filter;
    return filter;
}

bool WriteAllowed(const char* section, const char* key)
{
    return !WriteFilter() || WriteFilter()(section, key);
}

// Settings files are small; anything this large is not one, so leave it alone.
constexpr off_t kMaxFileSize = off_t(64) << 20;
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr char kBlanks[] = " \t";

std::string_view TrimBlanks(std::string_view s)
{
    size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

std::string_view TrimRightBlanks(std::string_view s)
{
    size_t last = s.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

// Windows folds profile names; ASCII folding through CString keeps double-byte names intact.
std::string Fold(std::string_view name)
{
    CString s(name);
    s.MakeLower();
    return s.str();
}

std::string EntryId(std::string_view foldedSection, std::string_view key)
{
    std::string id(foldedSection);
    id += '\n'; // cannot occur in a name read from a line
    id += Fold(key);
    return id;
}

bool ValidSection(std::string_view name)
{
    return !name.empty() && name.find_first_of("]\r\n") == std::string_view::npos;
}

bool ValidKey(std::string_view name)
{
    return !name.empty() && name.find_first_of("=\r\n") == std::string_view::npos && name[0] != '[' && name[0] != ';' &&
           name[0] != '#';
}

bool NeedsQuotes(std::string_view v)
{
    if (v.empty())
        return false;
    return v.front() == ' ' || v.front() == '\t' || v.front() == '"' || v.back() == ' ' || v.back() == '\t' ||
           v.find_first_of("\r\n") != std::string_view::npos;
}

std::string EncodeValue(std::string_view v)
{
    if (!NeedsQuotes(v))
        return std::string(v);
    std::string out;
    out.reserve(v.size() + 8);
    out += '"';
    for (char c : v)
    {
        switch (c)
        {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    out += '"';
    return out;
}

// `v` is already trimmed of blanks.
std::string DecodeValue(std::string_view v)
{
    if (v.size() < 2 || v.front() != '"' || v.back() != '"')
        return std::string(v);
    v = v.substr(1, v.size() - 2);
    std::string out;
    out.reserve(v.size());
    for (size_t i = 0; i < v.size(); ++i)
    {
        char c = v[i];
        if (c != '\\' || i + 1 == v.size())
        {
            out += c;
            continue;
        }
        char e = v[++i];
        switch (e)
        {
        case '\\':
        case '"':
            out += e;
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        default: // not an escape we write: keep it as typed
            out += '\\';
            out += e;
        }
    }
    return out;
}

bool ParseInt(std::string_view s, int& out)
{
    s = TrimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-'))
    {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return false;
    uint64_t magnitude = 0;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
    {
        for (char c : s.substr(2))
        {
            int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
            if (digit < 0)
                return false;
            magnitude = magnitude * 16 + uint64_t(digit);
            if (magnitude > 0xFFFFFFFFu)
                return false;
        }
        if (negative)
        {
            if (magnitude > 0x80000000u)
                return false;
            out = int(-int64_t(magnitude));
        }
        else
            out = int(int32_t(uint32_t(magnitude)));
        return true;
    }
    for (char c : s)
    {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + uint64_t(c - '0');
        if (magnitude > uint64_t(INT_MAX) + 1)
            return false;
    }
    if (!negative && magnitude > uint64_t(INT_MAX))
        return false;
    out = int(negative ? -int64_t(magnitude) : int64_t(magnitude));
    return true;
}

bool MakeFolders(const std::string& dir)
{
    struct stat st;
    if (stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    for (size_t pos = dir.find('/', 1);; pos = dir.find('/', pos + 1))
    {
        std::string part = dir.substr(0, pos);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (pos == std::string::npos)
            break;
    }
    return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void SyncFolder(const std::string& dir)
{
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        fsync(fd); // best effort: the rename is what keeps the file whole
        close(fd);
    }
}

} // namespace

CAppProfile::CAppProfile() : m_fileName(DefaultFileName()) {}

CAppProfile::CAppProfile(std::string fileName) : m_fileName(std::move(fileName)) {}

CAppProfile::~CAppProfile() = default;

std::string CAppProfile::DefaultFileName()
{
    if (const char* path = std::getenv("PDTDLG_SETTINGS"); path && *path)
        return path;
    // XDG asks to ignore a relative XDG_CONFIG_HOME.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        return std::string(xdg) + "/pdtdlg/pdtdlg.ini";
    std::string home;
    if (const char* h = std::getenv("HOME"); h && *h)
        home = h;
    else if (const struct passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        home = pw->pw_dir;
    if (home.empty())
        return "pdtdlg.ini";
    return home + "/.config/pdtdlg/pdtdlg.ini";
}

const std::string& CAppProfile::GetFileName() const
{
    std::lock_guard lock(m_mutex);
    return m_fileName;
}

void CAppProfile::SetFileName(std::string fileName)
{
    std::lock_guard lock(m_mutex);
    m_fileName = std::move(fileName);
    m_loaded = false;
    m_unreadable = false;
    m_identity = {};
    m_lines.clear();
    IndexLocked();
}

int CAppProfile::GetInt(const char* section, const char* key, int nDefault) const
{
    std::lock_guard lock(m_mutex);
    RefreshLocked();
    const Line* line = FindLocked(section, key);
    int value = 0;
    return line && ParseInt(line->value, value) ? value : nDefault;
}

CString CAppProfile::GetString(const char* section, const char* key, const char* pszDefault) const
{
    std::lock_guard lock(m_mutex);
    RefreshLocked();
    const Line* line = FindLocked(section, key);
    return line ? CString(line->value) : CString(pszDefault);
}

BOOL CAppProfile::GetBinary(const char* section, const char* key, std::vector<BYTE>& bytes) const
{
    bytes.clear();
    std::lock_guard lock(m_mutex);
    RefreshLocked();
    const Line* line = FindLocked(section, key);
    if (!line || line->value.size() % 2)
        return FALSE;
    auto nibble = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    std::vector<BYTE> out;
    out.reserve(line->value.size() / 2);
    for (size_t i = 0; i < line->value.size(); i += 2)
    {
        int hi = nibble(line->value[i]), lo = nibble(line->value[i + 1]);
        if (hi < 0 || lo < 0)
            return FALSE;
        out.push_back(BYTE(hi * 16 + lo));
    }
    bytes.swap(out);
    return TRUE;
}

BOOL CAppProfile::WriteInt(const char* section, const char* key, int value)
{
    std::lock_guard lock(m_mutex);
    return SetValueLocked(section, key, std::to_string(value));
}

BOOL CAppProfile::WriteString(const char* section, const char* key, const char* value)
{
    std::lock_guard lock(m_mutex);
    if (!value)
    {
        bool existed = false;
        return DeleteLocked(section, key, existed);
    }
    return SetValueLocked(section, key, value);
}

BOOL CAppProfile::WriteBinary(const char* section, const char* key, const void* data, size_t size)
{
    if (!data && size)
        return FALSE;
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(size * 2);
    for (size_t i = 0; i < size; ++i)
    {
        unsigned char b = static_cast<const unsigned char*>(data)[i];
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    std::lock_guard lock(m_mutex);
    return SetValueLocked(section, key, hex);
}

BOOL CAppProfile::DeleteValue(const char* section, const char* key)
{
    std::lock_guard lock(m_mutex);
    bool existed = false;
    return DeleteLocked(section, key, existed) && existed;
}

bool CAppProfile::WriteFileData(int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

CAppProfile::FileIdentity CAppProfile::IdentityOf(const struct stat& st)
{
    FileIdentity id;
    id.exists = true;
    id.dev = st.st_dev;
    id.ino = st.st_ino;
    id.size = st.st_size;
    id.mtimeNs = (long long)st.st_mtim.tv_sec * 1000000000 + st.st_mtim.tv_nsec;
    id.ctimeNs = (long long)st.st_ctim.tv_sec * 1000000000 + st.st_ctim.tv_nsec;
    return id;
}

void CAppProfile::RefreshLocked() const
{
    struct stat st;
    if (stat(m_fileName.c_str(), &st) != 0)
    {
        bool missing = errno == ENOENT || errno == ENOTDIR;
        if (m_loaded && !m_identity.exists && m_unreadable == !missing)
            return;
        m_lines.clear();
        IndexLocked();
        m_identity = {};
        m_unreadable = !missing;
        m_loaded = true;
        return;
    }
    if (m_loaded && !m_unreadable && IdentityOf(st) == m_identity)
        return;
    LoadLocked();
}

void CAppProfile::LoadLocked() const
{
    m_loaded = true;
    m_unreadable = false;
    m_identity = {};
    m_lines.clear();
    m_bom = false;
    m_crlf = false;
    IndexLocked();

    int fd = open(m_fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
    {
        m_unreadable = !(errno == ENOENT || errno == ENOTDIR);
        return;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileSize)
    {
        close(fd);
        m_unreadable = true;
        return;
    }
    std::string data;
    data.resize(size_t(st.st_size) + 1);
    size_t used = 0;
    for (;;)
    {
        if (used == data.size())
        {
            if (data.size() > size_t(kMaxFileSize)) // grew while we read it
            {
                close(fd);
                m_unreadable = true;
                return;
            }
            data.resize(data.size() * 2);
        }
        ssize_t n = read(fd, data.data() + used, data.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            close(fd);
            m_unreadable = true;
            return;
        }
        if (n == 0)
            break;
        used += size_t(n);
    }
    close(fd);
    data.resize(used);
    // The identity from before the read: if the file changed meanwhile, the next access reloads.
    m_identity = IdentityOf(st);
    ParseLocked(data);
    IndexLocked();
}

void CAppProfile::ParseLocked(std::string_view data) const
{
    if (data.substr(0, kBom.size()) == kBom)
    {
        m_bom = true;
        data.remove_prefix(kBom.size());
    }
    bool sawLineEnd = false;
    size_t pos = 0;
    while (pos < data.size())
    {
        size_t nl = data.find('\n', pos);
        size_t end = nl == std::string_view::npos ? data.size() : nl;
        if (!sawLineEnd && nl != std::string_view::npos)
        {
            sawLineEnd = true;
            m_crlf = end > pos && data[end - 1] == '\r';
        }
        Line line;
        line.text.assign(data.substr(pos, end - pos));
        std::string_view t = line.text;
        if (!t.empty() && t.back() == '\r')
            t.remove_suffix(1);
        size_t p = t.find_first_not_of(kBlanks);
        if (p != std::string_view::npos && t[p] == '[')
        {
            size_t close = t.find(']', p + 1);
            line.kind = Line::Section;
            line.name =
                TrimBlanks(t.substr(p + 1, close == std::string_view::npos ? std::string_view::npos : close - p - 1));
        }
        else if (p != std::string_view::npos && t[p] != ';' && t[p] != '#')
        {
            size_t eq = t.find('=', p);
            std::string_view key = eq == std::string_view::npos ? std::string_view() : TrimBlanks(t.substr(p, eq - p));
            if (!key.empty())
            {
                size_t v = t.find_first_not_of(kBlanks, eq + 1);
                line.kind = Line::Entry;
                line.name = key;
                line.valuePos = v == std::string_view::npos ? t.size() : v;
                line.value = DecodeValue(TrimRightBlanks(t.substr(line.valuePos)));
            }
        }
        m_lines.push_back(std::move(line));
        pos = end + 1;
    }
}

void CAppProfile::IndexLocked() const
{
    m_entries.clear();
    m_sections.clear();
    const std::string* section = nullptr; // keys before the first section belong to none
    std::string folded;
    for (size_t i = 0; i < m_lines.size(); ++i)
    {
        const Line& line = m_lines[i];
        if (line.kind == Line::Section)
        {
            section = &line.name;
            folded = Fold(line.name);
            m_sections.emplace(folded, i);
        }
        else if (line.kind == Line::Entry && section)
            m_entries.emplace(EntryId(folded, line.name), i); // the first one wins
    }
}

const CAppProfile::Line* CAppProfile::FindLocked(const char* section, const char* key) const
{
    if (!section || !key)
        return nullptr;
    auto it = m_entries.find(EntryId(Fold(TrimBlanks(section)), TrimBlanks(key)));
    return it == m_entries.end() ? nullptr : &m_lines[it->second];
}

BOOL CAppProfile::SetValueLocked(const char* section, const char* key, const std::string& value)
{
    if (!section || !key || m_fileName.empty() || !WriteAllowed(section, key))
        return FALSE;
    std::string_view sec = TrimBlanks(section), name = TrimBlanks(key);
    if (!ValidSection(sec) || !ValidKey(name))
        return FALSE;
    RefreshLocked();
    if (m_unreadable)
        return FALSE;

    auto found = m_entries.find(EntryId(Fold(sec), name));
    if (found != m_entries.end() && m_lines[found->second].value == value)
        return TRUE;
    const std::string eol = m_crlf ? "\r" : "";
    std::vector<Line> lines = m_lines; // committed only once the file is written
    if (found != m_entries.end())
    {
        Line& line = lines[found->second];
        bool cr = !line.text.empty() && line.text.back() == '\r';
        line.text.resize(line.valuePos);
        line.text += EncodeValue(value);
        if (cr)
            line.text += '\r';
        line.value = value;
    }
    else
    {
        Line entry;
        entry.kind = Line::Entry;
        entry.name = name;
        entry.value = value;
        entry.text = std::string(name) + "=" + EncodeValue(value) + eol;
        entry.valuePos = name.size() + 1;
        auto header = m_sections.find(Fold(sec));
        if (header != m_sections.end())
        {
            // After the last entry of the section's first block, before any blank lines or comments.
            size_t at = header->second;
            for (size_t j = at + 1; j < lines.size() && lines[j].kind != Line::Section; ++j)
                if (lines[j].kind == Line::Entry)
                    at = j;
            lines.insert(lines.begin() + std::ptrdiff_t(at + 1), std::move(entry));
        }
        else
        {
            std::string_view last = lines.empty() ? std::string_view() : std::string_view(lines.back().text);
            if (!last.empty() && last.back() == '\r')
                last.remove_suffix(1);
            if (!TrimBlanks(last).empty()) // a blank line between sections, as people write them
            {
                Line blank;
                blank.text = eol;
                lines.push_back(std::move(blank));
            }
            Line head;
            head.kind = Line::Section;
            head.name = sec;
            head.text = "[" + std::string(sec) + "]" + eol;
            lines.push_back(std::move(head));
            lines.push_back(std::move(entry));
        }
    }
    if (!PersistLocked(lines))
        return FALSE;
    m_lines = std::move(lines);
    IndexLocked();
    return TRUE;
}

BOOL CAppProfile::DeleteLocked(const char* section, const char* key, bool& existed)
{
    existed = false;
    if (!section || !key || m_fileName.empty() || !ValidSection(TrimBlanks(section)) || !ValidKey(TrimBlanks(key)) ||
        !WriteAllowed(section, key))
        return FALSE;
    RefreshLocked();
    if (m_unreadable)
        return FALSE;
    const std::string sec = Fold(TrimBlanks(section));
    const std::string name = Fold(TrimBlanks(key));
    std::vector<Line> kept;
    kept.reserve(m_lines.size());
    bool inSection = false;
    for (const Line& line : m_lines)
    {
        if (line.kind == Line::Section)
            inSection = Fold(line.name) == sec;
        if (inSection && line.kind == Line::Entry && Fold(line.name) == name)
            existed = true;
        else
            kept.push_back(line);
    }
    if (!existed)
        return TRUE;
    if (!PersistLocked(kept))
        return FALSE;
    m_lines = std::move(kept);
    IndexLocked();
    return TRUE;
}

bool CAppProfile::PersistLocked(const std::vector<Line>& lines)
{
    size_t total = m_bom ? kBom.size() : 0;
    for (const Line& line : lines)
        total += line.text.size() + 1;
    std::string data;
    data.reserve(total);
    if (m_bom)
        data += kBom;
    for (const Line& line : lines)
    {
        data += line.text;
        data += '\n';
    }

    // Replace what a symlink points to, not the link: settings are often linked from elsewhere.
    std::string target = m_fileName;
    struct stat link;
    if (lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        if (char* real = realpath(target.c_str(), nullptr))
        {
            target = real;
            std::free(real);
        }
    const std::string folder = FolderOf(target);
    if (!MakeFolders(folder))
        return false;
    std::string temp = target + ".XXXXXX";
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat old;
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        fchmod(fd, old.st_mode & 07777);
    if (!WriteFileData(fd, data.data(), data.size()) || fsync(fd) != 0 || rename(temp.c_str(), target.c_str()) != 0)
    {
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    struct stat st;
    bool known = fstat(fd, &st) == 0; // after the rename, which touches ctime
    close(fd);
    SyncFolder(folder);
    m_identity = known ? IdentityOf(st) : FileIdentity{};
    m_unreadable = false;
    m_loaded = true;
    return true;
}

void pdt::support::SetProfileWriteFilter(ProfileWriteFilter filter)
{
    WriteFilter() = std::move(filter);
}
