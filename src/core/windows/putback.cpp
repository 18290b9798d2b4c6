#include "core/windows/putback.h"

#include <QLabel>

#include "core/windows/form1.h"
#include "core/windows/program.h"
#include "core/windows/services.h"
#include "core/windows/taxinfo.h"

namespace wagedesk {

using platform::Forms;

PutBackUnlessSaved::PutBackUnlessSaved() : state_(state()), records_(records().storesToPutBack())
{
    if (!Forms::isLoaded<Form1>())
        return;
    const Form1 &main = Forms::get<Form1>();
    for (int i = 0; i < 5; ++i)
        captions_[i] = main.lbTaxTag[5 + i]->text();
    notice_ = main.lbTableNotice->text();
    captionsKept_ = true;
}

PutBackUnlessSaved::~PutBackUnlessSaved()
{
    if (saved_)
        return;
    // Most refusals come before anything was taken (a check's making of
    // the files it then drops, say): the store and the window that shows
    // it are left alone then.
    const bool taken = state() != state_;
    if (taken)
        state() = state_;
    if (records_)
        records_();
    if (captionsKept_ && Forms::isLoaded<Form1>()) {
        Form1 &main = Forms::get<Form1>();
        for (int i = 0; i < 5; ++i)
            main.lbTaxTag[5 + i]->setText(captions_[i]);
        main.lbTableNotice->setText(notice_);
    }
    // Hidden, the user information window shows the store, which the
    // calculation and the next save read through it; on view it keeps
    // what the user typed.
    if (taken && Forms::isLoaded<frmTaxInfo>()) {
        frmTaxInfo &info = Forms::get<frmTaxInfo>();
        if (!info.isVisible())
            info.showSettings(true);
    }
    for (auto it = also_.rbegin(); it != also_.rend(); ++it)
        (*it)();
}

void PutBackUnlessSaved::also(std::function<void()> putBack) { also_.push_back(std::move(putBack)); }

}  // namespace wagedesk
