// The keymap functions on any keymap and any names. The first byte chooses the keymap: with its top bit set the
// next 2048 bytes are the 256 entries as they are (short inputs are padded with empty entries); otherwise it is a
// model's default keymap with some bytes changed (a count, then offset and value pairs). The rest of the input is
// lookups and changes. Names from the keymap come back as at most four
// characters (or one of the fixed names), a code set on a key reads back, and nothing reads past an entry's name
// field or the keymap.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "simulation/Keymap.h"

namespace
{
using pdt::fuzz::Bytes;

const char *const kModels[] = {"M-10", "M-13", "N-13", "M-20", "M-20X", "R-50", "R-50G", "m-10", "M-20 ", ""};

bool FixedName(const char *s)
{
    return std::strcmp(s, "Exit") == 0 || std::strcmp(s, "Any-key") == 0 || std::strcmp(s, "Right") == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Each keymap on the heap at its exact size, so that a read past its end is seen.
    auto keymap = std::make_unique<KEYMAP_KEY[]>(KEYMAP_SIZE);
    const size_t bytes = sizeof(KEYMAP_KEY) * KEYMAP_SIZE;
    const KEYMAP_KEY *const defaults[] = {KEYMAP_M10,  KEYMAP_M13, KEYMAP_N13, KEYMAP_M20,
                                          KEYMAP_M20X, KEYMAP_R50, KEYMAP_R50G};
    Bytes in(data, size);
    uint8_t choice = in.Byte();
    if (choice & 0x80)
    {
        size_t n = std::min(in.Left(), bytes);
        std::memcpy(keymap.get(), data + 1, n);
        in = Bytes(data + 1 + n, size - 1 - n);
    }
    else
    {
        CopyKeymap(keymap.get(), defaults[choice % std::size(defaults)]);
        auto *raw = reinterpret_cast<unsigned char *>(keymap.get());
        for (int patches = in.Byte() % 16; patches > 0; --patches)
        {
            size_t at = in.Word() % bytes;
            raw[at] = in.Byte();
        }
    }

    while (!in.Empty())
    {
        uint8_t op = in.Byte();
        int id = op & 0x80 ? int(in.Word()) : int(keymap[in.Byte()].wKeyID); // mostly ids the keymap holds
        switch (op % 8)
        {
        case 0: {
            const char *name = GetKeyNameWKM(id, keymap.get());
            if (name)
            {
                size_t n = strnlen(name, 8);
                FUZZ_CHECK(n <= 4 || FixedName(name), name);
                // Every name handed out finds a key again, and the first key of that name has a code.
                FUZZ_CHECK(GetKeyIDWKM(name, keymap.get()) != 0 || n == 0, name);
            }
            break;
        }
        case 1: {
            std::string name = op & 0x40 ? in.Run(8) : std::string(keymap[in.Byte()].szKeyName, 5).c_str();
            int found = GetKeyIDWKM(name.c_str(), keymap.get());
            unsigned char code = GetKeyCodeWKM(name.c_str(), keymap.get());
            if (found == 0)
                FUZZ_CHECK(code == 0, name);
            break;
        }
        case 2: {
            unsigned char code = in.Byte();
            GetKeyIDWKM(code, keymap.get());
            break;
        }
        case 3:
            GetKeyCodeWKM(id, keymap.get());
            break;
        case 4: {
            unsigned char code = in.Byte();
            std::vector<KEYMAP_KEY> before(keymap.get(), keymap.get() + KEYMAP_SIZE);
            SetKeyCodeWKM(id, code, keymap.get());
            int changed = 0;
            for (int i = 0; i < KEYMAP_SIZE; ++i)
                changed += std::memcmp(&before[size_t(i)], &keymap[i], sizeof(KEYMAP_KEY)) != 0;
            FUZZ_CHECK(changed <= 1, std::to_string(id));
            if (GetKeyNameWKM(id, keymap.get()) && id != 3204 && id != 3205 && id != 3215)
                FUZZ_CHECK(GetKeyCodeWKM(id, keymap.get()) == code, std::to_string(id));
            break;
        }
        case 5: {
            auto copy = std::make_unique<KEYMAP_KEY[]>(KEYMAP_SIZE);
            CopyKeymap(copy.get(), keymap.get());
            FUZZ_CHECK(std::memcmp(copy.get(), keymap.get(), bytes) == 0, "copy");
            CopyKeymap(keymap.get(), keymap.get());
            CopyKeymap(nullptr, keymap.get());
            break;
        }
        case 6: {
            CString model = op & 0x40 ? CString(in.Run(8).c_str()) : CString(kModels[in.Byte() % std::size(kModels)]);
            auto reset = std::make_unique<KEYMAP_KEY[]>(KEYMAP_SIZE);
            ResetKeymap(model, reset.get());
            bool known = false;
            for (const KEYMAP_KEY *d : defaults)
                known |= std::memcmp(reset.get(), d, bytes) == 0;
            FUZZ_CHECK(known, std::string(model));
            break;
        }
        case 7:
            // A null keymap finds nothing.
            FUZZ_CHECK(GetKeyCodeWKM(id, nullptr) == 0 || id == 3204 || id == 3205 || id == 3215, "null keymap");
            break;
        }
    }
    return 0;
}
