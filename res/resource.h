/* Resource identifiers of Quorvel: dialog templates, controls, icons and
   strings. Plain #defines, read by the C++ sources and by the resource
   compiler alike.

   Control ids are named per dialog, because the same number stands for
   different controls in different templates (3002 is the main window's
   time field, the editor's repeat-time field and the setup theme box).
   Ids 1 and 2 are the system's IDOK and IDCANCEL in every template. */
#ifndef QUORVEL_RESOURCE_H
#define QUORVEL_RESOURCE_H

/* Dialog templates */
#define IDD_ABOUT 100
#define IDD_MAIN 101
#define IDD_ALARM_EDITOR 103
#define IDD_SETUP 153
#define IDD_ALARM_MESSAGE 2021
#define IDD_CALENDAR 2025
#define IDD_TIME_LIST 2026
#define IDD_LATE_ALARMS 2027

/* Icons */
#define IDI_QUORVEL 102
#define IDI_BELL 104
#define IDI_REPEAT 105
#define IDI_BELL_OFF 106
#define IDI_NOTES 2018
#define IDI_FOLDER 2019
#define IDI_DROP_DOWN 2020

/* Strings: the captions of the alarm list columns */
#define IDS_ALARMS 2001
#define IDS_NOTES 2002

/* Main window (IDD_MAIN); OK hides it, Cancel (the Exit button) ends the program */
#define IDC_MAIN_ABOUT 3000
#define IDC_MAIN_TIME 3002
#define IDC_MAIN_ADD 3003
#define IDC_MAIN_DELETE 3004
#define IDC_MAIN_HELP 9
#define IDC_MAIN_LIST 3017
#define IDC_MAIN_EDIT 3019
#define IDC_MAIN_SETUP 3033

/* Alarm editor (IDD_ALARM_EDITOR) */
#define IDC_EDIT_MESSAGE 3018
#define IDC_EDIT_DATE 3000
#define IDC_EDIT_DATE_DROP 2023
#define IDC_EDIT_TIME 3003
#define IDC_EDIT_TIME_DROP 2024
#define IDC_EDIT_REPEAT 3022
#define IDC_EDIT_REPEAT_DAYS 2041
#define IDC_EDIT_REPEAT_DAYS_DROP 2042
#define IDC_EDIT_REPEAT_TIME 3002
#define IDC_EDIT_REPEAT_TIME_DROP 2027
#define IDC_EDIT_REPEAT_COUNT 2007
#define IDC_EDIT_IN_TIME 3024
#define IDC_EDIT_AUTODELETE 3025
#define IDC_EDIT_SHOW_MESSAGE 3020
#define IDC_EDIT_SAY_TIME 3033
#define IDC_EDIT_PLAY_WAVE 3021
#define IDC_EDIT_WAVE_FILE 3023
#define IDC_EDIT_WAVE_BROWSE 3026
#define IDC_EDIT_EXECUTE 3030
#define IDC_EDIT_COMMAND_LINE 3027
#define IDC_EDIT_PROGRAM_BROWSE 3032
#define IDC_EDIT_WORKING_FOLDER 3028
#define IDC_EDIT_WINDOW_SIZE 3029
#define IDC_EDIT_WAIT_FOR_USER_AWAY 2035
#define IDC_EDIT_EXECUTE_WHEN_PREVIOUS_CLOSED 2037
#define IDC_EDIT_CLOSE_AFTER 2033
#define IDC_EDIT_CLOSE_AFTER_TIME 3004
#define IDC_EDIT_CLOSE_AFTER_DROP 2029
#define IDC_EDIT_CLOSE_WHEN_USER_BACK 2036
#define IDC_EDIT_CLOSE_ON_NEXT_EXECUTE 2040

/* Setup (IDD_SETUP) */
#define IDC_SETUP_SILENCE_FROM 3001
#define IDC_SETUP_THEME 3002
#define IDC_SETUP_SILENCE_TO 3003
#define IDC_SETUP_FROM_DROP 2026
#define IDC_SETUP_TO_DROP 2028

/* Alarm message window (IDD_ALARM_MESSAGE) */
#define IDC_MESSAGE_TEXT 2043
#define IDC_MESSAGE_DATE 2044
#define IDC_MESSAGE_TIME 2045
#define IDC_MESSAGE_SNOOZE 2046
#define IDC_MESSAGE_SNOOZE_DELAY 2047

/* Missed alarms window (IDD_LATE_ALARMS) */
#define IDC_LATE_ALARMS_LIST 2050

/* Calendar drop-down (IDD_CALENDAR) */
#define IDC_CALENDAR_YEAR 3005
#define IDC_CALENDAR_MONTH 3006
#define IDC_CALENDAR_SPIN 2048
#define IDC_CALENDAR_GRID 2049

/* Time drop-down list (IDD_TIME_LIST) */
#define IDC_TIME_LIST 2051

/* Controls that the program never addresses */
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif /* QUORVEL_RESOURCE_H */
