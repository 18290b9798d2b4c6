// The table editors' tests in one program run: the worked example's
// employee, the menu commands that open the editors, File New and Open, a
// restart on the same folder.
#pragma once

#include <QCheckBox>
#include <QPushButton>

#include <optional>

#include "core/windows/form1.h"
#include "core/windows/saveuser.h"
#include "core/windows/taxinfo.h"
#include "platform/forms.h"
#include "platform/ui.h"
#include "tables/windows/dialogcity.h"
#include "tables/windows/dialognoncity.h"
#include "tables/windows/dialogstate.h"
#include "window_fixture.h"

namespace wagedesk::testing {

class EditorTest : public WindowTest {
protected:
    using Answer = platform::Answer;
    using Forms = platform::Forms;
    using Ui = platform::Ui;

    // The worked example's employee: $15 an hour, Single, no state
    // exemptions, weekly, so 40 hours make $600. With the built-in tables
    // the state withholds 24.28 and the city 15.05.
    Form1 &startPaid(bool biWeekly = false)
    {
        Form1 &f = start();
        payFifteen(biWeekly);
        return f;
    }
    void payFifteen(bool biWeekly = false)
    {
        userInfo([biWeekly](frmTaxInfo &info) {
            type(info.txtHourRate, QStringLiteral("15"));
            (biWeekly ? info.optBiWeek : info.optWeek)->setChecked(true);
        });
    }
    static void calculate(Form1 &f, const QString &hours = QStringLiteral("40"))
    {
        type(f.txtAmount[0], hours);
        f.cmdCal->click();
    }
    static DialogState &stateEditor()
    {
        Forms::get<Form1>().mnuState->trigger();
        return Forms::get<DialogState>();
    }
    static DialogCity &cityEditor()
    {
        Forms::get<Form1>().mnuCity->trigger();
        return Forms::get<DialogCity>();
    }
    static DialogNonCity &nonCityEditor()
    {
        Forms::get<Form1>().mnuNonCity->trigger();
        return Forms::get<DialogNonCity>();
    }
    static void newProfile(Form1 &f, const QString &name)
    {
        Ui::script(Answer::No);
        Ui::script(name);
        f.mnuNew_Click();
    }
    void openProfile(Form1 &f, const QString &name)
    {
        Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
        Ui::script(std::optional<QString>(path(name + QStringLiteral(".use"))));
        f.mnuOpen_Click();
    }
    // A new run of the program on the same folder.
    Form1 &restart()
    {
        Forms::unloadAll();
        resetState();
        return start();
    }
    // Line n (from 1) of a file.
    QByteArray line(const QString &name, int n) const { return read(name).split('\n').value(n - 1).trimmed(); }
};

}  // namespace wagedesk::testing
