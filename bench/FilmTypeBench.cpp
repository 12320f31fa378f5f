// Detecting the film type from a 512-byte file, against one open, read and close and a search.
#include <benchmark/benchmark.h>

#include <string>

#include "Floors.h"
#include "SharedFiles.h"

namespace {

void BM_DetectFilmType(benchmark::State& state) {
    CScratchDirectory directory;
    if (!WriteSharedFiles(directory)) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    const CFilePath prefix = directory.Prefix().c_str();
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectFilmType(prefix));
}

void BM_DetectFilmTypeFloor(benchmark::State& state) {
    CScratchDirectory directory;
    const std::string path = directory.Path(kFilmTypeName);
    if (!WriteSharedFiles(directory)) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    if (DetectFilmTypeFloor(path.c_str()) != DetectFilmType(directory.Prefix().c_str())) {
        state.SkipWithError("the floor does not find what DetectFilmType finds");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectFilmTypeFloor(path.c_str()));
}

} // namespace

BENCHMARK(BM_DetectFilmType)->Name("DetectFilmType")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DetectFilmTypeFloor)->Name("DetectFilmType/floor")->Unit(benchmark::kMicrosecond);
