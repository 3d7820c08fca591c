// kesu-pickcard: answers a running Kesu's adapter dialog, or closes Kesu.
//   kesu-pickcard [--service NAME] [--timeout SECONDS]
//       waits for the adapter dialog, selects the card NAME (default KesuSim)
//       and presses OK
//   kesu-pickcard --close [--timeout SECONDS]
//       closes Kesu's main window, answering "No" if it asks to save
// Exit code 0 on success; otherwise a message on stderr.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/Device.h"
#include "tools/pickcard/PickCard.h"

namespace
{

int Usage()
{
    std::fprintf(stderr, "usage: kesu-pickcard [--service NAME] [--timeout SECONDS]\n"
                         "       kesu-pickcard --close [--timeout SECONDS]\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* service = kSimulatedServiceName;
    DWORD timeoutMs = 60000;
    bool close = false;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--service") == 0 && i + 1 < argc)
        {
            service = argv[++i];
        }
        else if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
        {
            timeoutMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10) * 1000);
        }
        else if (std::strcmp(argv[i], "--close") == 0)
        {
            close = true;
        }
        else
        {
            return Usage();
        }
    }

    if (close)
    {
        HWND hFrame = FindMainFrame(0);
        if (!hFrame)
        {
            std::fprintf(stderr, "kesu-pickcard: no Kesu main window\n");
            return 1;
        }
        if (!CloseWithoutSaving(hFrame, timeoutMs))
        {
            std::fprintf(stderr, "kesu-pickcard: the main window did not close\n");
            return 3;
        }
        return 0;
    }

    const std::string title = AdapterDialogTitle();
    if (title.empty())
    {
        std::fprintf(stderr, "kesu-pickcard: can't read the dialog title from spanish.lng\n");
        return 1;
    }
    HWND hDialog = WaitForAdapterDialog(title, 0, timeoutMs);
    if (!hDialog)
    {
        std::fprintf(stderr, "kesu-pickcard: no adapter dialog within %lu s\n",
                     static_cast<unsigned long>(timeoutMs / 1000));
        return kNoDialog;
    }
    switch (ChooseCard(hDialog, service))
    {
    case kPicked:
        return 0;
    case kNoSuchCard:
        std::fprintf(stderr, "kesu-pickcard: the adapter dialog does not list %s\n", service);
        return kNoSuchCard;
    case kStillOpen:
        std::fprintf(stderr, "kesu-pickcard: the adapter dialog stayed open after OK\n");
        return kStillOpen;
    default:
        std::fprintf(stderr, "kesu-pickcard: can't reach the dialog's process\n");
        return kNoAccess;
    }
}
