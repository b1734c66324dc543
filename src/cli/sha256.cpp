// SHA-256 through Nettle: a plain context on the stack, with no allocation
// and no failure to handle.

#include "cli/sha256.h"

#include <cstdint>
#include <nettle/sha2.h>

namespace kestrin::cli {

std::string Sha256Hex(const void* data, std::size_t size) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, size, static_cast<const std::uint8_t*>(data));
    std::uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&context, sizeof digest, digest);

    static const char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * sizeof digest);
    for (std::uint8_t byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}

}  // namespace kestrin::cli
