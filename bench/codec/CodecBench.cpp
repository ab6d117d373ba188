// unlha_codec_bench FILE...: for each file (the corpora of make-corpus.sh), the -lh5-, -lh6-
// and -lh7- sizes against gzip -6 and -9, our encoding speed against gzip -6's, and our
// decoding time against bsdtar's and liblhasa's on the same stream. All figures of one run;
// times are CPU times (user + system, of the child for gzip and bsdtar), so that other load
// on the machine disturbs them less than wall time would.

#include "LzhWrap.h"
#include "codec.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <lha_decoder.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

double CpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU time of this process since start.
class Stopwatch {
public:
    double Seconds() const { return CpuSeconds(RUSAGE_SELF) - start_; }

private:
    double start_ = CpuSeconds(RUSAGE_SELF);
};

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

// Runs a shell command and returns its CPU time, or a negative time when it failed.
double TimeCommand(const std::string& command) {
    const double start = CpuSeconds(RUSAGE_CHILDREN);
    const int rc = std::system(command.c_str());
    const double t = CpuSeconds(RUSAGE_CHILDREN) - start;
    return rc == 0 ? t : -1.0;
}

struct Gzip {
    std::uintmax_t size;
    double seconds;
};

Gzip RunGzip(int level, const std::string& file, const std::string& tmp) {
    const std::string out = tmp + "/gz.out";
    const double t = TimeCommand("gzip -" + std::to_string(level) + " -c '" + file + "' > " + out);
    return {std::filesystem::file_size(out), t};
}

std::size_t LhasaRead(void* buf, std::size_t len, void* user) {
    auto* s = static_cast<std::pair<const Bytes*, std::size_t>*>(user);
    const std::size_t n = std::min(len, s->first->size() - s->second);
    std::copy_n(s->first->data() + s->second, n, static_cast<std::uint8_t*>(buf));
    s->second += n;
    return n;
}

double TimeLhasa(const std::string& method, const Bytes& packed, std::size_t size) {
    std::string name = method;
    std::pair<const Bytes*, std::size_t> source{&packed, 0};
    const Stopwatch watch;
    LHADecoder* d = lha_decoder_new(lha_decoder_for_name(name.data()), LhasaRead, &source, size);
    Bytes buf(1 << 16);
    std::size_t total = 0;
    while (std::size_t n = lha_decoder_read(d, buf.data(), buf.size())) {
        total += n;
    }
    lha_decoder_free(d);
    const double t = watch.Seconds();
    return total == size ? t : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
        return 2;
    }
    // Our own folder: several benchmarks may run at once.
    const std::string tmp =
        std::filesystem::temp_directory_path() / ("unlha_codec_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(tmp);
    std::printf("%-10s %-5s %10s %6s %6s %8s %7s %8s %7s %7s\n", "corpus", "meth", "bytes", "/gz-6",
                "/gz-9", "encMB/s", "enc/gz6", "decMB/s", "/bsdtar", "lhasa/b");
    for (int i = 1; i < argc; ++i) {
        const std::string file = argv[i];
        const Bytes data = ReadFile(file);
        const double mb = static_cast<double>(data.size()) / 1e6;
        const Gzip gz6 = RunGzip(6, file, tmp);
        const Gzip gz9 = RunGzip(9, file, tmp);
        const std::string corpus = std::filesystem::path(file).stem();
        std::printf("%-10s %-5s %10ju %6s %6s %8.1f %7s\n", corpus.c_str(), "gz-6", gz6.size, "",
                    "", mb / gz6.seconds, "");
        std::printf("%-10s %-5s %10ju %6s %6s %8.1f %7.2f\n", corpus.c_str(), "gz-9", gz9.size, "",
                    "", mb / gz9.seconds, gz9.seconds / gz6.seconds);
        for (const std::string method : {"-lh5-", "-lh6-", "-lh7-"}) {
            Bytes packed;
            packed.reserve(data.size() + data.size() / 8);
            const Stopwatch encodeWatch;
            unlha::Encode(unlha::EncodableDictionaryBits(method), data.data(), data.size(),
                          [&](const std::uint8_t* p, std::size_t n) {
                              packed.insert(packed.end(), p, p + n);
                              return true;
                          });
            const double enc = encodeWatch.Seconds();

            std::size_t mismatch = 0;
            std::size_t at = 0;
            const Stopwatch decodeWatch;
            const auto result = unlha::Decode(method, packed.data(), packed.size(), data.size(),
                                              [&](const std::uint8_t* p, std::size_t n) {
                                                  mismatch +=
                                                      std::memcmp(p, data.data() + at, n) != 0;
                                                  at += n;
                                                  return true;
                                              });
            const double dec = decodeWatch.Seconds();
            if (result != unlha::DecodeResult::Ok || mismatch != 0 || at != data.size()) {
                std::printf("%s %s: round trip FAILED\n", corpus.c_str(), method.c_str());
                return 1;
            }
            const std::string archive = tmp + "/bench.lzh";
            WriteFile(archive, bench::WrapMember(method, "member", data, packed));
            const double bsd = TimeCommand("bsdtar -xOf " + archive + " > /dev/null");
            const double lhasa = TimeLhasa(method, packed, data.size());
            const double size = static_cast<double>(packed.size());
            std::printf("%-10s %-5s %10zu %6.3f %6.3f %8.1f %7.2f %8.1f %7.2f %7.2f\n",
                        corpus.c_str(), method.c_str(), packed.size(),
                        size / static_cast<double>(gz6.size), size / static_cast<double>(gz9.size),
                        mb / enc, enc / gz6.seconds, mb / dec, dec / bsd, lhasa / bsd);
        }
    }
    std::filesystem::remove_all(tmp);
    return 0;
}
