#pragma once

#include "platform/Database.h"

#include <QString>

#include <benchmark/benchmark.h>

// Puts the registrations and reserve rows that a timed run wrote into `target` beside
// the timings, so that a run that wrote less than it should shows.
inline void countOutputRows(benchmark::State& s, const QString& target)
{
    Db::ScopedConnection out(QStringLiteral("check"), target, Db::OpenMode::ReadOnly);
    s.counters["registrations"] =
        Db::scalar(out.db(), QStringLiteral("SELECT count(*) FROM 登记")).toDouble();
    s.counters["reserve_rows"] =
        Db::scalar(out.db(), QStringLiteral("SELECT count(*) FROM 资源储量")).toDouble();
}
