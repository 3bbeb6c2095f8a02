// In-memory stand-ins for what the window lends the rules.
#pragma once

#include "board/board.h"
#include "board/dialogs.h"
#include "generator/random_source.h"

#include <deque>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessal::testing {

struct MemoryCell {
    std::string text;
    Colour colour = kGivenColour;
    bool visible = true;
};

class MemoryCells final : public Cells {
  public:
    std::array<MemoryCell, kHighestCell + 1> cells{};
    int hiddenWritesSeen = 0; // texts written while the cell was hidden

    std::string text(int cell) const override { return at(cell).text; }
    void setText(int cell, std::string_view text) override {
        at(cell).text = text;
        if (!at(cell).visible)
            ++hiddenWritesSeen;
    }
    Colour colour(int cell) const override { return at(cell).colour; }
    void setColour(int cell, Colour colour) override { at(cell).colour = colour; }
    void setVisible(int cell, bool visible) override { at(cell).visible = visible; }

    // Sets a cell from a two-letter code: "G5" a given 5, "G0" open, "J5" entry, "J0" erased.
    void set(int cell, const char* code) {
        at(cell).colour = code[0] == 'G' ? kGivenColour : kEntryColour;
        at(cell).text = code[1] == '0' ? "" : std::string(1, code[1]);
    }

  private:
    // Only real cells may be touched: a rule that strays past them fails loudly.
    MemoryCell& at(int cell) {
        if (!isCell(cell))
            throw std::out_of_range("no cell " + std::to_string(cell));
        return cells[cell];
    }
    const MemoryCell& at(int cell) const { return const_cast<MemoryCells*>(this)->at(cell); }
};

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    std::optional<std::string> title;
};

class RecordingDialogs final : public Dialogs {
  public:
    std::vector<ShownMessage> messages;
    std::deque<std::string> answers; // what the player types, one per input box
    std::vector<std::string> prompts;

    void message(const std::string& text, MessageIcon icon,
                 const std::optional<std::string>& title) override {
        messages.push_back({text, icon, title});
    }
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string&) override {
        prompts.push_back(prompt + "|" + title);
        if (answers.empty())
            return "";
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& shown : messages)
            all.push_back(shown.text);
        return all;
    }
};

// Plays back a list of reals, over and over; counts reseeds.
class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}
    int reseeds = 0;
    void reseed() override { ++reseeds; }
    float next() override { return values_[next_++ % values_.size()]; }

  private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

// A real generator with a fixed seed, for many different deals.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(unsigned seed) : engine_(seed) {}
    void reseed() override {}
    float next() override { return spread_(engine_); }

  private:
    std::mt19937 engine_;
    std::uniform_real_distribution<float> spread_{0.0f, 1.0f};
};

// A source whose draws give the digits 1 to 9 in order: the middle of each ninth of [0, 1).
inline ScriptedRandom digitsInOrder() {
    std::vector<float> middles;
    for (int k = 0; k < 9; ++k)
        middles.push_back((static_cast<float>(k) + 0.5f) / 9);
    return ScriptedRandom(middles);
}

} // namespace tessal::testing
