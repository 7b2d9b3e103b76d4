// The language file of the working directory: any file is read, and
// rewriting it after a language change keeps what may be kept.

#include "app/startup.h"
#include "common/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("language_file");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzWriteFile(languageFileName(), data, size);
    const languageRequest request = readLanguageFile(fuzzDirectory());
    writeLanguageFile(fuzzDirectory(), request.code.isEmpty() ? QStringLiteral("de") : request.code, request.name);
    readLanguageFile(fuzzDirectory());
    fuzzSettle();
    return 0;
}
