// A test double of the main window: it logs every call the alarm engine makes
// of its view into a shared log (the platform's calls), so that the order of
// views and platform calls can be checked together.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scheduler/alarm_view.h"

class RecordingView : public AlarmView {
public:
    explicit RecordingView(std::vector<std::string>& log) : m_log(log) {}

    void insertAlarmRow(Alarm& alarm) override { m_log.push_back("insertAlarmRow " + alarm.message); }
    void showCurrentTime(Timestamp tickTime) override
    {
        m_log.push_back("showCurrentTime " + std::to_string(tickTime));
    }
    void sortRows(SortDirection direction) override
    {
        m_log.push_back(direction == SortDirection::LatestFirst ? "sortRows latest first" : "sortRows earliest first");
    }
    void refreshRow(Alarm& alarm) override { m_log.push_back("refreshRow " + alarm.message); }
    void deleteRow(const Alarm& alarm) override { m_log.push_back("deleteRow " + alarm.message); }
    void openMessageWindow(const std::string& message, Timestamp tickTime) override
    {
        m_log.push_back("openMessageWindow " + message + " @" + std::to_string(tickTime));
        if (duringMessageWindow)
            duringMessageWindow();
    }
    void settingsLoaded() override { m_log.push_back("settingsLoaded"); }

    // Runs while a message window opens: a modal loop of the tick, say.
    std::function<void()> duringMessageWindow;

private:
    std::vector<std::string>& m_log;
};
