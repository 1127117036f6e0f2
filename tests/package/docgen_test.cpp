// SPDX-License-Identifier: MIT
#include "CliModel.h"
#include "Writers.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TChoicesCase
{
    const char *typeName;
    std::vector<std::string> choices;
};

class ChoicesOfType : public ::testing::TestWithParam<TChoicesCase>
{
};

TEST_P(ChoicesOfType, ListsOnlyTheWordsATypeNameOffers)
{
    EXPECT_EQ(docgen::ChoicesOfType(GetParam().typeName), GetParam().choices);
}

INSTANTIATE_TEST_SUITE_P(TypeNames, ChoicesOfType,
                         ::testing::Values(TChoicesCase{"text|csv|json", {"text", "csv", "json"}},
                                           TChoicesCase{"C|F", {"C", "F"}},
                                           TChoicesCase{"NUMBER", {}},
                                           TChoicesCase{"TEXT:{k,j,s}", {"k", "j", "s"}},
                                           TChoicesCase{"a||b", {}}, // an empty word lists nothing
                                           TChoicesCase{"any T|F value", {}}, // prose is no list
                                           TChoicesCase{"TEXT:{}", {}}));

// A command line shaped like velmora-cli's: a command with a positional argument whose type lists
// its values, an option with a default, an option taking several values, a flag.
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
    ASSERT_EQ(command.options.size(), 5u);
    EXPECT_EQ(command.options.front().names, (std::vector<std::string>{"--help", "-h"}));
    EXPECT_TRUE(command.options.back().IsPositional());

    const docgen::TCliOption &sensorArg = Option("SENSOR");
    EXPECT_TRUE(sensorArg.required);
    EXPECT_EQ(sensorArg.choices, (std::vector<std::string>{"a", "b"}));
    const docgen::TCliOption &unitOption = Option("--unit");
    EXPECT_EQ(unitOption.defaultText, "C");
    EXPECT_TRUE(unitOption.takesValue);
    EXPECT_FALSE(unitOption.repeats);
    EXPECT_TRUE(Option("--x").repeats);
    EXPECT_TRUE(Option("--x").choices.empty());
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
    // Usage: required arguments bare, optional ones in brackets, repeated ones with an ellipsis.
    EXPECT_NE(page.find("\\fB\\%\\-\\-unit\\fR \\fI\\%C|F\\fR]"), std::string::npos) << page;
    EXPECT_NE(page.find("[\\fB\\%\\-\\-x\\fR \\fI\\%NUMBER\\fR .\\|.\\|.]"), std::string::npos);
    EXPECT_NE(page.find(" \\fI\\%SENSOR\\fR"), std::string::npos);
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
