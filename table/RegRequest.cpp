#include "table/RegRequest.h"

#include "platform/Gbk.h"

#include <cstring>

namespace {

void Put(uint8_t *field, size_t width, std::string_view text)
{
    std::memcpy(field, text.data(), GbkFit(text, width));
}

} // namespace

RegRequest::RegRequest(std::string_view account, std::string_view password, std::string_view email, bool firstChoice)
{
    Put(bytes + kAccount, kAccountBytes, account);
    Put(bytes + kPassword, kPasswordBytes, password);
    Put(bytes + kEmail, kEmailBytes, email);
    bytes[kFirstChoice] = firstChoice ? 1 : 0;
}
