#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/charfilter.h"

namespace {

const QString kNumeric = QStringLiteral("0123456789 -.");

TEST(OnlyCharacters, EveryCharacterMustBeAllowed)
{
    const struct {
        QString text;
        bool ok;
    } cases[] = {
        {QString(), true},
        {QStringLiteral("0123456789 -."), true},
        {QStringLiteral("-12.50"), true},
        {QStringLiteral("  "), true},
        {QStringLiteral("1,234.00"), false},
        {QStringLiteral("$5"), false},
        {QStringLiteral("12e3"), false},
        {QStringLiteral("1\t2"), false},
        {QStringLiteral("\u0661"), false},      // an Arabic-Indic one
        {QStringLiteral("\U0001F600"), false},  // beyond the 16-bit range
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::onlyCharacters(c.text, kNumeric), c.ok) << c.text.toStdString();
    EXPECT_FALSE(platform::onlyCharacters(u"1", u""));
    EXPECT_TRUE(platform::onlyCharacters(u"", u""));
}

// A numeric box, shown and focused, with the clipboard emptied afterwards.
class CharacterFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::allowOnlyCharacters(&box, kNumeric);
        box.show();
        box.setFocus();
    }
    void TearDown() override { QGuiApplication::clipboard()->clear(); }

    void paste(const QString &clipboard, const QKeySequence &keys)
    {
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keySequence(&box, keys);
    }

    QLineEdit box;
};

TEST_F(CharacterFilterTest, TypedKeysOutsideTheSetAreDroppedAndEditingKeysWork)
{
    QTest::keyClicks(&box, QStringLiteral("12a.3-x 4,"));
    EXPECT_EQ(box.text(), QStringLiteral("12.3- 4"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClick(&box, Qt::Key_Delete);
    QTest::keyClicks(&box, QStringLiteral("9"));
    EXPECT_EQ(box.text(), QStringLiteral("92.3- "));
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&box, QStringLiteral("5"));
    EXPECT_EQ(box.text(), QStringLiteral("5"));
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("92.3- ")) << "undo is a command, not text";
}

TEST_F(CharacterFilterTest, APasteGoesInWholeOrNotAtAll)
{
    const struct {
        const char *clipboard;
        const char *result;
    } cases[] = {
        {"7.5", "17.5"}, {"-2 000", "1-2 000"}, {"7,5", "1"}, {"7.5x", "1"}, {"", "1"},
    };
    for (const auto &c : cases) {
        for (const QKeySequence &keys : {QKeySequence(QKeySequence::Paste), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}) {
            box.setText(QStringLiteral("1"));
            paste(QString::fromLatin1(c.clipboard), keys);
            EXPECT_EQ(box.text(), QString::fromLatin1(c.result))
                << c.clipboard << " by " << keys.toString().toStdString();
        }
    }
}

TEST_F(CharacterFilterTest, ATextSetByTheProgramIsNeverFilteredAndDoesNotOpenTheBox)
{
    box.setText(QStringLiteral("1,234.00 Net$"));
    EXPECT_EQ(box.text(), QStringLiteral("1,234.00 Net$"));
    box.insert(QStringLiteral("€"));
    EXPECT_EQ(box.text(), QStringLiteral("1,234.00 Net$€"));
    // A box already holding other characters still takes only allowed keys.
    box.end(false);
    QTest::keyClicks(&box, QStringLiteral("x9"));
    EXPECT_EQ(box.text(), QStringLiteral("1,234.00 Net$€9"));
    EXPECT_TRUE(box.hasAcceptableInput()) << "nothing marks a program's text as invalid";
}

TEST_F(CharacterFilterTest, DroppedAndInputMethodTextIsCheckedToo)
{
    box.setText(QStringLiteral("1"));
    box.end(false);
    for (const char *text : {"2x", "3"}) {
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromLatin1(text));
        QApplication::sendEvent(&box, &commit);
    }
    EXPECT_EQ(box.text(), QStringLiteral("13"));

    for (const char *text : {"4x", "5"}) {
        QMimeData mime;
        mime.setText(QString::fromLatin1(text));
        const QPoint at = box.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &enter);
        EXPECT_EQ(enter.isAccepted(), text[1] == '\0') << text;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &drop);
    }
    EXPECT_EQ(box.text().count(QLatin1Char('5')), 1);
    EXPECT_FALSE(box.text().contains(QLatin1Char('4')));
}

TEST_F(CharacterFilterTest, TheContextMenusPasteIsOffWhileTheClipboardHoldsOtherCharacters)
{
    auto pasteItem = [this](const char *clipboard) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(clipboard));
        QContextMenuEvent event(QContextMenuEvent::Mouse, box.rect().center(), box.mapToGlobal(box.rect().center()));
        QApplication::sendEvent(&box, &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        bool enabled = false, found = false;
        if (menu) {
            // The item shows the paste keys (Ctrl+V) after a tab.
            const QString keys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
            for (QAction *action : menu->actions())
                if (action->text().endsWith(QLatin1Char('\t') + keys)) {
                    found = true;
                    enabled = action->isEnabled();
                }
            menu->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_TRUE(found) << "no menu with a Paste item for " << clipboard;
        return enabled;
    };
    EXPECT_FALSE(pasteItem("12 Main St"));
    EXPECT_TRUE(pasteItem("12.5"));
}

}  // namespace
