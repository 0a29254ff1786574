// Arbitrary bytes as an XML menu file.
#include "fuzztree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzTreeFile(data, size, true);
}
