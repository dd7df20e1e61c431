#include "platform/ErrorBox.h"
#include "platform/MaskMatcher.h"
#include "platform/OsError.h"
#include "platform/ScriptedDialogs.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace quil;

TEST(ErrorBox, HandlersReportWhatTheyRaise)
{
    ScriptedDialogs dialogs;
    EXPECT_TRUE(runHandler(dialogs, [] {}));
    EXPECT_FALSE(runHandler(dialogs, [] { throw OsError(ENOENT); }));
    EXPECT_FALSE(runHandler(dialogs, [] { throw OsError(0); }));
    EXPECT_FALSE(runHandler(dialogs, [] { MaskMatcher mask(QStringLiteral("[")); }));
    EXPECT_FALSE(runHandler(dialogs, [] { throw std::runtime_error("plain"); }));
    EXPECT_EQ(dialogs.messages(),
              (QStringList{QStringLiteral("System Error.  Code: 2.\r\nNo such file or directory"),
                           QStringLiteral("A call to an OS function failed"),
                           QStringLiteral("'[' is an invalid mask at (2)"), QStringLiteral("plain")}));
    EXPECT_EQ(dialogs.shown(ScriptedDialogs::Kind::ErrorBox).size(), 4);
}
