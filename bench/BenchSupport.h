#pragma once

#include <QString>

// What every benchmark shares: the size of the generated sample databases, the
// samples themselves, and the ratio of a timing to its floor (the plainest way to do
// the same work, measured in the same run).
//
// The size is the number of registrations in the environment variable
// ORVANE_BENCH_SIZE, 20,000 when it is unset:
//
//     ORVANE_BENCH_SIZE=200000 ./bench.sh
namespace Bench {

int sampleSize();

// `wanted`, but no more than the sample size divided by `divisor`, and at least one:
// the export of 1,000 is half of a sample of 200 in the smoke test.
int share(int wanted, int divisor);

// <folder of the benchmarks>/<prefix>-<size>.mdb, e.g. sample-20000.mdb.
QString samplePath(const QString& prefix);

// The sample database of sampleSize() registrations that most benchmarks share.
QString sharedSample();

// Reports the time of the benchmark `name` (its name as registered, e.g.
// "BM_Export" or "BM_Mode_KQ/all") as a multiple of the time of `floor`, in the
// counter "x_floor" beside it. The floor must be registered before it.
void compareWithFloor(const char* name, const char* floor);

// Runs the benchmarks chosen on the command line and prints them with their ratios.
// Returns the exit code: 1 when a benchmark failed (SkipWithError), so that a
// broken benchmark fails its smoke test.
int run(int* argc, char** argv);

} // namespace Bench
