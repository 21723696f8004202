// Job files: any bytes as the text of a job. A text that is refused says why; a text that reads gives a document
// whose written form reads again, and writing that second document gives the same text: what a save writes, an
// open takes back whole. The job file's own JSON reader gives the JSON library's tree for every text it takes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "host/jobfile/JobFile.h"
#include "host/jobfile/JsonReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Nothing here opens a window, but the document's objects may ask the settings store: keep it the run's own.
    pdt::fuzz::StartToolkit();
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    if (Json fast; ReadJsonTree(input, fast))
    {
        Json library = Json::parse(input, nullptr, false);
        FUZZ_CHECK(!library.is_discarded(), "the reader took a text the JSON library refuses");
        // Kinds first: the library's == calls 1 and 1u equal.
        auto kinds = [](const Json &tree) {
            std::string all;
            auto walk = [&all](const Json &j, auto &&self) -> void {
                all += char('a' + int(j.type()));
                if (j.is_structured())
                    for (const Json &e : j)
                        self(e, self);
            };
            walk(tree, walk);
            return all;
        };
        FUZZ_CHECK(fast == library && kinds(fast) == kinds(library), "the reader's tree is not the library's");
    }
    std::string error;
    std::unique_ptr<JobDocument> doc = ParseJobText(input, &error);
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
