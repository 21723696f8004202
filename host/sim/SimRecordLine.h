// A data file's line as a record writes it: what the record puts around its fields, and the fields.
#pragma once

#include <string>
#include <vector>

class HostRecord;

// A record's line taken apart: what the record writes around its fields, and the fields, so that one field can
// change and the line be put together as the record would have written it.
struct RecordLayout
{
    std::string preamble, postamble, end;
    int separator = 0;
    std::vector<std::string> fields;

    std::string Join() const
    {
        std::string line = preamble;
        for (size_t i = 0; i < fields.size(); ++i)
        {
            if (i && separator > 0 && separator < 256)
                line += char(separator);
            line += fields[i];
        }
        return line + postamble + end;
    }
};

// The bytes a record's terminator code ends a line with (carriage return and line feed for TERMINATOR_CRLF).
std::string TerminatorBytes(int code);
// Takes a line apart; without a record, the line ends at its last carriage returns, line feeds and ETX bytes.
RecordLayout TakeApart(const std::string& line, const HostRecord* record, int separator);
