#pragma once

#include "ExchangeDocument.h"

#include "platform/Result.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

namespace tabxfer {

// The largest exchange file the reader accepts.
inline constexpr qsizetype kMaxFileBytes = qsizetype(256) * 1024 * 1024;

// Reads an XML exchange file from its bytes, streaming, without a document tree.
// Anything that is not a well-formed file of FORMAT.md fails with a Chinese
// description that names the line: another encoding than UTF-8, a document type
// declaration, an unknown element or attribute, text where none belongs, a value
// that does not read as its kind, a registration number given twice, a table given
// twice in one registration, a column given twice in one row, no registration at
// all, and a file larger than kMaxFileBytes. The reader touches no database.
Result<ExchangeDocument> readDocument(QByteArrayView bytes);

// Entry point for fuzzing the reader: reads `size` bytes at `data` and throws the
// outcome away. Never crashes, whatever the bytes.
void fuzzReadDocument(const std::uint8_t* data, std::size_t size);

} // namespace tabxfer
