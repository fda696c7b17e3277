// Reading a machine file: the JSON text first, then every member against the
// format, in the order the format lists them, so that a file's first fault is
// the one named.
#include "io/machine_file.h"

#include "core/drive_type_names.h"
#include "core/field_text.h"
#include "core/number_parser.h"
#include "core/speed_multiplier.h"
#include "io/json_reader.h"
#include "core/utf8.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>
#include <unordered_set>

namespace veldronix::io {
namespace {

using Kind = JsonValue::Kind;

std::string_view kindName(Kind kind)
{
    switch (kind) {
    case Kind::Null:
        return "null";
    case Kind::Boolean:
        return "boolean";
    case Kind::Number:
        return "number";
    case Kind::String:
        return "string";
    case Kind::Array:
        return "array";
    case Kind::Object:
        break;
    }
    return "object";
}

MachineFileError fault(MachineFileProblem problem, std::string member, std::size_t line, std::string detail = {})
{
    MachineFileError error;
    error.problem = problem;
    error.member = std::move(member);
    error.line = line;
    error.detail = std::move(detail);
    return error;
}

std::string memberPath(std::string_view parent, std::string_view name)
{
    return parent.empty() ? std::string(name) : std::string(parent) + "." + std::string(name);
}

// Reads the members of one object against its list of names; the first fault wins.
class ObjectReader {
public:
    ObjectReader(const JsonValue& object, std::string path) : object_(object), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    std::size_t line() const { return object_.line; }

    // The member of that name, or the fault of its absence.
    const JsonValue* member(std::string_view name)
    {
        const JsonValue* value = object_.find(name);
        if (value == nullptr) {
            fail(fault(MachineFileProblem::MissingMember, memberPath(path_, name), object_.line));
        }
        return value;
    }

    // The member, of one of the kinds (null allowed only where listed).
    const JsonValue* typed(std::string_view name, Kind kind, bool nullable = false)
    {
        const JsonValue* value = error_ ? nullptr : member(name);
        if (value == nullptr) {
            return nullptr;
        }
        if (value->kind == Kind::Null && nullable) {
            return value;
        }
        if (value->kind != kind) {
            fail(fault(MachineFileProblem::WrongType, memberPath(path_, name), value->line,
                       std::string(kindName(kind)) + (nullable ? " or null" : "")));
            return nullptr;
        }
        return value;
    }

    // A text a field takes: at most fieldTextLimit bytes, no NUL.
    const std::string* text(std::string_view name, bool nullable = false)
    {
        const JsonValue* value = typed(name, Kind::String, nullable);
        if (value == nullptr || value->kind == Kind::Null) {
            return nullptr;
        }
        return checkedText(*value, memberPath(path_, name)) ? &value->text : nullptr;
    }

    bool checkedText(const JsonValue& value, const std::string& path)
    {
        if (value.text.size() > fieldTextLimit) {
            fail(fault(MachineFileProblem::TextTooLong, path, value.line));
            return false;
        }
        if (value.text.find('\0') != std::string::npos) {
            fail(fault(MachineFileProblem::NulCharacter, path, value.line));
            return false;
        }
        return true;
    }

    // A whole number; none after a fault.
    std::optional<long long> integer(const JsonValue& value, std::string_view name)
    {
        const double number = parseNumber(value.text);
        if (!std::isfinite(number) || std::abs(number) > 1e15) {
            fail(fault(MachineFileProblem::NumberOutOfRange, memberPath(path_, name), value.line, value.text));
            return std::nullopt;
        }
        if (number != std::floor(number)) {
            fail(fault(MachineFileProblem::BadValue, memberPath(path_, name), value.line, value.text));
            return std::nullopt;
        }
        return static_cast<long long>(number);
    }

    // After the known members: the first member the format does not have.
    void noOtherMembers(std::initializer_list<std::string_view> known)
    {
        noOtherMembers(std::span<const std::string_view>(known.begin(), known.size()));
    }
    void noOtherMembers(std::span<const std::string_view> known)
    {
        if (error_) {
            return;
        }
        for (const auto& [name, value] : object_.members) {
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                fail(fault(MachineFileProblem::UnknownMember, memberPath(path_, name), value.line));
                return;
            }
        }
    }

    void fail(MachineFileError error)
    {
        if (!error_) {
            error_ = std::move(error);
        }
    }
    std::optional<MachineFileError>& error() { return error_; }

private:
    const JsonValue& object_;
    std::string path_;
    std::optional<MachineFileError> error_;
};

std::optional<MachineFileError> readMechanics(const JsonValue& value, const std::string& path,
                                              std::optional<AxisMechanics>& mechanics)
{
    // The mechanics' members are the axis's values of inputRows but its name,
    // which the axis holds beside them.
    ObjectReader object(value, path);
    std::vector<std::string_view> members;
    std::vector<std::pair<InputField, const std::string*>> texts;
    for (const InputFieldDescription& row : axisRows) {
        if (row.id != InputField::AxisName) {
            members.push_back(row.member);
            texts.emplace_back(row.id, object.text(row.member));
        }
    }
    object.noOtherMembers(members);
    if (object.error()) {
        return object.error();
    }
    AxisMechanicsTexts typed;
    for (const auto& [row, text] : texts) {
        if (!setMechanicsValue(typed, row, *text)) {
            const std::string_view member = describe(row).member;
            return fault(MachineFileProblem::BadValue, path + "." + std::string(member), value.find(member)->line, *text);
        }
    }
    auto made = AxisMechanics::make(std::move(typed));
    if (const auto* error = std::get_if<AxisMechanicsError>(&made)) {
        const std::string_view name = describe(fieldOf(error->member)).member;
        MachineFileError failure = fault(MachineFileProblem::BadMechanics, path + "." + std::string(name),
                                         value.find(name)->line);
        failure.mechanicsProblem = error->problem;
        return failure;
    }
    mechanics = std::get<AxisMechanics>(std::move(made));
    return std::nullopt;
}

std::optional<MachineFileError> readAxis(const JsonValue& value, const std::string& path, MachineAxis& axis)
{
    ObjectReader object(value, path);
    if (const std::string* name = object.text("name")) {
        axis.name = *name;
        if (const auto problem = checkAxisName(axis.name)) {
            MachineFileError failure = fault(MachineFileProblem::BadName, path + ".name", value.find("name")->line);
            failure.nameProblem = problem;
            return failure;
        }
    }
    if (const JsonValue* mechanics = object.typed("mechanics", Kind::Object, true);
        mechanics != nullptr && mechanics->kind == Kind::Object) {
        if (auto failure = readMechanics(*mechanics, path + ".mechanics", axis.mechanics)) {
            return failure;
        }
    }
    if (const JsonValue* type = object.typed("driveType", Kind::String, true)) {
        axis.driveType = -1;
        if (type->kind == Kind::String) {
            const auto index = driveTypeIndex(type->text);
            if (!index) {
                return fault(MachineFileProblem::BadValue, path + ".driveType", type->line, type->text);
            }
            axis.driveType = *index;
        }
    }
    if (const JsonValue* fields = object.typed("fields", Kind::Object)) {
        ObjectReader fieldReader(*fields, path + ".fields");
        for (const MachineFieldRow& row : machineFieldRows) {
            if (const std::string* text = fieldReader.text(row.name)) {
                axis.*row.text = *text;
            }
        }
        if (const std::string* pulses = fieldReader.text("pulseCount", true)) {
            axis.pulseCount = *pulses;
        }
        fieldReader.noOtherMembers({"initialSpeed", "driveSpeed", "accelTime", "decelTime", "pulseCount"});
        if (fieldReader.error()) {
            return fieldReader.error();
        }
    }
    if (const JsonValue* multiplier = object.typed("multiplier", Kind::Number, true);
        multiplier != nullptr && multiplier->kind == Kind::Number) {
        const auto value = object.integer(*multiplier, "multiplier");
        if (value) {
            const int index = *value >= 1 && *value <= 500 ? multiplierIndex(static_cast<double>(*value)) : -1;
            if (index < 0 || speedMultipliers[static_cast<std::size_t>(index)] != static_cast<double>(*value)) {
                return fault(MachineFileProblem::BadValue, path + ".multiplier", multiplier->line, multiplier->text);
            }
            axis.multiplierIndex = index;
        }
    }
    if (const JsonValue* design = object.typed("design", Kind::Object)) {
        for (const auto& [key, text] : design->members) {
            const std::string keyPath = path + ".design." + key;
            if (text.kind != Kind::String) {
                object.fail(fault(MachineFileProblem::WrongType, keyPath, text.line, "string"));
                break;
            }
            JsonValue keyValue;
            keyValue.text = key;
            keyValue.line = text.line;
            if (!object.checkedText(keyValue, keyPath) || !object.checkedText(text, keyPath)) {
                break;
            }
            axis.design.emplace_back(key, text.text);
        }
    }
    object.noOtherMembers({"name", "mechanics", "driveType", "fields", "multiplier", "design"});
    return object.error();
}

} // namespace

std::variant<Machine, MachineFileError> readMachine(std::string_view text)
{
    if (text.size() > machineFileSizeLimit) {
        return fault(MachineFileProblem::TooLarge, {}, 0);
    }
    auto json = readJson(text);
    if (const auto* error = std::get_if<JsonError>(&json)) {
        switch (error->problem) {
        case JsonProblem::Syntax:
            return fault(MachineFileProblem::NotJson, {}, error->line);
        case JsonProblem::NotUtf8:
            return fault(MachineFileProblem::NotUtf8, {}, error->line);
        case JsonProblem::TooDeep:
            return fault(MachineFileProblem::TooDeep, {}, error->line);
        case JsonProblem::DuplicateMember:
            break;
        }
        return fault(MachineFileProblem::DuplicateMember, {}, error->line, error->member);
    }
    const JsonValue& root = std::get<JsonValue>(json);
    if (root.kind != Kind::Object) {
        return fault(MachineFileProblem::NotMachineFile, {}, root.line);
    }
    const JsonValue* format = root.find("format");
    if (format == nullptr || format->kind != Kind::String || format->text != machineFormatName) {
        return fault(MachineFileProblem::NotMachineFile, "format", format ? format->line : root.line,
                     format && format->kind == Kind::String ? validUtf8(format->text) : std::string());
    }
    ObjectReader object(root, {});
    if (const JsonValue* version = object.typed("version", Kind::Number)) {
        if (const auto number = object.integer(*version, "version")) {
            if (*number > machineFormatVersion) {
                return fault(MachineFileProblem::NewerVersion, "version", version->line, version->text);
            }
            if (*number < 1) {
                return fault(MachineFileProblem::BadValue, "version", version->line, version->text);
            }
        }
    }
    const JsonValue* axes = object.typed("axes", Kind::Array);
    object.noOtherMembers({"format", "version", "axes"});
    if (object.error()) {
        return *object.error();
    }
    if (axes->items.empty()) {
        return fault(MachineFileProblem::NoAxes, "axes", axes->line);
    }
    Machine machine;
    std::unordered_set<std::string> names; // so that a file of many axes stays quick
    for (std::size_t i = 0; i < axes->items.size(); ++i) {
        const JsonValue& item = axes->items[i];
        const std::string path = "axes[" + std::to_string(i) + "]";
        if (item.kind != Kind::Object) {
            return fault(MachineFileProblem::WrongType, path, item.line, "object");
        }
        MachineAxis axis;
        if (auto failure = readAxis(item, path, axis)) {
            return *failure;
        }
        if (!names.insert(axis.name).second) {
            return fault(MachineFileProblem::DuplicateAxis, path + ".name", item.find("name")->line, axis.name);
        }
        machine.axes.push_back(std::move(axis));
    }
    return machine;
}

} // namespace veldronix::io
