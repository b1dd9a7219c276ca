// A test double of the main window: it records every call the alarm engine
// makes of its view, in its own list and, when given one, in a shared log
// (the platform's calls), so that the order of views and platform calls can
// be checked together.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scheduler/alarm_view.h"

class RecordingView : public AlarmView {
public:
    explicit RecordingView(std::vector<std::string>* sharedLog = nullptr) : m_sharedLog(sharedLog) {}

    void insertAlarmRow(Alarm& alarm) override { record("insertAlarmRow " + alarm.message); }
    void showCurrentTime(Timestamp tickTime) override { record("showCurrentTime " + std::to_string(tickTime)); }
    void sortRows(SortDirection direction) override
    {
        record(direction == SortDirection::LatestFirst ? "sortRows latest first" : "sortRows earliest first");
    }
    void refreshRow(Alarm& alarm) override { record("refreshRow " + alarm.message); }
    void deleteRow(const Alarm& alarm) override { record("deleteRow " + alarm.message); }
    void openMessageWindow(const std::string& message, Timestamp tickTime) override
    {
        record("openMessageWindow " + message + " @" + std::to_string(tickTime));
        if (duringMessageWindow)
            duringMessageWindow();
    }
    void settingsLoaded() override { record("settingsLoaded"); }

    std::vector<std::string> calls;
    // Runs while a message window opens: a modal loop of the tick, say.
    std::function<void()> duringMessageWindow;

private:
    void record(const std::string& call)
    {
        calls.push_back(call);
        if (m_sharedLog != nullptr)
            m_sharedLog->push_back(call);
    }

    std::vector<std::string>* m_sharedLog;
};
