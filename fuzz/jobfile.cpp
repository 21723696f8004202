// Job files: any bytes as the text of a job. A text that is refused says why; a text that reads gives a document
// whose written form reads again, and writing that second document gives the same text: what a save writes, an
// open takes back whole.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "host/jobfile/JobFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Nothing here opens a window, but the document's objects may ask the settings store: keep it the run's own.
    pdt::fuzz::StartToolkit();
    std::string error;
    std::unique_ptr<JobDocument> doc = ParseJobText(std::string_view(reinterpret_cast<const char *>(data), size), &error);
    if (!doc)
    {
        FUZZ_CHECK(!error.empty(), "a refused text gave no message");
        return 0;
    }
    const std::string text = FormatJobText(*doc);
    std::string again;
    std::unique_ptr<JobDocument> reread = ParseJobText(text, &again);
    FUZZ_CHECK(reread != nullptr, "the written text does not read: " + again);
    const std::string rewritten = FormatJobText(*reread);
    if (rewritten != text)
    {
        size_t at = 0;
        while (at < text.size() && at < rewritten.size() && text[at] == rewritten[at])
            ++at;
        size_t from = at > 60 ? at - 60 : 0;
        pdt::fuzz::Broken("the written text reads back different", "at byte " + std::to_string(at) + ": ..." +
                                                                     text.substr(from, 120) + "\n   now ..." +
                                                                     rewritten.substr(from, 120));
    }
    return 0;
}
