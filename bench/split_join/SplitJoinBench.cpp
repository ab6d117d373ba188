// Splits 1 GiB of generated data into 1.44 MB pieces and joins them again, with the engine and
// with `split -b 1457664` and `cat`, in the same run; prints the time ratios and the peak
// memory the engine took beyond this program's start-up size. A set holds at most 99 pieces,
// so the data is cut into inputs of 99 pieces each (the last one shorter), split in one run.
//
//   split_join_bench [work folder, default /tmp] [size in MiB, default 1024] [rounds, default 5]

#include "ConsoleHost.h"
#include "engine/Joiner.h"
#include "engine/Splitter.h"
#include "platform/FolderListing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr long long PieceSize = 1457664;
constexpr long long InputSize = 99 * PieceSize;

long maxRssKiB(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Times {
    double wall = 0;
    double cpu = 0;
};

// Wall time of f, and the processor time of who (this process, or its children) during it.
template <typename F> Times timed(int who, F&& f) {
    const double cpuStart = cpuSeconds(who);
    const auto start = Clock::now();
    f();
    return {std::chrono::duration<double>(Clock::now() - start).count(),
            cpuSeconds(who) - cpuStart};
}

void removeTree(const std::string& path) {
    nftw(
        path.c_str(), [](const char* p, const struct stat*, int, FTW*) { return std::remove(p); },
        16, FTW_DEPTH | FTW_PHYS);
}

// Flushes what a run left dirty so that the next run does not pay for it.
void settle(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    syncfs(fd);
    close(fd);
}

void makeInput(const std::string& path, long long size) {
    std::vector<char> block(64 * 1024);
    unsigned x = 12345;
    FILE* out = std::fopen(path.c_str(), "wb");
    for (long long written = 0; written < size;) {
        for (auto& b : block) {
            x = x * 1664525u + 1013904223u;
            b = static_cast<char>(x >> 24);
        }
        const auto n = static_cast<std::size_t>(
            std::min<long long>(size - written, static_cast<long long>(block.size())));
        std::fwrite(block.data(), 1, n, out);
        written += static_cast<long long>(n);
    }
    std::fclose(out);
}

// Runs a tool to its end; its standard output goes to stdoutPath when one is given.
void run(const std::vector<std::string>& args, const std::string& stdoutPath = {}) {
    std::vector<char*> argv;
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stdoutPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::perror(argv[0]);
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0]);
        std::exit(1);
    }
}

std::vector<std::string> filesIn(const std::string& folder) {
    auto names = zol::FolderEntries(folder);
    std::sort(names.begin(), names.end());
    for (auto& name : names) {
        name = folder + name;
    }
    return names;
}

struct Series {
    std::vector<double> wall;
    std::vector<double> cpu;
    void add(const Times& t) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void report(const char* what, const char* tool, const Series& engine, const Series& other,
            double mib) {
    const double we = median(engine.wall), wt = median(other.wall);
    const double ce = median(engine.cpu), ct = median(other.cpu);
    std::printf("%-6s engine %.3f s (%4.0f MiB/s, cpu %.3f s)   %-10s %.3f s (%4.0f MiB/s, cpu "
                "%.3f s)   time ratio %.2f, cpu ratio %.2f\n",
                what, we, mib / we, ce, tool, wt, mib / wt, ct, we / wt, ce / ct);
}

} // namespace

int main(int argc, char** argv) {
    const long startRss = maxRssKiB(RUSAGE_SELF);
    const std::string base = argc > 1 ? argv[1] : "/tmp";
    const long long size = (argc > 2 ? std::atoll(argv[2]) : 1024) * 1024 * 1024;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    std::string work = base + "/zolbench-XXXXXX";
    if (mkdtemp(work.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    work += "/";
    std::vector<std::string> inputs;
    for (long long at = 0; at < size; at += InputSize) {
        inputs.push_back(work + "input" + std::to_string(inputs.size()) + ".bin");
        makeInput(inputs.back(), std::min(InputSize, size - at));
    }
    settle(work);

    const std::string ours = work + "ours/";
    const std::string theirs = work + "theirs/";
    Series engineSplit, toolSplit, engineJoin, toolJoin;
    for (int round = 0; round < rounds; ++round) {
        mkdir(ours.c_str(), 0755);
        mkdir(theirs.c_str(), 0755);
        const auto splitWithEngine = [&] {
            zol::bench::ConsoleHost host;
            host.state.PieceSize = PieceSize;
            host.list = inputs;
            host.output = ours;
            engineSplit.add(timed(RUSAGE_SELF, [&] { zol::SplitFiles(host); }));
            settle(work);
        };
        const auto splitWithTool = [&] {
            toolSplit.add(timed(RUSAGE_CHILDREN, [&] {
                for (std::size_t i = 0; i < inputs.size(); ++i) {
                    run({"split", "-b", std::to_string(PieceSize), inputs[i],
                         theirs + "x" + std::to_string(100 + i) + "-"});
                }
            }));
            settle(work);
        };
        const auto joinWithEngine = [&] {
            zol::bench::ConsoleHost host;
            host.list = filesIn(ours);
            host.output = work + "joined-ours";
            engineJoin.add(timed(RUSAGE_SELF, [&] { zol::JoinFiles(host); }));
            settle(work);
        };
        const auto joinWithTool = [&] {
            std::vector<std::string> cat = {"cat"};
            const auto pieces = filesIn(theirs);
            cat.insert(cat.end(), pieces.begin(), pieces.end());
            toolJoin.add(timed(RUSAGE_CHILDREN, [&] { run(cat, work + "joined-theirs"); }));
            settle(work);
        };
        // Who goes first alternates, so that neither side always meets the other's leftovers.
        if (round % 2 == 0) {
            splitWithEngine();
            splitWithTool();
            joinWithEngine();
            joinWithTool();
        } else {
            splitWithTool();
            splitWithEngine();
            joinWithTool();
            joinWithEngine();
        }

        std::vector<std::string> whole = {"cat"};
        whole.insert(whole.end(), inputs.begin(), inputs.end());
        run(whole, work + "input-whole");
        run({"cmp", "-s", work + "input-whole", work + "joined-ours"});
        run({"cmp", "-s", work + "input-whole", work + "joined-theirs"});
        std::remove((work + "input-whole").c_str());
        removeTree(ours);
        removeTree(theirs);
        std::remove((work + "joined-ours").c_str());
        std::remove((work + "joined-theirs").c_str());
        settle(work);
    }
    removeTree(work);

    const double mib = static_cast<double>(size) / (1024 * 1024);
    std::printf("%.0f MiB in %zu inputs, %lld-byte pieces, median of %d rounds, results "
                "compared byte for byte\n",
                mib, inputs.size(), PieceSize, rounds);
    report("split:", "split -b", engineSplit, toolSplit, mib);
    report("join:", "cat", engineJoin, toolJoin, mib);
    std::printf("peak memory beyond start-up: %.1f MiB (start-up %.1f MiB; split, cat and cmp "
                "peak %.1f MiB)\n",
                (maxRssKiB(RUSAGE_SELF) - startRss) / 1024.0, startRss / 1024.0,
                maxRssKiB(RUSAGE_CHILDREN) / 1024.0);
    return 0;
}
