// What every fuzz target does once before its first input.
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    quornet::fuzz::quietLogging();
    return 0;
}
