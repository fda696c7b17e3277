#pragma once

#include <string_view>

// The shapes of the reports' text sets: each sentence that a report writes in
// more than one language is made by one function from one of these sets, so
// that the logic is written once and each language only fills the members
// (by name, with designated initialisers). The sets themselves are in
// report/report_texts.h (English) and report/details_texts.h (Japanese).
// Texts with "{0}" ... are {fmt} format strings filled by position.
namespace veldronix::report {

// Why a velocity profile shows no motion, one sentence per ProfileStatus.
struct ProfileNoteTexts {
    // {0} the pulse count, {1} the initial speed, {2} the drive speed, {3} the
    // pulses that the acceleration and the deceleration need together.
    std::string_view shortMove;
    std::string_view noPulses;
    std::string_view unknownDriveType;
    std::string_view speedsReversed;
    std::string_view noDriveSpeed;
    std::string_view negativeSpeed; // {0} the initial speed
    std::string_view badRampTime;
    std::string_view noJerk;
    std::string_view notFinite;
};

// How the drive of the rounded integers ends when it decelerates from the
// requested drive's deceleration point.
struct RealEndTexts {
    std::string_view realUnknown;           // a finding leaves the real drive unknown
    std::string_view realNoMotion;          // {0} why the real drive has no motion (a profile note)
    std::string_view requestedNoDecelPoint; // the requested drive has no motion to compare with
    // {0} the deceleration point, {1} the pulses early or late.
    std::string_view endsEarly;
    std::string_view endsLate;
    std::string_view endsExactly; // {0} only
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
    std::string_view aboveMaximum; // {0} the register's maximum
    std::string_view notFinite;
};

// What the fields were read as, where that may not be what was meant: the
// field's name, then one sentence per problem with {0} the field's name, {1}
// its text as read (shown with its control characters escaped) and {2} the
// number read.
struct InputFindingTexts {
    std::string_view initialSpeed;
    std::string_view driveSpeed;
    std::string_view accelTime;
    std::string_view decelTime;
    std::string_view pulseCount;
    std::string_view driveType;
    std::string_view negative;     // a speed, time or pulse count below 0
    std::string_view notANumber;   // a text that begins with no number, read as 0
    std::string_view trailingText; // a number followed by other text
    std::string_view cut;          // a text longer than the field holds
    std::string_view noItem;       // a drive type text that names no item
    std::string_view noItemEmpty;  // no drive type selected and none typed ({0} only)
};

// Why the last command failed and which results on show are stale.
struct CommandStatusTexts {
    std::string_view calculate; // the commands as their buttons name them
    std::string_view recalculate;
    std::string_view computeDecelPoint;
    std::string_view failure; // {0} the command, {1} the reason
    std::string_view driveSpeedZero;
    std::string_view accelTimeZero;
    std::string_view initialAboveDrive;
    std::string_view decelTimeZero;
    std::string_view nothingCalculated;              // before Recalculate
    std::string_view nothingCalculatedForDecelPoint; // before 算出
    std::string_view noMultiplierFits;
    std::string_view smallerMultiplier; // {0} the multiplier selected, {1} the one Calculate chose
    std::string_view noMultiplierSelected;
    std::string_view notAsymmetricSCurve;
    std::string_view pulseCountZero;
    std::string_view pulseCountTooSmall;
    std::string_view valuesStale;     // the summary and the value fields
    std::string_view decelPointStale; // マニュアル減速点
};

} // namespace veldronix::report

namespace veldronix::report {

// Why a machine file was not opened or saved, one sentence per fault: the
// message is {0} the file's name, {1} where (the line, if the reader knows
// it) and {2} the member and the fault. Texts with {0} take the fault's detail.
struct MachineFileTexts {
    std::string_view message;  // {0} the file, {1} where, {2} what
    std::string_view atLine;   // {0} the line
    std::string_view inMember; // {0} the member, {1} the fault
    std::string_view cannotRead; // {0} the system's reason
    std::string_view tooLarge;
    std::string_view notJson;
    std::string_view notUtf8;
    std::string_view tooDeep;
    std::string_view duplicateMember; // {0} the name given twice
    std::string_view notMachineFile;
    std::string_view otherFormat;  // {0} the format the file names
    std::string_view newerVersion; // {0} the file's version
    std::string_view missingMember;
    std::string_view unknownMember;
    std::string_view wrongType;        // {0} the JSON type wanted
    std::string_view numberOutOfRange; // {0} the number
    std::string_view textTooLong;
    std::string_view nulCharacter;
    std::string_view badValue; // {0} the value
    std::string_view notANumber;
    std::string_view notPositive;
    std::string_view rotaryNot360;
    std::string_view nameEmpty;
    std::string_view nameNotUtf8;
    std::string_view nameControlCharacter;
    std::string_view duplicateAxis; // {0} the name
    std::string_view noAxes;
    std::string_view cannotWrite; // {0} why (the front end's reason of a failed save)
};

} // namespace veldronix::report
