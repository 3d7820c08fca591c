// kesu-wlan: answers one of Kesu's card requests for a Linux wireless
// interface over nl80211, for Kesu.exe running under Wine.
//   kesu-wlan scan|list|address INTERFACE ANSWER-FILE
// The answer (or the error) is written to ANSWER-FILE as a whole; the exit
// code is 0 when it was written.
#include <cstdio>

#include "driver/HelperAnswer.h"
#include "tools/wlan/HelperRequest.h"
#include "tools/wlan/NetlinkSocket.h"

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: kesu-wlan scan|list|address INTERFACE ANSWER-FILE\n");
        return 64;
    }
    NetlinkSocket socket;
    const std::vector<uint8_t> answer = socket.Ok() ? AnswerHelperRequest(socket, argv[1], argv[2])
                                                    : EncodeHelperAnswer(socket.Error(), nullptr, 0);
    if (!WriteAnswerFile(argv[3], answer))
    {
        std::fprintf(stderr, "kesu-wlan: can't write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
