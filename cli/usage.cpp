#include "cli/usage.h"

#include "cli/texts_en.h"
#include "core/input_field.h"

namespace veldronix::cli {

std::string usage()
{
    std::string text(texts::en::usageHead);
    for (const InputFieldDescription& field : inputFields) {
        text += texts::en::fieldUsage[field.id];
    }
    text += texts::en::usageOutputs;
    for (const InputFieldDescription& field : axisRows) {
        text += texts::en::fieldUsage[field.id];
    }
    text += texts::en::usageTail;
    return text;
}

} // namespace veldronix::cli
