// The reader of XML exchange files, as the import runs it on a chosen file.
#include "FuzzSupport.h"

#include "exchange/xml/ExchangeReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    tabxfer::fuzzReadDocument(data, size);
    return 0;
}
