#include "Logging.h"

#include <QLoggingCategory>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_lines;

void Collect(QtMsgType, const QMessageLogContext& context, const QString& strMessage)
{
    g_lines.push_back(std::string(context.category) + ": " + strMessage.toStdString());
}

TEST(LoggingTest, DebugLinesAreSilentUntilTheirCategoryIsEnabled)
{
    ::unsetenv("QT_LOGGING_RULES");
    const QtMessageHandler previous = qInstallMessageHandler(Collect);
    OutputDebugString("unheard");
    QLoggingCategory::setFilterRules(QStringLiteral("kestova.*.debug=true"));
    OutputDebugString("heard");
    OutputDebugString(nullptr);
    qInstallMessageHandler(previous);

    EXPECT_EQ(g_lines, std::vector<std::string>{"kestova.debug: heard"});
}

} // namespace
