// Speaking one text through the Unix speech engine, and learning when it ended.
#pragma once

#include "afx/AfxSetup.h"

#include <string>

struct SpeechPlace
{
    std::string engine;       // Unix path of the engine program
    std::wstring workFolder;  // private to one voice; emptied by its owner
    std::wstring wavFolder;   // empty: speak aloud; else one WAV per text here
    // A sentence's time beyond its share per character; past it the engine hangs.
    DWORD limitMs = 10000;
};

enum class SentenceResult
{
    Spoken,
    Failed,      // this sentence only: the engine failed on it or ran past its time
    NotStarted,  // the engine can't be run at all
    Stopped,
};

// Speaks 'utf8' as sentence 'number' and returns when the engine has ended,
// has failed or run past its time, or 'hStop' is set; in the last two cases
// the engine is ended first, so nothing is left speaking. Into a WAV folder
// the first number from 'number' on that no file there has yet is used, and
// 'number' is left on it.
SentenceResult SpeakSentence(const SpeechPlace& place, const std::string& utf8, unsigned& number,
                             HANDLE hStop);

// Ends the Unix process that 'record' names ("<id> <start time>", the start
// time as /proc/<id>/stat gives it) if it still runs and is still the process
// recorded: a reused id has another start time and is never signalled. False,
// signalling nothing, for a malformed record or id 0.
bool EndRecordedProcess(const std::string& record);

// "0007": the name of sentence 7's files, which sort in speaking order.
std::wstring SentenceName(unsigned number);
