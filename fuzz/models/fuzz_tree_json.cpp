// Arbitrary bytes as a JSON menu file.
#include "fuzztree.h"

// Qt 5.15's JSON parser leaks the earlier value of a key that an object repeats when that value
// is a non-empty object or array (QJsonDocument::fromJson alone shows it). Qt has no frame
// pointers: only the slow unwinder reaches that frame; a short stack keeps it fast enough.
extern "C" const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0:malloc_context_size=16";
}

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:QJsonDocument::fromJson\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzTreeFile(data, size, false);
}
