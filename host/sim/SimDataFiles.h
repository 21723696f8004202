// The data files of a simulated job, kept in memory: the records that EOR links write, the files that upload,
// erase and edit nodes work on, and lookup files a test or the user loads. Names compare without regard to letter
// case and without a PC's folders, as the terminal's file system has neither.
#pragma once

#include <string>
#include <vector>

// A terminal's memory is small: a file loaded onto it may be at most this large, and a run stops when its files and
// what it uploaded together pass kMaxDataBytes (a job that writes records in a loop).
constexpr size_t kMaxDataFileSize = size_t(16) << 20;
constexpr size_t kMaxDataBytes = size_t(64) << 20;

struct SimDataFile
{
    std::string name;
    std::vector<std::string> records; // each as written: preamble, fields and separators, postamble, terminator
};

class SimDataFiles
{
  public:
    SimDataFile* Find(const std::string& name);
    const SimDataFile* Find(const std::string& name) const;
    SimDataFile& Open(const std::string& name); // created empty when missing
    bool Erase(const std::string& name);        // false when there was no such file
    // A file read from the PC: one record per line, each keeping its line end.
    void Load(const std::string& name, const std::string& bytes);
    void Clear() { m_files.clear(); }
    const std::vector<SimDataFile>& All() const { return m_files; }
    // The bytes of all records of all files.
    size_t Bytes() const;

    // Every file, "name (n records)" and one escaped record per line; "(no data files)" when there are none. The
    // records are read in the job's code page and written in UTF-8 (EscapeText).
    std::string Describe(int codePage = 1252) const;

  private:
    std::vector<SimDataFile> m_files;
};

// The name of a file on the terminal: a PC's drive and folders ("C:\\Jobs\\STOCK.TXT") mean nothing there, so a
// record's file, an upload's, a lookup file and a job's name the same file by its name alone ("STOCK.TXT").
std::string TerminalFileName(const std::string& name);

// Bytes with the control codes written out: \t \r \n, others as \xNN.
std::string EscapeBytes(const std::string& bytes);
// Bytes in the job's code page as UTF-8, each byte the code page cannot read written as \xNN.
std::string Utf8OfBytes(const std::string& bytes, int codePage);
// The same with the control codes written out as EscapeBytes does.
std::string EscapeText(const std::string& bytes, int codePage);
// A data file from the PC as the job reads it: text in UTF-8, as a PC's editor writes it, goes into the job's code
// page (without a byte-order mark); anything else, bytes already in the code page, stays as it is.
std::string DataFileBytes(const std::string& contents, int codePage);
// The fields of a record: its line end dropped, split at the separator (0: the record is one field).
std::vector<std::string> SplitRecord(const std::string& record, int separator);
