// The program in a temporary folder, with the helpers the records' and the
// printouts' window tests share: a paid employee, profiles made from the
// running one, File Open and File Save as the user does them, and a
// restart.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <functional>

#include "core/windows/saveuser.h"
#include "printing/windows/store.h"
#include "records/windows/service.h"
#include "window_fixture.h"

namespace wagedesk::testing {

class RecordsTest : public WindowTest {
protected:
    // The worked example's employee: $15 an hour, Single with two federal
    // allowances; 40 hours make $600 with federal 57.04, Social Security
    // 37.20, Medicare 8.70, state 24.28, city 15.05 and net 457.73 (weekly).
    Form1 &startPaid(bool biWeekly = false)
    {
        Form1 &f = start();
        userInfo([biWeekly](frmTaxInfo &info) {
            type(info.txtHourRate, QStringLiteral("15"));
            info.cboDepend->setCurrentText(QStringLiteral("2"));
            (biWeekly ? info.optBiWeek : info.optWeek)->setChecked(true);
        });
        return f;
    }
    static void calculate(Form1 &f, const QString &hours = QStringLiteral("40"), const QString &date = {})
    {
        if (!date.isEmpty())
            f.txtWeek->setText(date);
        type(f.txtAmount[0], hours);
        f.cmdCal->click();
    }

    // File Save under a name, as the user types it.
    void saveAs(const QString &name)
    {
        platform::Ui::script(platform::Ui::ModalAction([name](QWidget *w) {
            auto *save = static_cast<frmSaveUser *>(w);
            type(save->txtSaveUser, name);
            save->cmdSaveUser->click();
        }));
        platform::Forms::get<Form1>().mnuSave_Click();
    }
    // File Open of "<name>.use", not saving the profile open before.
    void open(const QString &name)
    {
        platform::Ui::script(
            platform::Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
        platform::Ui::script(std::optional<QString>(path(name + QStringLiteral(".use"))));
        platform::Forms::get<Form1>().mnuOpen_Click();
    }
    // A new run of the program in the same folder.
    Form1 &restart()
    {
        platform::Forms::unloadAll();
        resetState();
        payrecords::resetRecords();
        printing::resetCheckPrinting();
        return start();
    }

    // The lines of a file written with CR LF, without the last empty one.
    QStringList lines(const QString &name) const
    {
        QStringList l = QString::fromLatin1(read(name)).split(QStringLiteral("\r\n"));
        if (!l.isEmpty() && l.back().isEmpty())
            l.pop_back();
        return l;
    }

    // The texts of the questions asked since the last clearAsked().
    static QStringList askedTexts()
    {
        QStringList texts;
        for (const platform::Question &q : platform::Ui::asked())
            texts << q.text;
        return texts;
    }
    // The press of a save that is refused: it says so, once.
    static void pressRefused(const std::function<void()> &press)
    {
        platform::Ui::clearAsked();
        press();
        EXPECT_EQ(askedTexts().filter(QStringLiteral("could not be written")).size(), 1)
            << askedTexts().join(QStringLiteral(" | ")).toStdString();
    }
};

}  // namespace wagedesk::testing
