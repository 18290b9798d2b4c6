// Two programs and one folder: a second WageDesk (another process, the
// program's own start run headless by tests/support/instance_main.cpp) on a
// folder that a running one holds, the lock left by one that died, and File
// Open into a folder another program holds or one that is free.
#include <QProcess>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <map>

#include "platform/folderlock.h"
#include "records/windows/leave_window.h"
#include "records/windows/stores.h"
#include "records_fixture.h"

namespace wagedesk::testing {
namespace {

using platform::FolderLock;
using platform::Forms;
using platform::Ui;

// What a run of the other program gave: its exit code (-1 when it died of
// a signal), what it wrote, and its error output for failure messages.
struct Outcome {
    int code = -1;
    QString output;
    QString errors;
};

Outcome finish(QProcess &p)
{
    p.closeWriteChannel();
    p.waitForFinished(-1);
    Outcome r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = QString::fromUtf8(p.readAllStandardOutput());
    r.errors = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void startIn(QProcess &p, const QString &folder, const QStringList &args)
{
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(WD_INSTANCE), args);
    ASSERT_TRUE(p.waitForStarted(-1)) << p.errorString().toStdString();
}

// Runs the other program in the folder to its end.
Outcome runOther(const QString &folder, const QStringList &args = {})
{
    QProcess p;
    startIn(p, folder, args);
    return finish(p);
}

// The other program, left running in a folder until end().
class OtherRunning {
public:
    explicit OtherRunning(const QString &folder)
    {
        startIn(p_, folder, {QStringLiteral("hold")});
        while (!output_.contains("started\n") && p_.waitForReadyRead(-1))
            output_ += p_.readAllStandardOutput();
    }
    ~OtherRunning() { end(); }
    bool started() const { return output_.contains("started\n"); }
    Outcome end() { return finish(p_); }

private:
    QProcess p_;
    QByteArray output_;
};

// The other program's output when its start was refused in the folder.
QString refusal(const QString &folder)
{
    return FolderLock::inUseMessage(folder).join(QStringLiteral("\r\n")) + QStringLiteral("\n--\n");
}

std::string describe(const Outcome &r)
{
    return "exit " + std::to_string(r.code) + "\n" + r.output.toStdString() + r.errors.toStdString();
}

class Instances : public RecordsTest {
protected:
    // Every file of a folder and its bytes, hidden ones too.
    static std::map<QString, QByteArray> contents(const QString &where)
    {
        std::map<QString, QByteArray> all;
        const QDir dir(where);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
            QFile f(dir.filePath(name));
            all[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
        }
        return all;
    }
    static QString lockIn(const QString &where) { return QDir(where).filePath(FolderLock::kFileName); }
    // 0 when the file is missing.
    static ino_t inode(const QString &file)
    {
        struct stat st {};
        return ::stat(file.toLocal8Bit().constData(), &st) == 0 ? st.st_ino : 0;
    }
    // Makes a file look an hour old.
    static void age(const QString &file)
    {
        namespace fs = std::filesystem;
        const fs::path p = file.toStdString();
        std::error_code ec;
        const auto written = fs::last_write_time(p, ec);
        EXPECT_FALSE(ec) << p << ": " << ec.message();
        if (!ec)
            fs::last_write_time(p, written - std::chrono::hours(1), ec);
    }
    static DialogVac &openLeave()
    {
        Forms::get<Form1>().Command1->click();
        return Forms::get<DialogVac>();
    }
    // File Open of a profile anywhere, not saving the one open before.
    static void openPath(const QString &file)
    {
        Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<frmSaveUser *>(w)->cmdEnd->click(); }));
        Ui::script(std::optional<QString>(file));
        Forms::get<Form1>().mnuOpen_Click();
    }

    void SetUp() override
    {
        RecordsTest::SetUp();
        here = QDir::currentPath();
    }

    // The working folder as the program sees it (links resolved).
    QString here;
};

// Two programs open the same profile's leave record; one saves a vacation
// start, the other, loaded earlier, a sick start: the later save would wipe
// out the first, and nobody would be told. The second program now ends at
// its start, saying why, before it has read or written a byte there; the
// first saves as before.
TEST_F(Instances, ASecondProgramOnAFolderInUseEndsBeforeTouchingIt)
{
    ASSERT_TRUE(lockWorkingFolder());
    startPaid();
    saveAs(QStringLiteral("pat"));
    DialogVac &leave = openLeave();
    type(leave.Vac.txtBal, QStringLiteral("10"));
    // However long the first program has been running.
    age(lockIn(here));
    const auto before = contents(here);

    const Outcome second = runOther(here, {QStringLiteral("leave"), QStringLiteral("pat"), QStringLiteral("3")});
    EXPECT_EQ(second.code, 1) << describe(second);
    EXPECT_EQ(second.output, refusal(here)) << describe(second);
    EXPECT_EQ(contents(here), before) << "the second program wrote nothing";

    leave.OKButton->click();
    EXPECT_EQ(lines(QStringLiteral("pat.hol")).value(0), QStringLiteral("10,10,0,0,0,0"));
}

// One program saves over and over while other programs start in its
// folder, each of which once removed the temporary files it found there, a
// running save's too, making that save fail. Every save succeeds; every
// other start is refused.
TEST_F(Instances, SavesGoOnWhileOtherProgramsStartInTheFolder)
{
    ASSERT_TRUE(lockWorkingFolder());
    startPaid();
    saveAs(QStringLiteral("pat"));
    Ui::clearAsked();
    constexpr int kStarts = 10;
    int refused = 0;
    int saves = 0;
    for (int i = 0; i < kStarts; ++i) {
        QProcess other;
        startIn(other, here, {});
        while (!other.waitForFinished(0)) {
            // Another start balance each time, so that every save writes.
            DialogVac &leave = openLeave();
            type(leave.Vac.txtBal, QString::number(++saves));
            leave.OKButton->click();
        }
        refused += finish(other).code == 1;
    }
    EXPECT_EQ(refused, kStarts);
    EXPECT_TRUE(Ui::asked().empty()) << saves << " saves; asked: " << lastAsked().toStdString();
    EXPECT_TRUE(lines(QStringLiteral("pat.hol")).value(0).startsWith(QString::number(saves) + ','));
}

// The lock of a program that ended without releasing it is taken over by
// the next start; so is a lock file too damaged to name a program (a power
// cut after it was made), once it is old enough that no program can still
// be writing it.
TEST_F(Instances, ALockLeftBehindIsTakenOver)
{
    struct Case {
        const char *name;
        std::function<void()> leave;
    };
    const QString lock = lockIn(here);
    const std::vector<Case> cases = {
        {"a program killed", [this] { EXPECT_EQ(runOther(here, {QStringLiteral("crash")}).code, -1); }},
        {"empty, an hour old",
         [lock] {
             QFile f(lock);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.close();
             age(lock);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        removeAll();
        c.leave();
        ASSERT_TRUE(QFile::exists(lock));

        const Outcome next = runOther(here);
        EXPECT_EQ(next.code, 0) << describe(next);
        EXPECT_TRUE(next.output.startsWith(QStringLiteral("started\n"))) << describe(next);
        EXPECT_FALSE(next.output.contains(QStringLiteral("in use"))) << describe(next);
        EXPECT_TRUE(exists(QStringLiteral(".use"))) << "the main window's load ran";
        EXPECT_FALSE(QFile::exists(lock)) << "released at the program's end";
    }
}

// File Open of a profile in a folder that another running program holds:
// refused with the same message, and nothing changes: not the profile
// shown, the windows, the leave record being typed, the working folder,
// this program's lock, nor anything in the other folder.
TEST_F(Instances, FileOpenInAFolderInUseIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(lockWorkingFolder());
    Form1 &f = startPaid();
    saveAs(QStringLiteral("pat"));
    DialogVac &leave = openLeave();
    type(leave.Vac.txtBal, QStringLiteral("10"));

    QTemporaryDir other;
    const QString there = QFileInfo(other.path()).canonicalFilePath();
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("pat.use")), QDir(there).filePath(QStringLiteral("kim.use"))));
    OtherRunning holder(there);
    ASSERT_TRUE(holder.started());
    const auto thereBefore = contents(there);
    const auto hereBefore = contents(here);
    const QString title = f.windowTitle();
    const std::string user = state().CurrentUser;
    const ProfileSettings profile = state().profile;
    const OvertimeStore overtime = state().overtime;
    const auto leaveRecord = payrecords::leaveRecord();

    Ui::clearAsked();
    openPath(QDir(there).filePath(QStringLiteral("kim.use")));
    EXPECT_EQ(lastAsked(), FolderLock::inUseMessage(there).join(QStringLiteral("\r\n")));
    EXPECT_EQ(Ui::pendingAnswers(), 0u);
    EXPECT_EQ(QDir::currentPath(), here);
    EXPECT_EQ(FolderLock::ofRun().folder(), here);
    EXPECT_EQ(state().CurrentUser, user);
    EXPECT_TRUE(state().profile == profile);
    EXPECT_TRUE(state().overtime == overtime);
    EXPECT_EQ(f.windowTitle(), title);
    EXPECT_EQ(f.lbUser->text(), QStringLiteral("pat"));
    EXPECT_EQ(payrecords::leaveRecord(), leaveRecord);
    ASSERT_TRUE(Forms::isLoaded<DialogVac>());
    EXPECT_EQ(leave.Vac.txtBal->text(), QStringLiteral("10"));
    EXPECT_EQ(contents(there), thereBefore);
    EXPECT_EQ(contents(here), hereBefore);
    // This folder is still held by this program.
    const Outcome third = runOther(here);
    EXPECT_EQ(third.code, 1) << describe(third);

    const Outcome holderEnd = holder.end();
    EXPECT_EQ(holderEnd.code, 0) << describe(holderEnd);
}

// File Open into a free folder takes that folder's lock and gives up the
// one before; an open that fails there (a damaged profile) keeps the lock
// where the program stays. File Open within the folder leaves the lock.
TEST_F(Instances, FileOpenMovesTheLockOnlyWhenTheOpenSucceeds)
{
    ASSERT_TRUE(lockWorkingFolder());
    Form1 &f = startPaid();
    saveAs(QStringLiteral("pat"));
    QTemporaryDir otherDir, damagedDir;
    const QString there = QFileInfo(otherDir.path()).canonicalFilePath();
    const QString damaged = QFileInfo(damagedDir.path()).canonicalFilePath();
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("pat.use")), QDir(there).filePath(QStringLiteral("kim.use"))));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("pat.use")), QDir(there).filePath(QStringLiteral("lee.use"))));
    {
        QFile bad(QDir(damaged).filePath(QStringLiteral("bad.use")));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("0,0,0\r\n1,2\r\n");
    }

    openPath(QDir(damaged).filePath(QStringLiteral("bad.use")));
    EXPECT_TRUE(lastAsked().contains(QStringLiteral("bad.use"))) << lastAsked().toStdString();
    EXPECT_EQ(QDir::currentPath(), here);
    EXPECT_EQ(FolderLock::ofRun().folder(), here);
    EXPECT_TRUE(QFile::exists(lockIn(here)));
    EXPECT_FALSE(QFile::exists(lockIn(damaged)));
    EXPECT_EQ(runOther(damaged).code, 0) << "the folder of the failed open is free";

    openPath(QDir(there).filePath(QStringLiteral("kim.use")));
    EXPECT_EQ(f.lbUser->text(), QStringLiteral("kim"));
    EXPECT_EQ(QDir::currentPath(), there);
    EXPECT_EQ(FolderLock::ofRun().folder(), there);
    EXPECT_FALSE(QFile::exists(lockIn(here)));
    const Outcome inThere = runOther(there);
    EXPECT_EQ(inThere.output, refusal(there)) << describe(inThere);
    const Outcome inHere = runOther(here);
    EXPECT_EQ(inHere.code, 0) << describe(inHere);

    const ino_t lockFile = inode(lockIn(there));
    ASSERT_NE(lockFile, 0u);
    openPath(QDir(there).filePath(QStringLiteral("lee.use")));
    EXPECT_EQ(f.lbUser->text(), QStringLiteral("lee"));
    EXPECT_EQ(FolderLock::ofRun().folder(), there);
    EXPECT_EQ(inode(lockIn(there)), lockFile) << "the very same lock file";
    FolderLock::ofRun().release();  // before its folder goes
}

}  // namespace
}  // namespace wagedesk::testing
