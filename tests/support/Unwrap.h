#pragma once

#include "platform/Result.h"

#include <gtest/gtest.h>

// The value of a result a test expects to succeed; a failed result fails the test
// with its error and gives an empty value.
template <class T>
T unwrap(Result<T> r)
{
    if (r) return std::move(r).value();
    ADD_FAILURE() << "unexpected error: " << r.error().description.toStdString();
    return T{};
}
