// libFuzzer entry: the game server's byte stream through the framer and the dispatcher.
#include "tests/fuzz/FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static RecordDispatch *dispatch = [] {
        FuzzProcessSetUp("record_dispatch_fuzz");
        return new RecordDispatch;
    }();
    std::string failure = dispatch->Run(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "record dispatch: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
