#include "host/sim/SimRecordLine.h"

#include "host/model/HostRecord.h"
#include "support/Support.h"

std::string TerminatorBytes(int code)
{
    if (code == TERMINATOR_CRLF)
        return "\r\n";
    if (code <= 0 || code > 255)
        return "";
    return std::string(1, char(code));
}

RecordLayout TakeApart(const std::string& line, const HostRecord* record, int separator)
{
    RecordLayout r;
    r.separator = separator;
    std::string body = line;
    auto endsWith = [&](const std::string& tail) {
        return !tail.empty() && body.size() >= tail.size() &&
               body.compare(body.size() - tail.size(), tail.size(), tail) == 0;
    };
    const std::string terminator = record ? TerminatorBytes(record->m_nRecordTerminator) : std::string();
    if (endsWith(terminator))
        body.resize(body.size() - terminator.size());
    else
        while (!body.empty() && (body.back() == '\r' || body.back() == '\n' || body.back() == '\x03'))
            body.pop_back();
    r.end = line.substr(body.size());
    if (record)
    {
        const std::string& pre = record->m_strPreamble.str();
        if (!pre.empty() && body.compare(0, pre.size(), pre) == 0)
            r.preamble = pre, body.erase(0, pre.size());
        const std::string& post = record->m_strPostamble.str();
        if (endsWith(post))
            r.postamble = post, body.resize(body.size() - post.size());
    }
    if (separator <= 0 || separator > 255)
        r.fields = {body};
    else
        for (size_t start = 0;;)
        {
            const size_t at = body.find(char(separator), start);
            r.fields.push_back(body.substr(start, at == std::string::npos ? std::string::npos : at - start));
            if (at == std::string::npos)
                break;
            start = at + 1;
        }
    return r;
}

