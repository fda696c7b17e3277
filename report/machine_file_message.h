#pragma once

#include "io/machine_file.h"
#include "report/texts_ja.h"

#include <string>
#include <string_view>

namespace veldronix::report {

// Why a machine file was not opened or saved, in one sentence: the file's name,
// the line where the reader knows it, the member and the fault. A failed save
// takes its reason from writeTexts (the plot's save reasons).
std::string machineFileMessage(std::string_view fileName, const io::MachineFileError& error,
                               const MachineFileTexts& texts = texts::ja::machineFile,
                               const FileWriteTexts& writeTexts = texts::ja::fileWrite);

// What is wrong with a figure of an axis's mechanics, in the texts' language.
std::string_view mechanicsFault(AxisMechanicsProblem problem, const MachineFileTexts& texts = texts::ja::machineFile);

} // namespace veldronix::report
