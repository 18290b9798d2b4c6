// Feeds arbitrary bytes to the sequential file reader. Only FileError may
// escape a read; a crash, undefined behaviour or any other exception is a
// finding.
#include "legacy/seqfile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string contents(reinterpret_cast<const char *>(data), size);
    legacy::SeqReader reader(std::move(contents), "fuzz");
    // The first byte picks where the cycle of kinds starts, so the fuzzer
    // can steer which kind meets which item.
    unsigned kind = size > 0 ? data[0] : 0;
    try {
        while (!reader.atEnd()) {
            switch (kind++ % 8) {
            case 0: (void)reader.text(); break;
            case 1:
                if (!std::isfinite(reader.number()))
                    std::abort();
                break;
            case 2:
                if (!std::isfinite(reader.numberF()))
                    std::abort();
                break;
            case 3: (void)reader.int16(); break;
            case 4: (void)reader.boolean(); break;
            case 5: {
                legacy::Variant v = reader.variant();
                if (auto *d = std::get_if<double>(&v); d && !std::isfinite(*d))
                    std::abort();
                break;
            }
            case 6: reader.skip(); break;
            default: (void)reader.variant(); break;
            }
        }
        // At the end, any further read must report the short file.
        try {
            reader.skip();
        } catch (const legacy::FileFormatError &) {
            return 0;
        }
        std::abort();
    } catch (const legacy::FileError &) {
    }
    return 0;
}
