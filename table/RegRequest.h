#pragma once
#include <cstdint>
#include <string_view>

// The one request of the account registration link: 256 raw bytes (no type, no length), zero but for
// the fields below. Texts are GBK, zero-padded, cut between characters, and unterminated when they
// fill their field.
struct RegRequest {
    static constexpr int kSize = 256;
    static constexpr int kAccount = 0, kAccountBytes = 20;
    static constexpr int kPassword = 20, kPasswordBytes = 12;
    static constexpr int kEmail = 32, kEmailBytes = 30;
    static constexpr int kFirstChoice = 62;

    RegRequest() = default;
    RegRequest(std::string_view account, std::string_view password, std::string_view email, bool firstChoice);

    uint8_t bytes[kSize] = {};
};
