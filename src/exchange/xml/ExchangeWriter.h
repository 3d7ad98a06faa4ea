#pragma once

#include "ExchangeDocument.h"

#include "platform/Result.h"

#include <QByteArray>

namespace tabxfer {

// Writes `document` as an XML exchange file (UTF-8, FORMAT.md). Fails only when a
// name that goes into an attribute (table, column, registration number, system
// code) holds a character an attribute cannot carry unchanged, or when a value
// is not one of the kinds ExchangeDocument allows.
Result<QByteArray> writeDocument(const ExchangeDocument& document);

} // namespace tabxfer
