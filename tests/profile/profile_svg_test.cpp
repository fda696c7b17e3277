// pulsecalc --svg: the plot's document, its escaping, and a file written whole or not at all.
#include "support/program_run.h"

#include "io/file_replace.h"
#include "report/profile_svg.h"
#include "report/plot_scene.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <regex>
#include <set>

namespace veldronix {
namespace {

using testing_support::ProgramRun;
using testing_support::readWhole;
using testing_support::runPulsecalc;
using testing_support::TempDir;

// A small well-formedness check of XML 1.0 as a plot uses it: one root element,
// tags that nest and close, quoted attributes, only the five named entities or
// numeric ones, no raw '<' or '&' in text. Returns what is wrong, "" when nothing.
std::string xmlProblem(const std::string& xml)
{
    std::vector<std::string> open;
    int roots = 0;
    std::size_t i = 0;
    const auto entityOk = [&xml](std::size_t at) {
        static const std::regex entity("^&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);");
        return std::regex_search(xml.substr(at, 12), entity);
    };
    if (xml.rfind("<?xml ", 0) == 0) {
        i = xml.find("?>");
        if (i == std::string::npos) {
            return "unclosed declaration";
        }
        i += 2;
    }
    while (i < xml.size()) {
        const char c = xml[i];
        if (c == '&') {
            if (!entityOk(i)) {
                return "bad entity at " + std::to_string(i);
            }
            ++i;
            continue;
        }
        if (c != '<') {
            if (open.empty() && c != '\n' && c != ' ') {
                return "text outside the root at " + std::to_string(i);
            }
            ++i;
            continue;
        }
        if (xml.compare(i, 2, "</") == 0) {
            const std::size_t end = xml.find('>', i);
            if (end == std::string::npos || open.empty() || xml.substr(i + 2, end - i - 2) != open.back()) {
                return "bad end tag at " + std::to_string(i);
            }
            open.pop_back();
            i = end + 1;
            continue;
        }
        std::size_t j = i + 1;
        while (j < xml.size() && (std::isalnum(static_cast<unsigned char>(xml[j])) || xml[j] == '-' || xml[j] == ':')) {
            ++j;
        }
        const std::string name = xml.substr(i + 1, j - i - 1);
        if (name.empty()) {
            return "bad tag at " + std::to_string(i);
        }
        if (open.empty() && ++roots > 1) {
            return "a second root at " + std::to_string(i);
        }
        std::set<std::string> attributes;
        while (true) {
            while (j < xml.size() && std::isspace(static_cast<unsigned char>(xml[j]))) {
                ++j;
            }
            if (xml.compare(j, 2, "/>") == 0) {
                i = j + 2;
                break;
            }
            if (j < xml.size() && xml[j] == '>') {
                open.push_back(name);
                i = j + 1;
                break;
            }
            const std::size_t equals = xml.find('=', j);
            if (equals == std::string::npos || xml[equals + 1] != '"') {
                return "unquoted attribute in <" + name + ">";
            }
            const std::string attribute = xml.substr(j, equals - j);
            if (!attributes.insert(attribute).second) {
                return "attribute " + attribute + " twice in <" + name + ">";
            }
            const std::size_t close = xml.find('"', equals + 2);
            if (close == std::string::npos) {
                return "unclosed attribute in <" + name + ">";
            }
            for (std::size_t k = equals + 2; k < close; ++k) {
                if (xml[k] == '<' || (xml[k] == '&' && !entityOk(k))) {
                    return "raw markup in attribute " + attribute;
                }
            }
            j = close + 1;
        }
    }
    if (!open.empty()) {
        return "unclosed <" + open.back() + ">";
    }
    return roots == 1 ? "" : "no root";
}

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

std::set<std::string> filesIn(const std::string& dir)
{
    std::set<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* entry = readdir(d)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.insert(name);
            }
        }
        closedir(d);
    }
    return names;
}

std::vector<std::string> drive(const std::string& type, const std::string& pulses, const std::string& svg)
{
    return {"--type", type, "--initial", "100", "--drive", "10000", "--accel", "0.2", "--decel", "0.3",
            "--pulses", pulses, "--svg", svg};
}

TEST(XmlText, escapesMarkupAndReplacesWhatXmlCannotHold)
{
    const std::pair<std::string, std::string> cases[] = {
        {"a<b>&\"c'", "a&lt;b&gt;&amp;&quot;c&apos;"},
        {"初速度:100で、\nドライブ", "初速度:100で、\nドライブ"},
        {"tab\tand\rreturn", "tab\tand\rreturn"},
        {std::string("nul\0x", 5), "nul\xEF\xBF\xBDx"},
        {"bell\x07", "bell\xEF\xBF\xBD"},
        {"\xFF\xFE", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        // Overlong slash, a lone surrogate, a cut sequence, beyond U+10FFFF.
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xE3\x81", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xEF\xBF\xBF", "\xEF\xBF\xBD"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"", ""},
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(report::xmlText(text), escaped) << text;
    }
}

VelocityProfile exampleProfile(DriveType type)
{
    return computeVelocityProfile(100, 10000, 0.2, 0.3, type, 10000);
}

TEST(ProfileSvg, isOneWellFormedDocumentForEveryType)
{
    for (const DriveType type : {DriveType::SymmetricTrapezoid, DriveType::SymmetricSCurve,
                                 DriveType::AsymmetricTrapezoid, DriveType::AsymmetricSCurve}) {
        const auto svg = report::profileSvg(exampleProfile(type), "初速度:100で\n以下");
        ASSERT_TRUE(svg);
        EXPECT_EQ(xmlProblem(*svg), "") << static_cast<int>(type);
        EXPECT_NE(svg->find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
        EXPECT_NE(svg->find(">time (s)</text>"), std::string::npos);
        EXPECT_NE(svg->find(">speed (PPS)</text>"), std::string::npos);
        // One curve: the S-curves' parabolas sampled finely, a linear profile's four corners.
        ASSERT_EQ(count(*svg, "<polyline points=\""), 1u);
        const std::size_t points = svg->find("<polyline points=\"");
        const std::size_t corners = count(svg->substr(points, svg->find('"', points + 18) - points), ",");
        EXPECT_TRUE(isSCurve(type) ? corners > 200 : corners == 4) << corners;
        // Three shaded bands, named at their tops; the title and the four rows' names bold too.
        EXPECT_EQ(count(*svg, "fill-opacity=\"0.8\""), 3u);
        EXPECT_EQ(count(*svg, "font-weight=\"bold\""), 1u + 3u + 4u);
        const std::string decelPoint = isAsymmetric(type) ? "deceleration point: 8485 pulses" : "deceleration point: 8990 pulses";
        EXPECT_EQ(count(*svg, ">" + decelPoint + "</text>"), 2u);
        // The summary's two lines, each its own text.
        EXPECT_NE(svg->find(">初速度:100で</text>"), std::string::npos);
        EXPECT_NE(svg->find(">以下</text>"), std::string::npos);
    }
}

// The worked drive's texts, each once, as the plot model words them, where the
// scene places them with a summary of two lines.
TEST(ProfileSvg, drawsTheModelsTexts)
{
    const auto svg = report::profileSvg(exampleProfile(DriveType::AsymmetricSCurve), "first\nsecond");
    ASSERT_TRUE(svg);
    struct Text {
        std::string element;
        std::size_t times;
    };
    const Text texts[] = {
        {"<title>Velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, S-curve ramps</title>", 1},
        {"<text x=\"38\" y=\"34\" font-size=\"18\" font-weight=\"bold\" fill=\"#111827\">Velocity profile: 10000 "
         "pulses, 100 PPS to 10000 PPS and back, S-curve ramps</text>",
         1},
        // The first and last tick of each axis, under and left of the plot area (93..910 x 128..450).
        {"<text x=\"93\" y=\"468\" font-size=\"12\" fill=\"#374151\" text-anchor=\"middle\">0</text>", 1},
        {"<text x=\"910\" y=\"468\" font-size=\"12\" fill=\"#374151\" text-anchor=\"middle\">1.4</text>", 1},
        {"<text x=\"85\" y=\"131.96\" font-size=\"12\" fill=\"#374151\" text-anchor=\"end\">12000</text>", 1},
        {"fill=\"#374151\"", 8 + 7},
        {"<text x=\"33.96\" y=\"289\" font-size=\"13\" fill=\"#111827\" text-anchor=\"middle\" "
         "transform=\"rotate(-90 33.96 289)\">speed (PPS)</text>",
         1},
        {"<text x=\"427.82\" y=\"173.67\" font-size=\"12\" fill=\"#111827\" text-anchor=\"middle\">drive speed "
         "10000 PPS</text>",
         1},
        // Under its level of 100 PPS there is no room above the time axis: above it.
        {"<text x=\"427.82\" y=\"439.32\" font-size=\"12\" fill=\"#111827\" text-anchor=\"middle\">initial speed "
         "100 PPS</text>",
         1},
        {"<text x=\"645.93\" y=\"116\" font-size=\"12\" fill=\"#c2410c\" text-anchor=\"middle\">deceleration point: "
         "8485 pulses</text>",
         1},
        {">deceleration point: 8485 pulses</text>", 2},
        {">0.200000 s</text>", 1},
        {">1010 pulses</text>", 1},
        {">100 \u2192 10000 PPS, jerk 990000 PPS/s\u00b2</text>", 1},
        {">0.747500 s</text>", 1},
        {">7475 pulses</text>", 1},
        {">at 10000 PPS</text>", 1},
        {">0.300000 s</text>", 1},
        {">1515 pulses</text>", 1},
        {">10000 \u2192 100 PPS, jerk 440000 PPS/s\u00b2</text>", 1},
        {">total move</text>", 1},
        {">1.247500 s</text>", 1},
        {">10000 pulses</text>", 1},
        {"<desc>first\nsecond</desc>", 1},
    };
    for (const Text& text : texts) {
        EXPECT_EQ(count(*svg, text.element), text.times) << text.element;
    }
}

// A number attribute of an element's line.
double attributeOf(const std::string& line, const std::string& name)
{
    const std::size_t at = line.find(" " + name + "=\"");
    return at == std::string::npos ? NAN : std::strtod(line.c_str() + at + name.size() + 3, nullptr);
}

// The saved document is its Document scene, an element a line for each item in
// the scene's order, at the scene's places: what the windows draw is what is saved.
TEST(ProfileSvg, isTheDocumentSceneItemByItem)
{
    for (const double pulses : {10000.0, 1e300}) {
        const auto model = report::makePlotModel(computeVelocityProfile(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve,
                                                                        pulses),
                                                 "summary\nsecond line");
        ASSERT_TRUE(model);
        const report::PlotScene scene = report::makePlotScene(*model, report::documentWidth, report::documentHeight,
                                                              report::SceneFrame::Document);
        const std::string svg = report::documentSvg(*model);
        EXPECT_EQ(xmlProblem(svg), "");
        std::vector<std::string> lines;
        for (std::size_t at = 0; at < svg.size();) {
            const std::size_t end = svg.find('\n', at);
            lines.push_back(svg.substr(at, end - at));
            at = end + 1;
        }
        const auto background = std::find(lines.begin(), lines.end(),
                                           "<rect x=\"0\" y=\"0\" width=\"960\" height=\"640\" fill=\"#ffffff\"/>");
        ASSERT_NE(background, lines.end());
        const std::size_t first = static_cast<std::size_t>(background - lines.begin()) + 1;
        ASSERT_EQ(lines.size(), first + scene.items.size() + 1);
        EXPECT_EQ(lines.back(), "</svg>");
        const char* const tags[] = {"<rect ", "<line ", "<polyline ", "<circle ", "<text "};
        for (std::size_t i = 0; i < scene.items.size(); ++i) {
            const std::string& line = lines[first + i];
            const auto& item = scene.items[i];
            EXPECT_TRUE(line.starts_with(tags[item.index()])) << line;
            if (const auto* text = std::get_if<report::SceneText>(&item)) {
                EXPECT_NEAR(attributeOf(line, "x"), text->at.x, 0.005) << line;
                EXPECT_NEAR(attributeOf(line, "y"), text->at.y, 0.005) << line;
                EXPECT_EQ(attributeOf(line, "font-size"), text->size) << line;
                EXPECT_TRUE(line.ends_with(">" + report::xmlText(text->text) + "</text>")) << line;
            } else if (const auto* curve = std::get_if<report::ScenePolyline>(&item)) {
                EXPECT_EQ(count(line, ","), curve->points.size());
            }
        }
    }
}

TEST(ProfileSvg, summaryOfAnyCharactersIsEscaped)
{
    const auto svg = report::profileSvg(exampleProfile(DriveType::AsymmetricSCurve),
                                     "</text><script>alert(1)</script>&amp; \"x\" \x01\xFF");
    ASSERT_TRUE(svg);
    EXPECT_EQ(xmlProblem(*svg), "");
    EXPECT_EQ(svg->find("<script"), std::string::npos);
    EXPECT_NE(svg->find("&lt;/text&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;amp; &quot;x&quot; "
                        "\xEF\xBF\xBD\xEF\xBF\xBD"),
              std::string::npos);
}

// Very small, very large and degenerate figures still give a readable, well-formed plot.
TEST(ProfileSvg, extremeFiguresStayWellFormed)
{
    const VelocityProfile cases[] = {
        computeVelocityProfile(0, 4000000, 1e-150, 1e-150, DriveType::AsymmetricSCurve, 1e-140),
        computeVelocityProfile(1e-300, 0.0025, 7e-3, 3.3, DriveType::AsymmetricTrapezoid, 1e300),
        computeVelocityProfile(500, 500, 1, 1, DriveType::SymmetricTrapezoid, 1000),
        computeVelocityProfile(0, 1e300, 1e-10, 1e-10, DriveType::SymmetricTrapezoid, 1e300),
    };
    for (const VelocityProfile& profile : cases) {
        ASSERT_EQ(profile.status, ProfileStatus::Complete);
        const auto svg = report::profileSvg(profile, "");
        ASSERT_TRUE(svg);
        EXPECT_EQ(xmlProblem(*svg), "");
        EXPECT_EQ(svg->find("nan"), std::string::npos);
        EXPECT_EQ(svg->find("inf"), std::string::npos);
        EXPECT_LT(svg->size(), 40000u);
    }
    EXPECT_FALSE(report::profileSvg(computeVelocityProfile(100, 10000, 0.2, 0.3, DriveType::SymmetricSCurve, 5), ""));
}

TEST(PulsecalcSvg, writesThePlotAndReplacesAnOldOne)
{
    TempDir dir;
    const std::string plot = dir.file("プロット.svg");
    {
        std::ofstream old(plot);
        old << "an old plot";
    }
    const ProgramRun run = runPulsecalc(drive("3", "10000", plot));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string svg = readWhole(plot);
    EXPECT_EQ(xmlProblem(svg), "");
    EXPECT_EQ(svg, *report::profileSvg(exampleProfile(DriveType::AsymmetricSCurve),
                                   "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n"
                                   "初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。"));
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"プロット.svg"});
}

// Whatever stops the plot, the message says so, the status is 1, and no file
// (new, half-written or temporary) is left behind; an old file stays as it was.
TEST(PulsecalcSvg, failuresLeaveNothingBehind)
{
    TempDir dir;
    const std::string old = dir.file("old.svg");
    {
        std::ofstream file(old);
        file << "keep me";
    }
    const std::string notAFolder = dir.file("plain");
    {
        std::ofstream file(notAFolder);
        file << "x";
    }
    mkdir(dir.file("folder").c_str(), 0755);
    struct Failure {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Failure failures[] = {
        {drive("3", "1000", old),
         "no plot written to '" + old + "': the move is too short: 1000 pulses cannot reach 10000 PPS and return to "
                                         "100 PPS, which takes 2525 pulses"},
        {{"--drive", "10000", "--pulses", "10000", "--svg", old},
         "no plot written to '" + old + "': the drive's settings could not be calculated"},
        // Braces in a name are the name's own, no placeholders.
        {drive("3", "1000", dir.file("{0}{}.svg")),
         "no plot written to '" + dir.file("{0}{}.svg") + "': the move is too short: 1000 pulses cannot reach 10000 "
                                                          "PPS and return to 100 PPS, which takes 2525 pulses"},
        {drive("3", "10000", dir.file("missing/plot.svg")),
         "cannot write the plot '" + dir.file("missing/plot.svg") + "': cannot create a file in its folder: "
                                                                    "No such file or directory"},
        {drive("3", "10000", notAFolder + "/plot.svg"),
         "cannot write the plot '" + notAFolder + "/plot.svg': cannot create a file in its folder: Not a directory"},
        {drive("3", "10000", dir.file("folder")),
         "cannot write the plot '" + dir.file("folder") + "': it is a folder, not a file; it was left as it was"},
    };
    for (const Failure& failure : failures) {
        const ProgramRun run = runPulsecalc(failure.arguments);
        EXPECT_EQ(run.status, 1);
        const std::size_t line = run.err.rfind("pulsecalc: ");
        ASSERT_NE(line, std::string::npos) << run.err;
        EXPECT_EQ(run.err.substr(line), "pulsecalc: " + failure.message + "\n");
        // Standard output still holds the drive's figures.
        EXPECT_NE(run.out.find("マニュアル減速点"), std::string::npos);
    }
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"folder", "old.svg", "plain"}));
    EXPECT_TRUE(filesIn(dir.file("folder")).empty());
    EXPECT_EQ(readWhole(old), "keep me");
}

// "-" is standard output: the plot alone goes there, and no file named "-" is made.
TEST(PulsecalcSvg, dashWritesThePlotAloneToStandardOutput)
{
    const bool dashBefore = std::filesystem::exists("-");
    const ProgramRun run = runPulsecalc(drive("3", "10000", "-"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, *report::profileSvg(exampleProfile(DriveType::AsymmetricSCurve),
                                           "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n"
                                           "初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。"));
    EXPECT_EQ(std::filesystem::exists("-"), dashBefore);

    // No plot: nothing on standard output, the reason and the message on standard error.
    const ProgramRun tooShort = runPulsecalc(drive("3", "1000", "-"));
    EXPECT_EQ(tooShort.status, 1);
    EXPECT_EQ(tooShort.out, "");
    EXPECT_TRUE(tooShort.err.ends_with("pulsecalc: no plot written to standard output: the move is too short: 1000 "
                                       "pulses cannot reach 10000 PPS and return to 100 PPS, which takes 2525 "
                                       "pulses\n"))
        << tooShort.err;

    // A closed standard output is a failed write, not a success.
    const ProgramRun closed = runPulsecalc(drive("3", "10000", "-"), true);
    EXPECT_EQ(closed.status, 2);
    EXPECT_EQ(closed.err, "pulsecalc: cannot write the standard output: Bad file descriptor\n");
}

// A link is followed and the file it names keeps its permissions; what is no
// file is refused with a message, exit 1 and the figures still printed.
TEST(PulsecalcSvg, followsLinksAndRefusesWhatIsNoFile)
{
    TempDir dir;
    const std::string plot = dir.file("private.svg");
    {
        std::ofstream old(plot);
        old << "an old plot";
    }
    chmod(plot.c_str(), 0600);
    std::filesystem::create_symlink("private.svg", dir.file("link.svg"));
    const ProgramRun linked = runPulsecalc(drive("3", "10000", dir.file("link.svg")));
    EXPECT_EQ(linked.status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.svg")));
    EXPECT_EQ(xmlProblem(readWhole(plot)), "");
    struct stat status {};
    ASSERT_EQ(stat(plot.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);

    ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0600), 0);
    const ProgramRun fifo = runPulsecalc(drive("3", "10000", dir.file("fifo")));
    EXPECT_EQ(fifo.status, 1);
    EXPECT_EQ(fifo.err, "pulsecalc: cannot write the plot '" + dir.file("fifo") +
                            "': it is a FIFO (named pipe), not a file; it was left as it was\n");
    EXPECT_NE(fifo.out.find("マニュアル減速点  8485.000"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo")));
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"fifo", "link.svg", "private.svg"}));
}

TEST(PulsecalcSvg, usageErrors)
{
    const std::string hint = "try 'pulsecalc --help' for the options\n";
    struct Usage {
        std::vector<std::string> arguments;
        std::string err;
    };
    const Usage cases[] = {
        {{"--drive", "10000", "--accel", "0.2", "--svg", "p.svg"},
         "pulsecalc: --svg needs --pulses: the plot shows the motion of a pulse count\n" + hint},
        {{"--svg", "p.svg", "--pulses", "1", "--svg", "q.svg"}, "pulsecalc: option --svg given twice\n" + hint},
        {{"--pulses", "1", "--svg="}, "pulsecalc: --svg needs a file name\n" + hint},
        {{"--svg"}, "pulsecalc: option --svg needs a value\n" + hint},
        {{"--csv", "-", "--svg", "p.svg"}, "pulsecalc: --csv takes the drives from its file: give no other option\n" + hint},
    };
    for (const Usage& c : cases) {
        const ProgramRun run = runPulsecalc(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err);
    }
}

TEST(ReplaceFile, refusesNamesNoFileCanHave)
{
    EXPECT_EQ(io::replaceFile("", "x"), io::FileWriteError::CannotCreate);
    EXPECT_EQ(io::replaceFile(std::string("a\0b", 3), "x"), io::FileWriteError::CannotCreate);
}

} // namespace
} // namespace veldronix
