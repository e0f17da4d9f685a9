// Every command line of the game that the README and docs/ show runs as written:
// headless ones with their frame limits, a window's for a moment headless. Where
// the same paragraph shows a line of the game's output (`bowling: game over: ...`),
// a headless example with a frame limit prints it (up to a "...").
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace {

namespace fs = std::filesystem;

struct Example {
    std::string where;
    std::vector<std::string> args;      // after the program's name
    std::vector<std::string> promised;  // output the paragraph shows
};

// The game's arguments when `code` is an example of running it ("bowling --...",
// "bash scripts/play.sh ..."); false for anything else and for a synopsis with
// placeholders ("--frames N", "[--headless]").
bool GameArguments(const std::string& code, std::vector<std::string>* args) {
    std::istringstream in(code.substr(0, code.find('#')));
    std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
    const size_t skip = words.size() >= 2 && words[0] == "bash" && words[1] == "scripts/play.sh"   ? 2
                        : words.size() >= 2 && words[0] == "bowling" && words[1].starts_with("--") ? 1
                                                                                                   : 0;
    if (skip == 0)
        return false;
    args->assign(words.begin() + std::ptrdiff_t(skip), words.end());
    const auto placeholder = [](const std::string& word) {
        return word.find('[') != std::string::npos ||
               std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    };
    return std::none_of(args->begin(), args->end(), placeholder);
}

// The examples of one markdown file, paragraph by paragraph: inline code and
// indented lines.
void ReadExamples(const fs::path& file, std::vector<Example>* examples) {
    std::ifstream in(file);
    std::string line;
    std::string paragraph;
    const auto finish = [&] {
        std::vector<std::string> codes;
        std::vector<std::string> promised;
        for (size_t open = paragraph.find('`'); open != std::string::npos;
             open = paragraph.find('`', paragraph.find('`', open + 1) + 1)) {
            const size_t close = paragraph.find('`', open + 1);
            if (close == std::string::npos)
                break;
            const std::string code = paragraph.substr(open + 1, close - open - 1);
            if (code.starts_with("bowling: "))
                promised.push_back(code.substr(0, code.find("...")));
            else
                codes.push_back(code);
        }
        std::istringstream lines(paragraph);
        for (std::string text; std::getline(lines, text);) {
            if (text.starts_with("    "))
                codes.push_back(text);
        }
        for (const std::string& code : codes) {
            Example example{file.filename().string() + ": " + code, {}, promised};
            if (GameArguments(code, &example.args))
                examples->push_back(example);
        }
        paragraph.clear();
    };
    while (std::getline(in, line)) {
        if (line.find_first_not_of(' ') == std::string::npos)
            finish();
        else
            paragraph += line + "\n";
    }
    finish();
}

bool Has(const std::vector<std::string>& args, const char* option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

TEST(DocExamplesTest, EveryExampleRunsAsWritten) {
    std::vector<Example> examples;
    ReadExamples(fs::path(BOWLING_SOURCE_ROOT) / "README.md", &examples);
    for (const auto& entry : fs::directory_iterator(fs::path(BOWLING_SOURCE_ROOT) / "docs"))
        ReadExamples(entry.path(), &examples);
    ASSERT_GE(examples.size(), 4u);

    const fs::path nand = fs::path(testing::TempDir()) / "doc_examples_nand";
    std::vector<std::unique_ptr<ChildProcess>> runs;
    for (Example& example : examples) {
        std::vector<std::string> args = example.args;
        const bool ends = Has(args, "--headless") && Has(args, "--frames");
        if (!Has(args, "--headless"))
            args.insert(args.end(), {"--headless", "--frames", "10"});
        if (!ends)
            example.promised.clear();
        args.insert(args.end(), {"--nand", nand.string()});
        runs.push_back(
            std::make_unique<ChildProcess>(BOWLING_PROGRAM, args, std::vector<std::string>{}, true));
    }
    for (size_t i = 0; i < examples.size(); ++i) {
        std::string output;
        EXPECT_EQ(runs[i]->Wait(&output), 0) << examples[i].where;
        for (const std::string& line : examples[i].promised)
            EXPECT_NE(("\n" + output).find("\n" + line), std::string::npos)
                << examples[i].where << ": " << line;
    }
    fs::remove_all(nand);
}

}  // namespace
