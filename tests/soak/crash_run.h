// Kills, at random moments, a program that saves a list of 1,000 alarms
// through the settings engine (helpers/crash_victim.cpp), and checks the
// settings file after every kill and the folder after every new start.
#pragma once

#include <string>

struct CrashFigures {
    int kills = 0;
    int oldLists = 0;         // the file held the list from before the run that was killed
    int newLists = 0;         // it held a list that run saved
    int damaged = 0;          // missing, cut short, mixed, older, or the program failed
    int savesCutShort = 0;    // kills that left a temporary file: the kill fell inside a save
    int maxTemporaries = 0;   // temporary files beside the file right after a kill
    int staleAfterStart = 0;  // temporary files of killed runs still there once the next one started
    double seconds = 0;
    std::string firstDamage;  // what was wrong the first time
};

// Runs the kills in the folder; the moments come from the seed.
CrashFigures runCrashKills(const std::string& folder, int kills, unsigned seed);
