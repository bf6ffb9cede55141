// SHA-256 of a file's bytes, in hex: names a module's proof in the cache, so a
// verdict is only ever reused for exactly the bytes it was given for.
#pragma once

#include <cstddef>
#include <string>

std::string sha256_hex(const void* data, size_t size);
