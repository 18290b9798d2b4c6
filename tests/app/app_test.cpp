// The program's application object: an error that escapes a command is
// shown in a message box, and the program goes on.
#include <QEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/app.h"
#include "platform/ui.h"

namespace {

using platform::Icon;
using platform::Ui;

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Ui::reset();
        Ui::setScripted(true);
    }
    void TearDown() override { Ui::reset(); }
};

// A receiver whose first event of the user's kind fails, as a command
// whose file cannot be written would.
class FailingOnce : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (++handled == 1)
            throw std::runtime_error("The disk is full.");
        return true;
    }
};

TEST_F(ApplicationTest, AnErrorThatEscapesACommandIsShownAndTheCommandsGoOn)
{
    FailingOnce receiver;
    QEvent command(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &command));
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(Ui::asked()[0].text, QStringLiteral("The disk is full."));
    EXPECT_EQ(Ui::asked()[0].icon, Icon::Critical);

    // The receiver still takes its events.
    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &command));
    EXPECT_EQ(receiver.handled, 2);
    EXPECT_EQ(Ui::asked().size(), 1u);
}

TEST_F(ApplicationTest, TheEventLoopRunsOnAfterAnError)
{
    bool later = false;
    QTimer::singleShot(0, qApp, [] { throw std::runtime_error("A file cannot be written."); });
    QTimer::singleShot(0, qApp, [&later] {
        later = true;
        QCoreApplication::quit();
    });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(later);
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(Ui::asked()[0].text, QStringLiteral("A file cannot be written."));
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    wagedesk::Application app(argc, argv);
    platform::Ui::setScripted(true);
    return RUN_ALL_TESTS();
}
