// A fresh program in a temporary working folder: the settings store reset,
// every window unloaded, every question scripted.
#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/app.h"
#include "core/windows/form1.h"
#include "core/windows/program.h"
#include "core/windows/taxinfo.h"
#include "platform/folderlock.h"
#include "platform/forms.h"
#include "platform/ui.h"

namespace wagedesk::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        resetState();
        platform::Ui::reset();
        platform::Ui::setScripted(true);
        defineForms();
    }

    void TearDown() override
    {
        platform::Forms::unloadAll();
        platform::Ui::reset();
        platform::FolderLock::ofRun().release();
        QDir::setCurrent(previous);
    }

    // Starts the program: the main window's load.
    Form1 &start()
    {
        Form1 &f = platform::Forms::get<Form1>();
        f.endProgram = [this] { ended = true; };
        return f;
    }

    QString path(const QString &name) const { return QDir(folder.path()).filePath(name); }
    bool exists(const QString &name) const { return QFile::exists(path(name)); }
    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }
    void removeAll() const
    {
        for (const QString &f : files())
            QFile::remove(path(f));
    }

    // Types into a box as the user would: select all, then type.
    static void type(QLineEdit *box, const QString &text)
    {
        box->selectAll();
        box->del();
        QTest::keyClicks(box, text);
    }

    // Whether a label or a box shows the whole of its text, once the
    // layouts have settled: a label is at least as wide as it asks to be for
    // its text; a box looks the same with the cursor at either end of its
    // text, so nothing scrolls out of view.
    static bool showsWhole(QLabel *label)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return label->width() >= label->sizeHint().width();
    }
    static bool showsWhole(QLineEdit *box)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        box->clearFocus();
        box->home(false);
        const QImage start = box->grab().toImage();
        box->end(false);
        return box->grab().toImage() == start;
    }

    // The text of the last question asked, "" when none.
    static QString lastAsked()
    {
        const auto &asked = platform::Ui::asked();
        return asked.empty() ? QString() : asked.back().text;
    }

    // Fills the user information window and presses its Save.
    void userInfo(const std::function<void(frmTaxInfo &)> &edit)
    {
        platform::Ui::script(platform::Ui::ModalAction([&edit](QWidget *w) {
            auto &info = static_cast<frmTaxInfo &>(*w);
            edit(info);
            info.cmdOk->click();
        }));
        platform::Forms::get<Form1>().mnuTaxInfoItem_Click();
    }

    QTemporaryDir folder;
    QString previous;
    bool ended = false;
};

}  // namespace wagedesk::testing
