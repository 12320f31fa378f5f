// Empties the simulated sensor's journal every few thousand iterations, outside the timed part, so
// that memory stays flat however long a benchmark runs.
#pragma once

#include <benchmark/benchmark.h>

#include "SensorSim.h"

class CJournalTrim {
public:
    explicit CJournalTrim(benchmark::State& state) : m_state(state) {}

    void AfterIteration() {
        if (++m_iterations < kInterval)
            return;
        m_iterations = 0;
        m_state.PauseTiming();
        sensorsim::Reset();
        m_state.ResumeTiming();
    }

private:
    static constexpr int kInterval = 4096;
    benchmark::State& m_state;
    int m_iterations = 0;
};
