// Speaking one text through the Unix speech engine, and learning when it ended.
#pragma once

#include "afx/AfxSetup.h"

#include <string>

struct SpeechPlace
{
    std::string engine;       // Unix path of the engine program
    std::wstring workFolder;  // private to one voice; emptied by its owner
    std::wstring wavFolder;   // empty: speak aloud; else one WAV per text here
};

enum class SentenceResult
{
    Spoken,
    Failed,
    Stopped,
};

// Speaks 'utf8' as sentence 'number' and returns when the engine has ended,
// has failed or run past its time, or 'hStop' is set; in the last two cases
// the engine is ended first, so nothing is left speaking. Into a WAV folder
// the first number from 'number' on that no file there has yet is used, and
// 'number' is left on it.
SentenceResult SpeakSentence(const SpeechPlace& place, const std::string& utf8, unsigned& number,
                             HANDLE hStop);

// "0007": the name of sentence 7's files, which sort in speaking order.
std::wstring SentenceName(unsigned number);
