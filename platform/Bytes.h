#pragma once
// A byte sequence with an explicit length that may hold zero bytes: an HTTP body,
// a chunk read from a pipe, a firmware table.

#include <string>

using Bytes = std::string;
