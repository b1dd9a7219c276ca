// The program the crash runs kill: it saves a list of 1,000 alarms through the
// real platform and settings engine, a new generation of the list at every
// save, until it is killed.
//   crash_victim.exe <settings file> <name of the event set once it saves>
// Each alarm's message is "<generation>:<index>" and a few x, so that a list
// cut short, mixed from two saves or out of order shows.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "model/alarm_store.h"
#include "platform/win32/win32_platform.h"

namespace {

const int ALARM_COUNT = 1000;
const Timestamp FIRST_TIME = 889943400;  // 1998-03-15

// A save that fails would be shown to the user; here it ends the program
// with its own exit code, which the run reports.
class ExitOnNotice : public Notices {
public:
    void showNotice(const std::string&, const std::string&) override { ExitProcess(3); }
    void withdrawNotice(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    ExitOnNotice notices;
    Win32Platform platform(argv[1], notices);
    // What the program does at start: temporary files of killed writers go.
    platform.cleanUpSettingsFolder();
    AlarmStore store(platform, notices);
    AlarmCollection alarms;
    store.loadAlarmList(alarms, nullptr);
    long generation = alarms.empty() ? 0 : std::atol(alarms.begin()->message.str().c_str());
    for (int i = static_cast<int>(alarms.size()); i < ALARM_COUNT; ++i)
        alarms.append(std::make_unique<Alarm>(FIRST_TIME + i * 60));
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (ready == nullptr || !SetEvent(ready))
        return 4;
    for (;;) {
        ++generation;
        int index = 0;
        for (Alarm& alarm : alarms)
            alarm.message =
                std::to_string(generation) + ':' + std::to_string(index++) + std::string(generation % 9, 'x');
        store.saveAlarmList(alarms);
    }
}
