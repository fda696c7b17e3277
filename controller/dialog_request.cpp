#include "controller/dialog_request.h"

namespace veldronix {

void performRequests(std::span<const DialogRequest> requests, CalculatorView& view,
                     const std::function<void(ControlId button)>& press)
{
    for (const DialogRequest& request : requests) {
        switch (request.kind) {
        case DialogRequest::Kind::WriteText:
            view.writeText(request.control, request.text);
            break;
        case DialogRequest::Kind::Select:
            view.setSelectedIndex(request.control, request.index);
            break;
        case DialogRequest::Kind::Press:
            if (press) {
                press(request.control);
            }
            break;
        }
    }
}

} // namespace veldronix
