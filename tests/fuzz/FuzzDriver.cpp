// Runs a fuzz target without libFuzzer: every seed first, then random mutations of
// the seeds and of what the run has tried, for a bounded time or number of runs.
// Takes the options the tests pass to libFuzzer (-max_total_time=, -runs=; others
// are ignored) and folders of seed files. Given files instead, it runs each of them
// once and nothing else, as libFuzzer does: a kept finding is tried again alone. A
// failed property aborts, as under libFuzzer.
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes* g_current = nullptr;
std::string g_findings = "crash-input";

// An input that makes the target abort is kept, as libFuzzer keeps it.
void keepCurrent(int)
{
    if (g_current) {
        const int fd = ::open(g_findings.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            (void)!::write(fd, g_current->data(), g_current->size());
            ::close(fd);
        }
    }
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}

void run(const Bytes& input)
{
    g_current = &input;
    LLVMFuzzerTestOneInput(input.data(), input.size());
    g_current = nullptr;
}

Bytes mutate(const Bytes& from, const std::vector<Bytes>& pool, std::mt19937& rng)
{
    Bytes b = from;
    const int steps = 1 + int(rng() % 4);
    for (int i = 0; i < steps; ++i) {
        const size_t n = b.size();
        switch (rng() % 7) {
        case 0: // flip a bit
            if (n) b[rng() % n] ^= uint8_t(1u << (rng() % 8));
            break;
        case 1: // a byte of interest
            if (n) {
                static const uint8_t interesting[] = {0,   ',', '-', '.', '*',  '\r', '\n',
                                                      '<', '>', '/', '9', 0xff, 'e'};
                b[rng() % n] = interesting[rng() % sizeof interesting];
            }
            break;
        case 2: // insert a byte
            b.insert(b.begin() + (n ? rng() % (n + 1) : 0), uint8_t(rng()));
            break;
        case 3: // delete a run
            if (n) {
                const size_t at = rng() % n;
                b.erase(b.begin() + at, b.begin() + at + std::min<size_t>(n - at, 1 + rng() % 8));
            }
            break;
        case 4: // repeat a run
            if (n) {
                const size_t at = rng() % n;
                const size_t len = std::min<size_t>(n - at, 1 + rng() % 16);
                const Bytes run(b.begin() + at, b.begin() + at + len);
                b.insert(b.begin() + at, run.begin(), run.end());
            }
            break;
        case 5: // splice in part of another input
            if (!pool.empty()) {
                const Bytes& o = pool[rng() % pool.size()];
                if (!o.empty()) {
                    const size_t at = rng() % o.size();
                    const size_t len = std::min<size_t>(o.size() - at, 1 + rng() % 32);
                    b.insert(b.begin() + (n ? rng() % (n + 1) : 0), o.begin() + at, o.begin() + at + len);
                }
            }
            break;
        default: // a digit changed
            if (n) b[rng() % n] = uint8_t('0' + rng() % 10);
            break;
        }
    }
    if (b.size() > 4096) b.resize(4096);
    return b;
}

Bytes bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    double seconds = 2;
    long long runs = -1;
    std::vector<Bytes> pool;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("-max_total_time=", 0) == 0) {
            seconds = std::stod(a.substr(16));
        } else if (a.rfind("-artifact_prefix=", 0) == 0) {
            g_findings = a.substr(17) + "crash-input";
        } else if (a.rfind("-runs=", 0) == 0) {
            runs = std::stoll(a.substr(6));
        } else if (a.rfind("-", 0) != 0 && std::filesystem::is_directory(a)) {
            for (const auto& e : std::filesystem::directory_iterator(a))
                if (e.is_regular_file()) pool.push_back(bytesOf(e.path()));
        } else if (a.rfind("-", 0) != 0 && std::filesystem::is_regular_file(a)) {
            files.push_back(a);
        } else if (a.rfind("-", 0) != 0) {
            std::fprintf(stderr, "no such file or folder: %s\n", a.c_str());
            return 1;
        }
    }
    if (!files.empty()) {
        std::signal(SIGABRT, keepCurrent);
        for (const std::string& f : files) {
            std::printf("Running: %s\n", f.c_str());
            run(bytesOf(f));
        }
        std::printf("Executed %zu inputs\n", files.size());
        return 0;
    }
    if (pool.empty()) pool.emplace_back();
    std::signal(SIGABRT, keepCurrent);
    long long executed = 0;
    for (const Bytes& seed : pool) {
        run(seed);
        ++executed;
    }
    std::mt19937 rng(20080501);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while ((runs < 0 || executed < runs) && std::chrono::steady_clock::now() < end) {
        const Bytes input = mutate(pool[rng() % pool.size()], pool, rng);
        run(input);
        ++executed;
        if (rng() % 64 == 0 && pool.size() < 1000) pool.push_back(input);
    }
    std::printf("stat::number_of_executed_units: %lld\n", executed);
    std::printf("Done %lld runs (mutation loop, no findings)\n", executed);
    return 0;
}
