// The README's tables of inputs against the programs' own tables, row for row: the keys in a row's
// first cell (in backticks) are the row's inputs, or, where it has none, the cell is.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/bindings.h"
#include "showcase.h"

namespace {

// The first cell of each row of the table after `marker`, as the row's inputs.
std::vector<std::string> tableInputs(const std::string& readme, const std::string& marker) {
    std::vector<std::string> inputs;
    std::istringstream in(readme.substr(readme.find(marker) == std::string::npos ? readme.size() : readme.find(marker)));
    std::string line;
    std::getline(in, line);
    int row = 0;
    while (std::getline(in, line) && !line.empty() && line[0] == '|') {
        if (row++ < 2) continue;  // the header and its rule
        const std::string cell = line.substr(1, line.find('|', 1) - 1);
        std::string keys;
        for (std::size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open + 1)) {
            const std::size_t close = cell.find('`', open + 1);
            keys += (keys.empty() ? "" : " ") + cell.substr(open + 1, close - open - 1);
            open = close;
        }
        inputs.push_back(keys.empty() ? cell.substr(cell.find_first_not_of(' '), cell.find_last_not_of(' ') - cell.find_first_not_of(' ') + 1) : keys);
    }
    return inputs;
}

void expectTable(const std::string& readme, const std::string& program, const InputBinding* const* rows, int count) {
    const std::vector<std::string> inputs = tableInputs(readme, "<!-- inputs: " + program + " -->");
    ASSERT_EQ(inputs.size(), static_cast<std::size_t>(count)) << program << ": one README row for each of the program's";
    for (int i = 0; i < count; ++i) EXPECT_EQ(inputs[static_cast<std::size_t>(i)], rows[i]->inputs) << program << ", row " << i + 1;
}

}  // namespace

TEST(Readme, InputTablesAreThePrograms) {
    std::ifstream file(README_PATH);
    ASSERT_TRUE(file) << README_PATH;
    std::stringstream text;
    text << file.rdbuf();
    expectTable(text.str(), "midpoint-circles", circleBindings, circleBindingCount);
    expectTable(text.str(), "view-showcase", showcaseBindings, showcaseBindingCount);
}
