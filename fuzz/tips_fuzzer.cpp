// The tips reader on any tips file and any stored position and time stamp.
#include "fuzz_support.h"

#include "core/tips/tipsreader.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::core;
    // The first 9 bytes choose the stored position and how many tips to read.
    std::int64_t pos = 0;
    std::uint8_t steps = 0;
    if (size >= 9) {
        std::memcpy(&pos, data, 8);
        steps = data[8];
        data += 9;
        size -= 9;
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = corvane::fuzz::scratchFile("tips.txt", bytes);
    corvane::fuzz::NullUi ui;
    TipsReader::Stored stored;
    stored.filePos = pos % 4 == 0 ? pos / 4 : pos;
    {
        TipsReader probe(path, {}, ui);
        stored.timeStamp = pos % 2 == 0 ? probe.timeStamp() : std::string(size % 10000, 'x');
    }
    TipsReader tips(path, stored, ui);
    for (int i = 0; i < steps % 16; ++i) {
        tips.nexttip(ui);
        if (tips.tip().size() > 999)
            __builtin_trap();
    }
    (void)tips.filePos();
    return 0;
}
