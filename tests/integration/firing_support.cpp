#include "firing_support.h"

#include <windows.h>

#include <cstdio>

std::string storedLocalTime(int offsetSeconds)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER value;
    value.LowPart = now.dwLowDateTime;
    value.HighPart = now.dwHighDateTime;
    value.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(offsetSeconds) * 10000000LL);
    FILETIME shifted;
    shifted.dwLowDateTime = value.LowPart;
    shifted.dwHighDateTime = value.HighPart;
    SYSTEMTIME utc, local;
    FileTimeToSystemTime(&shifted, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d-%02d:%02d:%02d", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
    return text;
}

std::string storedAlarm(int offsetSeconds, int count, int state, unsigned flags, const std::string& repeat,
                        const std::string& closeAfter, const std::string& commandLine,
                        const std::string& workingFolder, const std::string& message)
{
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, ",%d,%d,%u, ", count, state, flags);
    return storedLocalTime(offsetSeconds) + numbers + repeat + "," + closeAfter + ",," + commandLine + "," +
           workingFolder + "," + message;
}

std::string iniValue(const std::string& text, const std::string& key)
{
    const std::string start = "\r\n" + key + "=";
    const size_t at = text.find(start);
    if (at == std::string::npos)
        return "<none>";
    const size_t from = at + start.size();
    return text.substr(from, text.find("\r\n", from) - from);
}
