// The shape of src/, read from the source tree itself: calls into the operating
// system, the environment and the X server stay in platform/, includes run down
// the floors (frame, events, play, render and audio, world and text, core and
// platform), no files include each other in a circle, and no folder grows past a
// quarter of the code.
//
// `unit_tests --gtest_filter='Layout.*'` prints the include graph it measured.
// KARVELLE_LAYOUT_SOURCE names another checkout to measure instead (its tests
// then say what it breaks).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Higher floors may include lower ones; a folder may include itself.
const std::map<std::string, int> FLOORS = {
    {"core", 0},   {"platform", 0}, {"world", 1}, {"text", 1}, {"render", 2},
    {"audio", 2},  {"play", 3},     {"events", 4}, {"frame", 5},
};

// The includes allowed to run up the floors, each with its reason in ARCHITECTURE.md.
// At most two.
const std::set<std::pair<std::string, std::string>> UPWARD_EXCEPTIONS = {
    {"events/endings.cpp", "frame/profile.h"},  // N on the continue prompt: the next save keeps them cleared
    {"text/text.cpp", "render/blend.h"},        // glyphs blend with the renderer's own blender
};

struct SourceFile {
    std::string path;    // relative to src/: "play/walking.cpp"
    std::string folder;  // "play"
    std::string module;  // the path without its extension: header and body are one module
    std::string text;
    int lines = 0;
    std::vector<std::string> includes;  // "world/room.h"
};

fs::path source_root()
{
    const char* other = std::getenv("KARVELLE_LAYOUT_SOURCE");
    return fs::path(other && *other ? other : KARVELLE_SOURCE_DIR) / "src";
}

std::vector<SourceFile> read_sources()
{
    std::vector<SourceFile> files;
    fs::path root = source_root();
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
        SourceFile file;
        file.path = fs::relative(entry.path(), root).generic_string();
        file.folder = file.path.substr(0, file.path.find('/'));
        file.module = file.path.substr(0, file.path.rfind('.'));
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        file.text = text.str();
        file.lines = int(std::count(file.text.begin(), file.text.end(), '\n'));
        static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
        std::istringstream lines(file.text);
        for (std::string line; std::getline(lines, line);) {
            std::smatch match;
            if (std::regex_search(line, match, include)) file.includes.push_back(match[1]);
        }
        files.push_back(file);
    }
    std::sort(files.begin(), files.end(), [](const SourceFile& a, const SourceFile& b) { return a.path < b.path; });
    return files;
}

// The code with its comments blanked, and with its string and character literals
// blanked too when `blankStrings`; line breaks stay where they were.
std::string code_only(const std::string& text, bool blankStrings)
{
    std::string code = text;
    size_t i = 0;
    while (i < code.size()) {
        if (code.compare(i, 2, "//") == 0) {
            while (i < code.size() && code[i] != '\n') code[i++] = ' ';
        } else if (code.compare(i, 2, "/*") == 0) {
            size_t end = code.find("*/", i + 2);
            end = end == std::string::npos ? code.size() : end + 2;
            for (; i < end; ++i)
                if (code[i] != '\n') code[i] = ' ';
        } else if (code[i] == '"' || code[i] == '\'') {
            char quote = code[i++];
            while (i < code.size() && code[i] != quote && code[i] != '\n') {
                if (code[i] == '\\' && i + 1 < code.size()) {
                    if (blankStrings) code[i] = ' ';
                    ++i;
                }
                if (blankStrings) code[i] = ' ';
                ++i;
            }
            ++i;
        } else {
            ++i;
        }
    }
    return code;
}

int line_of(const std::string& text, size_t offset)
{
    return 1 + int(std::count(text.begin(), text.begin() + long(offset), '\n'));
}

// "a calls getenv at line 3" for each call into the environment, the clock or the
// X server outside platform/.
std::vector<std::string> system_calls_outside_platform(const std::vector<SourceFile>& files)
{
    static const std::regex call(
        R"re((^|[^\w.>])(getenv|secure_getenv|clock_gettime|readlink|mkstemp|rename|access|X[A-Z]\w*)\s*\()re");
    static const std::regex procRead(R"re("/proc/)re");
    std::vector<std::string> found;
    for (const SourceFile& file : files) {
        if (file.folder == "platform") continue;
        std::string code = code_only(file.text, true);
        for (auto it = std::sregex_iterator(code.begin(), code.end(), call); it != std::sregex_iterator(); ++it)
            found.push_back(file.path + " calls " + (*it)[2].str() + " at line " +
                            std::to_string(line_of(code, size_t(it->position(2)))));
        std::string withStrings = code_only(file.text, false);
        for (auto it = std::sregex_iterator(withStrings.begin(), withStrings.end(), procRead);
             it != std::sregex_iterator(); ++it)
            found.push_back(file.path + " reads /proc at line " + std::to_string(line_of(withStrings, size_t(it->position()))));
    }
    return found;
}

int floor_of(const std::string& folder)
{
    auto it = FLOORS.find(folder);
    return it == FLOORS.end() ? -1 : it->second;
}

bool runs_down(const std::string& from, const std::string& to)
{
    if (from == to) return true;
    if (from == "platform" && to == "core") return true;  // the ground floor: platform stands on core
    if (from == "core" || (from == "platform")) return false;
    return floor_of(to) < floor_of(from);
}

struct IncludeGraph {
    int includes = 0;
    std::vector<std::pair<std::string, std::string>> upward;  // file, the header it includes
    std::vector<std::vector<std::string>> circles;           // modules that include each other
    std::map<std::string, int> linesPerFolder;
    int lines = 0;
};

// The groups of two or more modules that reach each other through includes
// (strongly connected components, found by Tarjan's method).
std::vector<std::vector<std::string>> find_circles(const std::map<std::string, std::set<std::string>>& edges)
{
    std::map<std::string, int> index, low;
    std::set<std::string> onStack;
    std::vector<std::string> stack;
    std::vector<std::vector<std::string>> circles;
    int next = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& node) {
        index[node] = low[node] = next++;
        stack.push_back(node);
        onStack.insert(node);
        auto out = edges.find(node);
        if (out != edges.end()) {
            for (const std::string& to : out->second) {
                if (!index.count(to)) {
                    visit(to);
                    low[node] = std::min(low[node], low[to]);
                } else if (onStack.count(to)) {
                    low[node] = std::min(low[node], index[to]);
                }
            }
        }
        if (low[node] != index[node]) return;
        std::vector<std::string> group;
        std::string member;
        do {
            member = stack.back();
            stack.pop_back();
            onStack.erase(member);
            group.push_back(member);
        } while (member != node);
        if (group.size() > 1) {
            std::sort(group.begin(), group.end());
            circles.push_back(group);
        }
    };
    for (const auto& [node, out] : edges)
        if (!index.count(node)) visit(node);
    std::sort(circles.begin(), circles.end());
    return circles;
}

IncludeGraph measure(const std::vector<SourceFile>& files)
{
    IncludeGraph graph;
    std::map<std::string, std::set<std::string>> edges;
    for (const SourceFile& file : files) {
        graph.linesPerFolder[file.folder] += file.lines;
        graph.lines += file.lines;
        edges[file.module];
        for (const std::string& header : file.includes) {
            ++graph.includes;
            std::string folder = header.substr(0, header.find('/'));
            if (!runs_down(file.folder, folder)) graph.upward.emplace_back(file.path, header);
            std::string module = header.substr(0, header.rfind('.'));
            if (module != file.module) edges[file.module].insert(module);
        }
    }
    graph.circles = find_circles(edges);
    return graph;
}

std::string describe(const IncludeGraph& graph, size_t fileCount)
{
    std::ostringstream text;
    std::set<std::pair<std::string, std::string>> folderArrows;
    for (const auto& [file, header] : graph.upward)
        folderArrows.emplace(file.substr(0, file.find('/')), header.substr(0, header.find('/')));
    text << "src: " << fileCount << " files, " << graph.lines << " lines, " << graph.includes << " includes, "
         << graph.upward.size() << " upward (between " << folderArrows.size() << " pairs of folders), "
         << graph.circles.size() << " circles\n";
    for (const auto& [file, header] : graph.upward) text << "  upward: " << file << " -> " << header << "\n";
    for (const auto& circle : graph.circles) {
        text << "  circle:";
        for (const std::string& module : circle) text << " " << module;
        text << "\n";
    }
    text << "  lines:";
    for (const auto& [folder, lines] : graph.linesPerFolder)
        text << " " << folder << " " << lines << " (" << (100 * lines + graph.lines / 2) / graph.lines << "%)";
    text << "\n";
    return text.str();
}

class Layout : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        files = new std::vector<SourceFile>(read_sources());
        graph = new IncludeGraph(measure(*files));
        std::cout << describe(*graph, files->size());
    }
    static void TearDownTestSuite()
    {
        delete graph;
        delete files;
    }
    static std::vector<SourceFile>* files;
    static IncludeGraph* graph;
};

std::vector<SourceFile>* Layout::files = nullptr;
IncludeGraph* Layout::graph = nullptr;

TEST_F(Layout, SeesTheWholeSourceTree)
{
    // A wrong root would pass every other check with nothing to look at.
    ASSERT_GT(files->size(), 40u);
    for (const SourceFile& file : *files) EXPECT_GE(floor_of(file.folder), 0) << file.path << ": a folder with no floor";
}

TEST_F(Layout, SystemCallsStayInPlatform)
{
    for (const std::string& call : system_calls_outside_platform(*files)) ADD_FAILURE() << call;
}

TEST_F(Layout, IncludesRunDownTheFloors)
{
    EXPECT_LE(UPWARD_EXCEPTIONS.size(), 2u);
    std::set<std::pair<std::string, std::string>> used;
    for (const auto& arrow : graph->upward) {
        if (UPWARD_EXCEPTIONS.count(arrow)) {
            used.insert(arrow);
            continue;
        }
        ADD_FAILURE() << arrow.first << " includes " << arrow.second << ", which is on a higher floor";
    }
    for (const auto& exception : UPWARD_EXCEPTIONS)
        EXPECT_TRUE(used.count(exception)) << exception.first << " -> " << exception.second
                                           << " is named an exception but no longer included";
}

TEST_F(Layout, NoIncludeCircles)
{
    for (const auto& circle : graph->circles) {
        std::string names;
        for (const std::string& module : circle) names += " " + module;
        ADD_FAILURE() << "these include each other:" << names;
    }
}

TEST_F(Layout, NoFolderHoldsMoreThanAQuarterOfTheLines)
{
    for (const auto& [folder, lines] : graph->linesPerFolder)
        EXPECT_LE(lines * 4, graph->lines) << folder << " holds " << lines << " of " << graph->lines << " lines";
}

TEST(LayoutReading, CommentsAndStringsAreNotCode)
{
    std::string text = "// getenv(\"HOME\")\nint a = f(\"rename(x)\"); /* access( */ int b = 'x';\nrename(a);\n";
    std::string code = code_only(text, true);
    EXPECT_EQ(code.find("getenv"), std::string::npos);
    EXPECT_EQ(code.find("access"), std::string::npos);
    EXPECT_EQ(code.find("rename"), code.rfind("rename"));
    EXPECT_EQ(line_of(code, code.find("rename")), 3);
    EXPECT_EQ(std::count(code.begin(), code.end(), '\n'), 3);

    std::vector<SourceFile> files(2);
    files[0].path = "render/a.cpp", files[0].folder = "render", files[0].text = text;
    files[1].path = "platform/b.cpp", files[1].folder = "platform", files[1].text = text;
    std::vector<std::string> found = system_calls_outside_platform(files);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], "render/a.cpp calls rename at line 3");
}

TEST(LayoutReading, CirclesAreFoundAcrossFolders)
{
    auto file = [](std::string path, std::vector<std::string> includes) {
        SourceFile f;
        f.path = path;
        f.folder = path.substr(0, path.find('/'));
        f.module = path.substr(0, path.rfind('.'));
        f.includes = includes;
        return f;
    };
    IncludeGraph graph = measure({file("play/a.cpp", {"play/a.h", "render/b.h"}),
                                  file("render/b.cpp", {"render/b.h", "play/a.h"}),
                                  file("world/c.cpp", {"core/d.h"})});
    ASSERT_EQ(graph.circles.size(), 1u);
    EXPECT_EQ(graph.circles[0], (std::vector<std::string>{"play/a", "render/b"}));
    ASSERT_EQ(graph.upward.size(), 1u);
    EXPECT_EQ(graph.upward[0], (std::pair<std::string, std::string>{"render/b.cpp", "play/a.h"}));
}

}  // namespace
