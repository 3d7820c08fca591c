// One request of the helper, from interface name to the encoded answer,
// over whatever carries nl80211 messages (the kernel's socket, or a test's
// script).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Nl80211Channel
{
public:
    virtual ~Nl80211Channel() = default;
    // The interface's index; 0 if there is none.
    virtual unsigned InterfaceIndex(const std::string& name) = 0;
    virtual bool Send(const std::vector<uint8_t>& message) = 0;
    // The next datagram; false on error or when none came in time.
    virtual bool Receive(std::vector<uint8_t>* datagram) = 0;
};

// The answer file's bytes for the request named by 'word' ("scan", "list" or
// "address"); failures are answers too, carrying their error number.
std::vector<uint8_t> AnswerHelperRequest(Nl80211Channel& channel, const std::string& word,
                                         const std::string& interfaceName);

// Writes the answer beside 'path' (into 'path'.part, which must not exist
// yet) and renames it into place, so a reader sees all of it or nothing.
// False on any failure.
bool WriteAnswerFile(const std::string& path, const std::vector<uint8_t>& answer);
