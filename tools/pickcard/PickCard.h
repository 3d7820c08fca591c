// Drives a running Kesu from another process: answers the adapter dialog,
// reads what the main window shows, closes it. For scripts and benchmarks.
#pragma once

#include "afx/AfxSetup.h"

#include <string>

enum PickResult
{
    kPicked = 0,
    kNoDialog = 1,    // the dialog did not appear in time
    kNoSuchCard = 2,  // the dialog does not list the service
    kStillOpen = 3,   // OK was pressed but the dialog did not close
    kNoAccess = 4,    // the dialog's process could not be read or written
};

// The dialog's title: text 46 of spanish.lng beside this program.
std::string AdapterDialogTitle();

// A visible dialog with that title, of process 'pid' (0: any process);
// waits up to 'timeoutMs'. Null if none appeared.
HWND WaitForAdapterDialog(const std::string& title, DWORD pid, DWORD timeoutMs);

// Selects the row whose service name is 'service' and presses OK, as a user
// would: the row selected and marked, then the OK command.
PickResult ChooseCard(HWND hDialog, const char* service);

// The main frame of process 'pid' (0: any): a visible top-level window with a
// status bar. Null if none.
HWND FindMainFrame(DWORD pid);
// Characters in status pane 'pane', or -1 without a status bar.
int StatusPaneLength(HWND hFrame, int pane);
// Rows in the frame's list view, or -1 without one.
int ListRowCount(HWND hFrame);

// The text of one cell of the frame's list view, or of one status pane, as
// the program shows it; empty if there is none.
std::string ListCellText(HWND hFrame, int row, int column);
std::string StatusPaneText(HWND hFrame, int pane);

// Waits up to 'timeoutMs' for status pane 1 to say the program is scanning
// (it blinks, so one refresh in two shows it); false if it never did.
bool ShowsScanning(HWND hFrame, DWORD timeoutMs);

// Answers "No" to the frame's question whether to save a changed list, if it
// is showing; the frame goes on with what asked (closing, opening a list).
void DeclineSave(HWND hFrame);

// Asks the frame to close and declines to save the list if asked; true once
// the frame's window is gone (within 'timeoutMs').
bool CloseWithoutSaving(HWND hFrame, DWORD timeoutMs);

// Gives a process 'timeoutMs' to end on its own, ends it otherwise, closes
// its handles and answers its exit code.
DWORD EndProcess(PROCESS_INFORMATION& pi, DWORD timeoutMs);
