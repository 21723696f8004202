// CAppProfile: the settings store, an INI file read and written like the Windows profile calls.
//
// File format
//   [Section]
//   Key=Value
// Section and key names compare ASCII case-insensitively; a write keeps the spelling a key
// already has in the file. Spaces and tabs around names and values are ignored. Lines starting
// with ';' or '#', lines without '=', and keys before the first section are ignored but kept:
// a write replaces or inserts one line and leaves every other byte of the file as it was.
// When a key appears more than once in a section (or a section more than once), the first
// occurrence is the one read and written; DeleteValue removes them all.
//
// Values are raw bytes (CString bytes in the ANSI code page). A value is written as is unless
// it holds a CR or LF, starts or ends with a space or tab, or starts with '"'; then it is written
// in double quotes with \\ \" \n \r escaped. On reading, a value in double quotes loses them and
// its escapes (\\ \" \n \r \t) are decoded; an unquoted value is taken literally, so a
// hand-written "Path=C:\new\data" reads as written.
//
// Every write goes to a temporary file in the same folder, is flushed to disk and renamed
// over the file, so a crash leaves either the old file or the new one. A write that fails
// returns FALSE and changes nothing, in memory or on disk. A file that exists but cannot be
// read (or is larger than 64 MiB) reads as empty and is never written over.
//
// Reads check the file's identity (inode, size, times) with one stat() and reload when it
// changed, so other CAppProfile objects, other processes and hand edits are seen.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include "platform/afxstr.h"
#include "platform/afxtypes.h"

class CAppProfile
{
  public:
    // The file named by $PDTDLG_SETTINGS, else $XDG_CONFIG_HOME/pdtdlg/pdtdlg.ini,
    // else ~/.config/pdtdlg/pdtdlg.ini.
    CAppProfile();
    explicit CAppProfile(std::string fileName);
    virtual ~CAppProfile();
    CAppProfile(const CAppProfile&) = delete;
    CAppProfile& operator=(const CAppProfile&) = delete;

    static std::string DefaultFileName();

    const std::string& GetFileName() const;
    // Switches to another file; its contents are read on the next access.
    void SetFileName(std::string fileName);

    // Decimal with an optional sign, or 0x hex (a 32-bit pattern: 0xFFFFFFFF is -1), with
    // spaces around allowed. Anything else, or a value out of int range, gives nDefault.
    int GetInt(const char* section, const char* key, int nDefault) const;
    CString GetString(const char* section, const char* key, const char* pszDefault = "") const;
    // Hex pairs, as WriteBinary writes them. FALSE (and bytes empty) when missing or malformed.
    BOOL GetBinary(const char* section, const char* key, std::vector<BYTE>& bytes) const;

    // Each returns TRUE once the value is on disk. Names that could not be read back (empty,
    // or holding '=', ']', CR or LF, or a key starting with '[', ';' or '#') give FALSE.
    BOOL WriteInt(const char* section, const char* key, int value);
    // A null value deletes the key, as WriteProfileString does; TRUE unless that write fails.
    BOOL WriteString(const char* section, const char* key, const char* value);
    BOOL WriteBinary(const char* section, const char* key, const void* data, size_t size);
    // TRUE if the key was there and is now gone from the file; FALSE if it was missing or the
    // file could not be written.
    BOOL DeleteValue(const char* section, const char* key);

  protected:
    // Writes the new contents to the temporary file. Tests override it to fail half-way.
    virtual bool WriteFileData(int fd, const char* data, size_t size);

  private:
    struct Line
    {
        enum Kind
        {
            Other,
            Section,
            Entry
        };
        std::string text; // as in the file, without the '\n' (a CRLF line keeps its '\r')
        Kind kind = Other;
        std::string name;    // section name, or key as spelled in the file
        std::string value;   // decoded value of an entry
        size_t valuePos = 0; // where the value starts in text
    };

    struct FileIdentity
    {
        bool exists = false;
        dev_t dev = 0;
        ino_t ino = 0;
        off_t size = 0;
        long long mtimeNs = 0;
        long long ctimeNs = 0;
        bool operator==(const FileIdentity&) const = default;
    };

    static FileIdentity IdentityOf(const struct stat& st);
    void RefreshLocked() const;
    void LoadLocked() const;
    void ParseLocked(std::string_view data) const;
    void IndexLocked() const;
    const Line* FindLocked(const char* section, const char* key) const;
    BOOL SetValueLocked(const char* section, const char* key, const std::string& value);
    BOOL DeleteLocked(const char* section, const char* key, bool& existed);
    bool PersistLocked(const std::vector<Line>& lines);

    std::string m_fileName;
    mutable std::mutex m_mutex;
    mutable bool m_loaded = false;
    mutable bool m_unreadable = false; // exists but could not be read: never write over it
    mutable FileIdentity m_identity;
    mutable bool m_bom = false;
    mutable bool m_crlf = false;
    mutable std::vector<Line> m_lines;
    // Folded "section\nkey" to the first matching entry line; folded section to its first header.
    mutable std::unordered_map<std::string, size_t> m_entries;
    mutable std::unordered_map<std::string, size_t> m_sections;
};

// The store the library keeps its settings in.
extern CAppProfile theReg;
