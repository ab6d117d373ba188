#pragma once

#include <cstdint>
#include <string>

namespace zol {

// The job state the whole program shares: what the window has chosen and what the
// running operation reads. One instance lives in the main window for the program's run.
struct JobState {
    // 0 compress, 1 split, 2 join, 3 extract, 4 compress and split, 5 join and extract, 9 none.
    std::int32_t ProcMode = 9;
    // Bytes per piece. 64-bit so that the command-line front end can cut pieces of 2 GiB and more.
    std::int64_t PieceSize = 0;
    std::int32_t CancelFlag = 0; // 1 once Cancel was pressed during a run
    std::int32_t CurItem = 0;    // position in the input list of the entry in hand
    std::string OutputDir;       // chosen output folder, ending with "/"
    std::string LastInputDir;
    std::string LastOutputDir;
    std::string JoinFileName; // name the listed pieces were split from
};

namespace mode {
constexpr std::int32_t Compress = 0;
constexpr std::int32_t Split = 1;
constexpr std::int32_t Join = 2;
constexpr std::int32_t Extract = 3;
constexpr std::int32_t CompressAndSplit = 4;
constexpr std::int32_t JoinAndExtract = 5;
constexpr std::int32_t None = 9;
} // namespace mode

// The four floppy capacities offered for pieces.
namespace piece {
constexpr std::int64_t Size144 = 1457664;
constexpr std::int64_t Size125 = 1250304;
constexpr std::int64_t Size095 = 996352;
constexpr std::int64_t Size072 = 730112;
} // namespace piece

} // namespace zol
