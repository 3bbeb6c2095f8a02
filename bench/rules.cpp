// The rules alone, on in-memory cells: a deal, a placement with its three checks, and a save
// written and read back.
#include "generator/deal.h"
#include "play/play.h"
#include "savegame/saved_game.h"
#include "support/fakes.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace tessal;

class FastRandom final : public RandomSource {
  public:
    void reseed() override {}
    float next() override { return spread_(engine_); }

  private:
    std::minstd_rand engine_{12345};
    std::uniform_real_distribution<float> spread_{0.0f, 1.0f};
};

class NoList final : public DigitList {
  public:
    int selected = 0;
    int left = -360;
    int selectedIndex() const override { return selected; }
    int heightTwips() const override { return kDigitListHeightTwips; }
    int leftTwips() const override { return left; }
    void moveTo(int l, int) override { left = l; }
    void chooseNothing() override {} // each placement picks the digit set beforehand
    void setLeftTwips(int l) override { left = l; }
    void bringToFront() override {}
    void takeKeyboard(int) override {}
    void giveKeyboardBack() override {}
};

// A board in memory with one deal on it.
struct DealtBoard {
    testing::MemoryCells cells;
    GameValues values;
    FastRandom random;
    DealtBoard() { tessal::Deal(cells, values, random).run(); }
};

void Deal(benchmark::State& state) {
    testing::MemoryCells cells;
    GameValues values;
    FastRandom random;
    tessal::Deal deal(cells, values, random);
    for (auto _ : state) {
        deal.run();
        benchmark::DoNotOptimize(values.solution);
    }
}
BENCHMARK(Deal);

void Placement(benchmark::State& state) {
    DealtBoard board;
    auto& [cells, values, random] = board;
    int open = 0;
    for (int cell : kBoardOrder)
        if (cells.cells[cell].text.empty())
            open = cell;
    NoList list;
    list.selected = std::abs(values.solution[open]) - 1;
    testing::RecordingDialogs dialogs;
    Play play(cells, list, dialogs, values);
    for (auto _ : state) {
        cells.cells[open].text.clear();
        play.Command1_MouseDown(open);
        play.Command1_Click(open);
        play.List1_Click();
    }
}
BENCHMARK(Placement);

void SaveAndResume(benchmark::State& state) {
    DealtBoard board;
    auto& cells = board.cells;
    const std::string path = "/tmp/tessal-bench-save.txt";
    for (auto _ : state) {
        writeFileAtomically(path, boardBytes(cells));
        std::string reason;
        const auto start = readFileStart(path, kMaxReadBytes, reason);
        applyBoard(cells, *parseBoard(start->bytes, start->wholeFile));
    }
    std::remove(path.c_str());
}
BENCHMARK(SaveAndResume);

} // namespace

BENCHMARK_MAIN();
