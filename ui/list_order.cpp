#include "ui/list_order.h"

#include <cstdio>

#include "platform/platform.h"
#include "scheduler/options.h"
#include "ui/window_settings.h"

int ListOrder::parseFlags(const std::string& text, int fallback)
{
    int flags = 0;
    return std::sscanf(text.c_str(), " %d ", &flags) == 1 ? flags : fallback;
}

void ListOrder::load()
{
    m_flags = parseFlags(m_platform.readSetting(OPTIONS_SECTION, OPTION_FLAGS), m_flags);
}

SortDirection ListOrder::direction() const
{
    return (m_flags & SORT_DESCENDING) != 0 ? SortDirection::LatestFirst : SortDirection::EarliestFirst;
}

void ListOrder::reverse()
{
    m_flags ^= SORT_DESCENDING;
    m_platform.writeSetting(OPTIONS_SECTION, OPTION_FLAGS, std::to_string(m_flags));
}
