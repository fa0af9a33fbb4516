// Engine timings: selecting and removing a group that covers a 256 x 139
// board (a 3840 x 2100 client area) against a textbook flood fill, and whole
// 40 x 26 games played to their end.

#include <benchmark/benchmark.h>

#include <cstring>
#include <queue>

#include "board.h"
#include "runtime_random.h"

#include "allocation_counter.h"

namespace {

class QuietPlatform : public BoardPlatform {
public:
    std::int32_t GetProfileInt(const TextChar*, const TextChar*, std::int32_t defaultValue) override
    {
        return defaultValue;
    }
    void WriteProfileInt(const TextChar*, const TextChar*, std::int32_t) override {}
    TimeOfDay LocalTimeOfDay() override { return time; }
    void SeedRandom(std::uint32_t seed) override { random.Seed(seed); }
    int DrawRandom() override { return random.Next(); }
    void RepaintNow() override {}
    void ShowMessage(const TextChar*) override {}

    TimeOfDay time{10, 20, 30};
    RuntimeRandom random;
};

constexpr std::int32_t LargeWidth = 3840, LargeHeight = 2100;  // 256 x 139 cells

void LayOneColourBoard(Board& board, QuietPlatform& platform)
{
    board.clientRect = {0, 0, LargeWidth, LargeHeight};
    NewGame(board, platform, false);
    std::memset(board.colourGrid.get(), 1, board.cellCount);
}

void ClickMiddle(Board& board, QuietPlatform& platform)
{
    BoardClick(board, platform, board.originX + static_cast<std::int32_t>(board.columns / 2 * 15 + 7),
               board.originY + static_cast<std::int32_t>(board.rows / 2 * 15 + 7));
}

void BM_SelectWholeBoard(benchmark::State& state)
{
    QuietPlatform platform;
    Board board;
    LayOneColourBoard(board, platform);
    const long before = AllocationCount();
    for (auto _ : state) {
        std::memset(board.markGrid.get(), Unmarked, board.cellCount);  // so the click selects
        ClickMiddle(board, platform);
        benchmark::DoNotOptimize(board.markGrid[0]);
    }
    if (board.markGrid[0] != Selected || board.markGrid[board.cellCount - 1] != Selected)
        state.SkipWithError("the group was not selected whole");
    state.counters["cells"] = board.cellCount;
    state.counters["allocations/iter"] = static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SelectWholeBoard)->Unit(benchmark::kMicrosecond);

// The textbook alternative: breadth-first with a queue.
void FloodFill(Board& board, std::uint32_t start)
{
    std::memset(board.markGrid.get(), Unmarked, board.cellCount);
    const CellColour colour = board.colourGrid[start];
    std::queue<std::uint32_t> todo;
    board.markGrid[start] = Selected;
    todo.push(start);
    while (!todo.empty()) {
        const std::uint32_t i = todo.front();
        todo.pop();
        const std::uint32_t k = i % board.columns, r = i / board.columns;
        auto visit = [&](std::uint32_t j) {
            if (board.markGrid[j] == Unmarked && board.colourGrid[j] == colour) {
                board.markGrid[j] = Selected;
                todo.push(j);
            }
        };
        if (k > 0) visit(i - 1);
        if (k + 1 < board.columns) visit(i + 1);
        if (r > 0) visit(i - board.columns);
        if (r + 1 < board.rows) visit(i + board.columns);
    }
}

void BM_FloodFillWholeBoard(benchmark::State& state)
{
    QuietPlatform platform;
    Board board;
    LayOneColourBoard(board, platform);
    const std::uint32_t middle = board.rows / 2 * board.columns + board.columns / 2;
    const long before = AllocationCount();
    for (auto _ : state) {
        std::memset(board.markGrid.get(), Unmarked, board.cellCount);
        FloodFill(board, middle);
        benchmark::DoNotOptimize(board.markGrid[0]);
    }
    state.counters["allocations/iter"] = static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FloodFillWholeBoard)->Unit(benchmark::kMicrosecond);

void BM_RemoveWholeBoard(benchmark::State& state)
{
    QuietPlatform platform;
    Board board;
    LayOneColourBoard(board, platform);
    for (auto _ : state) {
        state.PauseTiming();
        std::memset(board.colourGrid.get(), 1, board.cellCount);
        std::memset(board.markGrid.get(), Selected, board.cellCount);
        state.ResumeTiming();
        RemoveGroup(board, platform);  // fall, column closing, end of game
        benchmark::DoNotOptimize(board.colourGrid[0]);
    }
    if (board.colourGrid[board.cellCount - 1] != Empty)
        state.SkipWithError("the board was not cleared");
}
BENCHMARK(BM_RemoveWholeBoard)->Unit(benchmark::kMicrosecond);

// A half-board group in a striped board: the fall moves every tile above.
void BM_RemoveLowerHalf(benchmark::State& state)
{
    QuietPlatform platform;
    Board board;
    LayOneColourBoard(board, platform);
    const std::uint32_t half = board.cellCount / 2 / board.columns * board.columns;
    for (auto _ : state) {
        state.PauseTiming();
        for (std::uint32_t i = 0; i < board.cellCount; ++i)
            board.colourGrid[i] = i < half ? static_cast<CellColour>((i / board.columns) % 2 * 2) : 1;
        std::memset(board.markGrid.get(), Unmarked, half);
        std::memset(board.markGrid.get() + half, Selected, board.cellCount - half);
        state.ResumeTiming();
        RemoveGroup(board, platform);
        benchmark::DoNotOptimize(board.colourGrid[0]);
    }
}
BENCHMARK(BM_RemoveLowerHalf)->Unit(benchmark::kMicrosecond);

// Whole 40 x 26 games, always clicking the first selectable group.
void BM_WholeGame(benchmark::State& state)
{
    QuietPlatform platform;
    Board board;
    int second = 0;
    long moves = 0;
    for (auto _ : state) {
        platform.time.second = second++ % 60;
        board.clientRect = {0, 0, 600, 414};
        NewGame(board, platform, true);
        for (;;) {
            std::uint32_t target = board.cellCount;
            for (std::uint32_t i = 0; i < board.cellCount && target == board.cellCount; ++i) {
                const CellColour c = board.colourGrid[i];
                if (c == Empty) continue;
                const std::uint32_t k = i % board.columns;
                if ((k + 1 < board.columns && board.colourGrid[i + 1] == c) ||
                    (i + board.columns < board.cellCount && board.colourGrid[i + board.columns] == c))
                    target = i;
            }
            if (target == board.cellCount) break;
            const auto x = board.originX + static_cast<std::int32_t>(target % board.columns * 15 + 7);
            const auto y = board.originY + static_cast<std::int32_t>(target / board.columns * 15 + 7);
            BoardClick(board, platform, x, y);
            BoardClick(board, platform, x, y);
            ++moves;
        }
    }
    state.counters["games/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["moves/game"] = static_cast<double>(moves) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeGame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
