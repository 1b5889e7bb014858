// tarvinst.exe, the installer. Its configuration, wizard and installation
// steps are not built yet; started now it exits at once with status 1.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 1; }
