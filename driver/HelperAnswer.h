// The file in which the Linux wireless helper answers one request: written
// by the helper, read by the driver layer under Wine. Little-endian: "KWLA",
// a 32-bit status (0 answered, otherwise the system's error number), the
// payload's length, the payload (the list answer, or the 6-byte address).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kHelperAnswerHeader = 12;
// The largest payload either side accepts: a full list buffer.
constexpr size_t kHelperMaxPayload = 16384;

std::vector<uint8_t> EncodeHelperAnswer(uint32_t status, const uint8_t* payload, size_t size);

// The payload of a well-formed answer with status 0; false for any other
// bytes, with 'status' set to the answer's status when it has one.
bool DecodeHelperAnswer(const uint8_t* bytes, size_t size, std::vector<uint8_t>* payload, uint32_t* status);

// Fills a request's output from a decoded payload: nothing for the scan, the
// 6 address bytes, or the list re-written element by element (so never more
// than 'out' holds, nor than the scanner takes). False if the payload doesn't
// fit the request.
bool ApplyHelperPayload(uint32_t oid, const std::vector<uint8_t>& payload, void* out, uint32_t outSize);

// True for a name Linux could give a network interface (1 to 15 bytes, no
// slash, colon, blank or control byte) that also needs no escaping on a
// command line (no quote or backslash).
bool IsLinuxInterfaceName(const char* name);

// The three requests and the words that name them on the helper's command line.
const char* HelperRequestWord(uint32_t oid);
