// The program's entry point.
#include <windows.h>

#include "app/win32/alarm_app.h"

namespace {

AlarmApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        return theApp.Main(instance);
    } catch (...) {
        return 1;
    }
}
