#pragma once
// The system code page's characters: one byte each, or two in a double-byte
// code page (Chinese, Japanese, Korean), where a lead byte begins a character
// whose second byte follows. The platform build defines the test: on Windows
// through the system code page, natively no byte leads (the native build's
// text is kept one byte a character).

#include <cstddef>
#include <string_view>

namespace varnok::text {

using LeadByteTest = bool (*)(unsigned char byte);

// Whether `byte` begins a two-byte character in the system code page.
bool isLeadByte(unsigned char byte);

// The longest beginning of `s` of at most `most` bytes that ends at a
// character boundary under `isLead`: a lead byte never loses the byte after it.
std::string_view cutAtCharacter(std::string_view s, std::size_t most,
                                LeadByteTest isLead = isLeadByte);

}  // namespace varnok::text
