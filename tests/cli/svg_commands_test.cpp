// SPDX-License-Identifier: MIT
// The charts of calibrate and tolerance pass xmllint and are drawn by rsvg-convert without a
// warning, and the same command gives the same bytes.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string Quietly(const std::string &command)
{
    const int status = std::system((command + " 2>svg_command_stderr.txt").c_str());
    std::ifstream in("svg_command_stderr.txt");
    return "status " + std::to_string(status) + ": "
           + std::string(std::istreambuf_iterator<char>(in), {});
}

class CommandChart : public testing::TestWithParam<std::vector<std::string>>
{
};

TEST_P(CommandChart, IsValidAndRendersWithoutWarnings)
{
    const TCliRun run = RunCli(GetParam());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(RunCli(GetParam()).out, run.out);
    EXPECT_NE(run.out.find("width=\"800\" height=\"500\""), std::string::npos);
    if (std::string(VELMORA_XMLLINT).empty() || std::string(VELMORA_RSVG_CONVERT).empty())
        GTEST_SKIP() << "xmllint or rsvg-convert is not installed";
    const std::string file = GetParam()[0] + "_chart.svg";
    std::ofstream(file, std::ios::binary) << run.out;
    EXPECT_EQ(Quietly(std::string(VELMORA_XMLLINT) + " --noout " + file), "status 0: ");
    EXPECT_EQ(Quietly(std::string(VELMORA_RSVG_CONVERT) + " -o " + file + ".png " + file),
              "status 0: ");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandChart,
    testing::Values(
        std::vector<std::string>{"calibrate", "pt100", "--range", "0,150", "--up-down",
                                 "--tolerance", "0.25%", "--found",
                                 "4.02,8.04,12.05,16.03,19.98,16.06,12.07,8.05,4.03", "--left",
                                 "3.99,8.01,12.00,15.99,20.00,16.00,12.01,8.00,4.00", "--tag",
                                 "TT-101 <loop & \"A\">", "--date", "2024-05-14", "--format",
                                 "svg"},
        std::vector<std::string>{"tolerance", "pt100", "--class", "A,B", "--from", "-50", "--to",
                                 "250", "--format", "svg"}));

} // namespace
