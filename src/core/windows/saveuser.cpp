#include "core/windows/saveuser.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/services.h"
#include "core/windows/taxinfo.h"
#include "core/windows/transaction.h"
#include "legacy/seqfile.h"
#include "platform/ui.h"

namespace wagedesk {

using platform::Forms;

frmSaveUser::frmSaveUser() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Save User"));
    Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Before opening a user file,"));
    Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("Do you want to save this user?"));
    txtSaveUser = named<QLineEdit>(QStringLiteral("txtSaveUser"), QStringLiteral("TYPE NAME"));
    txtSaveUser->setToolTip(QStringLiteral("File that is already opened."));
    selectAllOnFocus(txtSaveUser);
    cmdSaveUser = named<QPushButton>(QStringLiteral("cmdSaveUser"), QStringLiteral("&Save"));
    cmdEnd = named<QPushButton>(QStringLiteral("cmdEnd"), QStringLiteral("&No"));
    cmdQuit = named<QPushButton>(QStringLiteral("cmdQuit"), QStringLiteral("&Quit"));
    cmdSaveUser->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(txtSaveUser);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveUser);
    buttons->addWidget(cmdEnd);
    buttons->addWidget(cmdQuit);
    layout->addLayout(buttons);

    connect(cmdSaveUser, &QPushButton::clicked, this, [this] { cmdSaveUser_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
}

void frmSaveUser::formLoad() { showProfileName(); }

void frmSaveUser::showProfileName() { txtSaveUser->setText(QString::fromStdString(state().CurrentUser)); }

bool frmSaveUser::cmdSaveUser_Click()
{
    const std::string name = txtSaveUser->text().toStdString();
    const std::string current = state().CurrentUser;
    // The save takes the tracker's and the leave record's boxes into the
    // stores; refused, it leaves them as they were. Pressed from another
    // command (a calculation, User Info's OK), it is that command's save.
    SaveTransaction save;
    try {
        // The name becomes a file name: refuse a path before anything changes.
        checkProfileName(name);
        state().CurrentUser = name;
        legacy::SaveBatch &batch = save.batch();
        SaveOT(&batch);
        records().SaveVac(&batch);
        tableEditors().SaveStateTables(&batch);
        tableEditors().SaveCityTables(&batch);
        tableEditors().SaveNonCityTables(&batch);
        save.commit();
    } catch (const std::exception &e) {
        // A refused save switches no profile: a name typed into the box
        // becomes current only with a save that succeeded.
        state().CurrentUser = current;
        showProfileName();
        platform::Ui::message(describeError(e), platform::Buttons::Ok, platform::Icon::Exclamation);
        outcome = Outcome::Refused;
        // Back to the program, without the closing rule: the windows stay
        // open with what the user typed.
        if (isVisible())
            hide();
        return false;
    }
    outcome = Outcome::Saved;
    Forms::get<Form1>().lbUser->setText(QString::fromStdString(state().CurrentUser));
    records().closeWindows(true);
    tableEditors().unloadEditors();
    Forms::unload(kName);
    return true;
}

bool frmSaveUser::formQueryUnload(bool fromCode)
{
    if (fromCode || !isVisible())
        return true;
    outcome = Outcome::Cancelled;
    // Every save reads the box while the dialog stays loaded: a name typed
    // and let go must not become the profile behind the user's back.
    showProfileName();
    hide();
    return false;
}

void frmSaveUser::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    platform::Form::keyPressEvent(event);
}

void frmSaveUser::formUnload()
{
    records().closeWindows(false);
    tableEditors().unloadEditors();
    Forms::unload(frmTaxInfo::kName);
    printouts().unloadChecks();
}

void frmSaveUser::cmdEnd_Click()
{
    printouts().unloadChecks();
    Forms::unload(kName);
}

void frmSaveUser::cmdQuit_Click()
{
    outcome = Outcome::Quit;
    records().closeWindows(false);
    // The main window's closing asks its save question; this dialog is
    // already on screen, so it is closed first and a Yes there shows it anew.
    Forms::unload(kName);
    Forms::get<Form1>().close();
}

}  // namespace wagedesk
