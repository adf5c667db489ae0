#include "platform/FileMd5.h"

#include <cstdio>
#include <memory>
#include <openssl/evp.h>
#include <vector>

namespace {

struct FileClose {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
struct DigestFree {
    void operator()(EVP_MD_CTX *ctx) const { EVP_MD_CTX_free(ctx); }
};

constexpr size_t kPiece = 64 * 1024;

} // namespace

std::string BytesToHex(const uint8_t *bytes, size_t n)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * n);
    for (size_t i = 0; i < n; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 15];
    }
    return hex;
}

std::string FileMd5Hex(std::string_view path)
{
    std::unique_ptr<std::FILE, FileClose> file(std::fopen(std::string(path).c_str(), "rb"));
    std::unique_ptr<EVP_MD_CTX, DigestFree> ctx(EVP_MD_CTX_new());
    if (!file || !ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1)
        return {};
    std::vector<uint8_t> piece(kPiece);
    size_t got;
    while ((got = std::fread(piece.data(), 1, piece.size(), file.get())) > 0)
        if (EVP_DigestUpdate(ctx.get(), piece.data(), got) != 1)
            return {};
    // A folder opens but cannot be read; a read error is no digest either.
    if (std::ferror(file.get()))
        return {};
    uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    if (EVP_DigestFinal_ex(ctx.get(), digest, &size) != 1)
        return {};
    return BytesToHex(digest, size);
}
