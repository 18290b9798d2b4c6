#include "core/windows/transaction.h"

#include <QLabel>
#include <QPointer>
#include <QString>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/state.h"
#include "core/windows/form1.h"
#include "core/windows/program.h"
#include "core/windows/services.h"
#include "core/windows/taxinfo.h"
#include "legacy/seqfile.h"
#include "platform/designstate.h"

namespace wagedesk {

using platform::Forms;

// What the outermost transaction holds for all its parts.
struct SaveTransaction::Open {
    Open() : state(wagedesk::state()), records(wagedesk::records().keepStores()) {}

    ProgramState state;
    std::function<void()> records;
    bool captionsKept = false;
    std::array<QString, 5> captions;
    QString notice;
    std::vector<std::pair<QPointer<QWidget>, platform::DesignState>> windows;
    std::vector<std::function<void()>> also;
    legacy::SaveBatch batch;
    bool committed = false;
    bool refused = false;

    void putBack();
};

namespace {

SaveTransaction *&innermost()
{
    static SaveTransaction *open = nullptr;
    return open;
}

}  // namespace

SaveTransaction::SaveTransaction() : open_(nullptr), outer_(innermost())
{
    if (outer_) {
        open_ = outer_->open_;
    } else {
        open_ = new Open;
        if (Forms::isLoaded<Form1>()) {
            const Form1 &main = Forms::get<Form1>();
            for (int i = 0; i < 5; ++i)
                open_->captions[i] = main.lbTaxTag[5 + i]->text();
            open_->notice = main.lbTableNotice->text();
            open_->captionsKept = true;
        }
    }
    innermost() = this;
}

SaveTransaction::~SaveTransaction()
{
    innermost() = outer_;
    if (outer_)
        return;
    const std::unique_ptr<Open> open(open_);
    if (open->committed)
        return;
    if (!open->refused)
        open->batch.discard();
    open->putBack();
}

void SaveTransaction::Open::putBack()
{
    // Most refusals come before anything was taken: the store and the
    // window that shows it are left alone then.
    const bool taken = wagedesk::state() != state;
    if (taken)
        wagedesk::state() = state;
    if (records)
        records();
    if (captionsKept && Forms::isLoaded<Form1>()) {
        Form1 &main = Forms::get<Form1>();
        for (int i = 0; i < 5; ++i)
            main.lbTaxTag[5 + i]->setText(captions[i]);
        main.lbTableNotice->setText(notice);
    }
    // Hidden, the user information window shows the store, which the
    // calculation and the next save read through it.
    if (taken && Forms::isLoaded<frmTaxInfo>()) {
        frmTaxInfo &info = Forms::get<frmTaxInfo>();
        if (!info.isVisible())
            info.showSettings(true);
    }
    for (const auto &[window, controls] : windows)
        if (window)
            controls.restoreControls();
    for (auto it = also.rbegin(); it != also.rend(); ++it)
        (*it)();
}

SaveTransaction *SaveTransaction::current() { return innermost(); }

legacy::SaveBatch &SaveTransaction::batch() { return open_->batch; }

void SaveTransaction::commit()
{
    if (open_->committed)
        return;
    // A part whose save was refused has told it; its command stops there.
    if (open_->refused)
        throw std::logic_error("a refused save is committed");
    try {
        open_->batch.commit();
    } catch (...) {
        open_->refused = true;
        throw;
    }
    open_->committed = true;
}

void SaveTransaction::keep(QWidget *window)
{
    if (!window || open_->committed)
        return;
    auto &kept = open_->windows;
    if (std::none_of(kept.begin(), kept.end(), [window](const auto &k) { return k.first == window; }))
        kept.emplace_back(window, platform::DesignState::capture(window));
}

void SaveTransaction::also(std::function<void()> putBack)
{
    if (!open_->committed)
        open_->also.push_back(std::move(putBack));
}

}  // namespace wagedesk
