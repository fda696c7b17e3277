#include "cli/batch.h"
#include "report/input_findings.h"
#include "tests/cli/typed_drive.h"
#include "support/stream_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace veldronix::cli {
namespace {

using Fields = std::vector<std::string>;

struct BatchResult {
    int status;
    std::vector<Fields> records;
    std::string diagnostics;
};

BatchResult runOn(std::string_view input)
{
    const auto in = testing_support::fileWith(input);
    const testing_support::File out = testing_support::emptyFile();
    const testing_support::File err = testing_support::emptyFile();
    BatchResult result;
    result.status = runBatch(in.get(), out.get(), err.get());
    result.diagnostics = testing_support::contentsOf(err.get());
    const auto written = testing_support::fileWith(testing_support::contentsOf(out.get()));
    io::CsvReader reader(written.get());
    io::CsvRecord record;
    while (reader.next(record)) {
        EXPECT_EQ(record.problem, "");
        result.records.push_back(record.fields);
    }
    return result;
}

// The computed columns a plain run of request shows.
Fields computedColumns(const DriveRequest& request)
{
    const DriveOutcome outcome = runDrive(request);
    std::string errors;
    for (const auto& message : outcome.errors) {
        errors += (errors.empty() ? "" : "\n") + message;
    }
    Fields columns = {outcome.fields.summary};
    for (const RegisterDescription& entry : settingRegisters) {
        columns.push_back(outcome.fields.registers[entry.id]);
    }
    columns.insert(columns.end(), {outcome.multiplier, outcome.decelPoint, errors, report::inputFindingLines(outcome.inputFindings)});
    return columns;
}

Fields tail(const Fields& fields, std::size_t from)
{
    return from <= fields.size() ? Fields(fields.begin() + static_cast<std::ptrdiff_t>(from), fields.end()) : Fields{};
}

const std::string header = "type,initial,drive,accel,decel,multiplier,pulses\n";
// No output column takes an input column's name: the multiplier shown is multiplierShown.
const Fields outputHeader = {"type",  "initial", "drive", "accel", "decel", "multiplier", "pulses", "summary",
                             "R",     "A",       "SV",    "V",     "K",     "AO",         "D",      "L",
                             "multiplierShown", "decelPoint", "errors", "inputFindings"};

TEST(Batch, EveryRowIsThePlainRunOfTheSameOptions)
{
    struct Row {
        std::string line;
        DriveRequest request;
    };
    const std::vector<Row> rows = {
        {"0,100,10000,0.2,,,", typedDrive(0, "100", "10000", "0.2", "", std::nullopt, std::nullopt)},
        {"symmetric-s-curve,100,10000,0.2,,3,", typedDrive(1, "100", "10000", "0.2", "", 3, std::nullopt)},
        {"2,100,10000,0.2,0.3,,", typedDrive(2, "100", "10000", "0.2", "0.3", std::nullopt, std::nullopt)},
        {"asymmetric-s-curve,100,10000,0.2,0.3,,10000", typedDrive(3, "100", "10000", "0.2", "0.3", std::nullopt, "10000")},
        {"3,100.9,10000.7,0.123456,0.0005,,1e6", typedDrive(3, "100.9", "10000.7", "0.123456", "0.0005", std::nullopt, "1e6")},
        {"-1,-5e20,3,-1,,8,", typedDrive(-1, "-5e20", "3", "-1", "", 8, std::nullopt)},
        {"2,,4000000,1e-320,1e-320,8,", typedDrive(2, "", "4000000", "1e-320", "1e-320", 8, std::nullopt)},
        {"0,12abc,0x10,\"1,5\",,-1,", typedDrive(0, "12abc", "0x10", "1,5", "", -1, std::nullopt)},
        {"1,5,5,1,,0,0.5", typedDrive(1, "5", "5", "1", "", 0, "0.5")},
        {"0,\" 100 \",10000,0.2,,,", typedDrive(0, " 100 ", "10000", "0.2", "", std::nullopt, std::nullopt)},
        // Missing trailing columns are empty ones.
        {"0,100,10000,0.2,", typedDrive(0, "100", "10000", "0.2", "", std::nullopt, std::nullopt)},
        {"3,100,10000,0.2,0.3,2", typedDrive(3, "100", "10000", "0.2", "0.3", 2, std::nullopt)},
        // The multiplier itself selects its item, as --multiplier x50 does.
        {"0,100,10000,0.2,,x50,", typedDrive(0, "100", "10000", "0.2", "", 5, std::nullopt)},
        // A failed calculation still finds a pulse count read otherwise than typed.
        {"0,1,nan,1,,,abc", typedDrive(0, "1", "nan", "1", "", std::nullopt, "abc")},
    };
    std::string input = header;
    for (const auto& row : rows) {
        input += row.line + "\r\n";
    }
    const auto result = runOn(input);
    ASSERT_EQ(result.records.size(), rows.size() + 1);
    EXPECT_EQ(result.records[0], outputHeader);
    bool anyMessage = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Fields& record = result.records[i + 1];
        ASSERT_EQ(record.size(), outputHeader.size()) << rows[i].line;
        EXPECT_EQ(tail(record, 7), computedColumns(rows[i].request)) << rows[i].line;
        anyMessage = anyMessage || !record.back().empty();
    }
    EXPECT_TRUE(anyMessage);
    EXPECT_EQ(result.status, 1);
    // The rows on line 9 (multiplier item -1 refused), 10 (no deceleration point for a
    // symmetric S-curve) and 15 (no drive speed) of the 14 show a message.
    EXPECT_EQ(result.diagnostics, "pulsecalc: 3 of 14 rows showed a message; the first is on line 9\n");
}

// A session runs drive after drive on the same memory; nothing of one drive may
// reach the next: not the stored jerk, the selection, a written field or a message.
TEST(DriveSession, EachRunStartsFromTheOpenedDialog)
{
    const DriveRequest sequence[] = {
        typedDrive(3, "100", "10000", "0.2", "0.3", 2, "10000"),          // stores J2, writes the decel point
        typedDrive(0, "100", "10000", "0.2", "", std::nullopt, "10000"),  // no J2 of its own: the message
        typedDrive(2, "", "", "", "", std::nullopt, std::nullopt),        // fails: fields must be empty, not left over
        typedDrive(1, "100", "10000", "0.2", "", 0, std::nullopt),        // a refused smaller multiplier
        typedDrive(-1, "5", "5", "1", "", std::nullopt, std::nullopt),    // no type
        typedDrive(3, "100.9", "10000.7", "0.123456", "0.0005", std::nullopt, "1e6"),
        typedDrive(0, "100", "10000", "0.2", "", std::nullopt, std::nullopt),
    };
    DriveSession session;
    for (const auto& request : sequence) {
        const FieldView& view = session.run(request);
        const DriveOutcome fresh = runDrive(request);
        const std::string label = *request.texts[InputField::InitialSpeed] + "/" +
                                  *request.texts[InputField::DriveSpeed] + " type " +
                                  std::to_string(*request.items[InputField::DriveType]);
        EXPECT_EQ(view.text(ControlId::IDC_SUMMARY), fresh.fields.summary) << label;
        EXPECT_EQ(view.text(ControlId::IDC_OUT_R), fresh.fields.registers[SettingRegister::R]) << label;
        EXPECT_EQ(view.text(ControlId::IDC_OUT_K), fresh.fields.registers[SettingRegister::K]) << label;
        EXPECT_EQ(view.text(ControlId::IDC_OUT_L), fresh.fields.registers[SettingRegister::L]) << label;
        EXPECT_EQ(view.selectorText(ControlId::IDC_MULTIPLIER), fresh.multiplier) << label;
        EXPECT_EQ(view.text(ControlId::IDC_DECEL_POINT), fresh.decelPoint) << label;
        EXPECT_EQ(view.errors(), fresh.errors) << label;
    }
    // The last drive asked for no deceleration point: the field shows the opening 0.
    EXPECT_EQ(session.run(sequence[6]).text(ControlId::IDC_DECEL_POINT), "0");
}

TEST(Batch, AllRowsWithoutMessagesExitZero)
{
    const auto result = runOn("\xEF\xBB\xBFtype,initial,drive,accel,decel\r\n0,100,10000,0.2,\r\n2,100,10000,0.2,0.3\r\n");
    ASSERT_EQ(result.records.size(), 3u);
    EXPECT_EQ(result.records[0].size(), 18u);
    EXPECT_EQ(result.records[0][0], "type");
    EXPECT_EQ(result.records[1][16], "");
    EXPECT_EQ(result.records[2][16], "");
    EXPECT_EQ(tail(result.records[1], 5),
              computedColumns(typedDrive(0, "100", "10000", "0.2", "", std::nullopt, std::nullopt)));
    EXPECT_EQ(result.status, 0);
}

TEST(Batch, BadRowsNameTheirLineAndTheOtherRowsStillRun)
{
    const std::string good = "0,100,10000,0.2,,,";
    const auto result = runOn(header + good + "\n" +
                              "foo,1,2,3,4,,\n"
                              "\"multi\nline\",1,2\n" +
                              good + "\n" +
                              "1,100,10000,0.2,,9,\n"
                              "x,100,10000,0.2,,abc,\n"
                              "0,1,2,3,4,5,6,7\n"
                              "0\"q\",100,10000,0.2,,,\n" +
                              good + "\n" +
                              "0,\"100,10000,0.2,,,\n" +
                              good + "\n");
    const std::vector<std::string> expected = {
        "",
        "line 3: unknown type 'foo': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, "
        "asymmetric-trapezoid or asymmetric-s-curve",
        "line 4: 3 fields, expected 5 to 7",
        "",
        "line 7: bad multiplier '9': give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, an item index "
        "from -1 to 8, or leave it empty",
        "line 8: unknown type 'x': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, "
        "asymmetric-trapezoid or asymmetric-s-curve\n"
        "line 8: bad multiplier 'abc': give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, an item "
        "index from -1 to 8, or leave it empty",
        "line 9: 8 fields, expected 5 to 7",
        "line 10: a quote inside an unquoted field\n"
        "line 10: unknown type '0\"q\"': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, "
        "asymmetric-trapezoid or asymmetric-s-curve",
        "",
        // An unclosed quote ends with its line; the good line after it still runs.
        "line 12: a quoted field opened on line 12 has no closing quote\n"
        "line 12: 2 fields, expected 5 to 7",
        "",
    };
    ASSERT_EQ(result.records.size(), expected.size() + 1);
    const Fields goodColumns = computedColumns(typedDrive(0, "100", "10000", "0.2", "", std::nullopt, std::nullopt));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Fields& record = result.records[i + 1];
        ASSERT_EQ(record.size(), outputHeader.size()) << i;
        if (expected[i].empty()) {
            EXPECT_EQ(tail(record, 7), goodColumns) << i;
        } else {
            Fields bad(11, "");
            bad.push_back(expected[i]);
            bad.push_back(""); // a row that is no drive has no input findings
            EXPECT_EQ(tail(record, 7), bad) << i;
        }
    }
    EXPECT_EQ(result.records[3][0], "multi\nline");
    EXPECT_EQ(result.records[3][3], "");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "pulsecalc: 7 of 11 rows showed a message; the first is on line 3\n");
}

TEST(Batch, PresentButEmptyPulsesCellIsNoPulseCount)
{
    const auto withEmpty = runOn(header + "3,100,10000,0.2,0.3,,\n");
    const auto without = runOn("type,initial,drive,accel,decel,multiplier\n3,100,10000,0.2,0.3,\n");
    ASSERT_EQ(withEmpty.records.size(), 2u);
    ASSERT_EQ(without.records.size(), 2u);
    const Fields expected = computedColumns(typedDrive(3, "100", "10000", "0.2", "0.3", std::nullopt, std::nullopt));
    EXPECT_EQ(tail(withEmpty.records[1], 7), expected);
    EXPECT_EQ(tail(without.records[1], 6), expected);
    EXPECT_NE(expected, computedColumns(typedDrive(3, "100", "10000", "0.2", "0.3", std::nullopt, "")));
}

TEST(Batch, BadOrMissingHeaderIsAUsageError)
{
    const std::string hint = "\ntry 'pulsecalc --help' for the options\n";
    const std::string axisHint = "expected type,initial,drive,accel,decel[,multiplier[,pulses]], then any of the axis's "
                                 "columns axis,pulsesPerRev,gear,travelPerRev,unit, each once";
    const struct {
        std::string input;
        std::string diagnostics;
    } cases[] = {
        {"", "pulsecalc: the CSV input has no header row: expected type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        {"\n\r\n", "pulsecalc: the CSV input has no header row: expected type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        {"0,100,10000,0.2,\n", "pulsecalc: bad CSV header '0,100,10000,0.2,': expected "
                               "type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        {"type,initial,drive,accel\n", "pulsecalc: bad CSV header 'type,initial,drive,accel': expected "
                                       "type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        {"type,initial,drive,accel,decel,pulses\n", "pulsecalc: bad CSV header 'type,initial,drive,accel,decel,pulses': "
                                                    "expected type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        {"type,initial,drive,accel,decel,multiplier,pulses,x\n",
         "pulsecalc: bad CSV header 'type,initial,drive,accel,decel,multiplier,pulses,x': "
         "expected type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        {"Type,initial,drive,accel,\" decel\"\n", "pulsecalc: bad CSV header 'Type,initial,drive,accel,\" decel\"': "
                                                  "expected type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        {"\"type,initial,drive,accel,decel\n", "pulsecalc: bad CSV header '\"type,initial,drive,accel,decel\"': "
                                               "expected type,initial,drive,accel,decel[,multiplier[,pulses]]"},
        // The axis's columns come after the drive's, each once.
        {"type,initial,drive,accel,decel,gear,unit,gear\n",
         "pulsecalc: bad CSV header 'type,initial,drive,accel,decel,gear,unit,gear': " + axisHint},
        {"axis,type,initial,drive,accel,decel\n", "pulsecalc: bad CSV header 'axis,type,initial,drive,accel,decel': " + axisHint},
        {"type,initial,drive,accel,decel,pulses,gear\n",
         "pulsecalc: bad CSV header 'type,initial,drive,accel,decel,pulses,gear': " + axisHint},
        {"type,initial,drive,accel,decel,gear,ratio\n",
         "pulsecalc: bad CSV header 'type,initial,drive,accel,decel,gear,ratio': " + axisHint},
    };
    for (const auto& c : cases) {
        const auto result = runOn(c.input);
        EXPECT_EQ(result.status, 2) << c.input;
        EXPECT_EQ(result.diagnostics, c.diagnostics + hint) << c.input;
        EXPECT_TRUE(result.records.empty()) << c.input;
    }
}

TEST(Batch, HeaderOnlyGivesTheHeaderAndExitsZero)
{
    const auto result = runOn("type,initial,drive,accel,decel,multiplier\n");
    ASSERT_EQ(result.records.size(), 1u);
    EXPECT_EQ(result.records[0].size(), 19u);
    EXPECT_EQ(result.status, 0);
}

BatchResult runInUnits(std::string_view input)
{
    const auto in = testing_support::fileWith(input);
    const testing_support::File out = testing_support::emptyFile();
    const testing_support::File err = testing_support::emptyFile();
    BatchResult result;
    result.status = runBatch(in.get(), out.get(), err.get(), true);
    result.diagnostics = testing_support::contentsOf(err.get());
    const auto written = testing_support::fileWith(testing_support::contentsOf(out.get()));
    io::CsvReader reader(written.get());
    io::CsvRecord record;
    while (reader.next(record)) {
        result.records.push_back(record.fields);
    }
    return result;
}

const Fields axisFigureHeader = {"pulsesPerUnit",  "initialSpeedReal", "initialSpeedRpm",
                                 "driveSpeedReal", "driveSpeedRpm",    "distance"};
const Fields noFigures(6, "");

// The axis's columns follow the drive's, in any order. A row with mechanics
// gets, after inputFindings, its pulses per unit, the real initial and drive
// speed of the rounded registers in units/s and the motor's rpm, and the pulse
// count as a distance; its drive is the plain run's of the same cells.
TEST(Batch, AxisColumnsGiveARowWithMechanicsItsFiguresInUnits)
{
    const std::string all = "type,initial,drive,accel,decel,multiplier,pulses,pulsesPerRev,gear,travelPerRev,unit,axis";
    const std::string reordered = "type,initial,drive,accel,decel,unit,axis,travelPerRev,gear,pulsesPerRev";
    const struct {
        std::string header;
        std::string row;
        DriveRequest drive;
        Fields figures;
    } cases[] = {
        // 200 x 16 pulses per rev, 5 mm per rev, gear 1: 640 pulses/mm; 64000 pulses are 100 mm.
        {all, "0,640,32000,0.2,,,64000,3200,1,5,mm,X", typedDrive(0, "640", "32000", "0.2", "", std::nullopt, "64000"),
         {"640", "1.000", "12.000", "50.000", "600.000", "100.000"}},
        // A rotary axis, gear 3: 3200 x 3 / 360 pulses per degree; the travel may be left out.
        {reordered, "3,100,10000,0.2,0.3,deg,A,,3,3200", typedDrive(3, "100", "10000", "0.2", "0.3", std::nullopt, std::nullopt),
         {"26.666667", "3.750", "1.875", "375.000", "187.500", ""}},
        {all, "3,100,10000,0.2,0.3,,9600,3200,3,360,deg,A", typedDrive(3, "100", "10000", "0.2", "0.3", std::nullopt, "9600"),
         {"26.666667", "3.750", "1.875", "375.000", "187.500", "360.000"}},
        // A failed calculation has no real drive; the distance is still known.
        {all, "0,100,nan,0.2,,,3200,3200,,5,,X", typedDrive(0, "100", "nan", "0.2", "", std::nullopt, "3200"),
         {"640", "", "", "", "", "5.000"}},
        // No figure of the mechanics, or the row's cells end before them: the drive alone.
        {all, "0,100,10000,0.2,,,,,,,deg,Z", typedDrive(0, "100", "10000", "0.2", "", std::nullopt, std::nullopt), noFigures},
        {reordered, "0,100,10000,0.2,", typedDrive(0, "100", "10000", "0.2", "", std::nullopt, std::nullopt), noFigures},
    };
    for (const auto& c : cases) {
        const auto result = runOn(c.header + "\n" + c.row + "\n");
        ASSERT_EQ(result.records.size(), 2u) << c.row;
        const std::size_t columns = static_cast<std::size_t>(std::count(c.header.begin(), c.header.end(), ',')) + 1;
        const Fields& head = result.records[0];
        ASSERT_EQ(head.size(), columns + 13 + axisFigureHeader.size()) << c.row;
        EXPECT_EQ(tail(head, columns + 13), axisFigureHeader);
        EXPECT_EQ(head[columns], "summary");
        const Fields& record = result.records[1];
        ASSERT_EQ(record.size(), head.size()) << c.row;
        Fields results = tail(record, columns);
        const Fields figures = tail(results, 13);
        results.resize(13);
        EXPECT_EQ(results, computedColumns(c.drive)) << c.row;
        EXPECT_EQ(figures, c.figures) << c.row;
    }
}

// A row whose mechanics are bad is no drive: its message names the column and
// the cell, and the other rows still run.
TEST(Batch, BadMechanicsNameTheirColumnAndTheOtherRowsStillRun)
{
    const std::string head = "type,initial,drive,accel,decel,multiplier,pulses,pulsesPerRev,gear,travelPerRev,unit\n";
    const std::string good = "0,640,32000,0.2,,,,3200,,5,";
    const auto result = runOn(head + good + "\n" +
                              "0,640,32000,0.2,,,,0,,5,\n"
                              "0,640,32000,0.2,,,,3200,abc,5,\n"
                              "0,640,32000,0.2,,,,3200,,180,deg\n"
                              "0,640,32000,0.2,,,,3200,,5,inch\n"
                              "0,640,32000,0.2,,,,3200,,,\n"
                              "0,640,32000,0.2,,,,,2,,\n"
                              "foo,640,32000,0.2,,,, 1e3x,,5,\n" +
                              good + "\n");
    const std::vector<std::string> expected = {
        "",
        "line 3: bad pulsesPerRev '0': must be above 0",
        "line 4: bad gear 'abc': not a number",
        "line 5: bad travelPerRev '180': a rotary axis turns 360° per load revolution",
        "line 6: bad unit 'inch': give mm or deg, or leave it empty for mm",
        "line 7: bad travelPerRev '': not a number",
        "line 8: bad pulsesPerRev '': not a number",
        "line 9: unknown type 'foo': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, asymmetric-trapezoid or "
        "asymmetric-s-curve\n"
        "line 9: bad pulsesPerRev ' 1e3x': not a number",
        "",
    };
    ASSERT_EQ(result.records.size(), expected.size() + 1);
    const Fields goodResults = computedColumns(typedDrive(0, "640", "32000", "0.2", "", std::nullopt, std::nullopt));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Fields& record = result.records[i + 1];
        ASSERT_EQ(record.size(), 11u + 13u + 6u) << i;
        Fields results = tail(record, 11);
        if (expected[i].empty()) {
            Fields want = goodResults;
            want.insert(want.end(), {"640", "1.000", "12.000", "50.000", "600.000", ""});
            EXPECT_EQ(results, want) << i;
        } else {
            Fields bad(11, "");
            bad.push_back(expected[i]);
            bad.resize(bad.size() + 1 + 6, "");
            EXPECT_EQ(results, bad) << i;
        }
    }
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.diagnostics, "pulsecalc: 7 of 9 rows showed a message; the first is on line 3\n");
}

// --csv --in-units: a row's initial and drive speed cells are in the axis's
// units per second and its pulses cell in its units, each turned into the
// dialog's PPS text as --in-units turns an option; the cells come back as typed.
TEST(Batch, InUnitsReadsTheSpeedAndPulseCellsInTheAxisUnits)
{
    const std::string head = "type,initial,drive,accel,decel,multiplier,pulses,pulsesPerRev,travelPerRev\n";
    const auto result = runInUnits(head +
                                   "0,1,50,0.2,,,100,3200,5\n"
                                   "0,1,50,0.2,,,,,\n"
                                   "0,fast,50,0.2,,,1e,3200,5\n");
    ASSERT_EQ(result.records.size(), 4u);
    EXPECT_EQ(Fields(result.records[1].begin(), result.records[1].begin() + 9),
              (Fields{"0", "1", "50", "0.2", "", "", "100", "3200", "5"}));
    Fields want = computedColumns(typedDrive(0, "640", "32000", "0.2", "", std::nullopt, "64000"));
    want.insert(want.end(), {"640", "1.000", "12.000", "50.000", "600.000", "100.000"});
    EXPECT_EQ(tail(result.records[1], 9), want);
    EXPECT_EQ(result.records[2][9 + 11], "line 3: --in-units reads the speeds and pulses in the axis's units: give the "
                                         "row's pulsesPerRev and travelPerRev (or unit deg)");
    EXPECT_EQ(result.records[3][9 + 11], "line 4: --in-units reads initial 'fast' as a number in the axis's units: it "
                                         "is none\nline 4: --in-units reads pulses '1e' as a number in the axis's "
                                         "units: it is none");
    EXPECT_EQ(result.status, 1);

    // Without a column of the mechanics no row could be read in units.
    const auto plain = runInUnits("type,initial,drive,accel,decel,axis\n0,1,50,0.2,,X\n");
    EXPECT_EQ(plain.status, 2);
    EXPECT_TRUE(plain.records.empty());
    EXPECT_EQ(plain.diagnostics, "pulsecalc: --csv --in-units reads the speeds and pulses in the axis's units: the "
                                 "header needs the axis's columns pulsesPerRev and travelPerRev (or unit)\n"
                                 "try 'pulsecalc --help' for the options\n");
}

TEST(Batch, UnreadableFileIsAUsageError)
{
    const testing_support::File out = testing_support::emptyFile();
    const testing_support::File err = testing_support::emptyFile();
    EXPECT_EQ(runBatchFile("/nonexistent/drives.csv", out.get(), err.get()), 2);
    EXPECT_EQ(testing_support::contentsOf(err.get()),
              "pulsecalc: cannot open CSV file '/nonexistent/drives.csv': No such file or directory\n"
              "try 'pulsecalc --help' for the options\n");
    EXPECT_EQ(testing_support::contentsOf(out.get()), "");

    // A folder opens but cannot be read: the system's reason again.
    const testing_support::File folderOut = testing_support::emptyFile();
    const testing_support::File folderErr = testing_support::emptyFile();
    EXPECT_EQ(runBatchFile("/", folderOut.get(), folderErr.get()), 2);
    EXPECT_EQ(testing_support::contentsOf(folderErr.get()),
              "pulsecalc: cannot read the CSV input: Is a directory\ntry 'pulsecalc --help' for the options\n");
}

} // namespace
} // namespace veldronix::cli
