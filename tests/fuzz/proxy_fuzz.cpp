// libFuzzer entry: a proxy's answers to the handshake.
#include "platform/MessageBox.h"
#include "tests/fuzz/FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = [] {
        MessageBox::SetHandler([](const MessageBox::Box &) { return MessageBox::ResultOk; });
        return true;
    }();
    (void)quiet;
    std::string failure = ProxyReplyInput(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "proxy handshake: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
