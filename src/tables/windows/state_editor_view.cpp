#include "tables/windows/state_editor_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <stdexcept>
#include <string>

#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/taxinfo.h"
#include "platform/forms.h"
#include "tables/windows/dialogstate.h"
#include "tables/windows/editor_boxes.h"

namespace wagedesk::tables {

using platform::Forms;
using namespace special_states;

namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QLineEdit *DialogStateView::bracketBox(BracketColumn column, std::size_t row) const
{
    switch (column) {
    case BracketColumn::txtStateMinBS: return d_.txtStateMinBS.at(row);
    case BracketColumn::txtStateAmtBS: return d_.txtStateAmtBS.at(row);
    case BracketColumn::txtStatePerBS: return d_.txtStatePerBS.at(row);
    case BracketColumn::txtStateMinBM: return d_.txtStateMinBM.at(row);
    case BracketColumn::txtStateAmtBM: return d_.txtStateAmtBM.at(row);
    case BracketColumn::txtStatePerBM: return d_.txtStatePerBM.at(row);
    }
    throw std::logic_error("no bracket column");
}

QLineEdit *DialogStateView::allowanceBox(AllowanceColumn column, std::size_t row) const
{
    return column == AllowanceColumn::txtStateSgExp ? d_.txtStateSgExp.at(row) : d_.txtStateMarExp.at(row);
}

QCheckBox *DialogStateView::checkBox(StateCheck check) const
{
    switch (check) {
    case StateCheck::ckNoStateTax: return d_.ckNoStateTax;
    case StateCheck::ckSDI: return d_.ckSDI;
    case StateCheck::ckSUI: return d_.ckSUI;
    case StateCheck::ckSpouse: return d_.ckSpouse;
    case StateCheck::ckRoundOff: return d_.ckRoundOff;
    }
    throw std::logic_error("no check box");
}

QWidget *DialogStateView::control(std::string_view name) const
{
    if (auto *w = d_.findChild<QWidget *>(q(name)))
        return w;
    throw std::logic_error("the state editor has no control named " + std::string(name));
}

void DialogStateView::setBracketText(BracketColumn column, std::size_t row, std::string_view text)
{
    setBox(bracketBox(column, row), text);
}

void DialogStateView::setBracketEnabled(BracketColumn column, std::size_t row, bool enabled)
{
    bracketBox(column, row)->setEnabled(enabled);
}

void DialogStateView::setAllowanceText(AllowanceColumn column, std::size_t row, std::string_view text)
{
    setBox(allowanceBox(column, row), text);
}

void DialogStateView::setAllowanceEnabled(AllowanceColumn column, std::size_t row, bool enabled)
{
    allowanceBox(column, row)->setEnabled(enabled);
}

void DialogStateView::setBoxText(StateBox box, std::string_view text)
{
    QLineEdit *edit = nullptr;
    switch (box) {
    case StateBox::txtSDIpercent: edit = d_.txtSDIpercent; break;
    case StateBox::txtSDIwageBase: edit = d_.txtSDIwageBase; break;
    case StateBox::txtSUIpercent: edit = d_.txtSUIpercent; break;
    case StateBox::txtSUIwageBase: edit = d_.txtSUIwageBase; break;
    case StateBox::txtStateAdj: edit = d_.txtStateAdj; break;
    case StateBox::txtCalAllow: edit = d_.txtCalAllow; break;
    }
    setBox(edit, text);
}

void DialogStateView::setCaption(std::string_view label, std::string_view caption)
{
    auto *l = qobject_cast<QLabel *>(control(label));
    if (!l)
        throw std::logic_error("the state editor's " + std::string(label) + " is no label");
    l->setText(q(caption));
}

void DialogStateView::setEnabled(std::string_view name, bool enabled) { control(name)->setEnabled(enabled); }

bool DialogStateView::isOn(SpecialState s) const { return wagedesk::isOn(d_.switchOf(s)); }

void DialogStateView::setOn(SpecialState s, bool on) { setSwitch(d_.switchOf(s), on ? 1 : 0); }

bool DialogStateView::isChecked(StateCheck check) const { return wagedesk::isOn(checkBox(check)); }

void DialogStateView::setChecked(StateCheck check, bool on) { setSwitch(checkBox(check), on ? 1 : 0); }

void DialogStateView::setValue(StateCheck check, std::int16_t value) { setSwitch(checkBox(check), value); }

void DialogStateView::setSpouseVisible(bool visible) { d_.ckSpouse->setVisible(visible); }

void DialogStateView::setIowaPriorVisible(bool visible) { Forms::get<Form1>().ckIowaPrior->setVisible(visible); }

void DialogStateView::setUserInfo(const UserInfoShown &shown)
{
    // Reading or writing the window's controls loads it when it is not.
    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    auto pick = [](QComboBox *box, const std::string &text) {
        const int i = box->findText(QString::fromStdString(text));
        if (i >= 0)
            box->setCurrentIndex(i);
    };
    pick(info.cboDepend2, shown.cboDepend2);
    pick(info.cboStatus2, shown.cboStatus2);
    info.txtFedAddL->setText(QString::fromStdString(shown.txtFedAddL));
    setSwitch(info.ckFedExemp, shown.ckFedExemp);
    setSwitch(info.ckSSMediExemp, shown.ckSSMediExemp);
}

}  // namespace wagedesk::tables
