// What a command takes from its window into the program's stores before it
// saves, kept so that a refused save leaves the program as it was: a Cancel
// after the refusal, a calculation or a later save then read nothing the
// user let go.
#pragma once

#include <QString>

#include <array>
#include <functional>
#include <vector>

#include "core/state.h"

namespace wagedesk {

// Made before a command takes its window's boxes into the stores; unless
// saved() is called, its end puts back the settings store, the records'
// own stores (the leave record), the main window's deduction captions and
// table notice, the boxes of a hidden user information window, and then
// whatever the command asked for with also(). So any way out but a save
// that succeeded (an exception, a refused save, a return) puts back
// everything the command took.
class PutBackUnlessSaved {
public:
    PutBackUnlessSaved();
    ~PutBackUnlessSaved();
    PutBackUnlessSaved(const PutBackUnlessSaved &) = delete;
    PutBackUnlessSaved &operator=(const PutBackUnlessSaved &) = delete;

    // A window's own part of what the command changes; put back after the
    // stores, the last asked for first.
    void also(std::function<void()> putBack);
    // The save succeeded: what was taken stays.
    void saved() { saved_ = true; }

private:
    ProgramState state_;
    std::function<void()> records_;
    bool captionsKept_ = false;
    std::array<QString, 5> captions_;
    QString notice_;
    std::vector<std::function<void()>> also_;
    bool saved_ = false;
};

}  // namespace wagedesk
