// SPDX-License-Identifier: MIT
#include "CliModel.h"
#include "Writers.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> Digits{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

std::vector<std::string> WithDigits(std::vector<std::string> words)
{
    words.insert(words.end(), Digits.begin(), Digits.end());
    return words;
}

struct TCompletionCase
{
    const char *name;
    const char *typeName;
    std::vector<std::string> words;
    docgen::TFileNames fileNames = docgen::fnNone;
};

class CompletionOfType : public ::testing::TestWithParam<TCompletionCase>
{
};

TEST_P(CompletionOfType, OffersTheChoicesAndNeverAPlaceholder)
{
    const docgen::TValueCompletion completion = docgen::CompletionOfType(GetParam().typeName);
    EXPECT_EQ(completion.words, GetParam().words);
    EXPECT_EQ(completion.fileNames, GetParam().fileNames);
}

INSTANTIATE_TEST_SUITE_P(
    TypeNames, CompletionOfType,
    ::testing::Values(TCompletionCase{"formats", "text|csv|json", {"text", "csv", "json"}},
                      TCompletionCase{"setCheck", "TEXT:{k,j,s}", {"k", "j", "s"}},
                      TCompletionCase{"emptySet", "TEXT:{}", {}},
                      TCompletionCase{"emptyWord", "a||b", {}},
                      TCompletionCase{"prose", "any T|F value", {}},
                      TCompletionCase{"validatorProse", "INT:INT in [0 - 17]", {}},
                      // A lone word is a placeholder or a name, never a choice.
                      TCompletionCase{"loneWord", "T", {}},
                      // N beside choices adds digits; beside placeholders only, nothing.
                      TCompletionCase{"digitsBesideWords", "N|full", WithDigits({"full"})},
                      TCompletionCase{"placeholdersOnly", "N|NAME|COL|VALUE", {}},
                      // Upper-case choices shorter than three letters or with a digit are choices.
                      TCompletionCase{"units", "C|F|K", {"C", "F", "K"}},
                      TCompletionCase{"classes",
                                      "AA|A|B|C|W0.15|F0.6|1|2",
                                      {"AA", "A", "B", "C", "W0.15", "F0.6", "1", "2"}},
                      TCompletionCase{"capitalsArePlaceholders", "n|k|AUTO", {"n", "k"}},
                      TCompletionCase{"file", "FILE", {}, docgen::fnFiles},
                      TCompletionCase{"existingFile", "TEXT:FILE", {}, docgen::fnFiles},
                      TCompletionCase{"directory", "TEXT:DIR", {}, docgen::fnDirectories},
                      TCompletionCase{"fileOrStdin", "FILE|-", {"-"}, docgen::fnFiles}),
    [](const ::testing::TestParamInfo<TCompletionCase> &info) {
        return std::string(info.param.name);
    });

// The manual page test below shows a short list as it is and a long one by the option's name; a
// set check names its own label.
TEST(ValueLabel, OfALongSetCheckIsItsLabel)
{
    docgen::TCliOption option;
    option.names = {"--curve"};
    option.typeName = "CURVE:{pt385,pt3916,pt3926,cu428}";
    EXPECT_EQ(docgen::ValueLabel(option), "CURVE");
}

// A command line shaped like velmora-cli's: a command with a positional argument whose type lists
// its values, an option with a default, an option taking several values, a flag, an option with
// a long list of values.
struct ToyCli : public ::testing::Test
{
    ToyCli()
    {
        CLI::App *convert = app.add_subcommand("conv", "Convert a value.");
        convert->footer(
            "A value outside the limits is refused.\n\nExample: toy conv a --unit F 12");
        convert->add_option("SENSOR", sensor, "the sensor")->type_name("a|b")->required();
        convert->add_option("--unit", unit, "unit: C or F")->type_name("C|F")->default_str("C");
        convert->add_option("--x", values, "x value(s)")
            ->type_name("NUMBER")
            ->expected(0, CLI::detail::expected_max_vector_size)
            ->allow_extra_args();
        convert->add_flag("--quiet", quiet, "say nothing");
        convert->add_option("--pressure-unit", unit, "unit of a pressure")
            ->type_name("Pa|hPa|kPa|MPa|mbar|bar|psi");
        convert->add_option("--keep", unit, "columns kept")->type_name("COL[,COL...]");
        model = docgen::ReadCliModel(app);
    }

    const docgen::TCliOption &Option(const std::string &name) const
    {
        for (const docgen::TCliOption &option : model.commands.at(0).options) {
            if (option.positionalName == name
                || (!option.names.empty() && option.names.front() == name))
                return option;
        }
        throw std::runtime_error("no option " + name);
    }

    CLI::App app{"A toy calculator.", "toy"};
    std::string sensor, unit;
    std::vector<std::string> values;
    bool quiet = false;
    docgen::TCliModel model;
};

TEST_F(ToyCli, ModelHoldsEveryCommandAndOptionAsDefined)
{
    ASSERT_EQ(model.program, "toy");
    ASSERT_EQ(model.commands.size(), 1u);
    const docgen::TCliCommand &command = model.commands[0];
    EXPECT_EQ(command.name, "conv");
    EXPECT_EQ(command.description, "Convert a value.");
    // Named options come first (help included), positional arguments last.
    ASSERT_EQ(command.options.size(), 7u);
    EXPECT_EQ(command.options.front().names, (std::vector<std::string>{"--help", "-h"}));
    EXPECT_TRUE(command.options.back().IsPositional());

    const docgen::TCliOption &sensorArg = Option("SENSOR");
    EXPECT_TRUE(sensorArg.required);
    EXPECT_EQ(sensorArg.completion.words, (std::vector<std::string>{"a", "b"}));
    const docgen::TCliOption &unitOption = Option("--unit");
    EXPECT_EQ(unitOption.defaultText, "C");
    EXPECT_TRUE(unitOption.takesValue);
    EXPECT_FALSE(unitOption.repeats);
    EXPECT_TRUE(Option("--x").repeats);
    EXPECT_FALSE(Option("--x").completion.Offers());
    EXPECT_FALSE(Option("--quiet").takesValue);
    EXPECT_TRUE(Option("--quiet").typeName.empty());
}

TEST_F(ToyCli, ManPageFillsEveryPlaceholderFromTheModel)
{
    const std::string page = docgen::WriteManPage(
        model,
        ".TH TOY 1 \"@DATE@\" \"toy @VERSION@\"\n.SH SYNOPSIS\n@SYNOPSIS@\n.SH COMMANDS\n"
        "@COMMANDS@\n.SH EXIT STATUS\nhand-written\n",
        "1.2.3", "2026-12-08");
    EXPECT_EQ(page.find('@'), std::string::npos) << page;
    EXPECT_NE(page.find(".TH TOY 1 \"2026-12-08\" \"toy 1.2.3\""), std::string::npos);
    EXPECT_NE(page.find(".SS conv\nConvert a value.\n"), std::string::npos) << page;
    // Usage: required arguments bare, optional ones in brackets, repeated ones with an ellipsis,
    // each on a line of its own and held together by unpaddable spaces, so that groff breaks a
    // synopsis only between options.
    EXPECT_NE(page.find(".SY \"toy conv\"\n[\\fB\\-\\-help\\fR]\n"), std::string::npos) << page;
    EXPECT_NE(page.find("\n[\\fB\\-\\-unit\\fR\\ \\fIC|F\\fR]\n"), std::string::npos);
    EXPECT_NE(page.find("\n[\\fB\\-\\-x\\fR\\ \\fINUMBER\\fR\\ .\\|.\\|.\\&]\n"),
              std::string::npos);
    EXPECT_NE(page.find("\n\\fISENSOR\\fR\n.YS\n"), std::string::npos);
    // A value ending in dots ends no sentence: groff sets no wider space after it.
    EXPECT_NE(page.find("\n[\\fB\\-\\-keep\\fR\\ \\fICOL[,COL...]\\fR\\&]\n"),
              std::string::npos);
    // A list too long for a synopsis line shows by its label; its entry's text lists it.
    EXPECT_NE(page.find("[\\fB\\-\\-pressure\\-unit\\fR\\ \\fIUNIT\\fR]\n"), std::string::npos);
    EXPECT_NE(
        page.find(".TP\n\\fB\\%\\-\\-pressure\\-unit\\fR \\fI\\%UNIT\\fR\nunit of a pressure\n"
                  ".br\nValues: \\%Pa, \\%hPa, \\%kPa, \\%MPa, \\%mbar, \\%bar, \\%psi\n"),
        std::string::npos);
    EXPECT_NE(page.find("unit: C or F (default: C)\n"), std::string::npos);
    // Prose notes are filled, examples keep their lines.
    EXPECT_NE(page.find(".PP\nA value outside the limits is refused.\n"), std::string::npos);
    EXPECT_NE(page.find(".nf\nExample: toy conv a \\-\\-unit F 12\n.fi\n"), std::string::npos);
    EXPECT_NE(page.find(".SH EXIT STATUS\nhand-written\n"), std::string::npos);
}

struct TRoffCase
{
    const char *name;
    std::string text;
    std::string roff;
};

class RoffText : public ::testing::TestWithParam<TRoffCase>
{
};

TEST_P(RoffText, ShowsTheTextLiterally)
{
    EXPECT_EQ(docgen::RoffText(GetParam().text), GetParam().roff);
}

INSTANTIATE_TEST_SUITE_P(Texts, RoffText,
                         ::testing::Values(TRoffCase{"plain", "plain text", "plain text"},
                                           TRoffCase{"minus", "--to -30", "\\-\\-to \\-30"},
                                           TRoffCase{"backslash", "a\\b", "a\\eb"},
                                           TRoffCase{"leadingDot", ".5 mA", "\\&.5 mA"},
                                           TRoffCase{"leadingQuote", "'k' type", "\\&'k' type"},
                                           TRoffCase{"dotAfterLineBreak", "a\n.b", "a\n\\&.b"},
                                           TRoffCase{"dotInside", "0.5", "0.5"},
                                           TRoffCase{"degree", "°C", "\\[u00B0]C"},
                                           TRoffCase{"threeBytes", "4–20", "4\\[u2013]20"},
                                           TRoffCase{"fourBytes", "\xF0\x9D\x9C\x83", "\\[u1D703]"},
                                           TRoffCase{"strayByte",
                                                     "a\xFF"
                                                     "b",
                                                     "a\\[uFFFD]b"},
                                           TRoffCase{"cutSequence", "a\xC2", "a\\[uFFFD]"}),
                         [](const ::testing::TestParamInfo<TRoffCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
