#pragma once
// The rows of a table built into the program (resources/*.tsv): one row a line, "# " lines
// comments, the first other line the columns' names.

#include <string_view>

namespace orvane {

template <typename Row>
void forEachTableRow(std::string_view tsv, Row&& row)
{
    bool header = true;
    while (!tsv.empty()) {
        const std::size_t end = tsv.find('\n');
        const std::string_view line = tsv.substr(0, end);
        tsv.remove_prefix(end == std::string_view::npos ? tsv.size() : end + 1);
        if (line.empty() || line.starts_with("# "))
            continue;
        if (header) {
            header = false;
            continue;
        }
        row(line);
    }
}

} // namespace orvane
