#include "ui/tray_tip.h"

namespace tray_tip {

std::string textFor(const Alarm* next, DateTimeText& texts)
{
    if (next == nullptr)
        return "Quorvel - no alarm set";
    std::string tip = "Quorvel - next: " + texts.dateText(next->time) + " " + texts.timeOfDayText(next->time);
    if (!next->message.str().empty())
        tip += " " + next->message.str();
    if (tip.size() > TIP_LIMIT)
        tip.resize(TIP_LIMIT);
    return tip;
}

}  // namespace tray_tip
