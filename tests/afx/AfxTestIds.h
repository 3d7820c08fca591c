// Resource ids of the framework tests (shared with their resource script).
#ifndef KESU_AFXTESTIDS_H
#define KESU_AFXTESTIDS_H
#define IDR_TESTFRAME 128
#define IDR_BROKENBAR 129
#define IDS_TEST_LONG 130
#define IDR_WORDBAR 131
#define ID_TEST_DISABLED 32800
#define ID_TEST_VIEW 32801
#define ID_TEST_DOC 32802
#define ID_TEST_FRAME 32803
#define ID_TEST_APP 32804
#define ID_TEST_SHARED 32805
#endif
