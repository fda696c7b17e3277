#pragma once

#include "core/input_field.h"
#include "report/failure_reason.h"
#include "report/text_format.h"

#include <string_view>

// The shapes of the reports' text sets: each sentence that a report writes in
// more than one language is made by one function from one of these sets, so
// that the logic is written once and each language only fills the members
// (by name, with designated initialisers). The sets themselves are in
// report/texts_en.h (English) and report/texts_ja.h (Japanese).
// Sentences with places for figures are TextFormats ("{0}" ... filled by
// position), checked against their places when compiled.
namespace veldronix::report {

// Why a velocity profile shows no motion, one sentence per ProfileStatus.
struct ProfileNoteTexts {
    // {0} the pulse count, {1} the initial speed, {2} the drive speed, {3} the
    // pulses that the acceleration and the deceleration need together.
    Format4 shortMove;
    std::string_view noPulses;
    std::string_view unknownDriveType;
    std::string_view speedsReversed;
    std::string_view noDriveSpeed;
    Format1 negativeSpeed; // {0} the initial speed
    std::string_view badRampTime;
    std::string_view noJerk;
    std::string_view notFinite;
};

// How the drive of the rounded integers ends when it decelerates from the
// requested drive's deceleration point.
struct RealEndTexts {
    std::string_view realUnknown;           // a finding leaves the real drive unknown
    Format1 realNoMotion;          // {0} why the real drive has no motion (a profile note)
    std::string_view requestedNoDecelPoint; // the requested drive has no motion to compare with
    // {0} the deceleration point, {1} the pulses early or late.
    Format2 endsEarly;
    Format2 endsLate;
    Format2 endsExactly; // {0} only
};

// Why a register cannot take its rounded value.
struct FindingReasons {
    std::string_view zeroInitialSpeed;
    std::string_view zeroDriveSpeed;
    std::string_view zeroAccel;
    std::string_view zeroDecel;
    std::string_view zeroK;
    std::string_view zeroL;
    std::string_view zeroR;
    std::string_view negative;
    Format1 aboveMaximum; // {0} the register's maximum
    std::string_view notFinite;
};

// What the fields were read as, where that may not be what was meant: the
// field's name, then one sentence per problem with {0} the field's name, {1}
// its text as read (shown with its control characters escaped) and {2} the
// number read.
struct InputFindingTexts {
    ByField<std::string_view> fieldNames; // each input field's name, in the order of inputFields
    Format3 negative;     // a speed, time or pulse count below 0
    Format3 notANumber;   // a text that begins with no number, read as 0
    Format3 trailingText; // a number followed by other text
    Format3 cut;          // a text longer than the field holds
    Format3 noItem;       // a drive type text that names no item
    Format3 noItemEmpty;  // no drive type selected and none typed ({0} only)
    Format3 wideForms;    // full-width digits or signs read as ASCII
};

// What an on-time move design says of a search stopped at its bound of
// candidates, {0} the number tried.
struct DesignSearchTexts {
    Format1 cutLatest; // the design is the latest end among those tried
    Format1 cutNone;   // none of those tried ends by the target: the design is the earliest of all
};

// Why the last command failed and which results on show are stale.
struct CommandStatusTexts {
    std::string_view calculate; // the commands as their buttons name them
    std::string_view recalculate;
    std::string_view computeDecelPoint;
    Format2 failure; // {0} the command, {1} the reason
    FailureReasonTexts reasons;
    std::string_view valuesStale;     // the summary and the value fields
    std::string_view decelPointStale; // マニュアル減速点
};

} // namespace veldronix::report

namespace veldronix::report {

// Why a machine file was not opened or saved, one sentence per fault: the
// message is {0} the file's name, {1} where (the line, if the reader knows
// it) and {2} the member and the fault. Texts with {0} take the fault's detail.
struct MachineFileTexts {
    Format3 message;  // {0} the file, {1} where, {2} what
    Format1 atLine;   // {0} the line
    Format2 inMember; // {0} the member, {1} the fault
    Format1 cannotRead; // {0} the system's reason
    std::string_view tooLarge;
    std::string_view notJson;
    std::string_view notUtf8;
    std::string_view tooDeep;
    Format1 duplicateMember; // {0} the name given twice
    std::string_view notMachineFile;
    Format1 otherFormat;  // {0} the format the file names
    Format1 newerVersion; // {0} the file's version
    std::string_view missingMember;
    std::string_view unknownMember;
    Format1 wrongType;        // {0} the JSON type wanted
    Format1 numberOutOfRange; // {0} the number
    std::string_view textTooLong;
    std::string_view nulCharacter;
    Format1 badValue; // {0} the value
    std::string_view notANumber;
    std::string_view notPositive;
    std::string_view outOfRange;
    std::string_view rotaryNot360;
    std::string_view nameEmpty;
    std::string_view nameNotUtf8;
    std::string_view nameControlCharacter;
    Format1 duplicateAxis; // {0} the name
    std::string_view noAxes;
    Format1 cannotWrite; // {0} why (the front end's reason of a failed save)
};

} // namespace veldronix::report
