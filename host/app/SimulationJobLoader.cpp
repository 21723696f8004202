#include "host/app/SimulationJobLoader.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "host/jobfile/JobFile.h"

namespace fs = std::filesystem;

LoadedJob LoadJobForRunJob(const std::string& file, const std::string& runningJob)
{
    // Jobs made on a PC name their files with backslashes.
    auto slashed = [](std::string s) {
        for (char& c : s)
            c = c == '\\' ? '/' : c;
        return s;
    };
    const fs::path name(slashed(file));
    const fs::path running(slashed(runningJob));
    const fs::path folder = running.has_parent_path() ? running.parent_path() : fs::path(".");

    std::vector<fs::path> places;
    auto add = [&](const fs::path& p) {
        places.push_back(p);
        if (p.extension() != kJobFileExtension)
            places.push_back(fs::path(p).replace_extension(kJobFileExtension));
    };
    // A drive ("C:") names a place on a PC, never one here.
    const std::string& text = name.native();
    const bool drive = text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
    if (name.is_absolute())
        add(name);
    else
    {
        if (!drive)
            add(folder / name);
        // "C:/Jobs/B.vtr" is not absolute here; its drive and folders mean nothing on this computer.
        std::string base = name.filename().string();
        if (const size_t colon = base.find(':'); colon != std::string::npos)
            base.erase(0, colon + 1);
        if (!base.empty() && fs::path(base) != name)
            add(folder / base);
    }

    LoadedJob result;
    for (const fs::path& p : places)
    {
        std::error_code ec;
        if (!fs::exists(p, ec))
            continue;
        result.bFound = true;
        result.job = LoadJobFile(p.string(), &result.error);
        return result;
    }
    result.error = "no such file (looked for";
    for (size_t i = 0; i < places.size(); ++i)
        result.error += (i ? ", " : " ") + places[i].lexically_normal().string();
    result.error += ")";
    return result;
}

bool ReadTerminalFile(const std::string& path, std::string& bytes, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        error = "cannot read " + path;
        return false;
    }
    // One byte more than allowed tells a file that is too large, without reading all of it.
    bytes.assign(kMaxDataFileSize + 1, '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    if (in.bad())
    {
        error = "cannot read " + path;
        return false;
    }
    bytes.resize(size_t(in.gcount()));
    if (bytes.size() > kMaxDataFileSize)
    {
        error = path + " is larger than " + std::to_string(kMaxDataFileSize >> 20) +
                " MB, more than a data file on the terminal may hold";
        bytes.clear();
        return false;
    }
    return true;
}
