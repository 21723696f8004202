#include "host/sim/SimBarcode.h"

#include <cctype>
#include <cstring>

// Only what the data itself tells is checked: the characters of the symbology, fixed lengths and the check digit
// of EAN and UPC codes.
std::string BarcodeFault(int symbology, int options, const std::string& data)
{
    if (data.empty())
        return "a barcode holds at least one character";
    auto only = [&](const char* extra) {
        for (unsigned char c : data)
            if (!std::isdigit(c) && !(c && std::strchr(extra, c)))
                return false;
        return true;
    };
    // EAN-8, UPC-A and EAN-13: digits, the last one checking the others (weights 3 and 1 from the right).
    auto ean = [&](size_t length, const char* what) -> std::string {
        if (data.size() != length || !only(""))
            return std::string(what) + " holds " + std::to_string(length) + " digits";
        int sum = 0;
        for (size_t i = 0; i + 1 < length; ++i)
            sum += (data[length - 2 - i] - '0') * (i % 2 == 0 ? 3 : 1);
        if ((10 - sum % 10) % 10 != data.back() - '0')
            return "the check digit is wrong";
        return "";
    };
    switch (symbology)
    {
    case 1: { // Code 39: its own 43 characters, every ASCII character with Full ASCII
        const bool fullAscii = options & 0x10;
        for (unsigned char c : data)
            if (fullAscii ? c > 127 : !(std::isdigit(c) || (c >= 'A' && c <= 'Z') || (c && std::strchr(" -.$/+%", c))))
                return fullAscii ? "Code 39 holds ASCII characters only"
                                 : "Code 39 holds capitals, digits and - . $ / + % and the blank (Full ASCII is off)";
        return "";
    }
    case 2:
        if (!only("") || data.size() % 2)
            return "Interleaved 2 of 5 holds an even number of digits";
        return "";
    case 3: { // Codabar: digits and - $ : / . +, between start and stop characters A to D when they are sent
        std::string inner = data;
        auto startStop = [](char c) { return c && std::strchr("ABCDabcd", c) != nullptr; };
        if (inner.size() >= 2 && startStop(inner.front()) && startStop(inner.back()))
            inner = inner.substr(1, inner.size() - 2);
        for (unsigned char c : inner)
            if (!std::isdigit(c) && !(c && std::strchr("-$:/.+", c)))
                return "Codabar holds digits and - $ : / . +";
        return "";
    }
    case 7:
    case 9:
    case 11:
    case 12:
        return only("") ? "" : "this symbology holds digits only";
    case 10:
        return only("-") ? "" : "Code 11 holds digits and -";
    case 17:
        return ean(8, "EAN-8");
    case 18:
        return data.size() == 8 && only("") ? "" : "UPC-E holds 8 digits";
    case 19:
        return ean(12, "UPC-A");
    case 20:
        return ean(13, "EAN-13");
    default:
        return "";
    }
}

