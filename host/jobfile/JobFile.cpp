#include "host/jobfile/JobFile.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/jobfile/JobFileFields.h"
#include "host/jobfile/JsonReader.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/HostTerminal.h"

namespace
{

constexpr char kFormat[] = "pdtdlg job";
constexpr int kMajorVersion = 1, kMinorVersion = 0;

std::atomic<long long> g_writeLimit{-1};

// Refuses nesting the reader would not survive, before the parser builds it; the place is the first bracket
// too deep. Strings are stepped over, so brackets in text do not count.
void CheckDepth(std::string_view text)
{
    int depth = 0;
    bool inString = false, escaped = false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (inString)
        {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        }
        else if (c == '"')
            inString = true;
        else if (c == '[' || c == '{')
        {
            if (++depth > kMaxJsonDepth)
            {
                // The place is counted only for the message.
                size_t lineStart = text.rfind('\n', i);
                long long line = 1 + std::count(text.begin(), text.begin() + long(i), '\n');
                size_t column = lineStart == std::string_view::npos ? i + 1 : i - lineStart;
                throw JobFileError("line " + std::to_string(line) + ", column " + std::to_string(column) +
                                   ": nested more than " + std::to_string(kMaxJsonDepth) + " levels deep");
            }
        }
        else if ((c == ']' || c == '}') && depth > 0)
            --depth;
    }
}

// What the reader met, in the words of a person who edits the file: "line 3, column 7: a value is missing", never
// the parser's own ("syntax error while parsing value - invalid literal; last read: ...").
std::string ParseMessage(const nlohmann::json::parse_error& e, std::string_view text)
{
    const std::string what = e.what();
    std::string place, detail = what;
    const char marker[] = "parse error at ";
    if (size_t at = what.find(marker); at != std::string::npos)
    {
        std::string rest = what.substr(at + sizeof marker - 1);
        size_t colon = rest.find(": ");
        place = rest.substr(0, colon);
        detail = colon == std::string::npos ? std::string() : rest.substr(colon + 2);
    }
    std::string context; // value, object key, object separator, object, array
    const char syntax[] = "syntax error while parsing ";
    if (detail.rfind(syntax, 0) == 0)
    {
        size_t dash = detail.find(" - ");
        context = detail.substr(sizeof syntax - 1, dash - (sizeof syntax - 1));
        detail = dash == std::string::npos ? std::string() : detail.substr(dash + 3);
    }
    auto has = [&detail](const char* s) { return detail.find(s) != std::string::npos; };
    // The character the reader stopped at: the last one of what it read.
    char last = 0;
    if (size_t at = detail.find("last read: '"); at != std::string::npos && detail.back() == '\'')
    {
        std::string read = detail.substr(at + 12, detail.size() - at - 13);
        // A control character is shown as "<U+000A>": the one read before it is the end of the word.
        while (read.size() >= 8 && read.back() == '>' && read.compare(read.size() - 8, 3, "<U+") == 0)
            read.resize(read.size() - 8);
        last = read.empty() ? 0 : read.back();
    }

    // What the parser says, first match wins, in the person's words.
    static const std::pair<const char*, const char*> kSaid[] = {
        {"unexpected end of input", "the file ends before the job does; it may have been cut short"},
        {"expected end of input", "more follows the end of the job"},
        {"invalid string: control character U+000A",
         "a text's closing quote is missing: the text runs on past the end of its line"},
        {"invalid string: control character U+000D",
         "a text's closing quote is missing: the text runs on past the end of its line"},
        {"invalid string: control character",
         "a text holds a control character; write it as \\u and its four hex digits"},
        {"invalid string: missing closing quote", "a text's closing quote is missing"},
        {"invalid string: ill-formed UTF-8", "a text holds bytes that are not UTF-8"},
        {"invalid string: forbidden character after backslash",
         "a backslash in a text starts no escape (a backslash itself is written \\\\)"},
        {"must be followed by 4 hex digits", "a \\u in a text is not followed by four hex digits"},
        {"invalid string: surrogate", "a \\u escape in a text is half of a character"},
        {"invalid string", "a text is not written correctly"},
        {"invalid number", "a number is not written correctly"},
    };
    const auto said = std::find_if(std::begin(kSaid), std::end(kSaid), [&](const auto& p) { return has(p.first); });
    std::string words;
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        words = "the file is empty";
    else if (e.byte <= 1 || (context == "value" && e.byte <= text.find_first_not_of(" \t\r\n") + 1))
        words = "not a job file (a job file is text that starts with '{')";
    else if (said != std::end(kSaid))
        words = said->second;
    else if (context == "object key")
        words = "a name in double quotes is missing";
    else if (context == "object separator")
        words = "a ':' is missing after the name";
    else if (context == "object")
        words = "a ',' or '}' is missing";
    else if (context == "array")
        words = "a ',' or ']' is missing";
    else if (has("invalid literal") && std::isalpha(static_cast<unsigned char>(last)))
        words = "a word that is no value (text is written in double quotes; true, false and null in small letters)";
    else
        words = "a value is missing";
    return place.empty() ? words : place + ": " + words;
}

bool KnownCodePage(long long cp)
{
    switch (cp)
    {
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 65001: return true;
    default: return cp >= 1250 && cp <= 1258;
    }
}

void CheckHeader(JobArchive& ar, int& codePage)
{
    Json* format = ar.Find("format", Json::value_t::string);
    if (!format || format->get_ref<const std::string&>() != kFormat)
        ar.Fail("format", std::string("not a job file (a job file starts with \"format\": \"") + kFormat + "\")");
    Json* version = ar.Find("version", Json::value_t::string);
    if (!version)
        ar.Fail("version", "missing");
    int major = 0, minor = 0, used = 0;
    const std::string& v = version->get_ref<const std::string&>();
    if (std::sscanf(v.c_str(), "%9d.%9d%n", &major, &minor, &used) != 2 || used != int(v.size()) || major < 0 ||
        minor < 0)
        ar.Fail("version", "must be \"MAJOR.MINOR\", not \"" + v.substr(0, 20) + "\"");
    if (major != kMajorVersion)
        ar.Fail("version", v + " is not a version this program reads (" + std::to_string(kMajorVersion) +
                               ".x); a newer program wrote it");
    if (Json* cp = ar.Find("codePage", Json::value_t::number_integer))
    {
        long long n = 0;
        ar.IntegerValue(*cp, n, "codePage");
        if (!KnownCodePage(n))
            ar.Fail("codePage", std::to_string(n) + " is not a code page this program converts");
        codePage = int(n);
    }
}

// A required whole number of an array element: present, of its type and in [lo, hi], else a fault.
int RequiredId(JobArchive& ar, const char* key, long long lo, long long hi)
{
    Json* v = ar.Find(key, Json::value_t::number_integer);
    if (!v)
        ar.Fail(ar.Where(), std::string("has no \"") + key + "\"");
    long long n = 0;
    ar.IntegerValue(*v, n, ar.Where(key));
    if (n < lo || n > hi)
        ar.Fail(ar.Where(key),
                std::to_string(n) + " is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ")");
    return int(n);
}

// Visits every element of a top-level array, each of which must be an object.
template <class F> void ForEachObject(JobArchive& ar, const char* key, F&& visit)
{
    Json* list = ar.Find(key, Json::value_t::array);
    if (!list)
        return;
    for (size_t i = 0; i < list->size(); ++i)
    {
        Json& e = (*list)[i];
        JobArchive sub(ar, e, key, int(i));
        if (!e.is_object())
            sub.Fail(sub.Where(), "must be an object");
        visit(sub);
        sub.Finish();
    }
}

void CheckUnique(std::unordered_set<int>& ids, int id, JobArchive& ar, const char* what)
{
    if (!ids.insert(id).second)
        ar.Fail(ar.Where("id"), std::string(what) + " id " + std::to_string(id) + " is used twice");
}

std::unique_ptr<JobDocument> ReadJob(Json& root)
{
    if (!root.is_object())
        throw JobFileError("not a job file: it holds a JSON value that is not an object");
    int codePage = 1252;
    JobArchive job(root, false, codePage, "");
    CheckHeader(job, codePage);
    job.SetCodePage(codePage);

    auto doc = std::make_unique<JobDocument>();
    job.NoteResets(&doc->m_readResets);
    SerializeJob(job, *doc);
    job.Object("terminal", [&](JobArchive& sub) { SerializeTerminal(sub, doc->Terminal()); });

    std::unordered_set<int> ids;
    ForEachObject(job, "records", [&](JobArchive& sub) {
        int id = RequiredId(sub, "id", 1, INT_MAX);
        CheckUnique(ids, id, sub, "record");
        HostRecord* record = doc->AddRecord("", "", id);
        if (!record)
            sub.Fail(sub.Where(), "cannot be added to the job");
        SerializeRecord(sub, *record);
        sub.Finish();
        record->m_strExtra = sub.Leftovers();
    });
    ids.clear();
    ForEachObject(job, "nodes", [&](JobArchive& sub) {
        int id = RequiredId(sub, "id", 1, INT_MAX);
        CheckUnique(ids, id, sub, "node");
        int kind = RequiredId(sub, "kind", INT_MIN, INT_MAX);
        if (!HostNode::IsKnownKind(kind))
            sub.Fail(sub.Where("kind"), std::to_string(kind) + " is not a node kind");
        CString name;
        sub.Text("name", name);
        HostNode* node = doc->AddNode(kind, name, id);
        if (!node)
            sub.Fail(sub.Where(), "cannot be added to the job");
        SerializeNode(sub, *node);
        sub.Finish();
        node->m_strExtra = sub.Leftovers();
    });
    std::unordered_set<int> links;
    ForEachObject(job, "links", [&](JobArchive& sub) {
        int id = RequiredId(sub, "id", 1, 0xFFFF);
        CheckUnique(links, id, sub, "link");
        int ends[2];
        const char* keys[2] = {"from", "to"};
        for (int i = 0; i < 2; ++i)
        {
            ends[i] = RequiredId(sub, keys[i], INT_MIN, INT_MAX);
            if (!ids.count(ends[i]))
                sub.Fail(sub.Where(keys[i]), "no node with id " + std::to_string(ends[i]));
        }
        HostLink* link = doc->AddLink(ends[0], ends[1], id);
        if (!link)
            sub.Fail(sub.Where(), "cannot be added to the job");
        SerializeLink(sub, *link);
        sub.Finish();
        link->m_strExtra = sub.Leftovers();
    });

    // A start node or default record that is not in the job reads as none.
    int start = 0;
    job.Int("startNode", start, 0, INT_MAX);
    doc->SetStartNode(doc->FindNode(start));
    job.Int("defaultRecord", doc->m_nDefaultRecord, 0, INT_MAX);
    if (!doc->FindRecord(doc->m_nDefaultRecord))
        doc->m_nDefaultRecord = 0;
    doc->m_nDefaultRecordEdit = doc->m_nDefaultRecord;

    job.Finish();
    doc->m_strExtra = job.Leftovers();
    doc->SetModifiedFlag(FALSE);
    return doc;
}

std::string ErrnoText(int err) { return std::strerror(err); }

bool WriteAll(int fd, const std::string& text)
{
    long long limit = g_writeLimit.load();
    size_t size = text.size();
    if (limit >= 0 && size_t(limit) < size)
        size = size_t(limit);
    for (size_t done = 0; done < size;)
    {
        ssize_t n = ::write(fd, text.data() + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    if (size < text.size())
    {
        errno = ENOSPC;
        return false;
    }
    return true;
}

} // namespace

void SetJobFileWriteLimit(long long bytes) { g_writeLimit = bytes; }

std::string FormatJobTextTree(const JobDocument& doc) { return FormatJobPart(doc, nullptr); }

std::string FormatJobPart(const JobDocument& constDoc, const std::unordered_set<int>* only)
{
    // The archive visits fields through references both ways; storing changes nothing.
    JobDocument& doc = const_cast<JobDocument&>(constDoc);
    int codePage = JobCodePage(doc);
    Json root = Json::object();
    root["format"] = kFormat;
    root["version"] = std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
    root["codePage"] = codePage;
    JobArchive ar(root, true, codePage, "");
    SerializeJob(ar, doc);
    ar.Object("terminal", [&](JobArchive& sub) { SerializeTerminal(sub, doc.Terminal()); });

    auto kept = [only](int nodeId) { return !only || only->count(nodeId) != 0; };
    // A part keeps the records its nodes and links work on, and no others.
    std::unordered_set<int> usedRecords;
    if (only)
    {
        for (int i = 0; i < doc.GetNodeCount(); ++i)
            if (const HostNode* node = doc.GetNodeAt(i); kept(node->m_nID) && node->m_nRecordID)
                usedRecords.insert(node->m_nRecordID);
        for (int i = 0; i < doc.GetLinkCount(); ++i)
            if (const HostLink* link = doc.GetLinkAt(i);
                kept(link->m_nFromNodeID) && kept(link->m_nToNodeID) && link->m_nRecordID)
                usedRecords.insert(link->m_nRecordID);
    }
    int start = 0;
    for (int i = 0; i < doc.GetNodeCount() && !start; ++i)
        if (doc.GetNodeAt(i)->m_bStartNode && kept(doc.GetNodeAt(i)->m_nID))
            start = doc.GetNodeAt(i)->m_nID;
    root["startNode"] = start;
    root["defaultRecord"] = doc.m_nDefaultRecord;

    Json& records = root["records"] = Json::array();
    for (int i = 0; i < doc.GetRecordCount(); ++i)
    {
        HostRecord& record = *doc.GetRecordAt(i);
        if (only && !usedRecords.count(record.m_nID))
            continue;
        Json& obj = records.emplace_back(Json{{"id", record.m_nID}});
        JobArchive sub(ar, obj, "records", i);
        SerializeRecord(sub, record);
        MergeLeftovers(obj, record.m_strExtra);
    }
    Json& nodes = root["nodes"] = Json::array();
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        HostNode& node = *doc.GetNodeAt(i);
        if (!kept(node.m_nID))
            continue;
        Json& obj = nodes.emplace_back(Json::object());
        obj["id"] = node.m_nID;
        obj["kind"] = node.m_nKind;
        JobArchive sub(ar, obj, "nodes", i);
        sub.Text("name", node.m_strName);
        SerializeNode(sub, node);
        MergeLeftovers(obj, node.m_strExtra);
    }
    Json& links = root["links"] = Json::array();
    for (int i = 0; i < doc.GetLinkCount(); ++i)
    {
        HostLink& link = *doc.GetLinkAt(i);
        if (!kept(link.m_nFromNodeID) || !kept(link.m_nToNodeID))
            continue;
        Json& obj =
            links.emplace_back(Json{{"id", link.m_nID}, {"from", link.m_nFromNodeID}, {"to", link.m_nToNodeID}});
        JobArchive sub(ar, obj, "links", i);
        SerializeLink(sub, link);
        MergeLeftovers(obj, link.m_strExtra);
    }
    MergeLeftovers(root, doc.m_strExtra);
    return PrintJobJson(root);
}

// The same text written as it is made, without a tree. An object that keeps what a newer version wrote goes through
// a tree of its own, where those members are merged in; a job that keeps such members at its top goes through one
// tree whole.
std::string FormatJobText(const JobDocument& constDoc)
{
    JobDocument& doc = const_cast<JobDocument&>(constDoc);
    if (!doc.m_strExtra.empty())
        return FormatJobTextTree(doc);
    int codePage = JobCodePage(doc);
    std::string out;
    out.reserve(size_t(doc.GetNodeCount()) * 1600 + size_t(doc.GetLinkCount()) * 300 + 16384);
    JobArchive ar(out, 0, codePage);
    ar.Put("format") = kFormat;
    ar.Put("version") = std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
    ar.Int("codePage", codePage, INT_MIN, INT_MAX);
    SerializeJob(ar, doc);
    ar.Object("terminal", [&](JobArchive& sub) { SerializeTerminal(sub, doc.Terminal()); });

    int start = doc.GetStartNodeId();
    ar.Int("startNode", start, INT_MIN, INT_MAX);
    ar.Int("defaultRecord", doc.m_nDefaultRecord, INT_MIN, INT_MAX);

    // Each element of an array of objects: straight into the text, or through a tree when it keeps leftovers.
    auto element = [&](const std::string& extra, const char* key, int index, auto&& visit) {
        ar.Element();
        if (extra.empty())
        {
            JobArchive sub(out, ar.ElementDepth(), codePage);
            visit(sub);
            sub.Finish();
            return;
        }
        Json obj = Json::object();
        JobArchive tree(obj, true, codePage, "");
        JobArchive sub(tree, obj, key, index);
        visit(sub);
        MergeLeftovers(obj, extra);
        ar.PrintElement(obj);
    };
    ar.BeginArray("records");
    for (int i = 0; i < doc.GetRecordCount(); ++i)
    {
        HostRecord& record = *doc.GetRecordAt(i);
        element(record.m_strExtra, "records", i, [&](JobArchive& sub) {
            sub.Int("id", record.m_nID, INT_MIN, INT_MAX);
            SerializeRecord(sub, record);
        });
    }
    ar.EndArray();
    ar.BeginArray("nodes");
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        HostNode& node = *doc.GetNodeAt(i);
        element(node.m_strExtra, "nodes", i, [&](JobArchive& sub) {
            sub.Int("id", node.m_nID, INT_MIN, INT_MAX);
            sub.Int("kind", node.m_nKind, INT_MIN, INT_MAX);
            sub.Text("name", node.m_strName);
            SerializeNode(sub, node);
        });
    }
    ar.EndArray();
    ar.BeginArray("links");
    for (int i = 0; i < doc.GetLinkCount(); ++i)
    {
        HostLink& link = *doc.GetLinkAt(i);
        element(link.m_strExtra, "links", i, [&](JobArchive& sub) {
            int id = link.m_nID, from = link.m_nFromNodeID, to = link.m_nToNodeID;
            sub.Int("id", id, INT_MIN, INT_MAX);
            sub.Int("from", from, INT_MIN, INT_MAX);
            sub.Int("to", to, INT_MIN, INT_MAX);
            SerializeLink(sub, link);
        });
    }
    ar.EndArray();
    ar.Finish();
    out += '\n';
    return out;
}

std::unique_ptr<JobDocument> ParseJobText(std::string_view text, std::string* error)
{
    std::string message;
    try
    {
        if (text.size() > kMaxJobFileSize)
            throw JobFileError("the file is larger than " + std::to_string(kMaxJobFileSize >> 20) +
                               " MiB; no job is that large");
        Json root;
        if (!ReadJsonTree(text, root))
        {
            CheckDepth(text);
            root = Json::parse(text); // its tree, or its fault for the message
        }
        return ReadJob(root);
    }
    catch (const JobFileError& e)
    {
        message = e.what();
    }
    catch (const nlohmann::json::parse_error& e)
    {
        message = ParseMessage(e, text);
    }
    catch (const std::exception& e) // a type the checks let through, or memory: never a half-read job
    {
        message = std::string("cannot be read: ") + e.what();
    }
    if (error)
        *error = message;
    return nullptr;
}

std::unique_ptr<JobDocument> LoadJobFile(const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = path + ": " + why;
        return nullptr;
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(ErrnoText(errno));
    struct stat st;
    std::string text;
    bool ok = ::fstat(fd, &st) == 0;
    int err = errno;
    if (ok && S_ISDIR(st.st_mode))
        ok = false, err = EISDIR;
    if (ok && size_t(st.st_size) > kMaxJobFileSize)
    {
        ::close(fd);
        return fail("the file is larger than " + std::to_string(kMaxJobFileSize >> 20) + " MiB; no job is that large");
    }
    if (ok)
    {
        text.reserve(size_t(st.st_size));
        char buffer[65536];
        for (;;)
        {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
            {
                ok = false, err = errno;
                break;
            }
            if (n == 0)
                break;
            text.append(buffer, size_t(n));
            if (text.size() > kMaxJobFileSize)
                break; // grew while read: ParseJobText refuses it
        }
    }
    ::close(fd);
    if (!ok)
        return fail(ErrnoText(err));
    std::string why;
    auto doc = ParseJobText(text, &why);
    if (!doc)
        return fail(why);
    doc->m_strPathName = path.c_str();
    return doc;
}

bool SaveJobFile(const JobDocument& doc, const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = "cannot save " + path + ": " + why;
        return false;
    };
    // Through a link, the file it points to is the one replaced.
    std::string target = path;
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        if (char* real = ::realpath(path.c_str(), nullptr))
        {
            target = real;
            std::free(real);
        }
    bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail("it is a folder");

    std::string text = FormatJobText(doc);
    std::string temp = target + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fail("no temporary file in its folder: " + ErrnoText(errno));
    mode_t mode = 0666;
    if (exists)
        mode = st.st_mode & 07777;
    else
    {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok)
        ok = false, err = errno;
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0)
        ok = false, err = errno;
    if (!ok)
    {
        ::unlink(temp.c_str());
        return fail(ErrnoText(err));
    }
    // The rename itself reaches the disk with the folder.
    size_t slash = target.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0)
    {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}
