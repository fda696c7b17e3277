#pragma once

#include "io/machine_file.h"
#include "report/details_texts.h"

#include <string>
#include <string_view>

namespace veldronix::report {

// Why a machine file was not opened or saved, in one sentence: the file's name,
// the line where the reader knows it, the member and the fault. A failed save
// takes its reason from writeReason (the plot's save reasons by default).
std::string machineFileMessage(std::string_view fileName, const io::MachineFileError& error,
                               const MachineFileTexts& texts = detailsTexts::machineFile,
                               std::string_view (*writeReason)(io::FileWriteError) = nullptr);

} // namespace veldronix::report
