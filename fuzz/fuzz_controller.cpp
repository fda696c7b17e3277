// The controller driven by a fake view: the fuzz bytes are a sequence of user
// actions (typing into a field, picking a selector item, pressing a button);
// the controller's contract with the view is checked after every one.
#include "controller/calculator_controller.h"
#include "controller/calculator_view.h"
#include "core/control_id.h"
#include "core/field_text.h"
#include "core/input_error.h"
#include "core/texts_ja.h"
#include "fuzz/byte_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using veldronix::ControlId;

constexpr std::array<ControlId, 5> inputFields = {
    ControlId::IDC_INITIAL_SPEED, ControlId::IDC_DRIVE_SPEED, ControlId::IDC_ACCEL_TIME,
    ControlId::IDC_DECEL_TIME,    ControlId::IDC_PULSE_COUNT,
};

constexpr std::array<ControlId, 10> outputFields = {
    ControlId::IDC_SUMMARY, ControlId::IDC_OUT_R, ControlId::IDC_OUT_A,  ControlId::IDC_OUT_SV,
    ControlId::IDC_OUT_V,   ControlId::IDC_OUT_K, ControlId::IDC_OUT_AO, ControlId::IDC_OUT_D,
    ControlId::IDC_OUT_L,   ControlId::IDC_DECEL_POINT,
};

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "controller contract broken: %s\n", what);
    std::abort();
}

void check(bool condition, const char* what)
{
    if (!condition) {
        fail(what);
    }
}

// What the controller did to the view during one command, in order.
struct Event {
    bool isMessage = false;
    ControlId field = ControlId::IDC_STATIC;
    std::string text;
};

class FakeView : public veldronix::CalculatorView {
public:
    std::string readText(ControlId field) override { return texts_[field]; }

    void writeText(ControlId field, std::string_view text) override
    {
        bool known = false;
        for (const ControlId output : outputFields) {
            known = known || output == field;
        }
        check(known, "writeText to a field that is no output");
        texts_[field] = std::string(text);
        events.push_back({false, field, std::string(text)});
    }

    int selectedIndex(ControlId selector) override
    {
        check(selector == ControlId::IDC_DRIVE_TYPE || selector == ControlId::IDC_MULTIPLIER,
              "selectedIndex of a control that is no selector");
        return selection_[selector];
    }

    void setSelectedIndex(ControlId selector, int index) override
    {
        check(selector == ControlId::IDC_MULTIPLIER, "setSelectedIndex other than on the multiplier selector");
        check(index >= 0 && index <= 8, "multiplier selector set outside 0..8");
        selection_[selector] = index;
    }

    void showError(std::string_view message) override
    {
        namespace t = veldronix::texts::ja;
        check(message == t::messageDriveSpeedZero || message == t::messageAccelTimeZero ||
                  message == t::messageInitialAboveDrive || message == t::messageDecelTimeZero ||
                  message == t::messageNoSetting,
              "showError with a text that is no message");
        events.push_back({true, ControlId::IDC_STATIC, std::string(message)});
    }

    void type(ControlId field, std::string text) { texts_[field] = std::move(text); }
    void select(ControlId selector, int index) { selection_[selector] = index; }

    std::vector<Event> events;

private:
    std::map<ControlId, std::string> texts_;
    std::map<ControlId, int> selection_{{ControlId::IDC_DRIVE_TYPE, -1}, {ControlId::IDC_MULTIPLIER, -1}};
};

std::size_t messageCount(const std::vector<Event>& events)
{
    std::size_t count = 0;
    for (const Event& event : events) {
        count += event.isMessage ? 1 : 0;
    }
    return count;
}

void checkCommand(int command, const FakeView& view, const veldronix::CalculatorController& controller)
{
    const std::vector<Event>& events = view.events;
    const std::size_t messages = messageCount(events);
    check(messages <= 1, "more than one message for one command");
    const bool failed = messages == 1;
    // The failure value is kept exactly when a message was shown, and says which.
    const auto& failure = controller.lastFailure();
    check(failure.has_value() == failed, "a failure value without a message, or a message without one");
    if (failure) {
        check(static_cast<int>(failure->command) == command, "the failure names another command");
        check(failure->reason.has_value() == (failure->error == veldronix::InputError::NoSetting),
              "a reason beside an error other than NoSetting, or none beside it");
        for (const Event& event : events) {
            check(!event.isMessage || event.text == veldronix::messageFor(failure->error),
                  "the message shown is not the failure's");
        }
    }
    // Nothing read is longer than a field holds.
    if (const auto& reading = controller.lastReading()) {
        for (const auto& field : reading->fields.items) {
            if (!field) {
                continue;
            }
            check(field->text.size() <= veldronix::fieldTextLimit && field->numberEnd <= field->text.size(),
                  "a reading longer than the field or a number past its text");
        }
    }
    switch (command) {
    case 0: // Calculate
        if (failed) {
            check(events.size() == 1, "a failed Calculate wrote a field");
            check(controller.autoMultiplierIndex() == -1, "a failed Calculate kept a multiplier");
        } else {
            check(controller.autoMultiplierIndex() >= 0, "a successful Calculate chose no multiplier");
            check(events.size() == 9, "a successful Calculate wrote other than the nine output fields");
            for (const Event& event : events) {
                check(event.field != ControlId::IDC_DECEL_POINT, "Calculate wrote the deceleration point");
            }
        }
        break;
    case 1: // Recalculate
        if (failed) {
            check(events.size() == 1, "a failed Recalculate wrote a field");
        } else {
            check(events.size() == 9, "a successful Recalculate wrote other than the nine output fields");
        }
        break;
    default: // Compute the deceleration point
        if (failed) {
            check(events.size() == 2 && events[0].isMessage && !events[1].isMessage &&
                      events[1].field == ControlId::IDC_DECEL_POINT && events[1].text.empty(),
                  "a failed deceleration point did other than its message and an empty field");
        } else {
            check(events.size() == 1 && events[0].field == ControlId::IDC_DECEL_POINT && !events[0].text.empty(),
                  "a deceleration point wrote other than its field");
        }
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FakeView view;
    veldronix::CalculatorController controller(view);
    controller.reset();
    veldronix::fuzz::ByteReader reader(data, size);
    while (!reader.empty()) {
        const std::uint8_t op = reader.take<std::uint8_t>();
        view.events.clear();
        switch (op % 3) {
        case 0: {
            const ControlId field = inputFields[reader.take<std::uint8_t>() % inputFields.size()];
            view.type(field, reader.text(reader.take<std::uint8_t>() % 101));
            check(view.events.empty(), "typing made the controller act");
            break;
        }
        case 1: {
            const ControlId selector = (reader.take<std::uint8_t>() & 1) ? ControlId::IDC_MULTIPLIER : ControlId::IDC_DRIVE_TYPE;
            view.select(selector, reader.take<std::int32_t>());
            break;
        }
        default: {
            const int command = reader.take<std::uint8_t>() % 3;
            if (command == 0) {
                controller.onCalculate();
            } else if (command == 1) {
                controller.onRecalculate();
            } else {
                controller.onComputeDecelPoint();
            }
            checkCommand(command, view, controller);
            break;
        }
        }
        const int index = controller.autoMultiplierIndex();
        check(index >= -1 && index <= 8, "automatic multiplier index outside -1..8");
    }
    return 0;
}
