// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of the scenarios of window_stall_probe.sh, written into the folder given:
// record3m.txt, 3 million "time amplitude" lines; run600.qbl, a 600 s record analysed at
// 0.1 ms and saved every step (6 000 001 samples); run40.qbl, the same over 40 s (400 001).
#include "bench/synthetic_records.h"
#include "model/project_file.h"
#include "numeric/error.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace quibel;

namespace {

void writeRun(const std::filesystem::path& path, double durationS) {
    bench::EnvelopedSines record = bench::kSlidingRecord;
    record.durationS = durationS;
    TBlocStatic m = bench::startupUnderRecord(record);
    m.Options.TimeStep = 1e-4;
    m.Options.SaveStep = 1e-4;
    WriteToFile(m, path.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    try {
        std::ofstream(folder / "record3m.txt", std::ios::binary) << bench::threeMillionSampleText();
        writeRun(folder / "run600.qbl", 600.0);
        writeRun(folder / "run40.qbl", 40.0);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", e.message().key.c_str());
        return 1;
    }
    return 0;
}
