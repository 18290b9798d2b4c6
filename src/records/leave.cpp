#include "records/leave.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>

#include "legacy/numerics.h"
#include "legacy/seqfile.h"

namespace wagedesk::payrecords {

namespace {

// Sets a box and tells whether its text changed, as a change event would.
bool setText(std::string &box, const std::string &text)
{
    if (box == text)
        return false;
    box = text;
    return true;
}

// The file cannot hold a double quote inside a text: it would end the text.
std::string storableDate(std::string text)
{
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

// A balance label's text as a single-precision number; 0 when it holds none.
float labelValue(const std::string &caption)
{
    try {
        return legacy::toFloat(caption);
    } catch (const std::exception &) {
        return 0;
    }
}

// Shows one account's fields: the label its stored balance, the boxes their
// fields; true when a box changed (its change event recomputes the label).
bool showAccount(const LeaveAccount &account, LeaveFrameTexts &frame)
{
    frame.lbBal = legacy::floatToText(account.Balance);
    bool changed = setText(frame.txtBal, legacy::floatToText(account.Start));
    for (int i = 0; i < kLeaveRows; ++i) {
        changed = setText(frame.txtCnt[i], legacy::floatToText(account.Taken[i])) || changed;
        frame.txtDate[i] = account.Date[i];
    }
    return changed;
}

void showFields(const LeaveRecord &fields, LeaveTexts &texts)
{
    const bool vac = showAccount(fields.Vac, texts.Vac);
    const bool hol = showAccount(fields.Hol, texts.Hol);
    const bool sick = showAccount(fields.Sick, texts.Sick);
    if (vac)
        updateBalance(texts.Vac);
    if (hol)
        updateBalance(texts.Hol);
    if (sick)
        updateBalance(texts.Sick);
}

void takeAccount(LeaveAccount &account, const LeaveFrameTexts &frame)
{
    for (int i = 0; i < kLeaveRows; ++i) {
        account.Taken[i] = static_cast<float>(leaveValue(frame.txtCnt[i]));
        account.Date[i] = storableDate(frame.txtDate[i]);
    }
    account.Balance = labelValue(frame.lbBal);
    account.Start = static_cast<float>(leaveValue(frame.txtBal));
}

void clearAccount(LeaveAccount &account, LeaveFrameTexts &frame)
{
    for (int i = 0; i < kLeaveRows; ++i) {
        frame.txtDate[i].clear();
        frame.txtCnt[i] = "0";
        account.Taken[i] = 0;
        account.Date[i].clear();
    }
}

}  // namespace

std::string leaveFileName(const std::string &user) { return user + kLeaveExt; }

namespace {

void writeLeaveRecords(legacy::SeqWriter &w, const LeaveRecord &r)
{
    w.number(r.Vac.Balance).number(r.Vac.Start);
    w.number(r.Hol.Balance).number(r.Hol.Start);
    w.number(r.Sick.Balance).number(r.Sick.Start).endRecord();
    for (int i = 0; i < kLeaveRows; ++i)
        w.number(r.Vac.Taken[i]).number(r.Hol.Taken[i]).number(r.Sick.Taken[i]).endRecord();
    for (int i = 0; i < kLeaveRows; ++i) {
        const std::string row = std::to_string(i + 1);
        w.text(r.Vac.Date[i], "Vacation Dates, row " + row);
        w.text(r.Hol.Date[i], "Holiday/Personel Dates, row " + row);
        w.text(r.Sick.Date[i], "Sick Dates, row " + row).endRecord();
    }
}

}  // namespace

void writeLeaveFile(const std::filesystem::path &file, const LeaveRecord &r)
{
    legacy::SeqWriter w(file);
    writeLeaveRecords(w, r);
    w.commit();
}

void readLeaveFile(const std::filesystem::path &file, LeaveRecord &record)
{
    legacy::SeqReader reader(file);
    LeaveRecord r;
    r.Vac.Balance = reader.numberF();
    r.Vac.Start = reader.numberF();
    r.Hol.Balance = reader.numberF();
    r.Hol.Start = reader.numberF();
    r.Sick.Balance = reader.numberF();
    r.Sick.Start = reader.numberF();
    for (int i = 0; i < kLeaveRows; ++i) {
        r.Vac.Taken[i] = reader.numberF();
        r.Hol.Taken[i] = reader.numberF();
        r.Sick.Taken[i] = reader.numberF();
    }
    for (int i = 0; i < kLeaveRows; ++i) {
        r.Vac.Date[i] = reader.text();
        r.Hol.Date[i] = reader.text();
        r.Sick.Date[i] = reader.text();
    }
    record = std::move(r);
}

double leaveValue(std::string_view text)
{
    try {
        const double value = legacy::val(text);
        return legacy::fitsSingle(value) ? value : 0;
    } catch (const legacy::OverflowError &) {
        return 0;
    }
}

std::string balanceText(const LeaveFrameTexts &frame)
{
    float sum = 0;
    for (const std::string &taken : frame.txtCnt) {
        const double next = static_cast<double>(sum) + leaveValue(taken);
        if (!legacy::fitsSingle(next))
            return {};
        sum = static_cast<float>(next);
    }
    return legacy::doubleToText(leaveValue(frame.txtBal) - static_cast<double>(sum));
}

void updateBalance(LeaveFrameTexts &frame) { frame.lbBal = balanceText(frame); }

bool GetVac(LeaveRecord &fields, LeaveTexts &texts, const std::filesystem::path &file)
{
    bool read = false;
    std::exception_ptr damaged;
    if (legacy::canOpenForReading(file)) {
        try {
            readLeaveFile(file, fields);
            read = true;
        } catch (const legacy::FileFormatError &) {
            // Start empty rather than keep another profile's record, which
            // the next save would write under this profile's name.
            fields = LeaveRecord{};
            damaged = std::current_exception();
        }
    }
    showFields(fields, texts);
    if (damaged)
        std::rethrow_exception(damaged);
    return read;
}

void Form_Load(LeaveRecord &fields, LeaveTexts &texts, const std::filesystem::path &file)
{
    std::exception_ptr damaged;
    try {
        GetVac(fields, texts, file);
    } catch (const legacy::FileFormatError &) {
        damaged = std::current_exception();
    }
    showFields(fields, texts);
    updateBalance(texts.Vac);
    updateBalance(texts.Hol);
    updateBalance(texts.Sick);
    if (damaged)
        std::rethrow_exception(damaged);
}

void SaveVac(LeaveRecord &fields, const LeaveTexts &texts, const std::filesystem::path &file, legacy::SaveBatch *batch)
{
    takeAccount(fields.Vac, texts.Vac);
    takeAccount(fields.Hol, texts.Hol);
    takeAccount(fields.Sick, texts.Sick);
    if (!batch)
        batch = legacy::SaveBatch::current();
    if (!batch) {
        writeLeaveFile(file, fields);
        return;
    }
    auto w = std::make_unique<legacy::SeqWriter>(file);
    writeLeaveRecords(*w, fields);
    batch->add(std::move(w));
}

void clearVac(LeaveRecord &fields, LeaveTexts &texts)
{
    clearAccount(fields.Vac, texts.Vac);
    clearAccount(fields.Hol, texts.Hol);
    clearAccount(fields.Sick, texts.Sick);
    texts.Vac.txtBal = "0";
    texts.Sick.txtBal = "0";
    texts.Hol.txtBal = "0";
    fields.Vac.Balance = fields.Vac.Start = 0;
    fields.Hol.Balance = fields.Hol.Start = 0;
    fields.Sick.Balance = fields.Sick.Start = 0;
    // The labels show the balances of the cleared boxes, also where no box
    // changed and a label still showed a loaded balance.
    updateBalance(texts.Vac);
    updateBalance(texts.Hol);
    updateBalance(texts.Sick);
}

}  // namespace wagedesk::payrecords
