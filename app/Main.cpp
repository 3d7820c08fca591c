// The program's one application object; the framework's entry point finds it.
#include "app/KesuApp.h"

CKesuApp theApp;
